// The text and button operations against the reference GDI. Each
// tests/gdi/textobj_*.gdi script spells out, under a '#@' line per object,
// the GDI calls that one CMyDC call should make. Here the '#@' calls are made
// through CMyDC and the picture must be
//   - the one our GDI draws for the script, pixel for pixel (the same calls),
//   - the reference GDI's golden picture, exactly or, where the script says
//     "compare: ink N", with the ink of both within N pixels of each other.
#include "text_canvas.h"

#include "gdi_script.h"

#include <hmigfx/png_io.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;
using texttest::Canvas;
using texttest::TextDC;

namespace {

std::vector<std::string> Scripts() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(HMIGFX_GDI_SCRIPTS)) {
        const std::string stem = e.path().stem().string();
        if (e.path().extension() == ".gdi" && stem.rfind("textobj_", 0) == 0) names.push_back(stem);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Split(const std::string& s, const std::string& sep, size_t maxParts) {
    std::vector<std::string> parts;
    size_t from = 0;
    while (parts.size() + 1 < maxParts) {
        const size_t at = s.find(sep, from);
        if (at == std::string::npos) break;
        parts.push_back(s.substr(from, at - from));
        from = at + sep.size();
    }
    parts.push_back(s.substr(from));
    return parts;
}

std::vector<std::string> Words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> w;
    for (std::string t; in >> t;) w.push_back(t);
    return w;
}

long Num(const std::string& s) { return std::stol(s, nullptr, 0); }

// The script language's text: UTF-8 with \n \t \\ \# \s and \uXXXX escapes.
std::wstring Unescape(const std::string& s) {
    std::wstring out;
    for (size_t k = 0; k < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[k]);
        if (c == '\\' && k + 1 < s.size()) {
            const char e = s[k + 1];
            k += 2;
            switch (e) {
            case 'n': out += L'\n'; break;
            case 't': out += L'\t'; break;
            case 's': out += L' '; break;
            case 'u': out += static_cast<wchar_t>(std::stoul(s.substr(k, 4), nullptr, 16)), k += 4; break;
            default: out += static_cast<wchar_t>(e);
            }
            continue;
        }
        // UTF-8 (the scripts keep to ASCII and escapes, but a face name may not)
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int j = 1; j <= extra && k + j < s.size(); ++j) cp = (cp << 6) | (s[k + j] & 0x3F);
        k += 1 + extra;
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (cp >> 10));
            out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<wchar_t>(cp);
        }
    }
    return out;
}

LOGFONTW ParseFont(const std::string& s) {
    const std::vector<std::string> w = Split(s, " ", 11);
    LOGFONTW lf{};
    lf.lfHeight = Num(w.at(0));
    lf.lfWidth = Num(w.at(1));
    lf.lfEscapement = Num(w.at(2));
    lf.lfOrientation = Num(w.at(3));
    lf.lfWeight = Num(w.at(4));
    lf.lfItalic = static_cast<BYTE>(Num(w.at(5)));
    lf.lfUnderline = static_cast<BYTE>(Num(w.at(6)));
    lf.lfStrikeOut = static_cast<BYTE>(Num(w.at(7)));
    lf.lfCharSet = static_cast<BYTE>(Num(w.at(8)));
    lf.lfQuality = static_cast<BYTE>(Num(w.at(9)));
    Unescape(w.at(10)).copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

// Makes the '#@' calls of a script on the canvas through CMyDC.
void Replay(const std::string& script, Canvas& canvas) {
    std::istringstream in(script);
    std::unique_ptr<TextDC> dc;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("#@ ", 0) != 0) continue;
        const std::string call = line.substr(3);
        const std::vector<std::string> head = Words(call.substr(0, call.find(" |")));
        SCOPED_TRACE(line);
        if (head[0] == "dc") {
            CPoint org(Num(head[2]), Num(head[3]));
            dc = std::make_unique<TextDC>(&canvas.dc, static_cast<int>(Num(head[1])), org);
        } else if (head[0] == "frame") {
            HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(Num(head[5])));
            RECT r{static_cast<LONG>(Num(head[1])), static_cast<LONG>(Num(head[2])), static_cast<LONG>(Num(head[3])),
                   static_cast<LONG>(Num(head[4]))};
            FrameRect(canvas.dc, &r, b);
            DeleteObject(b);
        } else {
            ASSERT_TRUE(dc) << "no '#@ dc' line before the first call";
            const bool button = head[0] == "button";
            const std::vector<std::string> parts = Split(call, " | ", button ? 5 : 4);
            ASSERT_EQ(parts.size(), button ? 5u : 4u);
            const bool my = head[1] == "CMyRect";
            CMyRect myRect(0, 0, 0, 0);
            myRect.left = std::stod(head[2]);
            myRect.top = std::stod(head[3]);
            myRect.right = std::stod(head[4]);
            myRect.bottom = std::stod(head[5]);
            CRect rect(static_cast<int>(myRect.left), static_cast<int>(myRect.top), static_cast<int>(myRect.right),
                       static_cast<int>(myRect.bottom));
            CString str(Unescape(parts.back()).c_str());
            if (button) {
                const std::vector<std::string> state = Words(parts[1]);
                LOGFONTW lf = ParseFont(parts[2]);
                const std::vector<std::string> v = Words(parts[3]);
                const auto crText = static_cast<COLORREF>(Num(v[0])), crBack = static_cast<COLORREF>(Num(v[1]));
                const auto format = static_cast<UINT>(Num(v[2]));
                const int focus = static_cast<int>(Num(state[0])), pushed = static_cast<int>(Num(state[1]));
                if (my)
                    dc->ObjDrawButton(str, focus, pushed, myRect, lf, crText, crBack, format);
                else
                    dc->ObjDrawButton(str, focus, pushed, rect, lf, crText, crBack, format);
                continue;
            }
            LOGFONTW lf = ParseFont(parts[1]);
            const std::vector<std::string> v = Words(parts[2]);
            const auto crText = static_cast<COLORREF>(Num(v[0])), crBack = static_cast<COLORREF>(Num(v[1]));
            const auto format = static_cast<UINT>(Num(v[2]));
            const int transparent = static_cast<int>(Num(v[3])), angle = static_cast<int>(Num(v[4]));
            if (head[0] == "textvc") {
                if (my)
                    dc->ObjDrawTextVC(str, myRect, lf, crText, crBack, format, transparent, angle);
                else
                    dc->ObjDrawTextVC(str, rect, lf, crText, crBack, format, transparent, angle);
            } else {
                ASSERT_EQ(head[0], "text");
                if (my)
                    dc->ObjDrawText(str, myRect, lf, crText, crBack, format, transparent, angle);
                else
                    dc->ObjDrawText(str, rect, lf, crText, crBack, format, transparent, angle);
            }
        }
    }
}

// Ink (pixels unlike the white canvas) of a and b: the same bounding box
// within tol, and every ink pixel of either within tol of ink in the other.
::testing::AssertionResult InkWithin(const Canvas& a, const hmigfx::pngio::Image& b, int tol) {
    const int w = b.width, h = b.height;
    std::vector<uint8_t> ia(w * h), ib(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ia[y * w + x] = a.at(x, y) != 0xFFFFFF;
            ib[y * w + x] = (b.at(x, y) & 0xFFFFFF) != 0xFFFFFF;
        }
    auto box = [&](const std::vector<uint8_t>& ink) {
        std::array<int, 4> r{w, h, -1, -1};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (ink[y * w + x]) r = {std::min(r[0], x), std::min(r[1], y), std::max(r[2], x), std::max(r[3], y)};
        return r;
    };
    const auto ba = box(ia), bb = box(ib);
    for (int k = 0; k < 4; ++k)
        if (std::abs(ba[k] - bb[k]) > tol)
            return ::testing::AssertionFailure() << "ink boxes differ: " << ba[0] << "," << ba[1] << "-" << ba[2]
                                                 << "," << ba[3] << " vs " << bb[0] << "," << bb[1] << "-" << bb[2]
                                                 << "," << bb[3];
    auto near = [&](const std::vector<uint8_t>& ink, int x, int y) {
        for (int v = std::max(0, y - tol); v <= std::min(h - 1, y + tol); ++v)
            for (int u = std::max(0, x - tol); u <= std::min(w - 1, x + tol); ++u)
                if (ink[v * w + u]) return true;
        return false;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((ia[y * w + x] && !near(ib, x, y)) || (ib[y * w + x] && !near(ia, x, y)))
                return ::testing::AssertionFailure() << "ink at (" << x << ", " << y << ") has no counterpart";
    return ::testing::AssertionSuccess();
}

class TextGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TextGolden, CMyDCMakesTheScriptsCalls) {
    const std::string name = GetParam();
    const fs::path path = fs::path(HMIGFX_GDI_SCRIPTS) / (name + ".gdi");
    std::ifstream f(path);
    std::stringstream ss;
    ss << f.rdbuf();
    const std::string script = ss.str();

    const hmigfx::gdiscript::Result r = hmigfx::gdiscript::runFile(path.string());
    ASSERT_EQ(r.status, 0) << r.errors;
    Canvas canvas(r.image.width, r.image.height);
    Replay(script, canvas);

    int differing = 0, fx = -1, fy = -1;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.at(x, y) != (r.image.at(x, y) & 0xFFFFFF) && differing++ == 0) fx = x, fy = y;
    EXPECT_EQ(differing, 0) << "CMyDC's picture is not the script's; first at (" << fx << ", " << fy << ")";

    hmigfx::pngio::Image golden;
    std::string error;
    ASSERT_TRUE(hmigfx::pngio::readImage(std::string(HMIGFX_GOLDEN_DIR) + "/" + name + ".png", golden, &error))
        << error;
    ASSERT_EQ(golden.width, canvas.width());
    ASSERT_EQ(golden.height, canvas.height());
    std::smatch m;
    if (std::regex_search(script, m, std::regex(R"(#\s*compare:\s*ink\s+(\d+))"))) {
        EXPECT_TRUE(InkWithin(canvas, golden, std::stoi(m[1])));
    } else {
        int off = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) off += canvas.at(x, y) != (golden.at(x, y) & 0xFFFFFF);
        EXPECT_EQ(off, 0) << "pixels unlike the reference GDI's";
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, TextGolden, ::testing::ValuesIn(Scripts()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
