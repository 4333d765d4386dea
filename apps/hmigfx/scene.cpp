#include "scene.h"

#include "pattern_dir.h"

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace hmigfx::app {

namespace {

const EnumTable kClipOps = {{"and", RGN_AND}, {"or", RGN_OR}, {"xor", RGN_XOR}, {"diff", RGN_DIFF}};

CPoint readPair(const JsonValue& v, int lo, int hi) {
    auto items = v.asArray();
    if (items.size() != 2) v.fail("expected [x, y], got " + std::to_string(items.size()) + " values");
    return CPoint(items[0].asInt(lo, hi), items[1].asInt(lo, hi));
}

ClipShape readClipShape(JsonObject& obj) {
    ClipShape shape;
    int forms = 0;
    if (auto v = obj.find("rect")) shape.type = ClipShape::Rect, shape.rect = v->asRect(), ++forms;
    if (auto v = obj.find("ellipse")) shape.type = ClipShape::Ellipse, shape.rect = v->asRect(), ++forms;
    if (auto v = obj.find("roundrect")) shape.type = ClipShape::RoundRect, shape.rect = v->asRect(), ++forms;
    if (auto v = obj.find("polygon")) shape.type = ClipShape::Polygon, shape.points = v->asPoints(3), ++forms;
    if (forms != 1) obj.fail("expected exactly one of \"rect\", \"ellipse\", \"roundrect\", \"polygon\"");
    if (shape.type == ClipShape::RoundRect) shape.corner = obj.get("corner").asPoint();
    shape.op = obj.getEnum("op", kClipOps, RGN_AND, RGN_COPY, RGN_OR);
    obj.finish();
    return shape;
}

// The region of one clip piece in device units, mapped as the host maps its
// objects.
HRGN makeClipRegion(CMyDC& dc, const ClipShape& shape) {
    CRect r;
    if (shape.type != ClipShape::Polygon) {
        CMyRect rect = shape.rect.toMyRect();
        r = dc.DocToView(rect, 1);
    }
    switch (shape.type) {
    case ClipShape::Rect: return ::CreateRectRgn(r.left, r.top, r.right, r.bottom);
    case ClipShape::Ellipse: return ::CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
    case ClipShape::RoundRect: {
        CMyPoint corner = shape.corner.toMyPoint();
        const CPoint c = dc.DocToView(corner, 0);
        return ::CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, c.x, c.y);
    }
    case ClipShape::Polygon: {
        std::vector<POINT> points;
        for (const DocPoint& p : shape.points) {
            CMyPoint pt = p.toMyPoint();
            const CPoint v = dc.DocToView(pt, 1);
            points.push_back({v.x, v.y});
        }
        return ::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE);
    }
    }
    return nullptr;
}

}  // namespace

Scene parseScene(const std::string& text, const SceneOptions& options) {
    nlohmann::json doc;
    try {
        doc = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        // e.what() reads "[json.exception.parse_error.101] parse error at line 3, column 5: ..."
        std::string what = e.what();
        const auto at = what.find("parse error");
        throw SceneError("$", "invalid JSON: " + (at == std::string::npos ? what : what.substr(at)));
    } catch (const nlohmann::json::out_of_range& e) {
        // A number too large for a double: "[json.exception.out_of_range.406] number overflow ..."
        const std::string what = e.what();
        const auto at = what.find("] ");
        throw SceneError("$", "invalid JSON: " + (at == std::string::npos ? what : what.substr(at + 2)));
    }
    JsonObject root(JsonValue(doc, "$"));
    Scene scene;

    // The pass's settings first: the pattern directory must be in place
    // before an object names a pattern picture by its title.
    root.skip("comment");
    if (options.size) {
        root.skip("size");
        scene.width = options.size->x;
        scene.height = options.size->y;
    } else {
        const CPoint size = readPair(root.get("size"), 1, kMaxCanvas);
        scene.width = size.x;
        scene.height = size.y;
    }
    scene.background = root.getColor("background", scene.background);
    scene.zoom = root.getInt("zoom", 1, kMaxZoom, 100);
    if (auto v = root.find("origin")) scene.origin = readPair(*v, -1000000, 1000000);
    scene.blackWhite = root.getBool("blackWhite", false);
    if (auto v = root.find("patternDir"); v && options.patternDir.empty()) {
        fs::path dir = fs::path(v->asString());
        if (dir.is_relative()) dir = options.sceneDir / dir;
        std::error_code ec;
        if (!fs::is_directory(dir, ec)) v->fail("no such directory: " + dir.string());
        scene.patternDir = dir;
    }
    if (options.zoom) scene.zoom = *options.zoom;
    if (options.origin) scene.origin = *options.origin;
    if (options.blackWhite) scene.blackWhite = true;
    if (!options.patternDir.empty()) scene.patternDir = options.patternDir;
    if (options.applyPatternDir) {
        const fs::path dir = scene.patternDir.empty() ? defaultPatternDirectory() : scene.patternDir;
        std::string error;
        if (!dir.empty() && !usePatternDirectory(dir, &error)) throw SceneError("$.patternDir", error);
    }

    if (auto v = root.find("clip")) {
        for (const JsonValue& item : v->asArray()) {
            JsonObject piece = item.asObject();
            scene.clip.push_back(readClipShape(piece));
        }
    }

    ParseContext context{options.sceneDir};
    for (const JsonValue& item : root.get("objects").asArray()) {
        JsonObject obj = item.asObject();
        obj.skip("comment");
        const JsonValue kindValue = obj.get("kind");
        const std::string kindName = kindValue.asString();
        const SceneKind* kind = findKind(kindName);
        if (!kind) {
            std::string known;
            for (const SceneKind* k : allKinds()) known += std::string(known.empty() ? "" : ", ") + k->name;
            kindValue.fail("unknown kind \"" + kindName + "\" (known: " + known + ")");
        }
        scene.objects.push_back(kind->parse(obj, context));
        obj.finish();
    }
    root.finish();
    return scene;
}

Scene loadSceneFile(const fs::path& file, SceneOptions options) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw SceneError("$", "cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    if (options.sceneDir.empty()) options.sceneDir = file.parent_path();
    return parseScene(text.str(), options);
}

ScenePass scenePass(const Scene& scene) {
    ScenePass pass;
    pass.viewExt = CPoint(scene.zoom, scene.zoom);
    pass.origin = scene.origin;
    return pass;
}

void drawScene(const Scene& scene, CDC& cdc, const ScenePass& pass) {
    CPoint docExt = pass.docExt, viewExt = pass.viewExt, origin = pass.origin;
    CMyDC dc(&cdc, docExt, viewExt, origin);
    dc.SetReversePrint(scene.blackWhite ? 1 : 0);

    CRgn clip;
    if (!scene.clip.empty() || pass.bounds) {
        clip.Attach(::CreateRectRgn(0, 0, 0, 0));
        for (size_t i = 0; i < scene.clip.size(); ++i) {
            HRGN piece = makeClipRegion(dc, scene.clip[i]);
            if (!piece) continue;
            ::CombineRgn(clip, i == 0 ? piece : static_cast<HRGN>(clip), i == 0 ? nullptr : piece,
                         i == 0 ? RGN_COPY : scene.clip[i].op);
            ::DeleteObject(piece);
        }
        if (pass.bounds) {
            HRGN bounds = ::CreateRectRgnIndirect(&*pass.bounds);
            ::CombineRgn(clip, scene.clip.empty() ? bounds : static_cast<HRGN>(clip), bounds,
                         scene.clip.empty() ? RGN_COPY : RGN_AND);
            ::DeleteObject(bounds);
        }
        dc.SetRegionData(&clip);
    }

    DrawContext context{dc, cdc};
    for (const auto& object : scene.objects) {
        object->draw(context);
        AfxUnlockTempMaps();
    }
    if (clip.m_hObject) dc.SetRegionData(nullptr);
    AfxUnlockTempMaps();
}

void renderScene(const Scene& scene, Surface& surface) {
    surface.fill(scene.background);
    drawScene(scene, surface.dc(), scenePass(scene));
}

}  // namespace hmigfx::app
