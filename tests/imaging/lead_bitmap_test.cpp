// CLeadBitmap against a recording back end: what each member passes to which
// entry point of the imaging SDK, and that it returns the SDK's answer; and
// the members the library relies on against the built-in back end.
#include "recording_back_end.h"

#include "../imagesdk/fixtures.h"

#include <hmigfx/lead_bitmap.h>

#include <cstring>
#include <new>
#include <vector>

using imagesdk::Library;
using recording::Call;
using recording::Recorder;
using recording::show;

namespace {

std::string S(long long v) { return std::to_string(v); }
template <class T>
std::string P(T* p) {
    return show(p);
}
const std::string kNull = "null";

// The one call a statement made.
#define EXPECT_ONLY_CALL(statement, entry, ...)                                         \
    do {                                                                                \
        rec.clear();                                                                    \
        statement;                                                                      \
        EXPECT_EQ(rec.only(), (Call{entry, std::vector<std::string>{__VA_ARGS__}}))     \
            << #statement;                                                              \
    } while (0)

const std::string K = "ltkrn12n ", I = "ltimg12n ", F = "ltfil12n ", D = "ltdis12n ", E = "ltefx12n ";

}  // namespace

// ---------------------------------------------------------------------------
// The object

TEST(LeadBitmap, ConstructionClearsTheOwnerBitAndInitialises) {
    Recorder rec;
    alignas(CLeadBitmap) unsigned char storage[sizeof(CLeadBitmap)];
    std::memset(storage, 0xFF, sizeof storage);
    CLeadBitmap* b = new (storage) CLeadBitmap;
    uint32_t word;
    std::memcpy(&word, storage + 32, 4);
    EXPECT_EQ(word, 0xFFFFFFFEu);  // only bit 0 cleared; the recording Init writes nothing
    EXPECT_EQ(rec.only(), (Call{K + "134", {P(b), "1", "1", "1"}}));
    rec.clear();
    b->~CLeadBitmap();
    EXPECT_TRUE(rec.calls.empty());  // destroying releases nothing
}

TEST(LeadBitmap, IsItsOwnRecordAndAssignmentSharesThePicture) {
    CLeadBitmap a;
    EXPECT_EQ(static_cast<struct_LEAD_Bitmap*>(a), static_cast<struct_LEAD_Bitmap*>(&a));
    EXPECT_EQ(static_cast<void*>(static_cast<struct_LEAD_Bitmap*>(a)), static_cast<void*>(&a));
    fixtures::TempDir dir;
    fixtures::writeFile(dir / "p.png", fixtures::encode(".png", fixtures::gradient(4, 3)));
    ASSERT_EQ(a.GetBitmapFile((dir / "p.png").wstring().c_str()), 1);
    CLeadBitmap b;
    b = a;
    EXPECT_EQ(std::memcmp(static_cast<struct_LEAD_Bitmap*>(&a), static_cast<struct_LEAD_Bitmap*>(&b),
                          sizeof(struct_LEAD_Bitmap)),
              0);
    EXPECT_EQ(b.pBits, a.pBits);
    a.Free();  // b must not be used any more; forget it
    EXPECT_EQ(b.Init(1, 1, 1), IMGSDK_ERROR_BITMAP_ALLOCATED);
}

// ---------------------------------------------------------------------------
// Forwarding: the record first, then the member's arguments; file names,
// buffers, device contexts and windows before the record.

// Representatives of each convention: the record first; a file name, buffer,
// device context or window before it; framework objects unwrapped; degrees
// and sizes in the SDK's units; and the three members that reach file 119.
TEST(LeadBitmap, MembersPassTheirArgumentsInTheSdksOrderAndUnits) {
    Recorder rec;
    CLeadBitmap b, other;
    const std::string me = P(&b);
    RGBQUAD pal[2];
    unsigned char buf[16];
    HDC hdc = reinterpret_cast<HDC>(uintptr_t(0x7700));
    HWND hwnd = reinterpret_cast<HWND>(uintptr_t(0x8800));
    HBITMAP hbm = reinterpret_cast<HBITMAP>(uintptr_t(0x9900));
    LEADFILECALLBACK cb = [](FILEINFO*, struct_LEAD_Bitmap*, unsigned char*, int, int, void*) { return 1; };
    int user = 0;
    char name[] = "picture.png";
    LOADFILEOPTION lo{};
    SAVEFILEOPTION so{};
    FILEINFO fi{};
    RECT r1, r2, r3, r4;
    CDC dc;
    dc.m_hDC = hdc;
    CWnd wnd;
    wnd.m_hWnd = hwnd;

    EXPECT_ONLY_CALL(EXPECT_EQ(b.Allocate(3), 4321), K + "101", me, "3");
    EXPECT_ONLY_CALL(EXPECT_EQ(b.ChangeToDIB(), reinterpret_cast<void*>(Recorder::handle(106))), K + "106", me);
    EXPECT_ONLY_CALL(b.ColorRes(&other, 8, 77ul, pal, nullptr, 16u, cb, &user), K + "108", me, P(&other), "8", "77",
                     P(pal), kNull, "16", show(cb), P(&user));
    EXPECT_ONLY_CALL(b.Create(10u, 20u, 24u, 1u, 4u, pal, 2u, buf, 99ul), K + "116", me, "10", "20", "24", "1", "4",
                     P(pal), "2", P(buf), "99");
    EXPECT_ONLY_CALL(b.DeleteDC(hdc), K + "120", P(hdc));  // without the record
    EXPECT_ONLY_CALL(EXPECT_EQ(b.GetPixelColor(4, 5), 0xC0FFEEul), K + "132", me, "4", "5");
    EXPECT_ONLY_CALL(b.GrayScale(), K + "133", me, "8");
    EXPECT_ONLY_CALL(b.Combine(1, 2, 3, 4, &other, 5, 6, 7ul), K + "241", me, "1", "2", "3", "4", P(&other), "5", "6", "7");
    EXPECT_ONLY_CALL(b.Rotate(90, 1), K + "145", me, "9000", "1", "0");
    EXPECT_ONLY_CALL(b.Rotate(-30, 0), K + "145", me, "-3000", "0", "0");
    EXPECT_ONLY_CALL(b.RotateFine(1234, -2, RGB(1, 2, 3)), K + "145", me, "1234", "1", S(RGB(1, 2, 3)));
    EXPECT_ONLY_CALL(b.Resample(320, 200), K + "151", me, "320", "200", "2");
    EXPECT_ONLY_CALL(b.Emboss(1u, 500u), I + "111", me, "1", "500");
    EXPECT_ONLY_CALL(b.SaveFileOffset(7, 100L, nullptr, 5, 24, 80, 1u, cb, &user, &so), F + "112", "7", "100", kNull,
                     me, "5", "24", "80", "1", show(cb), P(&user), P(&so));
    EXPECT_ONLY_CALL(b.LoadFile(name, 8, 2, 3u, cb, &user, &lo, &fi), F + "102", P(name), me, "8", "2", "3", show(cb),
                     P(&user), P(&lo), P(&fi));
    EXPECT_ONLY_CALL(b.LoadMemory(buf, 24, 1, 3u, cb, &user, 16L, &lo, &fi), F + "119", P(buf), me, "24", "1", "3",
                     show(cb), P(&user), "16", P(&lo), P(&fi));
    EXPECT_ONLY_CALL(b.DecompressBitmapMemory(buf, 8, 16L, &lo), F + "119", P(buf), me, "8", "4", "67", kNull, kNull,
                     "16", P(&lo), kNull);  // the decompressors fix order 4 and flags 0x43
    EXPECT_ONLY_CALL(b.DecompressMemory(buf, cb, 8, &user, 12345, 16L, &lo), F + "119", P(buf), me, "8", "4", "67",
                     show(cb), P(&user), "16", P(&lo), kNull);
    EXPECT_ONLY_CALL(b.ChangeFromDDB(hdc, hbm, nullptr), D + "120", P(hdc), me, P(hbm), kNull);
    EXPECT_ONLY_CALL(b.CopyToClipboard(&wnd), D + "127", P(hwnd), me);
    EXPECT_ONLY_CALL(b.CopyToClipboard(static_cast<CWnd*>(nullptr)), D + "127", kNull, me);
    EXPECT_ONLY_CALL(b.PaintDC(&dc, &r1, &r2, &r3, &r4, SRCCOPY), D + "132", P(hdc), me, P(&r1), P(&r2), P(&r3),
                     P(&r4), S(SRCCOPY));
    EXPECT_ONLY_CALL(b.PaintDCEffect(&dc, &r1, &r2, &r3, &r4, SRCCOPY, 9u), E + "110", P(hdc), me, P(&r1), P(&r2),
                     P(&r3), P(&r4), S(SRCCOPY), "9");
    dc.m_hDC = nullptr;
    wnd.m_hWnd = nullptr;
}

namespace {
struct_LEAD_Bitmap* planesSeen[4];
template <int N>
int takePlanes(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap** planes, unsigned long flags) {
    recording::current()->calls.push_back(Call{"ltimg12n " + std::to_string(N), {show(b), show(flags)}});
    for (int i = 0; i < 4; ++i) planesSeen[i] = planes ? planes[i] : nullptr;
    return 55;
}
}  // namespace

TEST(LeadBitmap, ColorPlanesTakeFourRecordsForFlagOneAndThreeOtherwise) {
    Recorder rec;
    rec.table().set<Library::Image, 107>(&takePlanes<107>);
    rec.table().set<Library::Image, 108>(&takePlanes<108>);
    CLeadBitmap b, p0, p1, p2, p3;
    CLeadBitmap* planes[4] = {&p0, &p1, &p2, &p3};
    const std::string me = P(&b);

    EXPECT_ONLY_CALL(EXPECT_EQ(b.ColorMerge(planes, 1ul), 55), I + "107", me, "1");
    EXPECT_EQ(planesSeen[0], &p0);
    EXPECT_EQ(planesSeen[3], &p3);
    for (unsigned long flags : {0ul, 2ul}) {
        EXPECT_ONLY_CALL(b.ColorMerge(planes, flags), I + "107", me, S(static_cast<long long>(flags)));
        EXPECT_EQ(planesSeen[2], &p2);
        EXPECT_EQ(planesSeen[3], nullptr);  // the fourth plane is not taken
    }
    // The record-pointer overload passes the caller's array itself.
    struct_LEAD_Bitmap* raw[4] = {&p3, &p2, &p1, &p0};
    b.ColorMerge(raw, 1ul);
    EXPECT_EQ(planesSeen[0], &p3);

    EXPECT_ONLY_CALL(EXPECT_EQ(b.ColorSeparate(planes, 1ul), 55), I + "108", me, "1");
    EXPECT_EQ(planesSeen[3], &p3);
    EXPECT_ONLY_CALL(b.ColorSeparate(planes, 0ul), I + "108", me, "0");
    EXPECT_EQ(planesSeen[3], nullptr);
    EXPECT_ONLY_CALL(b.ColorSeparate(raw, 0ul), I + "108", me, "0");
    EXPECT_EQ(planesSeen[3], &p0);
}

namespace {
SAVEFILEOPTION optionsSeen;
int defaultOptions(SAVEFILEOPTION* o) {
    recording::current()->calls.push_back(Call{"ltfil12n 106", {show(o)}});
    o->Flags = 0x100 | 0x1;  // a default with the stamp-palette bit set
    o->Passes = 9;
    return 1;
}
int saveFile(char*, struct_LEAD_Bitmap* b, int format, int bpp, int quality, unsigned int flags, LEADFILECALLBACK cb,
             void* user, SAVEFILEOPTION* o) {
    recording::current()->calls.push_back(Call{"ltfil12n 104", {show(b), show(format), show(bpp), show(quality),
                                                                show(flags), show(cb), show(user)}});
    optionsSeen = *o;
    return 66;
}
}  // namespace

TEST(LeadBitmap, CompressWithStampFillsTheStampOptionsOnlyWhenItMakesThem) {
    Recorder rec;
    rec.table().set<Library::File, 106>(&defaultOptions);
    rec.table().set<Library::File, 104>(&saveFile);
    CLeadBitmap b;
    char name[] = "out.jpg";
    rec.clear();
    EXPECT_EQ(b.CompressWithStamp(name, 10, 50, 64, 48, 24, 0, nullptr), 66);
    ASSERT_EQ(rec.calls.size(), 2u);
    EXPECT_EQ(rec.calls[0].entry, "ltfil12n 106");
    EXPECT_EQ(rec.calls[1], (Call{"ltfil12n 104", {P(&b), "10", "0", "50", "0", kNull, kNull}}));
    EXPECT_EQ(optionsSeen.StampWidth, 64);
    EXPECT_EQ(optionsSeen.StampHeight, 48);
    EXPECT_EQ(optionsSeen.StampBits, 24);
    EXPECT_EQ(optionsSeen.Flags, 0x80u | 0x1u);  // stamp bit set, stamp-palette bit cleared
    EXPECT_EQ(optionsSeen.Passes, 9);            // the other defaults stay

    b.CompressWithStamp(name, 10, 50, 64, 48, 24, 5, nullptr);
    EXPECT_EQ(optionsSeen.Flags, 0x80u | 0x100u | 0x1u);

    // The caller's own options go unchanged; the stamp arguments are ignored.
    SAVEFILEOPTION mine{};
    mine.uStructSize = sizeof mine;
    mine.StampWidth = 7;
    rec.clear();
    b.CompressWithStamp(name, 10, 50, 64, 48, 24, 1, &mine);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0].entry, "ltfil12n 104");
    EXPECT_EQ(optionsSeen.StampWidth, 7);
    EXPECT_EQ(optionsSeen.Flags, 0u);
}

TEST(LeadBitmap, PaintPaletteForACdcIsAFrameworkPaletteOrNull) {
    Recorder rec;
    CLeadBitmap b;
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.m_hDC = screen;
    const LOGPALETTE lp{0x300, 1, {{1, 2, 3, 0}}};
    HPALETTE real = ::CreatePalette(&lp);
    ASSERT_NE(real, nullptr);
    rec.answer(Library::Display, 122, static_cast<long long>(reinterpret_cast<uintptr_t>(real)));
    rec.clear();
    CPalette* palette = b.CreatePaintPalette(&dc);
    EXPECT_EQ(rec.only(), (Call{D + "122", {P(screen), P(&b)}}));
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(static_cast<HPALETTE>(palette->GetSafeHandle()), real);
    delete palette;  // the caller's, with its handle
    EXPECT_EQ(::GetObjectType(real), 0u);

    rec.answer(Library::Display, 122, 0);
    EXPECT_EQ(b.CreatePaintPalette(&dc), nullptr);
    dc.m_hDC = nullptr;
    ::ReleaseDC(nullptr, screen);
}

namespace {
struct WindowLevelSeen {
    HWND parent;
    unsigned entries;
    int lowBit, highBit, low, high;
    COLORREF start, end;
    unsigned flags;
    int zero1, zero2;
    bool tableReadable;
} wl;
int minMaxBits(struct_LEAD_Bitmap*, int* low, int* high) {
    *low = 0;
    *high = 11;
    return 1;
}
int minMaxValues(struct_LEAD_Bitmap*, int* minimum, int* maximum) {
    *minimum = 0;
    *maximum = 4095;
    return 1;
}
int windowLevelDialog(HWND parent, struct_LEAD_Bitmap*, RGBQUAD* table, unsigned int entries, int lowBit, int highBit,
                      int* low, int* high, COLORREF* start, COLORREF* end, unsigned int flags, int z1, int z2) {
    table[entries - 1] = RGBQUAD{1, 2, 3, 4};  // the whole table is there
    wl = {parent, entries, lowBit, highBit, *low, *high, *start, *end, flags, z1, z2, true};
    return 88;
}
}  // namespace

TEST(LeadBitmap, WindowLevelStartsCentredOnTheValues) {
    Recorder rec;
    rec.table().set<Library::Image, 134>(&minMaxBits);
    rec.table().set<Library::Image, 133>(&minMaxValues);
    rec.table().set<Library::Dialog, 111>(&windowLevelDialog);
    CLeadBitmap b;
    b.LowBit = 0;
    b.HighBit = 11;
    CWnd parent;
    parent.m_hWnd = reinterpret_cast<HWND>(uintptr_t(0x4400));
    EXPECT_EQ(b.WindowLevel(&parent), 88);
    EXPECT_EQ(wl.parent, parent.m_hWnd);
    EXPECT_EQ(wl.entries, 4096u);
    EXPECT_EQ(wl.lowBit, 0);
    EXPECT_EQ(wl.highBit, 11);
    EXPECT_EQ(wl.low, 1842);
    EXPECT_EQ(wl.high, 2251);
    EXPECT_EQ(wl.start, 0x000000FFu);
    EXPECT_EQ(wl.end, 0x00FF0000u);
    EXPECT_EQ(wl.flags, 3u);
    EXPECT_EQ(wl.zero1, 0);
    EXPECT_EQ(wl.zero2, 0);
    parent.m_hWnd = nullptr;

    EXPECT_EQ(b.WindowLevel(nullptr), 88);
    EXPECT_EQ(wl.parent, nullptr);

    // A table that cannot be allocated: -1 and no dialog.
    b.HighBit = 60;
    wl = {};
    EXPECT_EQ(b.WindowLevel(nullptr), -1);
    EXPECT_FALSE(wl.tableReadable);
}

// ---------------------------------------------------------------------------
// GetBitmapFile

TEST(LeadBitmap, GetBitmapFileAsksForInformationThenLoads) {
    Recorder rec;
    rec.answer(Library::File, 100, 1);
    rec.answer(Library::File, 102, 1);
    CLeadBitmap b;
    rec.clear();
    EXPECT_EQ(b.GetBitmapFile(L"dir/pattern.F03"), 1);
    ASSERT_EQ(rec.calls.size(), 2u);
    EXPECT_EQ(rec.calls[0].entry, F + "100");
    ASSERT_EQ(rec.calls[0].args.size(), 4u);
    EXPECT_NE(rec.calls[0].args[1], kNull);  // a file-information record
    EXPECT_EQ(rec.calls[0].args[2], "0");
    EXPECT_EQ(rec.calls[0].args[3], kNull);
    // The same narrow path both times, then the record, bits 0, order 1, flags 3.
    EXPECT_EQ(rec.calls[1], (Call{F + "102", {rec.calls[0].args[0], P(&b), "0", "1", "3", kNull, kNull, kNull, kNull}}));

    // The file library's answers: only exactly 1 counts.
    rec.answer(Library::File, 102, 2);
    EXPECT_EQ(b.GetBitmapFile(L"x.png"), 0);
    rec.answer(Library::File, 100, -13);
    rec.clear();
    EXPECT_EQ(b.GetBitmapFile(L"x.png"), 0);
    EXPECT_EQ(rec.calls.size(), 1u);  // an unidentified file is not loaded
}

TEST(LeadBitmap, GetBitmapFileLoadsRealFilesAndRefusesOthers) {
    fixtures::TempDir dir;
    fixtures::writeFile(dir / "Bricks.F03", fixtures::encode(".png", fixtures::gradient(8, 8)));
    fixtures::writeFile(dir / "Broken.F04", std::vector<unsigned char>{'B', 'M', 1, 2, 3});
    CLeadBitmap b;
    ASSERT_EQ(b.GetBitmapFile((dir / "Bricks.F03").wstring().c_str()), 1);
    EXPECT_EQ(b.Width, 8);
    EXPECT_EQ(b.Order, static_cast<uint32_t>(ORDER_BGR));
    EXPECT_EQ(fixtures::pixelAt(b, 5, 6), fixtures::gradientColor(5, 6));
    HGLOBAL dib = static_cast<HGLOBAL>(b.ChangeToDIB());
    ASSERT_NE(dib, nullptr);
    ::GlobalFree(dib);
    EXPECT_EQ(b.GetBitmapFile((dir / "Broken.F04").wstring().c_str()), 0);
    EXPECT_EQ(b.GetBitmapFile((dir / "missing" / "x.png").wstring().c_str()), 0);
    EXPECT_EQ(b.GetBitmapFile(L""), 0);
    EXPECT_EQ(b.GetBitmapFile(nullptr), 0);
    EXPECT_FALSE(b.Flags & BITMAPFLAG_ALLOCATED);
}
