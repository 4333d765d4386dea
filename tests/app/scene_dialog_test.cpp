// The "dialog" scene kind: a property dialog of real windows, the spin edit
// among them, in the state its members describe.
#include "scene.h"

#include "../support/test_support.h"

#include <string>

using namespace hmigfx::app;

namespace {

// The golden picture is our own rendering: the reference GDI draws no window
// frames or controls. The controls' frames are checked against it where it
// has the same calls (tests/gdi/controls.gdi, frame_scroll.gdi); the text
// is FreeType's, as everywhere in this library.
TEST(SceneDialog, RendersTheExampleAsItsGolden) {
#ifdef _WIN32
    GTEST_SKIP() << "the golden is our USER subset's look; Windows paints its own controls";
#endif
    SceneOptions options;
    options.sceneDir = HMIGFX_EXAMPLES_DIR;
    Scene scene = loadSceneFile(std::string(HMIGFX_EXAMPLES_DIR) + "/property-dialog.json", options);
    Surface surface(scene.width, scene.height);
    renderScene(scene, surface);
    const testsupport::Image ours = surface.toImage();
    testsupport::Image golden;
    std::string error;
    ASSERT_TRUE(hmigfx::pngio::readImage(std::string(HMIGFX_GOLDEN_DIR) + "/property-dialog.png", golden, &error))
        << error;
    EXPECT_TRUE(testsupport::samePicture(ours, golden));
}

TEST(SceneDialog, RefusesMembersAControlDoesNotHave) {
    auto errorOf = [](const std::string& control) {
        SceneOptions options;
        options.applyPatternDir = false;
        try {
            parseScene(R"({"size": [10, 10], "objects": [{"kind": "dialog", "at": [0, 0], "controls": [)" + control +
                           "]}]}",
                       options);
        } catch (const SceneError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_NE(errorOf(R"({"type": "label", "rect": [0, 0, 5, 5], "typed": "x"})")
                  .find("$.objects[0].controls[0]"),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"type": "spinedit", "rect": [0, 0, 5, 5], "format": "octal", "range": [0, 9]})")
                  .find("$.objects[0].controls[0].format"),
              std::string::npos);
    EXPECT_NE(errorOf(R"({"type": "slider", "rect": [0, 0, 5, 5]})").find("controls[0].type"), std::string::npos);
}

}  // namespace
