// The "object3d", "text", "textvc" and "button" scene kinds draw what the same
// library calls draw, with every member given by name.
#include "scene.h"

#include "../support/test_support.h"

#include <gtest/gtest.h>

#include <functional>

using namespace hmigfx::app;

namespace {

// The scene's picture against the library's for the same calls at the scene's
// zoom and origin: how many pixels differ, and how many the scene painted.
std::pair<int, int> compare(const std::string& objects, int zoom, CPoint origin, const std::function<void(CMyDC&)>& calls) {
    SceneOptions options;
    options.applyPatternDir = false;
    Scene scene = parseScene(R"({"size": [240, 160], "zoom": )" + std::to_string(zoom) + R"(, "origin": [)" +
                                 std::to_string(origin.x) + ", " + std::to_string(origin.y) + R"(], "objects": [)" +
                                 objects + "]}",
                             options);
    Surface got(240, 160), want(240, 160);
    renderScene(scene, got);
    want.fill(RGB(255, 255, 255));
    CMyDC dc(&want.dc(), zoom, origin);
    calls(dc);
    int differ = 0, painted = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x) {
            differ += got.pixel(x, y) != want.pixel(x, y);
            painted += got.pixel(x, y) != 0xFFFFFF;
        }
    return {differ, painted};
}

const char* kL = R"("points": [[0, 0], [100, 0], [100, 50], [50, 50], [50, 100], [0, 100]])";

// The L-shaped item the scenes below describe, set up by `setup` and drawn.
void drawL(CMyDC& dc, short shape, const std::function<void(Object3D&, _ITEM*)>& setup, CRgn* region = nullptr) {
    POINT pts[6] = {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}};
    Object3D o;
    _ITEM* item = o.CreatePolygonItem(shape, pts, 6);
    setup(o, item);
    region ? dc.objDraw3DObjectInRgn(item, &o, region) : dc.objDraw3DObject(item, &o);
    Object3D::ReleaseItem(item);
}

TEST(SceneKinds, Object3DDrawsWhatTheLibraryDraws) {
    auto r = compare(std::string(R"({"kind": "object3d", )") + kL + R"(, "shape": "narrow", "depth": 30,
        "color": "#3366CC", "light": "upper right", "scale": 1.5, "resize": [5, 10, 0, 4], "move": [3, -2],
        "rotate": [[30, 0, 0], [0, 30, 10]]})",
                     100, CPoint(-40, -30), [](CMyDC& dc) {
                         drawL(dc, SHAPE3D_NARROW, [](Object3D& o, _ITEM* item) {
                             o.SetDepthItem(item, 30);
                             o.SetColorItem(item, RGB(0x33, 0x66, 0xCC));
                             o.SetLightItem(item, LIGHT3D_UPPER_RIGHT);
                             o.SetScalingItem(item, 1.5f);
                             o.SetReSizeItem(item, 5, 10, 0, 4);
                             o.SetMoveItem(item, 3, -2);
                             o.SetRotationItem(item, 30, 0, 0);
                             o.SetRotationItem(item, 0, 30, 10);
                         });
                     });
    EXPECT_EQ(r.first, 0);
    EXPECT_GT(r.second, 5000);
    // A single turn may be written flat; lights and shapes by code.
    r = compare(std::string(R"({"kind": "object3d", )") + kL + R"(, "shape": 53, "light": 77, "rotate": [20, -10, 0]})",
                150, CPoint(-40, -30), [](CMyDC& dc) {
                    drawL(dc, SHAPE3D_WIDEN, [](Object3D& o, _ITEM* item) {
                        o.SetLightItem(item, LIGHT3D_BELOW);
                        o.SetRotationItem(item, 20, -10, 0);
                    });
                });
    EXPECT_EQ(r.first, 0);
    // The in-region form clips to the region, in logical units whatever the zoom.
    r = compare(std::string(R"({"kind": "object3d", )") + kL +
                    R"(, "rotate": [30, 30, 0], "region": [{"rect": [0, 0, 60, 60]}, {"ellipse": [10, 10, 50, 50], "op": "diff"}]})",
                200, CPoint(-40, -30), [](CMyDC& dc) {
                    CRgn clip, hole;
                    clip.CreateRectRgn(0, 0, 60, 60);
                    hole.CreateEllipticRgn(10, 10, 50, 50);
                    clip.CombineRgn(&clip, &hole, RGN_DIFF);
                    drawL(dc, 0, [](Object3D& o, _ITEM* item) { o.SetRotationItem(item, 30, 30, 0); }, &clip);
                });
    EXPECT_EQ(r.first, 0);
    EXPECT_GT(r.second, 1000);
    EXPECT_LT(r.second, 60 * 60);
    // The defaults: depth 50, magenta, the light from the viewer, a prism.
    r = compare(R"({"kind": "object3d", "points": [[0, 0], [40, 0], [40, 40], [0, 40]]})", 100, CPoint(-40, -30),
                [](CMyDC& dc) {
                    POINT pts[4] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};
                    Object3D o;
                    _ITEM* item = o.CreatePolygonItem(0, pts, 4);
                    EXPECT_EQ(item->color, 0x00FF00FFu);
                    dc.objDraw3DObject(item, &o);
                    Object3D::ReleaseItem(item);
                });
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.second, 40 * 40);
}

TEST(SceneKinds, TextAndButtonsDrawWhatTheCallsDraw) {
    const auto r = compare(R"(
        {"kind": "text", "rect": [5, 5, 90, 40], "str": "Pump P-101\nrunning",
         "font": {"lfFaceName": "Times New Roman", "lfHeight": -12, "lfWeight": "bold", "lfItalic": true,
                  "lfQuality": "nonantialiased", "lfCharSet": "default"},
         "crText": "#000080", "crBack": "#FFFFE0", "nFormat": "center", "bTransparent": false, "nAngle": 0},
        {"kind": "textvc", "rect": [95.5, 5, 140, 90.5], "str": "Up", "nAngle": 90, "nFormat": 2,
         "font": {"lfHeight": -10, "lfUnderline": 1}},
        {"kind": "button", "rect": [5, 50, 80, 80], "str": "&Start", "bFocus": true, "bPushed": true,
         "nFormat": ["center", "vcenter", "singleline"], "font": {"lfFaceName": "Arial", "lfHeight": -11}})",
                           150, CPoint(-10, 5), [](CMyDC& dc) {
                               LOGFONTW times = testsupport::logFont(-12, L"Times New Roman");
                               times.lfWeight = FW_BOLD;
                               times.lfItalic = 1;
                               times.lfCharSet = DEFAULT_CHARSET;
                               CString s1(L"Pump P-101\nrunning");
                               CRect r1(5, 5, 90, 40);
                               dc.ObjDrawText(s1, r1, times, RGB(0, 0, 128), RGB(255, 255, 224), DT_CENTER, 0, 0);
                               LOGFONTW small = testsupport::logFont(-10, L"Arial", DEFAULT_QUALITY);
                               small.lfUnderline = 1;
                               CString s2(L"Up");
                               CMyRect r2(0, 0, 0, 0);
                               r2.left = 95.5, r2.top = 5, r2.right = 140, r2.bottom = 90.5;
                               dc.ObjDrawTextVC(s2, r2, small, RGB(0, 0, 0), RGB(255, 255, 255), DT_RIGHT, 1, 90);
                               LOGFONTW arial = testsupport::logFont(-11, L"Arial", DEFAULT_QUALITY);
                               CString s3(L"&Start");
                               CRect r3(5, 50, 80, 80);
                               dc.ObjDrawButton(s3, 1, 1, r3, arial, RGB(0, 0, 0), GetSysColor(COLOR_BTNFACE),
                                                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                           });
    EXPECT_EQ(r.first, 0);
    EXPECT_GT(r.second, 500);
}

}  // namespace
