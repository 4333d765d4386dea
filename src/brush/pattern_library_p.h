// The pattern library: the process's one store of fill patterns, in three
// kinds addressed by slot numbers 0-99 and by the LOGBRUSH style that uses
// them: the 48 built-in 8x8 patterns of the module's resources (style 3),
// pattern pictures from pattern files (style 5) and user pictures from
// user-pattern files (style 6).
//
// Pattern files live in the pattern directory: the host executable's
// directory followed by "Sys\Brush\" ("Sys/Brush/" where paths use slashes).
// A file whose extension is F and a two-digit slot number (F00-F99) is a
// pattern picture, U00-U99 a user picture; the name before the extension is
// the title shown to the user; the content is any picture file the imaging
// SDK reads.
//
// The library loads itself on first use and is not reloaded: files added by
// another process appear after a restart.
#pragma once

#include <afxwin.h>
#include <hmigfx/my_brush.h>

// The pattern kinds, by the LOGBRUSH style that uses them.
enum PatternKind : int {
    kBuiltinPattern = 3,  // BS_PATTERN
    kFilePattern = 5,     // BS_DIBPATTERN
    kUserPattern = CMyBrush::kStyleUserPicture,  // stretched over the shape
};

class CPatternLibrary {
public:
    static constexpr int kSlots = 100;

    CPatternLibrary();
    ~CPatternLibrary();
    CPatternLibrary(const CPatternLibrary&) = delete;
    CPatternLibrary& operator=(const CPatternLibrary&) = delete;

    // Loads the library unless it is loaded.
    void EnsureLoaded() {
        if (!m_bLoaded) Load();
    }
    // Loads everything afresh from the module's resources and the pattern
    // directory. An exception (memory, string conversion) leaves the library
    // not loaded, so that the next use tries again.
    void Load();
    // Frees every bitmap and picture and forgets the directory.
    void Unload();

    // The operations behind CMyBrush's pattern members.
    int GetPatternSize(int nKind);
    int GetPatternData(int nKind, int nStart, int nMaxCount, int* pSlots);
    void GetPatternName(int nKind, int nSlot, CString& strName);
    int InsertPattern(int nKind, int nStart, CString& strSource);
    int DeletePattern(int nKind, int nSlot);

    // The built-in pattern bitmap of a slot, or null.
    CBitmap* GetBuiltinPattern(int nSlot) const { return InRange(nSlot) ? m_pBuiltin[nSlot] : nullptr; }
    // The packed DIB of a pattern-file or user-pattern slot, or null. It stays the library's.
    HGLOBAL GetFilePattern(int nSlot) const { return InRange(nSlot) ? m_hFilePattern[nSlot] : nullptr; }
    HGLOBAL GetUserPattern(int nSlot) const { return InRange(nSlot) ? m_hUserPattern[nSlot] : nullptr; }
    const CString& GetDirectory() const { return m_strDirectory; }
    BOOL IsLoaded() const { return m_bLoaded; }

private:
    static bool InRange(int nSlot) { return nSlot >= 0 && nSlot < kSlots; }
    static CString FindDirectory();
    // Loads the pattern or user-pattern files ("F" or "U") into their slots.
    void LoadFiles(wchar_t chKind, HGLOBAL* phSlots, CString* pTitles, CString* pPaths);
    HGLOBAL* Pictures(int nKind);
    CString* Titles(int nKind);
    CString* Paths(int nKind);
    bool Occupied(int nKind, int nSlot) const;

    int m_bLoaded;
    CString m_strDirectory;
    CBitmap* m_pBuiltin[kSlots];
    HGLOBAL m_hFilePattern[kSlots];
    HGLOBAL m_hUserPattern[kSlots];
    CString m_strBuiltinName[kSlots];
    CString m_strFileTitle[kSlots];
    CString m_strUserTitle[kSlots];
    CString m_strFilePath[kSlots];  // the file each pattern-file slot was read from
    CString m_strUserPath[kSlots];
};

// The module's pattern library.
CPatternLibrary& GetPatternLibrary();
