// The kinds of scene object, and how a new kind plugs in.
//
// A kind lives in its own file (scene_shapes.cpp, scene_text.cpp, ...): a
// SceneObject subclass that draws itself through the scene's CMyDC, a parser
// that builds it from the object's JSON members, and one registration line:
//
//     namespace {
//     class Gauge : public SceneObject { ... void draw(DrawContext& ctx) const override; };
//     std::unique_ptr<SceneObject> parseGauge(JsonObject& obj, const ParseContext& ctx) { ... }
//     }  // namespace
//     HMIGFX_SCENE_KIND(gauge, "gauge", "a round gauge: rect, value, ...", parseGauge);
//
// The parser reads every member it understands (obj.get / obj.find); the
// loader has already taken "kind" and "comment", and after the parser returns
// it refuses any member left unread. A parser reports a bad value by throwing
// SceneError (JsonValue::fail does) with the value's path.
#pragma once

#include "scene_json.h"

#include <hmigfx/hmigfx.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace hmigfx::app {

// What an object draws with: the scene's drawing context (zoom, scroll
// origin, black/white mode and clip region already set) and the surface's DC.
struct DrawContext {
    CMyDC& dc;
    CDC& cdc;
};

class SceneObject {
public:
    virtual ~SceneObject() = default;
    virtual void draw(DrawContext& ctx) const = 0;

    // What the viewer picks by: the object's bounding box in document units
    // (none: it cannot be picked), and whether a document point lies on it
    // (by default: in the box).
    virtual std::optional<CRect> extent() const { return std::nullopt; }
    virtual bool hits(CPoint doc) const {
        const std::optional<CRect> e = extent();
        return e && doc.x >= e->left && doc.x <= e->right && doc.y >= e->top && doc.y <= e->bottom;
    }
    // The pen the property dialog edits; null for an object drawn without one.
    virtual LOGPEN* pen() { return nullptr; }
};

struct ParseContext {
    std::filesystem::path sceneDir;  // relative file names in a scene are taken from here
};

using KindParser = std::unique_ptr<SceneObject> (*)(JsonObject& obj, const ParseContext& ctx);

struct SceneKind {
    const char* name;     // the "kind" value
    const char* summary;  // one line for `hmigfx render --help`
    KindParser parse;
};

// Registration happens during static initialisation; lookups afterwards.
void registerKind(const SceneKind& kind);
const SceneKind* findKind(std::string_view name);
// Sorted by name.
std::vector<const SceneKind*> allKinds();

struct KindRegistrar {
    explicit KindRegistrar(const SceneKind& kind) { registerKind(kind); }
};

#define HMIGFX_SCENE_KIND(ident, name, summary, parser) \
    static const ::hmigfx::app::KindRegistrar hmigfx_kind_##ident({name, summary, parser})

// ---------------------------------------------------------------------------
// The library's records as scene members, for every kind to share.

// lopnStyle: solid, dash, dot, dashdot, dashdotdot, null, insideframe.
extern const EnumTable kPenStyles;
// lbStyle: solid, hollow (null), hatch, pattern, gradient, patternfile, userpicture, none (7).
extern const EnumTable kBrushStyles;
// lbHatch of hatch brushes: horizontal, vertical, fdiagonal, bdiagonal, cross, diagcross.
extern const EnumTable kHatchStyles;
// lbHatch of gradient brushes: the 22 modes by name (vertical, ..., centre-inverse).
extern const EnumTable kGradientModes;
// Names of the built-in patterns 1-48, as the pattern library gives them.
const EnumTable& builtinPatternNames();

// A LOGPEN from {"lopnStyle", "lopnWidth", "lopnColor"}; every member optional
// (solid, 1 unit, black). lopnWidth is a number of document units (2.5) or the
// library's pair [whole units, hundredths].
LOGPEN readPen(JsonObject& pen);
// A LOGBRUSH from {"lbStyle", "lbHatch"} (lbColor is read too but shape
// drawing ignores it, as the library does). lbHatch takes, by style: a hatch
// name, a built-in pattern's name, a pattern file's or user picture's title,
// a gradient mode's name, or the slot / mode number. Style defaults to solid.
LOGBRUSH readBrush(JsonObject& brush);
// bTransparent: true/false or the library's integer (1 transparent
// background, any nonzero: no solid/pattern/gradient/picture fill).
int readTransparent(JsonObject& obj);

}  // namespace hmigfx::app
