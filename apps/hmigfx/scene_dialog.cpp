// Scene kind "dialog": a host's property dialog made of real windows (labels,
// edits, the library's spin edit, buttons), put into the state a user left
// it in, and drawn headless.
//
//   {"kind": "dialog", "at": [x, y], "title": "Line", "size": [w, h],
//    "controls": [
//      {"type": "label", "rect": [10, 14, 70, 30], "text": "Width:"},
//      {"type": "spinedit", "rect": [80, 10, 180, 32], "penWidth": [2, 25], "focus": true},
//      {"type": "button", "rect": [10, 80, 85, 103], "text": "OK", "default": true}]}
//
// "at" is the dialog's top-left in document units (mapped by the scene's
// zoom and origin); the dialog itself is drawn at its own size, "size" being
// its client area. Controls (rect in client pixels) take "text", "enabled",
// "focus" and by type:
//   edit      "selection": [start, end], "typed"
//   spinedit  the pen-width field (0-9 pt in quarters), or "range": [lo, hi]
//             with "step", "format" (decimal, hex, fixed), "decimals", "unit";
//             "value" or "penWidth" (2.25 or [2, 25]); what the user did:
//             "typed" (over the whole text), "clicks" (arrow clicks, + up,
//             - down), "keys" (arrow keys), "held": "up"/"down" (an arrow
//             still pressed: one step, shown pushed); "selection"
//   button    "default", "pushed";  checkbox "checked";  label, group
// The spin edit's arrows take 16 pixels of its rect twice, as they do in a
// Windows dialog: once picking their buddy themselves (UDS_AUTOBUDDY), once
// more when the spin edit makes the edit their buddy.
#include "scene_kinds.h"

#include "property_dialog.h"
#include "surface.h"
#include "text_util.h"

namespace hmigfx::app {
namespace {

const EnumTable kControlTypes = {
    {"label", DialogControl::Label},       {"edit", DialogControl::Edit},
    {"spinedit", DialogControl::SpinEdit}, {"button", DialogControl::Button},
    {"checkbox", DialogControl::CheckBox}, {"group", DialogControl::GroupBox},
};
const EnumTable kFormats = {{"decimal", 0}, {"hex", 1}, {"fixed", 2}};
const EnumTable kArrows = {{"up", 1}, {"down", -1}};

constexpr int kMaxDialog = 4096;

CRect readRect(JsonValue v) {
    const DocRect r = v.asRect();
    const CRect rect = r.toCRect();
    if (r.fractional || rect.left < 0 || rect.top < 0 || rect.right > kMaxDialog || rect.bottom > kMaxDialog ||
        rect.Width() <= 0 || rect.Height() <= 0)
        v.fail("expected whole pixels within the dialog, left < right and top < bottom");
    return rect;
}

std::pair<int, int> readPair(JsonValue v, int lo, int hi) {
    const auto items = v.asArray();
    if (items.size() != 2) v.fail("expected [a, b]");
    return {items[0].asInt(lo, hi), items[1].asInt(lo, hi)};
}

std::wstring readText(JsonObject& obj, const char* key) {
    auto v = obj.find(key);
    return v ? fromUtf8(v->asString()) : std::wstring();
}

void readSpinEdit(JsonObject& obj, DialogControl& c) {
    if (auto v = obj.find("range")) {
        c.range = readPair(*v, -1000000000, 1000000000);
        c.step = obj.getNumber("step", 1);
        c.format = obj.getEnum("format", kFormats, 0, 2, 0);
        c.decimals = obj.getInt("decimals", 0, 20, 0);
        c.unit = readText(obj, "unit");
    }
    if (auto v = obj.find("value")) c.value = v->asNumber();
    if (auto v = obj.find("penWidth")) {
        if (v->isArray()) {
            const auto [x, y] = readPair(*v, 0, 100000);
            c.penWidth = CPoint(x, y);
        } else {
            const double w = v->asNumber(0, 100000);
            const int whole = static_cast<int>(w);
            c.penWidth = CPoint(whole, static_cast<int>((w - whole) * 100 + 0.5));
        }
    }
    if (auto v = obj.find("typed")) c.typed = fromUtf8(v->asString());
    c.clicks = obj.getInt("clicks", -1000, 1000, 0);
    c.keys = obj.getInt("keys", -1000, 1000, 0);
    if (obj.has("held")) c.held = obj.get("held").asEnum(kArrows, 1, 0);
}

DialogControl readControl(JsonObject obj) {
    DialogControl c;
    c.type = static_cast<DialogControl::Type>(obj.get("type").asEnum(kControlTypes, 1, 0));
    c.rect = readRect(obj.get("rect"));
    c.text = readText(obj, "text");
    c.enabled = obj.getBool("enabled", true);
    c.focus = obj.getBool("focus", false);
    switch (c.type) {
    case DialogControl::SpinEdit: readSpinEdit(obj, c); [[fallthrough]];
    case DialogControl::Edit:
        if (auto v = obj.find("selection")) c.selection = readPair(*v, -1, 100000);
        if (c.type == DialogControl::Edit)
            if (auto v = obj.find("typed")) c.typed = fromUtf8(v->asString());
        break;
    case DialogControl::Button:
        c.isDefault = obj.getBool("default", false);
        c.pushed = obj.getBool("pushed", false);
        break;
    case DialogControl::CheckBox: c.checked = obj.getBool("checked", false); break;
    default: break;
    }
    obj.finish();
    return c;
}

class DialogObject : public SceneObject {
public:
    DialogObject(DialogLayout layout, DocPoint at) : m_layout(std::move(layout)), m_at(at) {}

    void draw(DrawContext& ctx) const override {
        CMyPoint doc = m_at.toMyPoint();
        const CPoint view = ctx.dc.DocToView(doc, 0);
        // The windows are made once; a repaint shows their picture again.
        if (!m_picture) {
            const CSize size = dialogSize(m_layout);
            m_picture = std::make_unique<Surface>(size.cx, size.cy);
            if (m_picture->ok() && !drawDialog(m_layout, m_picture->dc(), 0, 0)) m_picture.reset();
        }
        if (m_picture && m_picture->ok())
            ctx.cdc.BitBlt(view.x, view.y, m_picture->width(), m_picture->height(), &m_picture->dc(), 0, 0, SRCCOPY);
    }

private:
    DialogLayout m_layout;
    DocPoint m_at;
    mutable std::unique_ptr<Surface> m_picture;
};

std::unique_ptr<SceneObject> parseDialog(JsonObject& obj, const ParseContext&) {
    DialogLayout layout;
    const DocPoint at = obj.get("at").asPoint();
    layout.title = readText(obj, "title");
    if (auto v = obj.find("size")) {
        const auto [w, h] = readPair(*v, 1, kMaxDialog);
        layout.clientSize = CSize(w, h);
    }
    for (const JsonValue& item : obj.get("controls").asArray()) layout.controls.push_back(readControl(item.asObject()));
    return std::make_unique<DialogObject>(std::move(layout), at);
}

}  // namespace

HMIGFX_SCENE_KIND(dialog, "dialog",
                  "a property dialog of real windows: at, title, size, controls [{type label|edit|spinedit|\n"
                  "              button|checkbox|group, rect, text, enabled, focus, ...}]; a spinedit is the\n"
                  "              pen-width field or has range, step, format, decimals, unit; value or penWidth;\n"
                  "              typed, clicks, keys, held (what the user did); see the README",
                  parseDialog);

}  // namespace hmigfx::app
