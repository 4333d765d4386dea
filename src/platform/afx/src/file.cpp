// CFile over the Win32 file functions, CMemFile, CFileFind.
#include <afx.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CFileFind, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

#ifdef _WIN32
constexpr wchar_t kSeparator = L'\\';
bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }
#else
constexpr wchar_t kSeparator = L'/';
bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }
#endif

// The part after the last separator.
CString fileNameOf(const CString& path) {
    int i = path.GetLength();
    while (i > 0 && !isSeparator(path[i - 1])) --i;
    return path.Mid(i);
}

// A file name without its extension.
CString titleOf(const CString& name) {
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

CString fullPath(LPCWSTR name) {
    WCHAR buf[4096];
    LPWSTR part = nullptr;
    const DWORD n = GetFullPathNameW(name, 4096, buf, &part);
    return n > 0 && n < 4096 ? CString(buf) : CString(name);
}

}  // namespace

// ---------------------------------------------------------------------------
// CFile

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCWSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
    // A destructor cannot report a failed close; Close() does.
    if (m_hFile != hFileNull && m_bCloseOnDelete) Abort();
}

BOOL CFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    if (m_hFile != hFileNull) {
        if (pError) {
            pError->m_cause = CFileException::genericException;
            pError->m_lOsError = ERROR_INVALID_PARAMETER;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_bCloseOnDelete = FALSE;
    m_strFileName = lpszFileName ? fullPath(lpszFileName) : CString();

    DWORD access;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: access = 0; break;
    }
    DWORD share;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }
    DWORD create = OPEN_EXISTING;
    if (nOpenFlags & modeCreate) create = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osWriteThrough) flags |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess) flags |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan) flags |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE h = lpszFileName ? CreateFileW(lpszFileName, access, share, nullptr, create, flags, nullptr)
                            : INVALID_HANDLE_VALUE;
    if (h == INVALID_HANDLE_VALUE) {
        if (pError) {
            pError->m_lOsError = lpszFileName ? static_cast<LONG>(GetLastError()) : ERROR_INVALID_PARAMETER;
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

ULONGLONG CFile::GetPosition() const {
    LARGE_INTEGER zero, pos;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(pos.QuadPart);
}

CString CFile::GetFileName() const { return fileNameOf(m_strFileName); }
CString CFile::GetFileTitle() const { return titleOf(fileNameOf(m_strFileName)); }
CString CFile::GetFilePath() const { return m_strFileName; }
void CFile::SetFilePath(LPCWSTR lpszNewName) { m_strFileName = lpszNewName; }

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    if (nFrom > end) AfxThrowInvalidArgException();
    LARGE_INTEGER d, pos;
    d.QuadPart = lOff;
    if (!SetFilePointerEx(m_hFile, d, &pos, nFrom))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(pos.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
    const ULONGLONG keep = GetPosition();
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    if (keep < dwNewLen) Seek(static_cast<LONGLONG>(keep), begin);
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0) return 0;
    if (!lpBuf) AfxThrowInvalidArgException();
    DWORD read = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    if (!lpBuf) AfxThrowInvalidArgException();
    DWORD written = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    if (written < nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

void CFile::Flush() {
    if (m_hFile == hFileNull) return;
    if (!FlushFileBuffers(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Close() {
    BOOL ok = TRUE;
    if (m_hFile != hFileNull) ok = CloseHandle(m_hFile);
    const CString name = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (!ok) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), name);
}

void CFile::Abort() {
    if (m_hFile != hFileNull) CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

void PASCAL CFile::Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName) {
    if (!MoveFileW(lpszOldName, lpszNewName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCWSTR lpszFileName) {
    if (!DeleteFileW(lpszFileName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

// ---------------------------------------------------------------------------
// CMemFile

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes),
      m_nPosition(0),
      m_nBufferSize(0),
      m_nFileSize(0),
      m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr), m_bAutoDelete(FALSE) {
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
    if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
    if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    // A fixed buffer is a file of its full size; a growing one starts empty.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
    BYTE* b = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
    return b;
}

ULONGLONG CMemFile::GetPosition() const { return m_nPosition; }
ULONGLONG CMemFile::GetLength() const { return m_nFileSize; }

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
    LONGLONG base;
    switch (nFrom) {
    case begin: base = 0; break;
    case current: base = static_cast<LONGLONG>(m_nPosition); break;
    case end: base = static_cast<LONGLONG>(m_nFileSize); break;
    default: AfxThrowInvalidArgException();
    }
    const LONGLONG pos = base + lOff;
    if (pos < 0) AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<SIZE_T>(pos);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
    if (dwNewLen > m_nBufferSize) GrowFile(static_cast<SIZE_T>(dwNewLen));
    if (dwNewLen > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<SIZE_T>(dwNewLen) - m_nFileSize);
    if (dwNewLen < m_nPosition) m_nPosition = static_cast<SIZE_T>(dwNewLen);
    m_nFileSize = static_cast<SIZE_T>(dwNewLen);
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0 || m_nPosition >= m_nFileSize) return 0;
    if (!lpBuf) AfxThrowInvalidArgException();
    const SIZE_T n = std::min<SIZE_T>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    if (!lpBuf) AfxThrowInvalidArgException();
    const SIZE_T endPos = m_nPosition + nCount;
    if (endPos > m_nBufferSize) GrowFile(endPos);
    // A write after a seek past the end leaves zeros in between.
    if (m_nPosition > m_nFileSize) std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = endPos;
    if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

void CMemFile::Flush() {}

void CMemFile::Close() {
    if (m_lpBuffer && m_bAutoDelete) Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nGrowBytes = m_nPosition = m_nBufferSize = m_nFileSize = 0;
}

void CMemFile::Abort() { Close(); }

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(std::malloc(nBytes)); }
BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(std::realloc(lpMem, nBytes)); }
void CMemFile::Free(BYTE* lpMem) { std::free(lpMem); }

void CMemFile::GrowFile(SIZE_T dwNewLen) {
    if (dwNewLen <= m_nBufferSize) return;
    // A file over a caller's buffer grows only when made with nGrowBytes, and
    // then the buffer must come from malloc (it is reallocated).
    if (m_nGrowBytes == 0) AfxThrowMemoryException();
    SIZE_T newSize = m_nBufferSize;
    while (newSize < dwNewLen) {
        if (newSize > SIZE_MAX - m_nGrowBytes) AfxThrowMemoryException();
        newSize += std::max<SIZE_T>(m_nGrowBytes, newSize / 2);  // geometric, so appends stay linear
    }
    BYTE* p = m_lpBuffer ? Realloc(m_lpBuffer, newSize) : Alloc(newSize);
    if (!p) AfxThrowMemoryException();
    m_lpBuffer = p;
    m_nBufferSize = newSize;
}

// ---------------------------------------------------------------------------
// CFileFind

CFileFind::CFileFind()
    : m_pFoundInfo(nullptr), m_pNextInfo(nullptr), m_hContext(nullptr), m_chDirSeparator(kSeparator) {}

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close() {
    delete m_pFoundInfo;
    delete m_pNextInfo;
    m_pFoundInfo = m_pNextInfo = nullptr;
    if (m_hContext && m_hContext != INVALID_HANDLE_VALUE) FindClose(m_hContext);
    m_hContext = nullptr;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCWSTR pstrName, DWORD) {
    Close();
    CString spec = pstrName ? pstrName : L"*";
    m_pNextInfo = new WIN32_FIND_DATAW;
    m_hContext = ::FindFirstFileW(spec, m_pNextInfo);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        Close();
        SetLastError(err);
        return FALSE;
    }
    // The root is the full path of the directory searched, without a trailing separator.
    int i = spec.GetLength();
    while (i > 0 && !isSeparator(spec[i - 1])) --i;
    CString dir = i > 0 ? spec.Left(i) : CString(L".");
    m_strRoot = fullPath(dir);
    while (m_strRoot.GetLength() > 1 && isSeparator(m_strRoot[m_strRoot.GetLength() - 1]))
        m_strRoot = m_strRoot.Left(m_strRoot.GetLength() - 1);
    return TRUE;
}

BOOL CFileFind::FindNextFile() {
    if (!m_hContext || m_hContext == INVALID_HANDLE_VALUE || !m_pNextInfo) return FALSE;
    if (!m_pFoundInfo) m_pFoundInfo = new WIN32_FIND_DATAW;
    std::swap(m_pFoundInfo, m_pNextInfo);
    if (!::FindNextFileW(m_hContext, m_pNextInfo)) {
        delete m_pNextInfo;
        m_pNextInfo = nullptr;
        return FALSE;
    }
    return TRUE;
}

ULONGLONG CFileFind::GetLength() const {
    if (!m_pFoundInfo) return 0;
    return (static_cast<ULONGLONG>(m_pFoundInfo->nFileSizeHigh) << 32) | m_pFoundInfo->nFileSizeLow;
}

CString CFileFind::GetFileName() const { return m_pFoundInfo ? CString(m_pFoundInfo->cFileName) : CString(); }

CString CFileFind::GetFilePath() const {
    if (!m_pFoundInfo) return CString();
    CString path = m_strRoot;
    if (path.IsEmpty() || !isSeparator(path[path.GetLength() - 1])) path += m_chDirSeparator;
    return path + m_pFoundInfo->cFileName;
}

CString CFileFind::GetFileTitle() const { return titleOf(GetFileName()); }

CString CFileFind::GetRoot() const { return m_strRoot; }

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const {
    if (!m_pFoundInfo || !pTimeStamp) return FALSE;
    *pTimeStamp = m_pFoundInfo->ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::IsDots() const {
    if (!m_pFoundInfo || !IsDirectory()) return FALSE;
    const WCHAR* n = m_pFoundInfo->cFileName;
    return n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0));
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const {
    return m_pFoundInfo && (m_pFoundInfo->dwFileAttributes & dwMask) != 0;
}
