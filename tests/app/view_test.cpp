// `hmigfx view`'s window without a display: after each key and drag its
// picture is the one `render` draws at the zoom and origin the window
// reports, and those moved the way the user asked.
#include "view.h"

#include "../support/canvas.h"
#include "../support/test_support.h"

#include <cmath>
#include <fstream>

using namespace hmigfx::app;

namespace {

const char kScene[] = R"({"size": [240, 160], "background": "#FFFFFF", "objects": [
  {"kind": "rectangle", "rect": [20, 20, 110, 80], "pen": {"lopnWidth": 2}, "brush": {"lbStyle": "solid"},
   "crFill": "#F5C542"},
  {"kind": "ellipse", "rect": [130, 60, 220, 140], "brush": {"lbStyle": "hatch", "lbHatch": "cross"},
   "crFill": "#7B1E3A"}]})";

testsupport::Image rendered(int zoom, CPoint origin) {
    SceneOptions options;
    options.zoom = zoom;
    options.origin = origin;
    const Scene scene = parseScene(kScene, options);
    Surface surface(scene.width, scene.height);
    renderScene(scene, surface);
    return surface.toImage();
}

testsupport::Image shown(SceneView& view) {
    CRect client;
    view.GetClientRect(&client);
    testsupport::Canvas c(client.Width(), client.Height());
    ::PrintWindow(view.m_hWnd, c.hdc(), PW_CLIENTONLY);
    return c.image();
}

void mouse(SceneView& view, UINT message, WPARAM keys, int x, int y) { view.SendMessage(message, keys, MAKELPARAM(x, y)); }

TEST(SceneView, KeysAndDragsMoveThePictureAsRenderDrawsItAndTheBandSelects) {
    testsupport::TempDir dir;
    const auto file = dir.path() / "plant.json";
    std::ofstream(file) << kScene;
    SceneView view(file, SceneOptions{}, loadSceneFile(file, SceneOptions{}));
    ASSERT_TRUE(view.Open());
    auto matchesRender = [&] { return testsupport::samePicture(shown(view), rendered(view.zoom(), view.origin())); };
    EXPECT_TRUE(matchesRender());

    view.SendMessage(WM_KEYDOWN, VK_RIGHT);  // the picture moves left, only its strip repainted
    view.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_GT(view.origin().x, 0);
    EXPECT_GT(view.origin().y, 0);
    EXPECT_TRUE(matchesRender());

    // '+' zooms about the middle of the window: the document point there stays.
    const CPoint before = view.origin();
    view.SendMessage(WM_CHAR, '+');
    ASSERT_GT(view.zoom(), 100);
    for (int axis : {0, 1}) {
        const double centre = axis ? 80 : 120;  // document units at 100%, then at the new zoom
        const double doc0 = centre + (axis ? before.y : before.x);
        const double doc1 = (centre + (axis ? view.origin().y : view.origin().x)) * 100 / view.zoom();
        EXPECT_NEAR(doc0, doc1, 1.0) << axis;
    }
    EXPECT_TRUE(matchesRender());

    // The right button drags the picture with the cursor.
    const CPoint zoomed = view.origin();
    mouse(view, WM_RBUTTONDOWN, MK_RBUTTON, 100, 100);
    mouse(view, WM_MOUSEMOVE, MK_RBUTTON, 70, 90);
    mouse(view, WM_RBUTTONUP, 0, 70, 90);
    EXPECT_EQ(view.origin(), zoomed + CPoint(30, 10));
    EXPECT_TRUE(matchesRender());

    // '0' goes home; a band round the rectangle alone selects it.
    view.SendMessage(WM_CHAR, '0');
    EXPECT_EQ(view.zoom(), 100);
    EXPECT_EQ(view.origin(), CPoint(0, 0));
    EXPECT_TRUE(matchesRender());
    mouse(view, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    mouse(view, WM_MOUSEMOVE, MK_LBUTTON, 120, 90);
    mouse(view, WM_LBUTTONUP, 0, 120, 90);
    EXPECT_EQ(view.selection(), std::vector<size_t>{0});
    view.DestroyWindow();
}

}  // namespace
