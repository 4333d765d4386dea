#include "scene_kinds.h"

#include "text_util.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace hmigfx::app {

namespace {

std::map<std::string, SceneKind, std::less<>>& registry() {
    static std::map<std::string, SceneKind, std::less<>> kinds;
    return kinds;
}

// A pattern file's or user picture's title (case-insensitive) to its slot.
std::optional<int> findPatternTitle(int nKind, const std::string& title) {
    const std::string key = foldName(title);
    for (int slot = 0; slot < 100; ++slot) {
        CString name;
        CMyBrush::GetPatternName(nKind, slot, name);
        if (!name.IsEmpty() && foldName(toUtf8(name)) == key) return slot;
    }
    return std::nullopt;
}

}  // namespace

void registerKind(const SceneKind& kind) { registry().emplace(kind.name, kind); }

const SceneKind* findKind(std::string_view name) {
    auto it = registry().find(name);
    return it == registry().end() ? nullptr : &it->second;
}

std::vector<const SceneKind*> allKinds() {
    std::vector<const SceneKind*> kinds;
    for (const auto& [name, kind] : registry()) kinds.push_back(&kind);
    return kinds;
}

// ---------------------------------------------------------------------------
// Records

const EnumTable kPenStyles = {
    {"solid", PS_SOLID}, {"dash", PS_DASH}, {"dot", PS_DOT}, {"dashdot", PS_DASHDOT},
    {"dashdotdot", PS_DASHDOTDOT}, {"null", PS_NULL}, {"insideframe", PS_INSIDEFRAME},
};

const EnumTable kBrushStyles = {
    {"solid", BS_SOLID},
    {"hollow", BS_NULL},
    {"null", BS_NULL},
    {"hatch", BS_HATCHED},
    {"pattern", BS_PATTERN},
    {"gradient", CMyBrush::kStyleGradient},
    {"patternfile", BS_DIBPATTERN},
    {"userpicture", CMyBrush::kStyleUserPicture},
    {"picture", CMyBrush::kStyleUserPicture},
    {"none", 7},
};

const EnumTable kHatchStyles = {
    {"horizontal", HS_HORIZONTAL}, {"vertical", HS_VERTICAL}, {"fdiagonal", HS_FDIAGONAL},
    {"bdiagonal", HS_BDIAGONAL},   {"cross", HS_CROSS},       {"diagcross", HS_DIAGCROSS},
};

// "-inverse" swaps the two colours; "-mirror" runs the first colour at both
// ends and the second across the middle (or along the other diagonal).
const EnumTable kGradientModes = {
    {"vertical", 0},          {"vertical-inverse", 1},         {"vertical-mirror", 2},
    {"vertical-mirror-inverse", 3}, {"horizontal", 4},          {"horizontal-inverse", 5},
    {"horizontal-mirror", 6}, {"horizontal-mirror-inverse", 7}, {"diagonal-down", 8},
    {"diagonal-down-inverse", 9}, {"diagonal-down-mirror", 10}, {"diagonal-down-mirror-inverse", 11},
    {"diagonal-up", 12},      {"diagonal-up-inverse", 13},     {"diagonal-up-mirror", 14},
    {"diagonal-up-mirror-inverse", 15}, {"corner-top-left", 16}, {"corner-top-right", 17},
    {"corner-bottom-left", 18}, {"corner-bottom-right", 19},    {"centre", 20},
    {"centre-inverse", 21},
};

const EnumTable& builtinPatternNames() {
    // The names live in the library (read once; they never change).
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (int slot = 1; slot <= 48; ++slot) {
            CString name;
            CMyBrush::GetPatternName(3, slot, name);
            v.push_back(toUtf8(name));
        }
        return v;
    }();
    static const EnumTable table = [] {
        EnumTable t;
        for (size_t i = 0; i < names.size(); ++i)
            if (!names[i].empty()) t.push_back({names[i].c_str(), static_cast<int>(i) + 1});
        return t;
    }();
    return table;
}

LOGPEN readPen(JsonObject& pen) {
    LOGPEN lp{};
    lp.lopnStyle = static_cast<UINT>(pen.getEnum("lopnStyle", kPenStyles, 0, 255, PS_SOLID));
    lp.lopnWidth = {1, 0};
    if (auto w = pen.find("lopnWidth")) {
        if (w->isArray()) {
            auto items = w->asArray();
            if (items.size() != 2) w->fail("expected a width as a number or [whole units, hundredths]");
            lp.lopnWidth.x = items[0].asInt(0, 10000);
            lp.lopnWidth.y = items[1].asInt(0, 99);
        } else {
            // Hundredths, rounded: 2.5 is {2, 50}.
            const long hundredths = std::lround(w->asNumber(0, 10000) * 100.0);
            lp.lopnWidth.x = static_cast<LONG>(hundredths / 100);
            lp.lopnWidth.y = static_cast<LONG>(hundredths % 100);
        }
    }
    lp.lopnColor = pen.getColor("lopnColor", RGB(0, 0, 0));
    pen.finish();
    return lp;
}

LOGBRUSH readBrush(JsonObject& brush) {
    LOGBRUSH lb{};
    lb.lbStyle = static_cast<UINT>(brush.getEnum("lbStyle", kBrushStyles, 0, 255, 0));
    lb.lbColor = brush.getColor("lbColor", RGB(0, 0, 0));
    auto hatch = brush.find("lbHatch");
    switch (lb.lbStyle) {
    case BS_HATCHED:
        lb.lbHatch = hatch ? hatch->asEnum(kHatchStyles, 0, 5) : HS_CROSS;
        break;
    case BS_PATTERN:
        if (!hatch) brush.fail("missing field \"lbHatch\" (the pattern: 1-48 or its name)");
        lb.lbHatch = hatch->asEnum(builtinPatternNames(), 0, 99);
        break;
    case CMyBrush::kStyleGradient:
        lb.lbHatch = hatch ? hatch->asEnum(kGradientModes, 0, 21) : 0;
        break;
    case BS_DIBPATTERN:
    case CMyBrush::kStyleUserPicture:
        if (!hatch) brush.fail("missing field \"lbHatch\" (the picture: slot 0-99 or its title)");
        if (hatch->isString()) {
            auto slot = findPatternTitle(static_cast<int>(lb.lbStyle), hatch->asString());
            if (!slot)
                hatch->fail("no " + std::string(lb.lbStyle == BS_DIBPATTERN ? "pattern file" : "user picture") + " titled \"" +
                            hatch->asString() + "\" in the pattern directory");
            lb.lbHatch = *slot;
        } else {
            lb.lbHatch = hatch->asInt(0, 99);
        }
        break;
    default:
        // Kept as given: the library ignores it for these styles.
        if (hatch) lb.lbHatch = hatch->asInt(-1000000, 1000000);
        break;
    }
    brush.finish();
    return lb;
}

int readTransparent(JsonObject& obj) {
    auto v = obj.find("bTransparent");
    if (!v) return 0;
    if (v->raw().is_boolean()) return v->asBool() ? 1 : 0;
    return v->asInt(0, 1000);
}

}  // namespace hmigfx::app
