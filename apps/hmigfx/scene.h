// A scene: the canvas, the drawing pass's settings and the objects to draw,
// loaded from JSON and drawn through a CMyDC.
//
//   {
//     "size": [640, 480],            canvas in pixels (required)
//     "background": "#FFFFFF",
//     "zoom": 100,                   percent
//     "origin": [0, 0],              scroll position in view units
//     "blackWhite": false,           the black/white (reverse print) mode
//     "clip": [{"rect": [...]}, {"ellipse": [...], "op": "diff"}, ...],
//     "patternDir": "Sys/Brush",     pattern pictures, relative to the scene file
//     "objects": [{"kind": "rectangle", ...}, ...]   (required)
//   }
#pragma once

#include "scene_kinds.h"
#include "surface.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hmigfx::app {

// One piece of the host's clip region, in document units; the pieces combine
// in order, the first one copied.
struct ClipShape {
    enum Type { Rect, Ellipse, RoundRect, Polygon } type = Rect;
    DocRect rect;
    DocPoint corner;
    std::vector<DocPoint> points;
    int op = RGN_OR;
};

struct Scene {
    int width = 0;
    int height = 0;
    COLORREF background = RGB(255, 255, 255);
    int zoom = 100;
    CPoint origin{0, 0};
    bool blackWhite = false;
    std::vector<ClipShape> clip;  // empty: no clip region
    std::filesystem::path patternDir;  // empty: the default
    std::vector<std::unique_ptr<SceneObject>> objects;
};

// What the command line overrides, and where relative names start.
struct SceneOptions {
    std::optional<int> zoom;
    std::optional<CPoint> origin;
    bool blackWhite = false;
    std::optional<CPoint> size;
    std::filesystem::path patternDir;  // set: replaces the scene's
    std::filesystem::path sceneDir;
    // Point the pattern library at the scene's directory while loading (a
    // title in lbHatch needs the library loaded). Off for a loader test that
    // must not touch the process-wide library.
    bool applyPatternDir = true;
};

// Throws SceneError for anything wrong, with the JSON path of the culprit.
Scene parseScene(const std::string& text, const SceneOptions& options);
Scene loadSceneFile(const std::filesystem::path& file, SceneOptions options);

// How one pass maps the scene onto a DC: the scale (view units per document
// unit, viewExt / docExt, as CMyDC takes it), the scroll origin in view units,
// and the device rectangle the pass may draw in (none: anywhere).
struct ScenePass {
    CPoint docExt{100, 100};
    CPoint viewExt{100, 100};
    CPoint origin{0, 0};
    std::optional<CRect> bounds;
};
// The scene's own pass: its zoom and origin.
ScenePass scenePass(const Scene& scene);
// Draws the scene's objects (not its background) through a CMyDC on cdc.
void drawScene(const Scene& scene, CDC& cdc, const ScenePass& pass);

// Draws the scene onto the surface (which has the scene's size).
void renderScene(const Scene& scene, Surface& surface);

// Limits that keep a scene from asking for absurd amounts of memory.
constexpr int kMaxCanvas = 16384;
constexpr int kMaxZoom = 10000;

}  // namespace hmigfx::app
