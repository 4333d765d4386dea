// Exceptions and the AfxThrow functions.
#include <afx.h>

#include <cwchar>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace {

BOOL copyMessage(LPCWSTR text, LPWSTR out, UINT max, PUINT help) {
    if (help) *help = 0;
    if (!out || max == 0) return FALSE;
    std::wcsncpy(out, text, max - 1);
    out[max - 1] = 0;
    return TRUE;
}

// A name to put into a message: the file's, or a general one.
CString nameOr(const CString& name, LPCWSTR general) { return name.IsEmpty() ? CString(general) : name; }

// The out-of-memory and resource exceptions are thrown from static storage, so
// throwing them never needs memory; Delete() leaves them alone.
CMemoryException g_memoryException(FALSE);
CResourceException g_resourceException(FALSE);
CNotSupportedException g_notSupportedException(FALSE);
CInvalidArgException g_invalidArgException(FALSE);

}  // namespace

CException::~CException() {}

void CException::Delete() {
    if (m_bAutoDelete > 0) delete this;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError && nMaxError) *lpszError = 0;
    return FALSE;
}

CSimpleException::~CSimpleException() {}
CMemoryException::~CMemoryException() {}
CResourceException::~CResourceException() {}
CNotSupportedException::~CNotSupportedException() {}
CInvalidArgException::~CInvalidArgException() {}
CUserException::~CUserException() {}
CFileException::~CFileException() {}
CArchiveException::~CArchiveException() {}
COleException::~COleException() {}

BOOL CMemoryException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) const {
    return copyMessage(L"Out of memory.", e, n, h);
}
BOOL CResourceException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) const {
    return copyMessage(L"A system resource could not be created or found.", e, n, h);
}
BOOL CNotSupportedException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) const {
    return copyMessage(L"The operation is not supported.", e, n, h);
}
BOOL CInvalidArgException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) const {
    return copyMessage(L"An invalid argument was given.", e, n, h);
}
BOOL CUserException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) const {
    return copyMessage(L"The operation was stopped.", e, n, h);
}

BOOL CFileException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) const {
    const CString file = nameOr(m_strFileName, L"the file");
    CString text;
    switch (m_cause) {
    case none: return CException::GetErrorMessage(e, n, h);
    case fileNotFound: text.Format(L"%s was not found.", file.GetString()); break;
    case badPath: text.Format(L"The path of %s is not valid or does not exist.", file.GetString()); break;
    case tooManyOpenFiles: text.Format(L"%s could not be opened: too many files are open.", file.GetString()); break;
    case accessDenied: text.Format(L"Access to %s was denied.", file.GetString()); break;
    case invalidFile: text.Format(L"%s was used through an invalid handle.", file.GetString()); break;
    case removeCurrentDir: text.Format(L"%s is the current directory and cannot be removed.", file.GetString()); break;
    case directoryFull: text.Format(L"The directory of %s is full.", file.GetString()); break;
    case badSeek: text.Format(L"The position in %s could not be set.", file.GetString()); break;
    case hardIO: text.Format(L"A hardware error occurred on %s.", file.GetString()); break;
    case sharingViolation: text.Format(L"%s is in use by another program.", file.GetString()); break;
    case lockViolation: text.Format(L"A locked region of %s was accessed.", file.GetString()); break;
    case diskFull: text.Format(L"The disk is full; %s was not written completely.", file.GetString()); break;
    case endOfFile: text.Format(L"%s was read past its end.", file.GetString()); break;
    default: text.Format(L"An error occurred on %s.", file.GetString()); break;
    }
    return copyMessage(text, e, n, h);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) {
    switch (lOsError) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_ACCESS:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_DIR_NOT_EMPTY: return removeCurrentDir;
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCWSTR lpszFileName) {
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL CArchiveException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) const {
    const CString file = nameOr(m_strFileName, L"the archive");
    CString text;
    switch (m_cause) {
    case none: return CException::GetErrorMessage(e, n, h);
    case readOnly: text.Format(L"%s was opened for reading and cannot be written to.", file.GetString()); break;
    case endOfFile: text.Format(L"%s ended before all of its contents were read.", file.GetString()); break;
    case writeOnly: text.Format(L"%s was opened for writing and cannot be read from.", file.GetString()); break;
    case badIndex: text.Format(L"%s has an invalid format.", file.GetString()); break;
    case badClass: text.Format(L"%s holds an object of an unexpected class.", file.GetString()); break;
    case badSchema: text.Format(L"%s was written by an incompatible version.", file.GetString()); break;
    default: text.Format(L"An error occurred on %s.", file.GetString()); break;
    }
    return copyMessage(text, e, n, h);
}

BOOL COleException::GetErrorMessage(LPWSTR e, UINT n, PUINT h) const {
    CString text;
    text.Format(L"An OLE error occurred (status 0x%08lX).", static_cast<unsigned long>(static_cast<DWORD>(m_sc)));
    return copyMessage(text, e, n, h);
}

SCODE PASCAL COleException::Process(const CException* pAnyException) {
    if (!pAnyException) return 0;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException))) return static_cast<SCODE>(0x8007000EL);  // E_OUTOFMEMORY
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException))) return static_cast<SCODE>(0x80004001L);  // E_NOTIMPL
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CInvalidArgException))) return static_cast<SCODE>(0x80070057L);  // E_INVALIDARG
    return static_cast<SCODE>(0x80004005L);  // E_FAIL
}

void AFXAPI AfxThrowMemoryException() { throw &g_memoryException; }
void AFXAPI AfxThrowResourceException() { throw &g_resourceException; }
void AFXAPI AfxThrowNotSupportedException() { throw &g_notSupportedException; }
void AFXAPI AfxThrowInvalidArgException() { throw &g_invalidArgException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCWSTR lpszFileName) {
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName) {
    throw new CArchiveException(cause, lpszArchiveName);
}

void AFXAPI AfxThrowOleException(SCODE sc) {
    auto* e = new COleException;
    e->m_sc = sc;
    throw e;
}
