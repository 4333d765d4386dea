// Scenes drawn end to end: the host's clip region around region fills, the
// black/white mode, rubber bands drawn twice, pattern pictures found by their
// titles, fractional geometry, and very long polylines.
#include "pattern_dir.h"
#include "scene.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

using namespace hmigfx::app;

namespace {

// The example pattern pictures, before anything loads the pattern library.
const bool g_patterns = usePatternDirectory(HMIGFX_EXAMPLES_DIR "/Sys/Brush", nullptr);

struct Rendered {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Rendered& o) const { return width == o.width && pixels == o.pixels; }
};

Rendered render(const std::string& text) {
    SceneOptions options;
    options.applyPatternDir = false;
    Scene scene = parseScene(text, options);
    Surface surface(scene.width, scene.height);
    EXPECT_TRUE(surface.ok());
    renderScene(scene, surface);
    Rendered r{scene.width, scene.height, {}};
    for (int y = 0; y < scene.height; ++y)
        for (int x = 0; x < scene.width; ++x) r.pixels.push_back(surface.pixel(x, y));
    // The pass leaves no clip region behind.
    HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetClipRgn(surface.dc(), clip), 0);
    ::DeleteObject(clip);
    return r;
}

std::string scene(const std::string& objects, const std::string& settings = "") {
    return R"({"size": [60, 40], "background": "#808080", )" + settings + R"("objects": [)" + objects + "]}";
}

constexpr uint32_t kGrey = 0x808080;

TEST(Render, RegionFillsStayInsideTheHostClipWhichComesBack) {
    // A gradient rectangle over the whole canvas, then a solid one: the clip
    // (a 20 x 10 window) holds for both, so the host's region was selected
    // again after the gradient.
    const Rendered r = render(scene(
        R"({"kind": "rectangle", "rect": [0, 0, 59, 39], "pen": {"lopnStyle": "null"},
            "brush": {"lbStyle": "gradient", "lbHatch": "horizontal"}, "crFill": "#FFFF00"},
           {"kind": "rectangle", "rect": [30, 20, 59, 39], "pen": {"lopnStyle": "null"}, "crFill": "#00FF00"})",
        R"("clip": [{"rect": [20, 15, 40, 25]}], )"));
    int painted = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inside = x >= 20 && x < 40 && y >= 15 && y < 25;
            if (!inside) {
                EXPECT_EQ(r.at(x, y), kGrey) << x << "," << y;
            }
            painted += inside && r.at(x, y) != kGrey;
        }
    EXPECT_EQ(painted, 200);
    EXPECT_EQ(r.at(35, 22), 0x00FF00u);  // the solid rectangle inside the window
    EXPECT_NE(r.at(25, 17), 0x00FF00u);  // the gradient
}

TEST(Render, ClipPiecesCombineInOrder) {
    // A 40 x 30 window with a 10 x 10 hole.
    const Rendered r = render(
        scene(R"({"kind": "rectangle", "rect": [0, 0, 59, 39], "pen": {"lopnStyle": "null"}, "crFill": "#0000FF"})",
              R"("clip": [{"rect": [10, 5, 50, 35]}, {"rect": [25, 15, 35, 25], "op": "diff"}], )"));
    EXPECT_EQ(r.at(5, 5), kGrey);
    EXPECT_EQ(r.at(12, 8), 0x0000FFu);
    EXPECT_EQ(r.at(30, 20), kGrey);
    EXPECT_EQ(r.at(49, 34), 0x0000FFu);
    EXPECT_EQ(r.at(50, 34), kGrey);
}

TEST(Render, BlackWhiteModeSwapsBlackAndWhite) {
    const std::string rect =
        R"({"kind": "rectangle", "rect": [10, 10, 30, 30], "pen": {"lopnColor": "#000000"}, "crFill": "#FFFFFF"})";
    Rendered r = render(scene(rect));
    EXPECT_EQ(r.at(10, 10), 0x000000u);
    EXPECT_EQ(r.at(20, 20), 0xFFFFFFu);
    r = render(scene(rect, R"("blackWhite": true, )"));
    EXPECT_EQ(r.at(10, 10), 0xFFFFFFu);
    EXPECT_EQ(r.at(20, 20), 0x000000u);
}

TEST(Render, RubberBandsInvertUnderTheirPenAndTwiceVanish) {
    const std::string band = R"({"kind": "rubberband", "shape": "rect", "rect": [10, 10, 20, 20])";
    const Rendered r = render(scene(band + "}"));
    EXPECT_EQ(r.at(10, 10), 0x7F7F7Fu);  // not grey 0x808080
    EXPECT_EQ(r.at(20, 20), 0x7F7F7Fu);  // right and bottom edges included
    EXPECT_EQ(r.at(15, 15), kGrey);      // hollow by default
    const Rendered filled = render(scene(band + R"(, "hostBrush": "#000000"})"));
    EXPECT_EQ(filled.at(15, 15), 0x7F7F7Fu);  // a black brush under NOTXORPEN inverts too
    EXPECT_TRUE(render(scene(band + R"(, "times": 2, "nPenStyle": "dot"})")) == render(scene("")));
}

TEST(Render, PatternPicturesByTitle) {
    ASSERT_TRUE(g_patterns);
    // Slots come from the file names: Bricks.F03, Sky.U00.
    const Rendered r = render(scene(
        R"({"kind": "rectangle", "rect": [0, 0, 29, 39], "brush": {"lbStyle": "patternfile", "lbHatch": "bricks"}},
           {"kind": "ellipse", "rect": [30, 0, 59, 39], "pen": {"lopnStyle": "null"},
            "brush": {"lbStyle": "userpicture", "lbHatch": "Sky"}})"));
    // Brick red and mortar grey inside the rectangle.
    int red = 0;
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 29; ++x) red += (r.at(x, y) >> 16) > 0x90 && ((r.at(x, y) >> 8) & 0xFF) < 0x50;
    EXPECT_GT(red, 400);
    // The sky inside the ellipse, blue over red; its bounding box's corner untouched.
    const uint32_t centre = r.at(45, 20);
    EXPECT_GT(centre & 0xFF, centre >> 16);
    EXPECT_EQ(r.at(30, 0), kGrey);

    SceneOptions options;
    options.applyPatternDir = false;
    try {
        parseScene(scene(R"({"kind": "ellipse", "rect": [0, 0, 9, 9],
                             "brush": {"lbStyle": "userpicture", "lbHatch": "Bricks"}})"),
                   options);
        ADD_FAILURE() << "a pattern file's title is no user picture";
    } catch (const SceneError& e) {
        EXPECT_EQ(e.path(), "$.objects[0].brush.lbHatch");
        EXPECT_EQ(e.problem(), "no user picture titled \"Bricks\" in the pattern directory");
    }
}

TEST(Render, FractionalGeometryTruncatesLikeTheLibrary) {
    const std::string whole = R"({"kind": "ellipse", "rect": [3, 4, 40, 30], "brush": {"lbStyle": "hatch"}})";
    const std::string fractional =
        R"({"kind": "ellipse", "rect": [3.9, 4.5, 40.99, 30.2], "brush": {"lbStyle": "hatch"}})";
    EXPECT_TRUE(render(scene(whole)) == render(scene(fractional)));
    // The same view rectangle from another zoom (a thin pen, whose width does not follow the zoom).
    EXPECT_TRUE(render(scene(R"({"kind": "ellipse", "rect": [3, 4, 40, 30], "pen": {"lopnWidth": 0},
                                 "brush": {"lbStyle": "hatch"}})",
                             R"("zoom": 150, )")) ==
                render(scene(R"({"kind": "ellipse", "rect": [2.1, 2.7, 26.7, 20.1], "pen": {"lopnWidth": 0},
                                 "brush": {"lbStyle": "hatch"}})",
                             R"("zoom": 225, )")));
}

}  // namespace

namespace {

// The scene in README's format section loads and draws.
TEST(Render, TheReadmeExample) {
    std::ifstream in(HMIGFX_EXAMPLES_DIR "/../README.md");
    std::ostringstream text;
    text << in.rdbuf();
    const std::string readme = text.str();
    const auto start = readme.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    const auto end = readme.find("```", start + 8);
    SceneOptions options;
    options.applyPatternDir = false;
    options.sceneDir = HMIGFX_EXAMPLES_DIR;
    Scene scene = parseScene(readme.substr(start + 8, end - start - 8), options);
    EXPECT_EQ(scene.objects.size(), 7u);
    Surface surface(scene.width, scene.height);
    renderScene(scene, surface);
    // The gradient tank's centre line is its line colour.
    EXPECT_EQ(surface.pixel(150 * 120 / 100 - 20, 150), 0x2F5E8Cu);
}

}  // namespace
