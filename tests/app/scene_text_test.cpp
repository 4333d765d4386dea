// The "text", "textvc" and "button" scene kinds: a scene draws what the same
// CMyDC calls draw, LOGFONTW fields and DrawText flags go by name, and bad
// members are reported with their JSON path.
#include "scene.h"

#include <gtest/gtest.h>

#include <string>

using namespace hmigfx::app;

namespace {

SceneOptions quiet() {
    SceneOptions options;
    options.applyPatternDir = false;
    return options;
}

std::string sceneWith(const std::string& objects) {
    return R"({"size": [240, 160], "zoom": 150, "origin": [-10, 5], "objects": [)" + objects + "]}";
}

std::unique_ptr<Surface> render(const std::string& text) {
    Scene scene = parseScene(text, quiet());
    auto surface = std::make_unique<Surface>(scene.width, scene.height);
    renderScene(scene, *surface);
    return surface;
}

int differing(const Surface& a, const Surface& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

std::string errorOf(const std::string& text) {
    try {
        parseScene(text, quiet());
    } catch (const SceneError& e) {
        return e.what();
    }
    return "";
}

// Every member by name, against the CMyDC calls with the same records.
TEST(SceneText, DrawsWhatTheCallsDraw) {
    auto got = render(sceneWith(R"(
        {"kind": "text", "rect": [5, 5, 90, 40], "str": "Pump P-101\nrunning",
         "font": {"lfFaceName": "Times New Roman", "lfHeight": -12, "lfWeight": "bold", "lfItalic": true,
                  "lfQuality": "nonantialiased", "lfCharSet": "default"},
         "crText": "#000080", "crBack": "#FFFFE0", "nFormat": "center", "bTransparent": false, "nAngle": 0},
        {"kind": "textvc", "rect": [95.5, 5, 140, 90.5], "str": "Up", "nAngle": 90, "nFormat": 2,
         "font": {"lfHeight": -10, "lfUnderline": 1}},
        {"kind": "button", "rect": [5, 50, 80, 80], "str": "&Start", "bFocus": true, "bPushed": true,
         "nFormat": ["center", "vcenter", "singleline"], "font": {"lfFaceName": "Arial", "lfHeight": -11}}
    )"));

    Surface want(240, 160);
    want.fill(RGB(255, 255, 255));
    CPoint origin(-10, 5);
    CMyDC dc(&want.dc(), 150, origin);

    LOGFONTW times{};
    times.lfHeight = -12;
    times.lfWeight = FW_BOLD;
    times.lfItalic = 1;
    times.lfQuality = NONANTIALIASED_QUALITY;
    times.lfCharSet = DEFAULT_CHARSET;
    std::wstring(L"Times New Roman").copy(times.lfFaceName, LF_FACESIZE - 1);
    CString s1(L"Pump P-101\nrunning");
    CRect r1(5, 5, 90, 40);
    dc.ObjDrawText(s1, r1, times, RGB(0, 0, 128), RGB(255, 255, 224), DT_CENTER, 0, 0);

    LOGFONTW small{};
    small.lfHeight = -10;
    small.lfWeight = FW_NORMAL;
    small.lfUnderline = 1;
    std::wstring(L"Arial").copy(small.lfFaceName, LF_FACESIZE - 1);
    CString s2(L"Up");
    CMyRect r2(0, 0, 0, 0);
    r2.left = 95.5, r2.top = 5, r2.right = 140, r2.bottom = 90.5;
    dc.ObjDrawTextVC(s2, r2, small, RGB(0, 0, 0), RGB(255, 255, 255), DT_RIGHT, 1, 90);

    LOGFONTW arial{};
    arial.lfHeight = -11;
    arial.lfWeight = FW_NORMAL;
    std::wstring(L"Arial").copy(arial.lfFaceName, LF_FACESIZE - 1);
    CString s3(L"&Start");
    CRect r3(5, 50, 80, 80);
    dc.ObjDrawButton(s3, 1, 1, r3, arial, RGB(0, 0, 0), GetSysColor(COLOR_BTNFACE),
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    Surface blank(240, 160);
    blank.fill(RGB(255, 255, 255));
    EXPECT_GT(differing(*got, blank), 500);
    EXPECT_EQ(differing(*got, want), 0);
}

TEST(SceneText, BadMembersNameTheirPath) {
    EXPECT_NE(errorOf(sceneWith(R"({"kind": "text", "rect": [0, 0, 9, 9]})")).find("$.objects[0]"),
              std::string::npos);
    EXPECT_NE(errorOf(sceneWith(R"({"kind": "text", "rect": [0, 0, 9, 9], "str": "x", "font": {"lfWeight": "fat"}})"))
                  .find("$.objects[0].font.lfWeight"),
              std::string::npos);
    EXPECT_NE(errorOf(sceneWith(R"({"kind": "text", "rect": [0, 0, 9, 9], "str": "x", "font": {"lfColour": 1}})"))
                  .find("lfColour"),
              std::string::npos);
    EXPECT_NE(errorOf(sceneWith(R"({"kind": "button", "rect": [0, 0, 9, 9], "str": "x",
                                    "font": {"lfFaceName": "A face name far longer than thirty-one"}})"))
                  .find("$.objects[0].font.lfFaceName"),
              std::string::npos);
    EXPECT_NE(errorOf(sceneWith(R"({"kind": "button", "rect": [0, 0, 9, 9], "str": "x", "nFormat": ["middle"]})"))
                  .find("$.objects[0].nFormat[0]"),
              std::string::npos);
    EXPECT_NE(errorOf(sceneWith(R"({"kind": "textvc", "rect": [0, 0, 9, 9], "str": "x", "nAngle": 4.5})"))
                  .find("$.objects[0].nAngle"),
              std::string::npos);
    EXPECT_NE(errorOf(sceneWith(R"({"kind": "text", "rect": [0, 0, 9, 9], "str": "x", "bFocus": true})"))
                  .find("bFocus"),
              std::string::npos);
    EXPECT_EQ(errorOf(sceneWith(R"({"kind": "text", "rect": [0, 0, 9, 9], "str": "\u6c34\u6cf5"})")), "");
}

}  // namespace
