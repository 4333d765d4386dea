// The scene loader: settings and their defaults, command-line overrides, the
// library's records with their readable aliases, and bad scenes (and bad
// members of every kind) reported with the JSON path of the culprit.
#include "scene.h"

#include <gtest/gtest.h>

#include <string>

using namespace hmigfx::app;

namespace {

// A kind of the tests' own: keeps what the shared readers made of its members.
struct Probe {
    LOGPEN pen{};
    LOGBRUSH brush{};
    int bTransparent = -1;
    DocRect rect;
    std::vector<DocPoint> points;
};
Probe g_probe;

class ProbeObject : public SceneObject {
public:
    void draw(DrawContext&) const override {}
};

std::unique_ptr<SceneObject> parseProbe(JsonObject& obj, const ParseContext&) {
    g_probe = Probe{};
    if (auto v = obj.find("pen")) {
        JsonObject pen = v->asObject();
        g_probe.pen = readPen(pen);
    }
    if (auto v = obj.find("brush")) {
        JsonObject brush = v->asObject();
        g_probe.brush = readBrush(brush);
    }
    if (auto v = obj.find("rect")) g_probe.rect = v->asRect();
    if (auto v = obj.find("points")) g_probe.points = v->asPoints(2);
    g_probe.bTransparent = readTransparent(obj);
    return std::make_unique<ProbeObject>();
}

HMIGFX_SCENE_KIND(probe, "probe", "test kind", parseProbe);

SceneOptions quiet() {
    SceneOptions options;
    options.applyPatternDir = false;
    return options;
}

Scene parse(const std::string& text, const SceneOptions& options = quiet()) { return parseScene(text, options); }

// The message of the SceneError a scene raises ("" when it loads).
std::string errorOf(const std::string& text) {
    try {
        parse(text);
    } catch (const SceneError& e) {
        return e.what();
    }
    return "";
}

std::string withObject(const std::string& object) { return R"({"size": [20, 10], "objects": [)" + object + "]}"; }

TEST(SceneLoader, SettingsAndTheirDefaults) {
    Scene s = parse(R"({"size": [320, 200], "objects": []})");
    EXPECT_EQ(s.width, 320);
    EXPECT_EQ(s.height, 200);
    EXPECT_EQ(s.background, RGB(255, 255, 255));
    EXPECT_EQ(s.zoom, 100);
    EXPECT_EQ(s.origin, CPoint(0, 0));
    EXPECT_FALSE(s.blackWhite);
    EXPECT_TRUE(s.clip.empty());
    EXPECT_TRUE(s.objects.empty());

    s = parse(R"({"comment": "a tank", "size": [64, 48], "background": "#102030", "zoom": 150,
                  "origin": [-5, 12], "blackWhite": true,
                  "clip": [{"rect": [0, 0, 30, 30]}, {"ellipse": [5, 5, 25.5, 25], "op": "diff"},
                           {"roundrect": [0, 0, 9, 9], "corner": [3, 3], "op": "and"},
                           {"polygon": [[0, 0], [9, 0], [0, 9]], "op": "xor"}],
                  "objects": [{"kind": "probe", "comment": "ignored"}, {"kind": "probe"}]})");
    EXPECT_EQ(s.background, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(s.zoom, 150);
    EXPECT_EQ(s.origin, CPoint(-5, 12));
    EXPECT_TRUE(s.blackWhite);
    ASSERT_EQ(s.clip.size(), 4u);
    EXPECT_EQ(s.clip[0].type, ClipShape::Rect);
    EXPECT_EQ(s.clip[0].op, RGN_OR);
    EXPECT_EQ(s.clip[1].type, ClipShape::Ellipse);
    EXPECT_EQ(s.clip[1].op, RGN_DIFF);
    EXPECT_TRUE(s.clip[1].rect.fractional);
    EXPECT_EQ(s.clip[2].type, ClipShape::RoundRect);
    EXPECT_EQ(s.clip[2].corner.x, 3);
    EXPECT_EQ(s.clip[3].type, ClipShape::Polygon);
    EXPECT_EQ(s.clip[3].points.size(), 3u);
    EXPECT_EQ(s.objects.size(), 2u);
}

TEST(SceneLoader, CommandLineOverridesTheScene) {
    SceneOptions o = quiet();
    o.zoom = 250;
    o.origin = CPoint(7, 8);
    o.blackWhite = true;
    o.size = CPoint(11, 12);
    // The size may be left out when the command line gives it.
    Scene s = parse(R"({"zoom": 50, "origin": [1, 2], "objects": []})", o);
    EXPECT_EQ(s.zoom, 250);
    EXPECT_EQ(s.origin, CPoint(7, 8));
    EXPECT_TRUE(s.blackWhite);
    EXPECT_EQ(s.width, 11);
    EXPECT_EQ(s.height, 12);
}

TEST(SceneLoader, PenRecordsWithAliasesAndWidths) {
    parse(withObject(R"({"kind": "probe", "pen": {"lopnStyle": "dash", "lopnWidth": 2.5, "lopnColor": "#0A0B0C"}})"));
    EXPECT_EQ(g_probe.pen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(g_probe.pen.lopnWidth.x, 2);
    EXPECT_EQ(g_probe.pen.lopnWidth.y, 50);
    EXPECT_EQ(g_probe.pen.lopnColor, RGB(10, 11, 12));

    // The library's own pair, numbers for styles, names folded.
    parse(withObject(R"({"kind": "probe", "pen": {"lopnStyle": 6, "lopnWidth": [3, 25]}})"));
    EXPECT_EQ(g_probe.pen.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));
    EXPECT_EQ(g_probe.pen.lopnWidth.x, 3);
    EXPECT_EQ(g_probe.pen.lopnWidth.y, 25);
    EXPECT_EQ(g_probe.pen.lopnColor, RGB(0, 0, 0));
    parse(withObject(R"({"kind": "probe", "pen": {"lopnStyle": "Dash-Dot-Dot"}})"));
    EXPECT_EQ(g_probe.pen.lopnStyle, static_cast<UINT>(PS_DASHDOTDOT));
    EXPECT_EQ(g_probe.pen.lopnWidth.x, 1);  // default width: one unit
    EXPECT_EQ(g_probe.pen.lopnWidth.y, 0);
    // A width of 0.07 units keeps its hundredths.
    parse(withObject(R"({"kind": "probe", "pen": {"lopnWidth": 0.07}})"));
    EXPECT_EQ(g_probe.pen.lopnWidth.x, 0);
    EXPECT_EQ(g_probe.pen.lopnWidth.y, 7);
}

TEST(SceneLoader, BrushRecordsByStyle) {
    struct Case {
        const char* brush;
        UINT style;
        ULONG_PTR hatch;
    };
    const Case cases[] = {
        {R"({"lbStyle": "solid"})", 0, 0},
        {R"({"lbStyle": "hollow"})", 1, 0},
        {R"({"lbStyle": "hatch", "lbHatch": "diagcross"})", 2, HS_DIAGCROSS},
        {R"({"lbStyle": "hatch", "lbHatch": "fdiagonal"})", 2, HS_FDIAGONAL},
        {R"({"lbStyle": 2, "lbHatch": 1})", 2, HS_VERTICAL},
        {R"({"lbStyle": "pattern", "lbHatch": "Zig zag"})", 3, 31},
        {R"({"lbStyle": "pattern", "lbHatch": "ligth downward diagonal"})", 3, 13},
        {R"({"lbStyle": "pattern", "lbHatch": 48})", 3, 48},
        {R"({"lbStyle": "gradient", "lbHatch": "centre"})", 4, 20},
        {R"({"lbStyle": "gradient", "lbHatch": "diagonal-up-mirror-inverse"})", 4, 15},
        {R"({"lbStyle": "gradient", "lbHatch": 21})", 4, 21},
        {R"({"lbStyle": "patternfile", "lbHatch": 3})", 5, 3},
        {R"({"lbStyle": "userpicture", "lbHatch": 99})", 6, 99},
        {R"({"lbStyle": "picture", "lbHatch": 0})", 6, 0},
        {R"({"lbStyle": "none"})", 7, 0},
    };
    for (const Case& c : cases) {
        parse(withObject(std::string(R"({"kind": "probe", "brush": )") + c.brush + "}"));
        EXPECT_EQ(g_probe.brush.lbStyle, c.style) << c.brush;
        EXPECT_EQ(g_probe.brush.lbHatch, c.hatch) << c.brush;
    }
}

TEST(SceneLoader, TransparencyAndGeometry) {
    parse(withObject(R"({"kind": "probe", "bTransparent": true, "rect": [1, 2, 3, 4]})"));
    EXPECT_EQ(g_probe.bTransparent, 1);
    EXPECT_FALSE(g_probe.rect.fractional);
    EXPECT_EQ(g_probe.rect.toCRect(), CRect(1, 2, 3, 4));
    parse(withObject(R"({"kind": "probe", "bTransparent": 2, "rect": [1, 2, 3.5, 4]})"));
    EXPECT_EQ(g_probe.bTransparent, 2);
    EXPECT_TRUE(g_probe.rect.fractional);
    parse(withObject(R"({"kind": "probe", "points": [[0, 0], [5, 5.25]]})"));
    EXPECT_EQ(g_probe.bTransparent, 0);
    ASSERT_EQ(g_probe.points.size(), 2u);
    EXPECT_FALSE(g_probe.points[0].fractional);
    EXPECT_TRUE(g_probe.points[1].fractional);
}

TEST(SceneLoader, BadScenesNameThePathAndTheProblem) {
    struct Case {
        std::string scene;
        std::string message;
    };
    const Case cases[] = {
        {R"({"size": [10, 10], "objects": [)", "$: invalid JSON: parse error at line 1, column 32"},
        {R"({"size": [1e999, 10], "objects": []})", "$: invalid JSON: number overflow parsing '1e999'"},
        {R"([1, 2])", "$: expected an object, got an array"},
        {R"({"objects": []})", "$: missing field \"size\""},
        {R"({"size": [10, 10]})", "$: missing field \"objects\""},
        {R"({"size": [0, 10], "objects": []})", "$.size[0]: expected an integer from 1 to 16384, got 0"},
        {R"({"size": [10], "objects": []})", "$.size: expected [x, y], got 1 values"},
        {R"({"size": [10, 10], "zoom": "big", "objects": []})", "$.zoom: expected an integer, got a string"},
        {R"({"size": [10, 10], "zoom": 1.5, "objects": []})", "$.zoom: expected an integer, got 1.5"},
        {R"({"size": [10, 10], "background": "red", "objects": []})",
         "$.background: expected a colour \"#RRGGBB\", got \"red\""},
        {R"({"size": [10, 10], "blackWhite": 1, "objects": []})",
         "$.blackWhite: expected true or false, got a number"},
        {R"({"size": [10, 10], "objects": {}})", "$.objects: expected an array, got an object"},
        {R"({"size": [10, 10], "objetcs": [], "objects": []})", "$: unknown field \"objetcs\""},
        {R"({"size": [10, 10], "patternDir": "/no/such/dir", "objects": []})",
         "$.patternDir: no such directory: /no/such/dir"},
        {R"({"size": [10, 10], "clip": [{"rect": [0, 0, 1, 1], "ellipse": [0, 0, 1, 1]}], "objects": []})",
         "$.clip[0]: expected exactly one of \"rect\", \"ellipse\", \"roundrect\", \"polygon\""},
        {R"({"size": [10, 10], "clip": [{"polygon": [[0, 0], [1, 1]]}], "objects": []})",
         "$.clip[0].polygon: expected at least 3 points, got 2"},
        {withObject(R"({"rect": [0, 0, 1, 1]})"), "$.objects[0]: missing field \"kind\""},
        {withObject(R"({"kind": 7})"), "$.objects[0].kind: expected a string, got a number"},
        {withObject(R"({"kind": "probe"}, {"kind": "gizmo"})"), "$.objects[1].kind: unknown kind \"gizmo\""},
        {withObject(R"({"kind": "probe", "colour": "#000000"})"), "$.objects[0]: unknown field \"colour\""},
        {withObject(R"({"kind": "probe", "pen": {"lopnStyle": "dashy"}})"),
         "$.objects[0].pen.lopnStyle: expected an integer or one of solid, dash, dot, dashdot, dashdotdot, null, "
         "insideframe, got \"dashy\""},
        {withObject(R"({"kind": "probe", "pen": {"lopnWidth": [1, 100]}})"),
         "$.objects[0].pen.lopnWidth[1]: expected an integer from 0 to 99, got 100"},
        {withObject(R"({"kind": "probe", "pen": {"lopnColour": "#000000"}})"),
         "$.objects[0].pen: unknown field \"lopnColour\""},
        {withObject(R"({"kind": "probe", "pen": "red"})"), "$.objects[0].pen: expected an object, got a string"},
        {withObject(R"({"kind": "probe", "brush": {"lbStyle": "hatch", "lbHatch": "zigzag"}})"),
         "$.objects[0].brush.lbHatch: expected an integer or one of horizontal, vertical, fdiagonal, bdiagonal, "
         "cross, diagcross, got \"zigzag\""},
        {withObject(R"({"kind": "probe", "brush": {"lbStyle": "gradient", "lbHatch": 22}})"),
         "$.objects[0].brush.lbHatch: expected an integer from 0 to 21, got 22"},
        {withObject(R"({"kind": "probe", "brush": {"lbStyle": "pattern"}})"),
         "$.objects[0].brush: missing field \"lbHatch\" (the pattern: 1-48 or its name)"},
        {withObject(R"({"kind": "probe", "rect": [0, 0, 1]})"),
         "$.objects[0].rect: expected a rectangle [left, top, right, bottom], got [0,0,1]"},
        {withObject(R"({"kind": "probe", "rect": [0, 0, 1, "2"]})"),
         "$.objects[0].rect[3]: expected a number, got a string"},
        {withObject(R"({"kind": "probe", "points": [[0, 0], [1]]})"),
         "$.objects[0].points[1]: expected a point [x, y], got [1]"},
        {withObject(R"({"kind": "probe", "bTransparent": "yes"})"),
         "$.objects[0].bTransparent: expected an integer, got a string"},
        // The text and 3-D kinds' own members.
        {withObject(R"({"kind": "text", "rect": [0, 0, 9, 9]})"), "$.objects[0]"},
        {withObject(R"({"kind": "text", "rect": [0, 0, 9, 9], "str": "x", "font": {"lfWeight": "fat"}})"),
         "$.objects[0].font.lfWeight"},
        {withObject(R"({"kind": "text", "rect": [0, 0, 9, 9], "str": "x", "font": {"lfColour": 1}})"),
         "$.objects[0].font: unknown field \"lfColour\""},
        {withObject(R"({"kind": "button", "rect": [0, 0, 9, 9], "str": "x",
                        "font": {"lfFaceName": "A face name far longer than thirty-one"}})"),
         "$.objects[0].font.lfFaceName"},
        {withObject(R"({"kind": "button", "rect": [0, 0, 9, 9], "str": "x", "nFormat": ["middle"]})"),
         "$.objects[0].nFormat[0]"},
        {withObject(R"({"kind": "textvc", "rect": [0, 0, 9, 9], "str": "x", "nAngle": 4.5})"), "$.objects[0].nAngle"},
        {withObject(R"({"kind": "text", "rect": [0, 0, 9, 9], "str": "x", "bFocus": true})"),
         "$.objects[0]: unknown field \"bFocus\""},
        {withObject(R"({"kind": "object3d", "points": [[0, 0], [1, 0]]})"),
         "$.objects[0].points: expected 3 to 100000 points, got 2"},
        {withObject(R"({"kind": "object3d", "points": [[0, 0], [1, 0], [1.5, 2]]})"),
         "$.objects[0].points[2][0]: expected an integer, got 1.5"},
        {withObject(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "light": 80})"), "$.objects[0].light: "},
        {withObject(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "light": "sideways"})"),
         "$.objects[0].light: expected an integer or one of upperleft"},
        {withObject(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "rotate": [[1, 2]]})"),
         "$.objects[0].rotate[0]: expected [x, y, z]"},
        {withObject(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]],
                        "region": [{"rect": [0, 0, 1, 1], "ellipse": [0, 0, 1, 1]}]})"),
         "$.objects[0].region[0]: expected exactly one of"},
        {withObject(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "region": []})"), "$.objects[0].region: "},
        {withObject(R"({"kind": "object3d", "points": [[0, 0], [9, 0], [9, 9]], "resize": [1, 2, 3]})"),
         "$.objects[0].resize: expected [left, right, top, bottom]"},
    };
    for (const Case& c : cases) {
        const std::string message = errorOf(c.scene);
        EXPECT_EQ(message.substr(0, c.message.size()), c.message) << c.scene;
        EXPECT_EQ(message.empty(), c.message.empty()) << c.scene;
    }
    EXPECT_EQ(errorOf(withObject(R"({"kind": "text", "rect": [0, 0, 9, 9], "str": "\u6c34\u6cf5"})")), "");
}

TEST(SceneLoader, KindsAreRegisteredByName) {
    ASSERT_NE(findKind("probe"), nullptr);
    EXPECT_STREQ(findKind("probe")->name, "probe");
    EXPECT_EQ(findKind("no-such-kind"), nullptr);
    const auto kinds = allKinds();
    EXPECT_TRUE(std::is_sorted(kinds.begin(), kinds.end(), [](const SceneKind* a, const SceneKind* b) {
        return std::string(a->name) < std::string(b->name);
    }));
}

}  // namespace
