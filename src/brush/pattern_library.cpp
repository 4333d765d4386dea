// The pattern library: loading, listing, naming, adding and removing patterns.
#include "brush/pattern_library_p.h"

#include "module/module_p.h"

#include <hmigfx/lead_bitmap.h>

namespace {

#ifdef _WIN32
#define HMIGFX_SEP L"\\"
bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
#else
#define HMIGFX_SEP L"/"
bool isSeparator(wchar_t c) { return c == L'/'; }
#endif

wchar_t kindLetter(int nKind) { return nKind == kFilePattern ? L'F' : L'U'; }

}  // namespace

CPatternLibrary& GetPatternLibrary() {
    static CPatternLibrary library;
    return library;
}

CPatternLibrary::CPatternLibrary() : m_bLoaded(0) {
    for (int i = 0; i < kSlots; ++i) {
        m_pBuiltin[i] = nullptr;
        m_hFilePattern[i] = nullptr;
        m_hUserPattern[i] = nullptr;
    }
}

CPatternLibrary::~CPatternLibrary() { Unload(); }

void CPatternLibrary::Unload() {
    m_bLoaded = 0;
    for (int i = 0; i < kSlots; ++i) {
        delete m_pBuiltin[i];
        m_pBuiltin[i] = nullptr;
        if (m_hFilePattern[i]) ::GlobalFree(m_hFilePattern[i]);
        if (m_hUserPattern[i]) ::GlobalFree(m_hUserPattern[i]);
        m_hFilePattern[i] = nullptr;
        m_hUserPattern[i] = nullptr;
        m_strBuiltinName[i].Empty();
        m_strFileTitle[i].Empty();
        m_strUserTitle[i].Empty();
        m_strFilePath[i].Empty();
        m_strUserPath[i].Empty();
    }
    m_strDirectory.Empty();
}

// The executable's directory, from the help-file path the application object
// keeps (the executable's path with another extension), or from the module
// file name when there is no application object.
CString CPatternLibrary::FindDirectory() {
    CString path;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pszHelpFilePath) {
        path = app->m_pszHelpFilePath;
    } else {
        wchar_t buffer[4096];
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer, sizeof buffer / sizeof buffer[0]);
        if (n > 0 && n < sizeof buffer / sizeof buffer[0]) path = CString(buffer, static_cast<int>(n));
    }
    int cut = -1;
    for (int i = 0; i < path.GetLength(); ++i)
        if (isSeparator(path[i])) cut = i;
    CString directory;
    directory.Format(L"%sSys" HMIGFX_SEP L"Brush" HMIGFX_SEP, static_cast<LPCWSTR>(path.Left(cut + 1)));
    return directory;
}

void CPatternLibrary::Load() {
    Unload();  // whatever a load cut short by an exception left
    m_strDirectory = FindDirectory();

    for (int n = 1; n <= hmigfx::kBuiltinPatterns; ++n) {
        CString name;
        name.Format(L"IDB_PATTERN%d", n);
        CBitmap* bitmap = new CBitmap;
        if (bitmap->LoadBitmap(name)) {
            m_pBuiltin[n] = bitmap;
            m_strBuiltinName[n] = hmigfx::g_szPatternNames[n];  // stored narrow, widened here
        } else {
            delete bitmap;
        }
    }
    LoadFiles(L'F', m_hFilePattern, m_strFileTitle, m_strFilePath);
    LoadFiles(L'U', m_hUserPattern, m_strUserTitle, m_strUserPath);
    m_bLoaded = 1;
}

void CPatternLibrary::LoadFiles(wchar_t chKind, HGLOBAL* phSlots, CString* pTitles, CString* pPaths) {
    for (int slot = 0; slot < kSlots; ++slot) {
        CString mask;
        mask.Format(L"%s*.%c%02d", static_cast<LPCWSTR>(m_strDirectory), chKind, slot);
        CFileFind finder;
        if (!finder.FindFile(mask)) continue;
        finder.FindNextFile();  // the first match; others of the same slot are ignored
        const CString path = finder.GetFilePath();
        CLeadBitmap bitmap;
        if (!bitmap.GetBitmapFile(path)) continue;
        HGLOBAL dib = static_cast<HGLOBAL>(bitmap.ChangeToDIB());
        if (!dib) continue;
        phSlots[slot] = dib;
        pTitles[slot] = finder.GetFileTitle();
        pPaths[slot] = path;
    }
}

HGLOBAL* CPatternLibrary::Pictures(int nKind) {
    return nKind == kFilePattern ? m_hFilePattern : nKind == kUserPattern ? m_hUserPattern : nullptr;
}

CString* CPatternLibrary::Titles(int nKind) {
    return nKind == kFilePattern ? m_strFileTitle : nKind == kUserPattern ? m_strUserTitle : nullptr;
}

CString* CPatternLibrary::Paths(int nKind) {
    return nKind == kFilePattern ? m_strFilePath : nKind == kUserPattern ? m_strUserPath : nullptr;
}

bool CPatternLibrary::Occupied(int nKind, int nSlot) const {
    switch (nKind) {
    case kBuiltinPattern: return m_pBuiltin[nSlot] != nullptr;
    case kFilePattern: return m_hFilePattern[nSlot] != nullptr;
    case kUserPattern: return m_hUserPattern[nSlot] != nullptr;
    default: return false;
    }
}

int CPatternLibrary::GetPatternSize(int nKind) {
    EnsureLoaded();
    int count = 0;
    for (int slot = 0; slot < kSlots; ++slot)
        if (Occupied(nKind, slot)) ++count;
    return count;
}

int CPatternLibrary::GetPatternData(int nKind, int nStart, int nMaxCount, int* pSlots) {
    if (!pSlots) return 0;
    EnsureLoaded();
    int found = 0;
    for (int slot = nStart < 0 ? 0 : nStart; slot < kSlots && found < nMaxCount; ++slot)
        if (Occupied(nKind, slot)) pSlots[found++] = slot;
    for (int i = found; i < nMaxCount; ++i) pSlots[i] = -1;
    return found;
}

void CPatternLibrary::GetPatternName(int nKind, int nSlot, CString& strName) {
    if (!InRange(nSlot)) return;
    EnsureLoaded();
    switch (nKind) {
    case kBuiltinPattern: strName = m_strBuiltinName[nSlot]; break;
    case kFilePattern: strName = m_strFileTitle[nSlot]; break;
    case kUserPattern: strName = m_strUserTitle[nSlot]; break;
    default: break;
    }
}

int CPatternLibrary::InsertPattern(int nKind, int nStart, CString& strSource) {
    if (!InRange(nStart)) return -1;
    EnsureLoaded();
    HGLOBAL* pictures = Pictures(nKind);
    if (!pictures) return -1;

    CFileFind finder;
    if (!finder.FindFile(strSource)) return -1;
    finder.FindNextFile();
    const CString source = finder.GetFilePath();
    const CString title = finder.GetFileTitle();
    finder.Close();

    for (int slot = nStart; slot < kSlots; ++slot) {
        if (pictures[slot]) continue;
        CString destination;
        destination.Format(L"%s%s.%c%02d", static_cast<LPCWSTR>(m_strDirectory), static_cast<LPCWSTR>(title),
                           kindLetter(nKind), slot);
        // A name that cannot be written may work at the next slot.
        if (!::CopyFileW(source, destination, FALSE)) continue;
        CLeadBitmap bitmap;
        HGLOBAL dib = bitmap.GetBitmapFile(destination) ? static_cast<HGLOBAL>(bitmap.ChangeToDIB()) : nullptr;
        if (!dib) {
            // The same content fails at every slot: take the copy back and give up.
            ::DeleteFileW(destination);
            return -1;
        }
        pictures[slot] = dib;
        Titles(nKind)[slot] = title;
        Paths(nKind)[slot] = destination;
        return slot;
    }
    return -1;
}

int CPatternLibrary::DeletePattern(int nKind, int nSlot) {
    if (!InRange(nSlot)) return 0;
    EnsureLoaded();
    HGLOBAL* pictures = Pictures(nKind);
    if (pictures && !Titles(nKind)[nSlot].IsEmpty()) {
        ::GlobalFree(pictures[nSlot]);
        pictures[nSlot] = nullptr;
        Titles(nKind)[nSlot].Empty();
        // Remove the file too, so that the pattern stays deleted after a restart.
        CString& path = Paths(nKind)[nSlot];
        if (!path.IsEmpty()) ::DeleteFileW(path);
        path.Empty();
    }
    return 1;
}
