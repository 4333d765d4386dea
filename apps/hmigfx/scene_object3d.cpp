// Scene kind "object3d": a flat outline extruded into a shaded solid.
//
//   {"kind": "object3d",
//    "points": [[x, y], ...],        the outline, whole document units, clockwise on the screen
//    "shape": "prism",               prism, pyramid, narrow, widen, or the shape code
//    "depth": 50,                    half thickness
//    "color": "#FF00FF",             base face colour
//    "light": "viewer",              upperleft, above, upperright, left, viewer, right,
//                                    lowerleft, below, belowright, or the code 70 ... 78
//    "scale": 1.5,                   about the outline's centre (the depth by the factor's whole part)
//    "resize": [left, right, top, bottom],   moves the box's edges out
//    "move": [dx, dy],
//    "rotate": [x, y, z] or [[x, y, z], ...],  degrees about the fixed axes, one turn after another
//    "region": [{"rect": [...]}, {"ellipse": [...], "op": "diff"}, {"polygon": [...]}]}
//
// The transforms apply in the order listed: scaling, resizing, moving, then
// the rotations. With "region" the body is drawn in the in-region form: in
// the DC's logical units (the zoom does not apply), every face clipped to
// the region, whose pieces are in the same units and combine in order.
#include "scene_kinds.h"

#include <memory>
#include <optional>
#include <vector>

namespace hmigfx::app {

namespace {

const EnumTable kShapes = {
    {"prism", 0}, {"pyramid", SHAPE3D_PYRAMID}, {"narrow", SHAPE3D_NARROW}, {"widen", SHAPE3D_WIDEN}};

const EnumTable kLights = {
    {"upperleft", LIGHT3D_UPPER_LEFT}, {"above", LIGHT3D_ABOVE},        {"upperright", LIGHT3D_UPPER_RIGHT},
    {"left", LIGHT3D_LEFT},            {"viewer", LIGHT3D_VIEWER},      {"right", LIGHT3D_RIGHT},
    {"lowerleft", LIGHT3D_LOWER_LEFT}, {"below", LIGHT3D_BELOW},        {"belowright", LIGHT3D_BELOW_RIGHT},
};

const EnumTable kRegionOps = {{"and", RGN_AND}, {"or", RGN_OR}, {"xor", RGN_XOR}, {"diff", RGN_DIFF}};

constexpr int kCoordinateLimit = 1000000;
constexpr int kMaxOutline = 100000;

std::vector<int> readInts(const JsonValue& v, size_t count, const char* form, int lo, int hi) {
    auto items = v.asArray();
    if (items.size() != count) v.fail(std::string("expected ") + form + ", got " + std::to_string(items.size()) + " values");
    std::vector<int> values;
    for (const JsonValue& item : items) values.push_back(item.asInt(lo, hi));
    return values;
}

struct Rotation {
    int x, y, z;
};

// One piece of the clip region, in logical units; read whole before the
// region is made, so a bad piece leaks nothing.
HRGN readRegionPiece(JsonObject& obj, int* op) {
    std::optional<CRect> rect, ellipse;
    std::vector<POINT> polygon;
    int forms = 0;
    if (auto v = obj.find("rect")) rect = v->asRect().toCRect(), ++forms;
    if (auto v = obj.find("ellipse")) ellipse = v->asRect().toCRect(), ++forms;
    if (auto v = obj.find("polygon")) {
        for (const DocPoint& p : v->asPoints(3)) polygon.push_back(p.toCPoint());
        ++forms;
    }
    if (forms != 1) obj.fail("expected exactly one of \"rect\", \"ellipse\", \"polygon\"");
    *op = obj.getEnum("op", kRegionOps, RGN_AND, RGN_COPY, RGN_OR);
    obj.finish();
    HRGN region = rect      ? ::CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom)
                  : ellipse ? ::CreateEllipticRgn(ellipse->left, ellipse->top, ellipse->right, ellipse->bottom)
                            : ::CreatePolygonRgn(polygon.data(), static_cast<int>(polygon.size()), ALTERNATE);
    if (!region) obj.fail("the region cannot be made");
    return region;
}

class Body : public SceneObject {
public:
    Body() : m_object(std::make_unique<Object3D>()) {}
    ~Body() override { Object3D::ReleaseItem(m_item); }

    Object3D& object() { return *m_object; }
    void setItem(_ITEM* item) { m_item = item; }
    _ITEM* item() { return m_item; }
    CRgn& region() { return m_region; }

    void draw(DrawContext& ctx) const override {
        // Drawing refreshes the item and the object's scratch lists.
        if (m_region.m_hObject)
            ctx.dc.objDraw3DObjectInRgn(m_item, m_object.get(), const_cast<CRgn*>(&m_region));
        else
            ctx.dc.objDraw3DObject(m_item, m_object.get());
    }

    // Picked as the editor picks bodies: by the fence and the faces of the
    // item as last drawn.
    std::optional<CRect> extent() const override {
        POINT fence[2];
        m_object->GetFenceItem(m_item, fence);
        return CRect(fence[0].x, fence[0].y, fence[1].x, fence[1].y);
    }
    bool hits(CPoint doc) const override { return m_object->IntersectionTest(nullptr, m_item, doc) != FALSE; }

private:
    std::unique_ptr<Object3D> m_object;
    _ITEM* m_item = nullptr;
    CRgn m_region;
};

std::unique_ptr<SceneObject> parseObject3D(JsonObject& obj, const ParseContext&) {
    auto body = std::make_unique<Body>();

    JsonValue pointsValue = obj.get("points");
    auto pointItems = pointsValue.asArray();
    if (pointItems.size() < 3 || pointItems.size() > static_cast<size_t>(kMaxOutline))
        pointsValue.fail("expected 3 to " + std::to_string(kMaxOutline) + " points, got " +
                         std::to_string(pointItems.size()));
    std::vector<POINT> points;
    for (const JsonValue& p : pointItems) {
        const std::vector<int> xy = readInts(p, 2, "[x, y]", -kCoordinateLimit, kCoordinateLimit);
        points.push_back(POINT{xy[0], xy[1]});
    }
    const int shape = obj.getEnum("shape", kShapes, -32768, 32767, 0);

    Object3D& o = body->object();
    _ITEM* item = o.CreatePolygonItem(static_cast<short>(shape), points.data(), static_cast<int>(points.size()));
    if (!item) pointsValue.fail("out of memory for the body");
    body->setItem(item);

    if (auto v = obj.find("depth")) o.SetDepthItem(item, v->asInt(0, kCoordinateLimit));
    if (auto v = obj.find("color")) o.SetColorItem(item, v->asColor());
    if (auto v = obj.find("light")) o.SetLightItem(item, v->asEnum(kLights, LIGHT3D_UPPER_LEFT, LIGHT3D_BELOW_RIGHT));

    if (auto v = obj.find("scale")) o.SetScalingItem(item, static_cast<float>(v->asNumber(-100, 100)));
    if (auto v = obj.find("resize")) {
        auto items = v->asArray();
        if (items.size() != 4) v->fail("expected [left, right, top, bottom], got " + std::to_string(items.size()) + " values");
        double amounts[4];
        for (size_t i = 0; i < 4; ++i) amounts[i] = items[i].asNumber(-kCoordinateLimit, kCoordinateLimit);
        o.SetReSizeItem(item, amounts[0], amounts[1], amounts[2], amounts[3]);
    }
    if (auto v = obj.find("move")) {
        const std::vector<int> d = readInts(*v, 2, "[dx, dy]", -kCoordinateLimit, kCoordinateLimit);
        o.SetMoveItem(item, d[0], d[1]);
    }
    if (auto v = obj.find("rotate")) {
        std::vector<Rotation> turns;
        auto items = v->asArray();
        const bool single = !items.empty() && items[0].isNumber();
        auto readTurn = [](const JsonValue& t) {
            const std::vector<int> a = readInts(t, 3, "[x, y, z]", -100000, 100000);
            return Rotation{a[0], a[1], a[2]};
        };
        if (single) {
            turns.push_back(readTurn(*v));
        } else {
            for (const JsonValue& t : items) turns.push_back(readTurn(t));
        }
        for (const Rotation& t : turns) o.SetRotationItem(item, t.x, t.y, t.z);
    }

    if (auto v = obj.find("region")) {
        auto pieces = v->asArray();
        if (pieces.empty()) v->fail("expected at least one region piece");
        CRgn& region = body->region();
        region.CreateRectRgn(0, 0, 0, 0);
        for (size_t i = 0; i < pieces.size(); ++i) {
            JsonObject pieceObj = pieces[i].asObject();
            int op = RGN_OR;
            HRGN piece = readRegionPiece(pieceObj, &op);
            ::CombineRgn(region, i == 0 ? piece : static_cast<HRGN>(region), i == 0 ? nullptr : piece,
                         i == 0 ? RGN_COPY : op);
            ::DeleteObject(piece);
        }
    }
    return body;
}

}  // namespace

HMIGFX_SCENE_KIND(object3d, "object3d",
                  "a shaded solid from an outline: points, shape, depth, color, light, scale, resize, move, "
                  "rotate, region (the in-region form)",
                  parseObject3D);

}  // namespace hmigfx::app
