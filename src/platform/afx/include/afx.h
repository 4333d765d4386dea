// The MFC subset's core: run-time class information, CObject, the wide CString,
// exceptions, files and archives. Written over the Win32 API only, so the same
// header compiles against hmigfx's Win32 subset and against the Windows SDK.
//
// Exceptions are C++ exceptions thrown as pointers, as MFC throws them: catch
// CException* (or a derived class) and call Delete() on it, or use the TRY/CATCH
// macros, which delete it for you.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

// The standard headers come first: windows.h may define min and max macros.
#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <type_traits>

#include <windows.h>

#ifdef _WIN32
#include <tchar.h>
#define AFXAPI __stdcall
#else
#ifndef _T
#define _T(x) L##x
#endif
#ifndef _TEXT
#define _TEXT(x) L##x
#endif
#define _tcslen wcslen
#define _tcscmp wcscmp
#define _tcscpy wcscpy
#define _tcsdup wcsdup
#define _tcsrchr wcsrchr
#define _tcschr wcschr
#define AFXAPI
#endif

#ifndef PASCAL
#define PASCAL
#endif
#define AFX_CDECL
#define AFX_DATA
#define AFX_NOVTABLE

// Classes exported by an extension module. The Linux build exports every
// symbol, so the marker only matters to the Windows build.
#ifndef AFX_EXT_CLASS
#ifdef _WIN32
#ifdef _AFXEXT
#define AFX_EXT_CLASS __declspec(dllexport)
#else
#define AFX_EXT_CLASS __declspec(dllimport)
#endif
#else
#define AFX_EXT_CLASS __attribute__((visibility("default")))
#endif
#endif

#ifdef _DEBUG
#include <cassert>
#define ASSERT(f) assert(f)
#define VERIFY(f) assert(f)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#endif
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define TRACE(...) ((void)0)
#define UNUSED_ALWAYS(x) ((void)(x))

class CObject;
class CArchive;
class CString;
class CFile;

// ---------------------------------------------------------------------------
// Run-time class information

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serialisable
    CObject* (PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass;
    const void* m_pClassInit;

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                \
public:                                            \
    static const CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* PASCAL CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                \
    const CRuntimeClass class_name::class##class_name = {#class_name,          sizeof(class class_name), \
                                                         wSchema,              pfnNew,                   \
                                                         RUNTIME_CLASS(base_class_name), nullptr,       \
                                                         nullptr};                                        \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)               \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = 0;

protected:
    CObject() {}

public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

    static const CRuntimeClass classCObject;
};

// ---------------------------------------------------------------------------
// CString: wide characters, always terminated, convertible to LPCWSTR.

class CString {
public:
    CString() {}
    CString(const CString& s) : m_str(s.m_str) {}
    CString(CString&& s) noexcept : m_str(std::move(s.m_str)) {}
    CString(LPCWSTR psz) : m_str(psz ? psz : L"") {}
    CString(LPCWSTR pch, int nLength) : m_str(pch && nLength > 0 ? std::wstring(pch, static_cast<size_t>(nLength)) : std::wstring()) {}
    CString(LPCSTR psz);  // converted from the ANSI code page
    CString(LPCSTR pch, int nLength);
    CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}
    explicit CString(wchar_t ch, int nRepeat = 1) : m_str(nRepeat > 0 ? static_cast<size_t>(nRepeat) : 0, ch) {}

    CString& operator=(const CString& s) {
        m_str = s.m_str;
        return *this;
    }
    CString& operator=(CString&& s) noexcept {
        m_str = std::move(s.m_str);
        return *this;
    }
    CString& operator=(LPCWSTR psz) {
        m_str = psz ? psz : L"";
        return *this;
    }
    CString& operator=(LPCSTR psz) { return *this = CString(psz); }
    CString& operator=(wchar_t ch) {
        m_str.assign(1, ch);
        return *this;
    }

    CString& operator+=(const CString& s) {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(LPCWSTR psz) {
        if (psz) m_str += psz;
        return *this;
    }
    CString& operator+=(LPCSTR psz) { return *this += CString(psz); }
    CString& operator+=(wchar_t ch) {
        m_str += ch;
        return *this;
    }

    operator LPCWSTR() const { return m_str.c_str(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    wchar_t GetAt(int i) const { return m_str.at(static_cast<size_t>(i)); }
    wchar_t operator[](int i) const { return GetAt(i); }
    void SetAt(int i, wchar_t ch) { m_str.at(static_cast<size_t>(i)) = ch; }
    void SetString(LPCWSTR psz) { *this = psz; }
    void SetString(LPCWSTR pch, int nLength) { *this = CString(pch, nLength); }
    void Append(LPCWSTR psz) { *this += psz; }
    void Append(const CString& s) { *this += s; }
    void AppendChar(wchar_t ch) { m_str += ch; }

    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;

    int Find(wchar_t ch, int iStart = 0) const;
    int Find(LPCWSTR pszSub, int iStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCWSTR pszCharSet) const;
    CString SpanExcluding(LPCWSTR pszCharSet) const;
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);

    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t ch);
    int Insert(int iIndex, wchar_t ch);
    int Insert(int iIndex, LPCWSTR psz);
    int Delete(int iIndex, int nCount = 1);

    // printf-style formatting with the Microsoft meanings: %s and %c take wide
    // arguments, %S and %C narrow ones; %ld and %lu are 32-bit, %I64d and %lld 64-bit.
    void Format(LPCWSTR pszFormat, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormat(LPCWSTR pszFormat, ...);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);

    // Direct access: the buffer holds at least nMinBufferLength characters plus
    // the terminator; ReleaseBuffer(-1) takes the length up to the first zero.
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufferLength);
    LPWSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void Preallocate(int nLength) { m_str.reserve(static_cast<size_t>(nLength > 0 ? nLength : 0)); }
    void FreeExtra() { m_str.shrink_to_fit(); }
    LPWSTR LockBuffer() { return GetBuffer(); }
    void UnlockBuffer() {}

    friend CString operator+(const CString& a, const CString& b) {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, LPCWSTR b) {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(LPCWSTR a, const CString& b) {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, wchar_t b) {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(wchar_t a, const CString& b) {
        CString r(a);
        r += b;
        return r;
    }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
    friend bool operator!=(LPCWSTR a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
    friend bool operator<(LPCWSTR a, const CString& b) { return b.Compare(a) > 0; }
    friend bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
    friend bool operator>(const CString& a, LPCWSTR b) { return a.Compare(b) > 0; }
    friend bool operator>(LPCWSTR a, const CString& b) { return b.Compare(a) < 0; }
    friend bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
    friend bool operator<=(const CString& a, LPCWSTR b) { return a.Compare(b) <= 0; }
    friend bool operator<=(LPCWSTR a, const CString& b) { return b.Compare(a) >= 0; }
    friend bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
    friend bool operator>=(const CString& a, LPCWSTR b) { return a.Compare(b) >= 0; }
    friend bool operator>=(LPCWSTR a, const CString& b) { return b.Compare(a) <= 0; }

private:
    std::wstring m_str;
};

typedef CString CStringW;

// ---------------------------------------------------------------------------
// Exceptions

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException() : m_bAutoDelete(TRUE) {}
    explicit CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}
    virtual ~CException() = 0;

    // Frees a heap exception; exceptions thrown from static storage stay.
    void Delete();
    // Copies a description into lpszError (at most nMaxError characters with
    // the terminator). FALSE when there is none.
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;

    BOOL m_bAutoDelete;
};

class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() {}
    explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    ~CSimpleException() override;
};

#define AFX_DECLARE_SIMPLE_EXCEPTION(name)                             \
    class name : public CSimpleException {                             \
        DECLARE_DYNAMIC(name)                                          \
    public:                                                            \
        name() {}                                                      \
        explicit name(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {} \
        ~name() override;                                              \
        BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override; \
    };
AFX_DECLARE_SIMPLE_EXCEPTION(CMemoryException)
AFX_DECLARE_SIMPLE_EXCEPTION(CResourceException)
AFX_DECLARE_SIMPLE_EXCEPTION(CNotSupportedException)
AFX_DECLARE_SIMPLE_EXCEPTION(CInvalidArgException)
AFX_DECLARE_SIMPLE_EXCEPTION(CUserException)
#undef AFX_DECLARE_SIMPLE_EXCEPTION

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };
    explicit CFileException(int cause = none, LONG lOsError = -1, LPCWSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}
    ~CFileException() override;

    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    // The cause for a Win32 error code.
    static int PASCAL OsErrorToException(LONG lOsError);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCWSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };
    explicit CArchiveException(int cause = none, LPCWSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}
    ~CArchiveException() override;

    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    COleException() : m_sc(0) {}
    ~COleException() override;

    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    // The status code an exception stands for.
    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCWSTR lpszFileName = nullptr);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName = nullptr);
[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);

// The exception a CATCH block took; deleted when the block is left, unless the
// block throws it on with THROW_LAST.
struct AFX_EXCEPTION_LINK {
    CException* m_pException = nullptr;
    AFX_EXCEPTION_LINK() = default;
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;
    ~AFX_EXCEPTION_LINK() {
        if (m_pException) m_pException->Delete();
    }
};

#define TRY                                 \
    {                                       \
        AFX_EXCEPTION_LINK _afxExceptionLink; \
        try {
#define CATCH(class_name, e)      \
    }                             \
    catch (class_name * e) {      \
        _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) \
    }                            \
    catch (class_name * e) {     \
        _afxExceptionLink.m_pException = e;
#define END_CATCH \
    }             \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define THROW(e) throw e
#define THROW_LAST()                              \
    do {                                          \
        _afxExceptionLink.m_pException = nullptr; \
        throw;                                    \
    } while (0)

// ---------------------------------------------------------------------------
// Files

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);
    // Opens the file or throws CFileException.
    CFile(LPCWSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    operator HANDLE() const { return m_hFile; }

    // FALSE on failure, with the reason in *pError when given.
    virtual BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    virtual ULONGLONG GetPosition() const;
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCWSTR lpszNewName);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetLength() const;
    // Fewer bytes than asked for at the end of the file; throws on I/O errors.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();
    virtual void Close();
    // Closes without reporting errors.
    virtual void Abort();

    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }

    static void PASCAL Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName);
    static void PASCAL Remove(LPCWSTR lpszFileName);

    HANDLE m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    // A growing file; nGrowBytes is the allocation step.
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A file over the caller's buffer, which stays the caller's. With nGrowBytes
    // 0 the file has the buffer's size and cannot grow: writing past its end
    // throws CMemoryException. Otherwise the file starts empty and grows by
    // reallocating the buffer, which must then come from malloc.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives the buffer to the caller (free() it if the file allocated it) and empties the file.
    BYTE* Detach();

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;
};

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;

    // Starts a search ("*" in the current directory when pstrName is null).
    // TRUE when something matched; call FindNextFile to reach each match.
    virtual BOOL FindFile(LPCWSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Moves to the next match; FALSE when this one is the last.
    virtual BOOL FindNextFile();
    void Close();

    ULONGLONG GetLength() const;
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    // The file name without its extension.
    virtual CString GetFileTitle() const;
    virtual CString GetRoot() const;
    virtual BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    virtual BOOL IsDots() const;
    BOOL MatchesMask(DWORD dwMask) const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }

protected:
    WIN32_FIND_DATAW* m_pFoundInfo;
    WIN32_FIND_DATAW* m_pNextInfo;
    HANDLE m_hContext;
    CString m_strRoot;
    wchar_t m_chDirSeparator;
};

// ---------------------------------------------------------------------------
// Archives: values in little-endian byte order, as MFC stores them.

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes (flushing a storing archive) unless made with bNoFlushOnDelete.
    // Call Close() yourself to learn about write errors.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes: Read returns fewer than nMax at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer to the file. Loading: drops the read-ahead and
    // moves the file back to just after the last value read.
    void Flush();
    void Close();
    void Abort();

    // Storing on a loading archive throws CArchiveException::readOnly; loading
    // from a storing one throws writeOnly; loading past the end throws endOfFile
    // and leaves the target unchanged.
    CArchive& operator<<(bool b) { return Put<BYTE>(b ? 1 : 0); }
    CArchive& operator<<(char ch) { return Put(ch); }
    CArchive& operator<<(unsigned char by) { return Put(by); }
    CArchive& operator<<(short w) { return Put(w); }
    CArchive& operator<<(unsigned short w) { return Put(w); }
    CArchive& operator<<(int i) { return Put(i); }
    CArchive& operator<<(unsigned int u) { return Put(u); }
    CArchive& operator<<(long l) { return Put(l); }
    CArchive& operator<<(unsigned long dw) { return Put(dw); }
    CArchive& operator<<(long long ll) { return Put(ll); }
    CArchive& operator<<(unsigned long long ull) { return Put(ull); }
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    // A wchar_t is stored as one UTF-16 unit; a character beyond U+FFFF does
    // not fit and throws CArchiveException::genericException.
    CArchive& operator<<(wchar_t ch);

    CArchive& operator>>(bool& b) {
        BYTE v;
        Get(v);
        b = v != 0;
        return *this;
    }
    CArchive& operator>>(char& ch) { return Get(ch); }
    CArchive& operator>>(unsigned char& by) { return Get(by); }
    CArchive& operator>>(short& w) { return Get(w); }
    CArchive& operator>>(unsigned short& w) { return Get(w); }
    CArchive& operator>>(int& i) { return Get(i); }
    CArchive& operator>>(unsigned int& u) { return Get(u); }
    CArchive& operator>>(long& l) { return Get(l); }
    CArchive& operator>>(unsigned long& dw) { return Get(dw); }
    CArchive& operator>>(long long& ll) { return Get(ll); }
    CArchive& operator>>(unsigned long long& ull) { return Get(ull); }
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(wchar_t& ch);

    CString m_strFileName;

protected:
    void CheckStoring();
    void CheckLoading();
    // Makes at least nBytesNeeded more bytes available or throws endOfFile.
    void FillBuffer(UINT nBytesNeeded);
    void PutBytes(const BYTE* p, UINT n);
    void GetBytes(BYTE* p, UINT n);

    template <class T>
    CArchive& Put(T v) {
        static_assert(std::is_integral_v<T>);
        using U = std::make_unsigned_t<T>;
        U u = static_cast<U>(v);
        BYTE b[sizeof(T)];
        for (size_t i = 0; i < sizeof(T); ++i) b[i] = static_cast<BYTE>(u >> (8 * i));
        PutBytes(b, sizeof(T));
        return *this;
    }
    template <class T>
    CArchive& Get(T& v) {
        static_assert(std::is_integral_v<T>);
        using U = std::make_unsigned_t<T>;
        BYTE b[sizeof(T)];
        GetBytes(b, sizeof(T));
        U u = 0;
        for (size_t i = 0; i < sizeof(T); ++i) u = static_cast<U>(u | (static_cast<U>(b[i]) << (8 * i)));
        v = static_cast<T>(u);
        return *this;
    }

    UINT m_nMode;
    CFile* m_pFile;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    int m_nBufSize;
    BOOL m_bUserBuf;
};

// Strings in MFC's record: a length prefix (with the Unicode marker) followed
// by UTF-16 code units. Narrow records written by ANSI programs are read too.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& str);
CArchive& AFXAPI operator>>(CArchive& ar, CString& str);
