// Pattern-file pictures as brushes put the reference GDI's pixels.
// tests/gdi/pattern_file_brushes.gdi paints DIB pattern brushes of pictures
// whose pixels it lists; each brush's name says which pattern file holds the
// same picture (Title_Fnn_format). This test writes those files into a pattern
// directory, lets the pattern library read them through the imaging SDK, and
// repeats the script's calls with CMyBrush's style-5 brushes of those slots.
#include "../imagesdk/fixtures.h"

#include <hmigfx/my_brush.h>
#include "brush/pattern_library_p.h"

#include <map>
#include <memory>

namespace {

std::vector<std::string> tokens(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string t; in >> t && t[0] != '#';) out.push_back(t);
    return out;
}

uint32_t number(const std::string& s) { return static_cast<uint32_t>(std::stoul(s, nullptr, 0)); }

// A picture as the script lists it: DIB words 0xRRGGBB, rows top to bottom.
struct Picture {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    uint32_t at(int x, int y) const { return px[static_cast<size_t>(y * w + x)]; }
};

cv::Mat toMat(const Picture& p) {
    cv::Mat m(p.h, p.w, CV_8UC3);
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const uint32_t v = p.at(x, y);
            m.at<cv::Vec3b>(y, x) = cv::Vec3b(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
        }
    return m;
}

// An 8-bit BMP file with a colour table of the picture's own colours.
std::vector<unsigned char> indexedBmp(const Picture& p) {
    std::vector<uint32_t> table;
    std::vector<unsigned char> index;
    for (uint32_t v : p.px) {
        size_t i = 0;
        while (i < table.size() && table[i] != v) ++i;
        if (i == table.size()) table.push_back(v);
        index.push_back(static_cast<unsigned char>(i));
    }
    const size_t stride = (static_cast<size_t>(p.w) + 3) & ~size_t(3);
    const size_t offset = 14 + 40 + 4 * table.size();
    std::vector<unsigned char> f(offset + stride * static_cast<size_t>(p.h), 0);
    f[0] = 'B', f[1] = 'M';
    fixtures::putLe32(f, 2, static_cast<uint32_t>(f.size()));
    fixtures::putLe32(f, 10, static_cast<uint32_t>(offset));
    fixtures::putLe32(f, 14, 40);
    fixtures::putLe32(f, 18, static_cast<uint32_t>(p.w));
    fixtures::putLe32(f, 22, static_cast<uint32_t>(p.h));  // bottom-up
    fixtures::putLe16(f, 26, 1);
    fixtures::putLe16(f, 28, 8);
    fixtures::putLe32(f, 46, static_cast<uint32_t>(table.size()));
    for (size_t i = 0; i < table.size(); ++i) fixtures::putLe32(f, 54 + 4 * i, table[i]);  // B, G, R, 0
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            f[offset + stride * static_cast<size_t>(p.h - 1 - y) + static_cast<size_t>(x)] =
                index[static_cast<size_t>(y * p.w + x)];
    return f;
}

using testsupport::Canvas;

}  // namespace

TEST(MyBrush, PatternFilesPaintTheReferencePixels) {
    std::istringstream script(testsupport::slurp(HMIGFX_GDI_SCRIPTS "/pattern_file_brushes.gdi"));
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(script, line);)
        if (auto t = tokens(line); !t.empty()) lines.push_back(std::move(t));

    // The pattern directory: one file per brush of the script.
    fixtures::Installation inst;
    std::map<std::string, int> slotOf;
    std::map<int, int> depthOf;
    for (const auto& t : lines) {
        if (t.size() < 5 || t[2] != "CreateDIBPatternBrush32") continue;
        Picture p;
        p.w = static_cast<int>(number(t[3]));
        p.h = static_cast<int>(number(t[4]));
        for (size_t i = 5; i < t.size(); ++i) p.px.push_back(number(t[i]));
        ASSERT_EQ(p.px.size(), static_cast<size_t>(p.w * p.h)) << t[0];
        // Title_Fnn_format
        const size_t a = t[0].find("_F"), b = t[0].rfind('_');
        ASSERT_TRUE(a != std::string::npos && b == a + 4) << t[0];
        const std::string title = t[0].substr(0, a), format = t[0].substr(b + 1);
        const int slot = std::stoi(t[0].substr(a + 2, 2));
        const std::filesystem::path file = inst.brush / (title + ".F" + t[0].substr(a + 2, 2));
        if (format == "png") {
            fixtures::writeFile(file, fixtures::encode(".png", toMat(p)));
            depthOf[slot] = 24;
        } else if (format == "bmp") {
            fixtures::writeFile(file, fixtures::encode(".bmp", toMat(p)));
            depthOf[slot] = 24;
        } else if (format == "bmp8") {
            fixtures::writeFile(file, indexedBmp(p));
            depthOf[slot] = 8;
        } else {
            FAIL() << "unknown format " << format;
        }
        slotOf[t[0]] = slot;
    }
    ASSERT_EQ(slotOf.size(), 4u);

    GetPatternLibrary().Unload();  // read this directory
    ASSERT_EQ(CMyBrush::GetPatternSize(kFilePattern), 4);
    // The pictures reach the brushes as packed DIBs at their files' own depth.
    for (const auto& [slot, depth] : depthOf) {
        HGLOBAL dib = GetPatternLibrary().GetFilePattern(slot);
        ASSERT_NE(dib, nullptr) << slot;
        EXPECT_EQ(static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib))->biBitCount, depth) << slot;
        ::GlobalUnlock(dib);
    }

    hmigfx::pngio::Image golden;
    ASSERT_TRUE(hmigfx::pngio::readImage(HMIGFX_GOLDEN_DIR "/pattern_file_brushes.png", golden, nullptr));
    Canvas c(golden.width, golden.height);
    std::unique_ptr<CMyBrush> selected;
    CBrush* original = nullptr;
    int painted = 0;
    for (const auto& t : lines) {
        const auto arg = [&](size_t i) { return static_cast<int>(number(t[i])); };
        if (t[0] == "SetBrushOrgEx") {
            ::SetBrushOrgEx(c.dc, arg(1), arg(2), nullptr);
        } else if (t[0] == "SelectObject") {
            auto next = std::make_unique<CMyBrush>(5u, RGB(0, 0, 0), slotOf.at(t[1]), RGB(255, 255, 255), 0);
            ASSERT_NE(next->GetSafeHandle(), ::GetStockObject(NULL_BRUSH)) << t[1];
            CBrush* previous = next->SelectBrush(&c.dc);
            if (!original) original = previous;
            selected = std::move(next);
        } else if (t[0] == "PatBlt") {
            ::PatBlt(c.dc, arg(1), arg(2), arg(3), arg(4), PATCOPY);
            ++painted;
        } else if (t[0] == "Rectangle") {
            c.dc.Rectangle(arg(1), arg(2), arg(3), arg(4));
            ++painted;
        } else if (t[0] == "Ellipse") {
            c.dc.Ellipse(arg(1), arg(2), arg(3), arg(4));
            ++painted;
        }
    }
    c.dc.SelectObject(original);
    EXPECT_EQ(painted, 6);
    EXPECT_TRUE(testsupport::matchesGolden(c, "pattern_file_brushes"));
    GetPatternLibrary().Unload();
}
