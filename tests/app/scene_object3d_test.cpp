// Scene kind "object3d": a scene body draws what the library draws for the
// same calls, the in-region form clips, and bad members are named.
#include "scene.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace hmigfx::app;

namespace {

SceneOptions quiet() {
    SceneOptions options;
    options.applyPatternDir = false;
    return options;
}

std::string sceneWith(const std::string& object, int zoom = 100) {
    return R"({"size": [200, 160], "zoom": )" + std::to_string(zoom) + R"(, "origin": [-40, -30], "objects": [)" +
           object + "]}";
}

// The scene's picture.
std::unique_ptr<Surface> render(const std::string& text) {
    Scene scene = parseScene(text, quiet());
    auto surface = std::make_unique<Surface>(scene.width, scene.height);
    renderScene(scene, *surface);
    return surface;
}

// The picture the library gives for the same calls on the same canvas.
std::unique_ptr<Surface> direct(const std::function<void(CMyDC&)>& draw, int zoom = 100) {
    auto surface = std::make_unique<Surface>(200, 160);
    surface->fill(RGB(255, 255, 255));
    CPoint origin(-40, -30);
    CMyDC dc(&surface->dc(), zoom, origin);
    draw(dc);
    return surface;
}

int differences(const Surface& a, const Surface& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

int painted(const Surface& s) {
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) n += s.pixel(x, y) != 0xFFFFFF;
    return n;
}

std::string errorOf(const std::string& object) {
    try {
        parseScene(sceneWith(object), quiet());
    } catch (const SceneError& e) {
        return e.what();
    }
    return "";
}

const POINT kL[6] = {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}};
const char* kLJson = R"("points": [[0, 0], [100, 0], [100, 50], [50, 50], [50, 100], [0, 100]])";

TEST(SceneObject3D, DrawsWhatTheLibraryDraws) {
    auto scene = render(sceneWith(std::string(R"({"kind": "object3d", )") + kLJson + R"(,
        "shape": "narrow", "depth": 30, "color": "#3366CC", "light": "upper right",
        "scale": 1.5, "resize": [5, 10, 0, 4], "move": [3, -2], "rotate": [[30, 0, 0], [0, 30, 10]]})"));
    auto expected = direct([](CMyDC& dc) {
        Object3D o;
        POINT pts[6];
        std::copy(kL, kL + 6, pts);
        _ITEM* item = o.CreatePolygonItem(SHAPE3D_NARROW, pts, 6);
        o.SetDepthItem(item, 30);
        o.SetColorItem(item, RGB(0x33, 0x66, 0xCC));
        o.SetLightItem(item, LIGHT3D_UPPER_RIGHT);
        o.SetScalingItem(item, 1.5f);
        o.SetReSizeItem(item, 5, 10, 0, 4);
        o.SetMoveItem(item, 3, -2);
        o.SetRotationItem(item, 30, 0, 0);
        o.SetRotationItem(item, 0, 30, 10);
        dc.objDraw3DObject(item, &o);
        Object3D::ReleaseItem(item);
    });
    EXPECT_GT(painted(*scene), 5000);
    EXPECT_EQ(differences(*scene, *expected), 0);
}

TEST(SceneObject3D, DefaultsAndCodes) {
    // A single turn may be written flat; lights and shapes by code.
    auto scene = render(sceneWith(std::string(R"({"kind": "object3d", )") + kLJson +
                                  R"(, "shape": 53, "light": 77, "rotate": [20, -10, 0]})", 150));
    auto expected = direct(
        [](CMyDC& dc) {
            Object3D o;
            POINT pts[6];
            std::copy(kL, kL + 6, pts);
            _ITEM* item = o.CreatePolygonItem(SHAPE3D_WIDEN, pts, 6);
            o.SetLightItem(item, LIGHT3D_BELOW);
            o.SetRotationItem(item, 20, -10, 0);
            dc.objDraw3DObject(item, &o);
            Object3D::ReleaseItem(item);
        },
        150);
    EXPECT_EQ(differences(*scene, *expected), 0);
    // The defaults: depth 50, magenta, the light from the viewer, a prism.
    auto plain = render(sceneWith(R"({"kind": "object3d", "points": [[0, 0], [40, 0], [40, 40], [0, 40]]})"));
    EXPECT_EQ(plain->pixel(60, 50), 0xFF63FFu);  // magenta facing the light
    EXPECT_EQ(painted(*plain), 40 * 40);
}

TEST(SceneObject3D, RegionFormClipsAndIgnoresTheZoom) {
    const std::string body = std::string(R"({"kind": "object3d", )") + kLJson +
                             R"(, "rotate": [30, 30, 0], "region": [{"rect": [0, 0, 60, 60]}, {"ellipse": [10, 10, 50, 50], "op": "diff"}]})";
    auto scene = render(sceneWith(body, 200));
    auto expected = direct(
        [](CMyDC& dc) {
            Object3D o;
            POINT pts[6];
            std::copy(kL, kL + 6, pts);
            _ITEM* item = o.CreatePolygonItem(0, pts, 6);
            o.SetRotationItem(item, 30, 30, 0);
            CRgn clip, hole;
            clip.CreateRectRgn(0, 0, 60, 60);
            hole.CreateEllipticRgn(10, 10, 50, 50);
            clip.CombineRgn(&clip, &hole, RGN_DIFF);
            dc.objDraw3DObjectInRgn(item, &o, &clip);
            Object3D::ReleaseItem(item);
        },
        200);
    EXPECT_EQ(differences(*scene, *expected), 0);
    // Logical (0, 0)-(60, 60) lies at device (40, 30)-(100, 90); the hole stays empty.
    for (int y = 0; y < scene->height(); ++y)
        for (int x = 0; x < scene->width(); ++x) {
            const bool inWindow = x >= 40 && x < 100 && y >= 30 && y < 90;
            if (!inWindow) {
                ASSERT_EQ(scene->pixel(x, y), 0xFFFFFFu) << x << "," << y;
            }
        }
    EXPECT_EQ(scene->pixel(70, 60), 0xFFFFFFu);
    EXPECT_GT(painted(*scene), 1000);
}

TEST(SceneObject3D, BadMembersAreNamed) {
    EXPECT_EQ(errorOf(R"({"kind": "object3d", "points": [[0, 0], [1, 0]]})"),
              "$.objects[0].points: expected 3 to 100000 points, got 2");
    EXPECT_EQ(errorOf(R"({"kind": "object3d", "points": [[0, 0], [1, 0], [1.5, 2]]})"),
              "$.objects[0].points[2][0]: expected an integer, got 1.5");
    EXPECT_NE(errorOf(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "light": 80})")
                  .find("$.objects[0].light: "),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "light": "sideways"})")
                  .find("$.objects[0].light: expected an integer or one of upperleft"),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "rotate": [[1, 2]]})")
                  .find("$.objects[0].rotate[0]: expected [x, y, z]"),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "region": [{"rect": [0, 0, 1, 1], "ellipse": [0, 0, 1, 1]}]})")
                  .find("$.objects[0].region[0]: expected exactly one of"),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "region": []})")
                  .find("$.objects[0].region: "),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "colour": "#FF0000"})")
                  .find("colour"),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "resize": [1, 2, 3]})")
                  .find("$.objects[0].resize: expected [left, right, top, bottom]"),
              std::string::npos);
}

}  // namespace
