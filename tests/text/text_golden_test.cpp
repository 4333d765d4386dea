// The text and button operations against the reference GDI. Each
// tests/gdi/textobj_*.gdi script spells out, under a '#@' line per object,
// the GDI calls that one CMyDC call should make. Here the '#@' calls are made
// through CMyDC and the picture must be
//   - the one our GDI draws for the script, pixel for pixel (the same calls),
//   - the reference GDI's golden picture, exactly or, where the script says
//     "compare: ink N", with the ink of both within N pixels of each other.
#include <hmigfx/my_dc.h>

#include "../support/test_support.h"
#include "gdi_script.h"
#include "interpreter_p.h"

namespace fs = std::filesystem;
using testsupport::Canvas;

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

// The script language's text, its escapes undone as the interpreter does.
std::wstring Unescape(const std::string& s) {
    hmigfx::gdiscript::Args args;
    args.text = s;
    return args.wideText();
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
    std::unique_ptr<CMyDC> dc;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("#@ ", 0) != 0) continue;
        const std::string call = line.substr(3);
        const std::vector<std::string> head = Words(call.substr(0, call.find(" |")));
        SCOPED_TRACE(line);
        if (head[0] == "dc") {
            CPoint org(Num(head[2]), Num(head[3]));
            dc = std::make_unique<CMyDC>(&canvas.dc, static_cast<int>(Num(head[1])), org);
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

class TextGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(TextGolden, CMyDCMakesTheScriptsCalls) {
    const std::string name = GetParam();
    const fs::path path = fs::path(HMIGFX_GDI_SCRIPTS) / (name + ".gdi");
    const std::string script = testsupport::slurp(path);

    const hmigfx::gdiscript::Result r = hmigfx::gdiscript::runFile(path.string());
    ASSERT_EQ(r.status, 0) << r.errors;
    Canvas canvas(r.image.width, r.image.height);
    Replay(script, canvas);
    EXPECT_TRUE(testsupport::samePicture(canvas.image(), r.image)) << "CMyDC's picture is not the script's";
    EXPECT_TRUE(testsupport::matchesGolden(canvas, name));
}

INSTANTIATE_TEST_SUITE_P(Scripts, TextGolden, ::testing::ValuesIn(Scripts()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
