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
    fixtures::writeFile(dir / "p.bmp", fixtures::gradientBmp(4, 3));
    ASSERT_EQ(a.GetBitmapFile((dir / "p.bmp").wstring().c_str()), 1);
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

// Forwarding: the record first, then the member's arguments; file names,
// buffers, device contexts and windows before the record; degrees and sizes
// in the SDK's units.

TEST(LeadBitmap, KernelMembersForwardTheirArguments) {
    Recorder rec;
    CLeadBitmap b;
    const std::string me = P(&b);
    CLeadBitmap other;
    RGBQUAD pal[2];
    unsigned char buf[8];
    unsigned char buf2[8];
    HDC hdc = reinterpret_cast<HDC>(uintptr_t(0x7700));
    LEADFILECALLBACK cb = [](FILEINFO*, struct_LEAD_Bitmap*, unsigned char*, int, int, void*) { return 1; };
    int user = 0;

    EXPECT_ONLY_CALL(b.Access(), K + "100", me);
    EXPECT_ONLY_CALL(EXPECT_EQ(b.Allocate(3), 4321), K + "101", me, "3");
    EXPECT_ONLY_CALL(b.ChangeHeight(-9), K + "102", me, "-9");
    EXPECT_ONLY_CALL(b.ChangeFromDIB(buf), K + "104", me, P(buf));
    EXPECT_ONLY_CALL(EXPECT_EQ(b.ChangeToDIB(), reinterpret_cast<void*>(Recorder::handle(106))), K + "106", me);
    EXPECT_ONLY_CALL(b.Clear(), K + "107", me);
    EXPECT_ONLY_CALL(b.ColorRes(&other, 8, 77ul, pal, nullptr, 16u, cb, &user), K + "108", me, P(&other), "8", "77",
                     P(pal), kNull, "16", show(cb), P(&user));
    EXPECT_ONLY_CALL(b.ConvertFromDIB(reinterpret_cast<BITMAPINFO*>(buf), buf2), K + "110", me, P(buf), P(buf2));
    EXPECT_ONLY_CALL(b.ConvertToDIB(), K + "111", me);
    EXPECT_ONLY_CALL(b.Copy(&other), K + "112", me, P(&other));
    EXPECT_ONLY_CALL(b.CopyData(&other), K + "113", me, P(&other));
    EXPECT_ONLY_CALL(b.CopyHandle(&other), K + "114", me, P(&other));
    EXPECT_ONLY_CALL(b.CopyRect(&other, 1u, 2u, 3u, 4u), K + "115", me, P(&other), "1", "2", "3", "4");
    EXPECT_ONLY_CALL(b.Create(10u, 20u, 24u, 1u, 4u, pal, 2u, buf, 99ul), K + "116", me, "10", "20", "24", "1", "4",
                     P(pal), "2", P(buf), "99");
    EXPECT_ONLY_CALL(EXPECT_EQ(b.CreateDCW(), reinterpret_cast<HDC>(Recorder::handle(117))), K + "117", me);
    EXPECT_ONLY_CALL(b.DeleteDC(hdc), K + "120", P(hdc));  // without the record
    EXPECT_ONLY_CALL(b.DitherLine(buf, buf2), K + "121", me, P(buf), P(buf2));
    EXPECT_ONLY_CALL(b.Fill(0x123456ul), K + "123", me, S(0x123456));
    EXPECT_ONLY_CALL(b.Flip(), K + "124", me);
    EXPECT_ONLY_CALL(b.Free(), K + "125", me);
    EXPECT_ONLY_CALL(b.GetColors(2, 5, pal), K + "128", me, "2", "5", P(pal));
    EXPECT_ONLY_CALL(EXPECT_EQ(b.GetRow(buf, 7, 8ul), 4321L), K + "129", me, P(buf), "7", "8");
    EXPECT_ONLY_CALL(b.GetRowCol(buf, 7, 3, 8ul), K + "130", me, P(buf), "7", "3", "8");
    EXPECT_ONLY_CALL(EXPECT_EQ(b.GetPixelColor(4, 5), 0xC0FFEEul), K + "132", me, "4", "5");
    EXPECT_ONLY_CALL(b.GrayScale(), K + "133", me, "8");
    EXPECT_ONLY_CALL(b.Init(30, 40, 8), K + "134", me, "30", "40", "8");
    EXPECT_ONLY_CALL(b.PutColors(0, 2, pal), K + "136", me, "0", "2", P(pal));
    EXPECT_ONLY_CALL(b.PutRow(buf, 6, 8ul), K + "137", me, P(buf), "6", "8");
    EXPECT_ONLY_CALL(b.PutRowCol(buf, 6, 1, 8ul), K + "138", me, P(buf), "6", "1", "8");
    EXPECT_ONLY_CALL(b.PutPixelColor(3, 4, 0xFFul), K + "139", me, "3", "4", "255");
    EXPECT_ONLY_CALL(b.Release(), K + "141", me);
    EXPECT_ONLY_CALL(b.Resize(&other), K + "143", me, P(&other));
    EXPECT_ONLY_CALL(b.Reverse(), K + "144", me);
    EXPECT_ONLY_CALL(b.Shear(30, 1, 0xFFul), K + "150", me, "30", "1", "255");
    EXPECT_ONLY_CALL(b.Size(64, 48, 5ul), K + "151", me, "64", "48", "5");
    EXPECT_ONLY_CALL(b.StartDithering(pal, 256u), K + "152", me, P(pal), "256");
    EXPECT_ONLY_CALL(b.StopDithering(), K + "154", me);
    EXPECT_ONLY_CALL(b.Combine(1, 2, 3, 4, &other, 5, 6, 7ul), K + "241", me, "1", "2", "3", "4", P(&other), "5", "6",
                     "7");
}

TEST(LeadBitmap, RotationAndResamplingPassTheSdksUnits) {
    Recorder rec;
    CLeadBitmap b;
    const std::string me = P(&b);
    EXPECT_ONLY_CALL(b.Rotate(90, 1), K + "145", me, "9000", "1", "0");
    EXPECT_ONLY_CALL(b.Rotate(45, 7), K + "145", me, "4500", "1", "0");
    EXPECT_ONLY_CALL(b.Rotate(-30, 0), K + "145", me, "-3000", "0", "0");
    EXPECT_ONLY_CALL(b.RotateFine(1234, -2, RGB(1, 2, 3)), K + "145", me, "1234", "1", S(RGB(1, 2, 3)));
    EXPECT_ONLY_CALL(b.RotateFine(-50, 0, 0), K + "145", me, "-50", "0", "0");
    EXPECT_ONLY_CALL(b.Resample(320, 200), K + "151", me, "320", "200", "2");
}

TEST(LeadBitmap, ImageMembersForwardTheirArguments) {
    Recorder rec;
    CLeadBitmap b;
    const std::string me = P(&b);
    BINARYFLT bin{};
    SPATIALFLT spatial{};
    long angle = 0;
    unsigned long histogram[256];
    unsigned char lut[256];
    EXPECT_ONLY_CALL(b.AddNoise(500u, 2u), I + "100", me, "500", "2");
    EXPECT_ONLY_CALL(b.AverageFilter(3u), I + "101", me, "3");
    EXPECT_ONLY_CALL(b.BinaryFilter(&bin), I + "102", me, P(&bin));
    EXPECT_ONLY_CALL(b.ChangeContrast(-10), I + "103", me, "-10");
    EXPECT_ONLY_CALL(b.ChangeHue(90), I + "104", me, "90");
    EXPECT_ONLY_CALL(b.ChangeIntensity(20), I + "105", me, "20");
    EXPECT_ONLY_CALL(b.ChangeSaturation(30), I + "106", me, "30");
    EXPECT_ONLY_CALL(b.Deskew(&angle), I + "109", me, P(&angle));
    EXPECT_ONLY_CALL(b.Despeckle(), I + "110", me);
    EXPECT_ONLY_CALL(b.Emboss(1u, 500u), I + "111", me, "1", "500");
    EXPECT_ONLY_CALL(b.GammaCorrect(220u), I + "112", me, "220");
    EXPECT_ONLY_CALL(b.GetHistogram(histogram, 1u), I + "113", me, P(histogram), "1");
    EXPECT_ONLY_CALL(b.HistoContrast(5), I + "114", me, "5");
    EXPECT_ONLY_CALL(b.HistoEqualize(), I + "115", me);
    EXPECT_ONLY_CALL(b.IntensityDetect(10u, 200u), I + "116", me, "10", "200");
    EXPECT_ONLY_CALL(b.Invert(), I + "117", me);
    EXPECT_ONLY_CALL(b.MedianFilter(5u), I + "118", me, "5");
    EXPECT_ONLY_CALL(b.Mosaic(8u), I + "119", me, "8");
    EXPECT_ONLY_CALL(b.Posterize(4u), I + "120", me, "4");
    EXPECT_ONLY_CALL(b.RemapIntensity(lut, 3u), I + "121", me, P(lut), "3");
    EXPECT_ONLY_CALL(b.Sharpen(40), I + "122", me, "40");
    EXPECT_ONLY_CALL(b.SpatialFilter(&spatial), I + "123", me, P(&spatial));
    EXPECT_ONLY_CALL(b.StretchIntensity(), I + "124", me);
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

TEST(LeadBitmap, FileMembersPassTheFileNameFirst) {
    Recorder rec;
    CLeadBitmap b;
    const std::string me = P(&b);
    char name[] = "picture.png";
    LOADFILEOPTION lo{};
    SAVEFILEOPTION so{};
    FILEINFO fi{};
    LEADFILECALLBACK cb = [](FILEINFO*, struct_LEAD_Bitmap*, unsigned char*, int, int, void*) { return 1; };
    int user = 0;
    long size = 0;
    unsigned long usize = 0;
    void* mem = nullptr;
    unsigned char buffer[16];

    EXPECT_ONLY_CALL(b.Load(name, 24, 1, &lo, &fi), F + "101", P(name), me, "24", "1", P(&lo), P(&fi));
    EXPECT_ONLY_CALL(b.LoadFile(name, 8, 2, 3u, cb, &user, &lo, &fi), F + "102", P(name), me, "8", "2", "3", show(cb),
                     P(&user), P(&lo), P(&fi));
    EXPECT_ONLY_CALL(b.Save(name, 5, 24, 80, &so), F + "103", P(name), me, "5", "24", "80", P(&so));
    EXPECT_ONLY_CALL(b.SaveFile(name, 5, 24, 80, 1u, cb, &user, &so), F + "104", P(name), me, "5", "24", "80", "1",
                     show(cb), P(&user), P(&so));
    EXPECT_ONLY_CALL(b.SaveFileOffset(7, 100L, &size, 5, 24, 80, 1u, cb, &user, &so), F + "112", "7", "100", P(&size),
                     me, "5", "24", "80", "1", show(cb), P(&user), P(&so));
    EXPECT_ONLY_CALL(b.LoadFileOffset(7, 100L, 2000L, 24, 1, 3u, cb, &user, &lo, &fi), F + "113", "7", "100", "2000",
                     me, "24", "1", "3", show(cb), P(&user), P(&lo), P(&fi));
    EXPECT_ONLY_CALL(b.SaveMemory(&mem, 5, 24, 80, &usize, &so), F + "116", P(&mem), me, "5", "24", "80", P(&usize),
                     P(&so));
    EXPECT_ONLY_CALL(b.LoadBitmapMemory(buffer, 24, 1, 16L, &lo, &fi), F + "118", P(buffer), me, "24", "1", "16",
                     P(&lo), P(&fi));
    EXPECT_ONLY_CALL(b.GetCompressFileStamp(name, &lo), F + "145", P(name), me, P(&lo));

    // Three members reach file 119; the decompressors fix order 4 and flags 0x43.
    EXPECT_ONLY_CALL(b.LoadMemory(buffer, 24, 1, 3u, cb, &user, 16L, &lo, &fi), F + "119", P(buffer), me, "24", "1",
                     "3", show(cb), P(&user), "16", P(&lo), P(&fi));
    EXPECT_ONLY_CALL(b.DecompressBitmapMemory(buffer, 8, 16L, &lo), F + "119", P(buffer), me, "8", "4", "67", kNull,
                     kNull, "16", P(&lo), kNull);
    EXPECT_ONLY_CALL(b.DecompressMemory(buffer, cb, 8, &user, 12345, 16L, &lo), F + "119", P(buffer), me, "8", "4",
                     "67", show(cb), P(&user), "16", P(&lo), kNull);
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

TEST(LeadBitmap, DisplayAndEffectsMembersPassTheContextFirst) {
    Recorder rec;
    CLeadBitmap b, under;
    const std::string me = P(&b);
    HDC hdc = reinterpret_cast<HDC>(uintptr_t(0x7700));
    HWND hwnd = reinterpret_cast<HWND>(uintptr_t(0x8800));
    HBITMAP hbm = reinterpret_cast<HBITMAP>(uintptr_t(0x9900));
    HPALETTE hpal = reinterpret_cast<HPALETTE>(uintptr_t(0xAA00));
    RECT r1, r2, r3, r4;
    unsigned char buffer[4];
    CDC dc;
    dc.m_hDC = hdc;
    CWnd wnd;
    wnd.m_hWnd = hwnd;

    EXPECT_ONLY_CALL(b.ChangeFromDDB(hdc, hbm, hpal), D + "120", P(hdc), me, P(hbm), P(hpal));
    EXPECT_ONLY_CALL(EXPECT_EQ(b.ChangeToDDB(hdc), reinterpret_cast<HBITMAP>(Recorder::handle(121))), D + "121", P(hdc),
                     me);
    EXPECT_ONLY_CALL(b.ConvertFromDDB(hdc, hbm, hpal), D + "124", P(hdc), me, P(hbm), P(hpal));
    EXPECT_ONLY_CALL(b.ConvertToDDB(hdc), D + "125", P(hdc), me);
    EXPECT_ONLY_CALL(b.CreatePaintPalette(hdc), D + "122", P(hdc), me);
    EXPECT_ONLY_CALL(b.CopyFromClipboard(hwnd), D + "126", P(hwnd), me);
    EXPECT_ONLY_CALL(b.CopyFromClipboard(&wnd), D + "126", P(hwnd), me);
    EXPECT_ONLY_CALL(b.CopyToClipboard(hwnd), D + "127", P(hwnd), me);
    EXPECT_ONLY_CALL(b.CopyToClipboard(&wnd), D + "127", P(hwnd), me);
    EXPECT_ONLY_CALL(b.CopyToClipboard(static_cast<CWnd*>(nullptr)), D + "127", kNull, me);
    EXPECT_ONLY_CALL(b.CopyToClipboardExt(hwnd, 3u), D + "128", P(hwnd), me, "3");
    EXPECT_ONLY_CALL(b.CopyToClipboardExt(&wnd, 3u), D + "128", P(hwnd), me, "3");
    EXPECT_ONLY_CALL(b.HalfTone(2u), D + "130", me, "2");
    EXPECT_ONLY_CALL(b.HalfToneExt(2u, 450L), D + "131", me, "2", "450");
    EXPECT_ONLY_CALL(b.PaintDC(hdc, &r1, &r2, &r3, &r4, SRCCOPY), D + "132", P(hdc), me, P(&r1), P(&r2), P(&r3),
                     P(&r4), S(SRCCOPY));
    EXPECT_ONLY_CALL(b.PaintDC(&dc, &r1, &r2, &r3, &r4, SRCCOPY), D + "132", P(hdc), me, P(&r1), P(&r2), P(&r3),
                     P(&r4), S(SRCCOPY));
    EXPECT_ONLY_CALL(b.PaintDCBuffer(hdc, &r1, &r2, &r3, &r4, 1ul, buffer, 5, 6), D + "133", P(hdc), me, P(&r1),
                     P(&r2), P(&r3), P(&r4), "1", P(buffer), "5", "6");
    EXPECT_ONLY_CALL(b.PaintDCBuffer(&dc, &r1, &r2, &r3, &r4, 1ul, buffer, 5, 6), D + "133", P(hdc), me, P(&r1),
                     P(&r2), P(&r3), P(&r4), "1", P(buffer), "5", "6");
    EXPECT_ONLY_CALL(b.Print(1, 2, 3, 4, 1), D + "134", me, "1", "2", "3", "4", "1");
    EXPECT_ONLY_CALL(b.PrintExt(hdc, 1, 2, 3, 4, 0), D + "135", P(hdc), me, "1", "2", "3", "4", "0");
    EXPECT_ONLY_CALL(b.PrintFast(hdc, 1, 2, 3, 4, 0), D + "136", P(hdc), me, "1", "2", "3", "4", "0");
    EXPECT_ONLY_CALL(b.ScreenCapture(hdc, &r1), D + "137", P(hdc), me, P(&r1));
    EXPECT_ONLY_CALL(b.ScreenCapture(&dc, &r1), D + "137", P(hdc), me, P(&r1));
    EXPECT_ONLY_CALL(b.Underlay(&under, 1u), D + "139", me, P(&under), "1");

    EXPECT_ONLY_CALL(b.EfxPaintBitmap(hdc, &r1, &r2, &r3, &r4, 1u, 2u, 3u, 4u, 5u, 6, 7ul, 1u, 0xFFul, SRCCOPY),
                     E + "100", P(hdc), me, P(&r1), P(&r2), P(&r3), P(&r4), "1", "2", "3", "4", "5", "6", "7", "1",
                     "255", S(SRCCOPY));
    EXPECT_ONLY_CALL(b.EfxPaintBitmap(&dc, &r1, &r2, &r3, &r4, 1u, 2u, 3u, 4u, 5u, 6, 7ul, 1u, 0xFFul, SRCCOPY),
                     E + "100", P(hdc), me, P(&r1), P(&r2), P(&r3), P(&r4), "1", "2", "3", "4", "5", "6", "7", "1",
                     "255", S(SRCCOPY));
    EXPECT_ONLY_CALL(b.PaintDCEffect(hdc, &r1, &r2, &r3, &r4, SRCCOPY, 9u), E + "110", P(hdc), me, P(&r1), P(&r2),
                     P(&r3), P(&r4), S(SRCCOPY), "9");
    EXPECT_ONLY_CALL(b.PaintDCEffect(&dc, &r1, &r2, &r3, &r4, SRCCOPY, 9u), E + "110", P(hdc), me, P(&r1), P(&r2),
                     P(&r3), P(&r4), S(SRCCOPY), "9");
    dc.m_hDC = nullptr;
    wnd.m_hWnd = nullptr;
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
    fixtures::writeFile(dir / "Bricks.F03", fixtures::gradientBmp(8, 8));
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
