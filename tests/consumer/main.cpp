// A host of the installed library: it includes the umbrella header, draws
// through the MFC subset and a CMyDC, uses a pen and a pattern bitmap the
// library's start-up made available, reads a pattern file from the pattern
// directory next to the executable, and writes a geometry record.
// Prints what it checked; exit status 0 when everything held.
#include <hmigfx/hmigfx.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

int failures = 0;

void check(bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++failures;
}

}  // namespace

int main() {
    CWinApp app(L"consumer");
    check(AfxGetApp() == &app, "the application object is registered");

    CDC dc;
    check(dc.CreateCompatibleDC(nullptr) != 0, "a memory DC");
    CBitmap surface;
    surface.CreateBitmap(64, 64, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&surface);
    dc.PatBlt(0, 0, 64, 64, WHITENESS);

    // Zoom 200, scrolled by (10, 4): document (10, 10)-(20, 20) is view (20, 20)-(40, 40),
    // which the DC shows at device (10, 16)-(30, 36).
    CPoint origin(10, 4);
    CMyDC myDC(&dc, 200, origin);
    CRect doc(10, 10, 20, 20);
    const CRect view = myDC.DocToView(doc, 0);
    check(view == CRect(20, 20, 40, 40), "document to view units");
    dc.PatBlt(view.left, view.top, view.Width(), view.Height(), BLACKNESS);
    myDC.ResetViewportOrg(0, 0);
    check(dc.GetPixel(10, 16) == RGB(0, 0, 0) && dc.GetPixel(9, 16) == RGB(255, 255, 255),
          "drawing lands at view minus origin");
    myDC.SetViewportOrg();

    LOGPEN lp{PS_DASH, {1, 50}, RGB(255, 0, 0)};
    CMyPen pen(myDC, lp, RGB(0, 0, 255));  // 1.5 units at zoom 200: 3 view units
    EXTLOGPEN elp[4];
    const int got = ::GetObjectW(pen.m_hObject, sizeof elp, elp);
    check(got > 0 && elp[0].elpWidth == 3 && elp[0].elpNumEntries == 2 && elp[0].elpStyleEntry[0] == 51,
          "a dashed pen at the zoom");

    CBitmap pattern;
    check(pattern.LoadBitmap(L"IDB_PATTERN48") != 0, "the library's pattern bitmaps are found");

    // A pattern file in Sys/Brush/ beside the executable: a 2 x 2 24-bit BMP
    // of one colour (blue 0x10, green 0x80, red 0xF0).
    wchar_t exe[4096];
    const DWORD n = ::GetModuleFileNameW(nullptr, exe, 4096);
    const std::filesystem::path brushDir = std::filesystem::path(std::wstring(exe, n)).parent_path() / "Sys" / "Brush";
    std::filesystem::create_directories(brushDir);
    {
        const unsigned char bmp[] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
                                     40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
                                     16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                     0x10, 0x80, 0xF0, 0x10, 0x80, 0xF0, 0, 0,  // rows padded to 4 bytes
                                     0x10, 0x80, 0xF0, 0x10, 0x80, 0xF0, 0, 0};
        std::ofstream(brushDir / "Consumer.F05", std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    }
    CString title;
    CMyBrush::GetPatternName(5, 5, title);
    check(CMyBrush::GetPatternSize(5) == 1 && title == L"Consumer", "a pattern file beside the executable");
    {
        CMyBrush brush(5, RGB(0, 0, 0), 5, RGB(255, 255, 255), 0);
        CBrush* previous = brush.SelectBrush(&dc);
        dc.PatBlt(40, 40, 8, 8, PATCOPY);
        dc.SelectObject(previous);
    }
    check(dc.GetPixel(43, 45) == RGB(0xF0, 0x80, 0x10), "it paints as a pattern-file brush");
    std::error_code ec;  // the directories go only when nothing else is in them
    std::filesystem::remove(brushDir / "Consumer.F05", ec);
    std::filesystem::remove(brushDir, ec);
    std::filesystem::remove(brushDir.parent_path(), ec);
    CLeadBitmap picture;
    check(picture.Flip() == IMGSDK_ERROR_NO_BITMAP, "an operation on a record without a picture says so");

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CMyRect rect(10, 20, 30, 40);
        rect.Serialize(ar);
    }
    check(file.GetLength() == 32, "a rectangle record is 32 bytes");

    dc.SelectObject(old);
    AfxUnlockTempMaps();
    std::printf("%s\n", failures ? "consumer: FAILED" : "consumer: all checks held");
    return failures ? 1 : 0;
}
