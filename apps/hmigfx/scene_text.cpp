// Scene kinds "text", "textvc" and "button": CMyDC's text in a box, the same
// centred across its lines, and push buttons.
//
//   {"kind": "text", "rect": [l, t, r, b], "str": "Line one\nline two",
//    "font": {"lfFaceName": "Arial", "lfHeight": -14, "lfWeight": "bold", ...},
//    "crText": "#000080", "crBack": "#FFFFE0", "nFormat": "center",
//    "bTransparent": false, "nAngle": 90}
//   {"kind": "button", "rect": [...], "str": "&Start", "font": {...},
//    "crText": "#000000", "crBack": "#F0F0F0",
//    "nFormat": ["center", "vcenter", "singleline"], "bFocus": true, "bPushed": false}
//
// "font" takes LOGFONTW's fields by name, every one optional: lfHeight and
// lfWidth in document units (default -12 and 0), lfEscapement, lfOrientation,
// lfWeight (a number or thin ... heavy), lfItalic, lfUnderline, lfStrikeOut
// (true/false or 0/1), lfCharSet (a number or ansi, default, symbol, shiftjis,
// hangul, gb2312, chinesebig5, ...), lfOutPrecision, lfClipPrecision,
// lfQuality (a number or default, draft, proof, nonantialiased, antialiased,
// cleartype), lfPitchAndFamily and lfFaceName (default "Arial").
// "nFormat" is DrawText's flags: a number, one name or a list of names.
// Text is transparent unless "bTransparent" says otherwise; a rectangle with
// a fractional coordinate is drawn through the CMyRect overloads.
#include "scene_kinds.h"

#include "text_util.h"

#include <string>

namespace hmigfx::app {
namespace {

const EnumTable kWeights = {
    {"dontcare", FW_DONTCARE}, {"thin", FW_THIN},     {"extralight", FW_EXTRALIGHT}, {"light", FW_LIGHT},
    {"normal", FW_NORMAL},     {"regular", FW_NORMAL}, {"medium", FW_MEDIUM},        {"semibold", FW_SEMIBOLD},
    {"bold", FW_BOLD},         {"extrabold", FW_EXTRABOLD}, {"heavy", FW_HEAVY},
};

// The Win32 charset values.
const EnumTable kCharSets = {
    {"ansi", 0},     {"default", 1},   {"symbol", 2},   {"shiftjis", 128}, {"hangul", 129},
    {"gb2312", 134}, {"chinesebig5", 136}, {"greek", 161}, {"turkish", 162}, {"hebrew", 177},
    {"arabic", 178}, {"baltic", 186},  {"russian", 204}, {"thai", 222},    {"easteurope", 238},
    {"oem", 255},
};

const EnumTable kQualities = {
    {"default", DEFAULT_QUALITY},         {"draft", DRAFT_QUALITY},
    {"proof", PROOF_QUALITY},             {"nonantialiased", NONANTIALIASED_QUALITY},
    {"antialiased", ANTIALIASED_QUALITY}, {"cleartype", CLEARTYPE_QUALITY},
};

const EnumTable kFormatFlags = {
    {"left", DT_LEFT},           {"top", DT_TOP},           {"center", DT_CENTER},
    {"centre", DT_CENTER},       {"right", DT_RIGHT},       {"vcenter", DT_VCENTER},
    {"vcentre", DT_VCENTER},     {"bottom", DT_BOTTOM},     {"wordbreak", DT_WORDBREAK},
    {"singleline", DT_SINGLELINE}, {"expandtabs", DT_EXPANDTABS}, {"noclip", DT_NOCLIP},
    {"noprefix", DT_NOPREFIX},   {"endellipsis", DT_END_ELLIPSIS},
};

BYTE readByte(JsonObject& obj, const char* key, const EnumTable& table, int def) {
    return static_cast<BYTE>(obj.getEnum(key, table, 0, 255, def));
}

BYTE readFlag(JsonObject& obj, const char* key) {
    auto v = obj.find(key);
    if (!v) return 0;
    if (v->raw().is_boolean()) return v->asBool() ? 1 : 0;
    return static_cast<BYTE>(v->asInt(0, 255));
}

LOGFONTW readFont(JsonObject& obj) {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    std::wstring face = L"Arial";
    if (auto v = obj.find("font")) {
        JsonObject font = v->asObject();
        lf.lfHeight = font.getInt("lfHeight", -100000, 100000, -12);
        lf.lfWidth = font.getInt("lfWidth", -100000, 100000, 0);
        lf.lfEscapement = font.getInt("lfEscapement", -36000, 36000, 0);
        lf.lfOrientation = font.getInt("lfOrientation", -36000, 36000, 0);
        lf.lfWeight = font.getEnum("lfWeight", kWeights, 0, 1000, FW_NORMAL);
        lf.lfItalic = readFlag(font, "lfItalic");
        lf.lfUnderline = readFlag(font, "lfUnderline");
        lf.lfStrikeOut = readFlag(font, "lfStrikeOut");
        lf.lfCharSet = readByte(font, "lfCharSet", kCharSets, 0);
        lf.lfOutPrecision = static_cast<BYTE>(font.getInt("lfOutPrecision", 0, 255, 0));
        lf.lfClipPrecision = static_cast<BYTE>(font.getInt("lfClipPrecision", 0, 255, 0));
        lf.lfQuality = readByte(font, "lfQuality", kQualities, DEFAULT_QUALITY);
        lf.lfPitchAndFamily = static_cast<BYTE>(font.getInt("lfPitchAndFamily", 0, 255, 0));
        if (auto name = font.find("lfFaceName")) {
            face = fromUtf8(name->asString());
            if (face.size() >= LF_FACESIZE)
                name->fail("a face name holds at most " + std::to_string(LF_FACESIZE - 1) + " characters");
        }
        font.finish();
    } else {
        lf.lfWeight = FW_NORMAL;
    }
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

UINT readFormat(JsonObject& obj) {
    auto v = obj.find("nFormat");
    if (!v) return DT_LEFT;
    if (!v->isArray()) return static_cast<UINT>(v->asEnum(kFormatFlags, 0, 0x7FFFFFFF));
    UINT flags = 0;
    for (const JsonValue& item : v->asArray()) flags |= static_cast<UINT>(item.asEnum(kFormatFlags, 1, 0));
    return flags;
}

struct TextFields {
    CString str;
    DocRect rect;
    LOGFONTW lf{};
    COLORREF crText = RGB(0, 0, 0);
    COLORREF crBack = RGB(255, 255, 255);
    UINT nFormat = DT_LEFT;
};

TextFields readTextFields(JsonObject& obj) {
    TextFields f;
    f.str = CString(fromUtf8(obj.get("str").asString()).c_str());
    f.rect = obj.get("rect").asRect();
    f.lf = readFont(obj);
    f.crText = obj.getColor("crText", RGB(0, 0, 0));
    f.crBack = obj.getColor("crBack", RGB(255, 255, 255));
    f.nFormat = readFormat(obj);
    return f;
}

// The library takes its arguments by non-const reference; each draw works on copies.
class TextObject : public SceneObject {
public:
    TextObject(TextFields f, int bTransparent, int nAngle, bool centred)
        : m_f(std::move(f)), m_bTransparent(bTransparent), m_nAngle(nAngle), m_centred(centred) {}

    void draw(DrawContext& ctx) const override {
        CString str = shownText(m_f.str);
        LOGFONTW lf = m_f.lf;
        if (m_f.rect.fractional) {
            CMyRect r = m_f.rect.toMyRect();
            if (m_centred)
                ctx.dc.ObjDrawTextVC(str, r, lf, m_f.crText, m_f.crBack, m_f.nFormat, m_bTransparent, m_nAngle);
            else
                ctx.dc.ObjDrawText(str, r, lf, m_f.crText, m_f.crBack, m_f.nFormat, m_bTransparent, m_nAngle);
        } else {
            CRect r = m_f.rect.toCRect();
            if (m_centred)
                ctx.dc.ObjDrawTextVC(str, r, lf, m_f.crText, m_f.crBack, m_f.nFormat, m_bTransparent, m_nAngle);
            else
                ctx.dc.ObjDrawText(str, r, lf, m_f.crText, m_f.crBack, m_f.nFormat, m_bTransparent, m_nAngle);
        }
    }

    std::optional<CRect> extent() const override { return m_f.rect.bounds(); }

private:
    TextFields m_f;
    int m_bTransparent;
    int m_nAngle;
    bool m_centred;
};

std::unique_ptr<SceneObject> parseTextKind(JsonObject& obj, bool centred) {
    TextFields f = readTextFields(obj);
    const int bTransparent = obj.has("bTransparent") ? readTransparent(obj) : 1;
    const int nAngle = obj.getInt("nAngle", -3600, 3600, 0);
    return std::make_unique<TextObject>(std::move(f), bTransparent, nAngle, centred);
}

std::unique_ptr<SceneObject> parseText(JsonObject& obj, const ParseContext&) { return parseTextKind(obj, false); }
std::unique_ptr<SceneObject> parseTextVC(JsonObject& obj, const ParseContext&) { return parseTextKind(obj, true); }

class ButtonObject : public SceneObject {
public:
    ButtonObject(TextFields f, bool focus, bool pushed) : m_f(std::move(f)), m_focus(focus), m_pushed(pushed) {}

    void draw(DrawContext& ctx) const override {
        CString str = shownText(m_f.str);
        LOGFONTW lf = m_f.lf;
        if (m_f.rect.fractional) {
            CMyRect r = m_f.rect.toMyRect();
            ctx.dc.ObjDrawButton(str, m_focus, m_pushed, r, lf, m_f.crText, m_f.crBack, m_f.nFormat);
        } else {
            CRect r = m_f.rect.toCRect();
            ctx.dc.ObjDrawButton(str, m_focus, m_pushed, r, lf, m_f.crText, m_f.crBack, m_f.nFormat);
        }
    }

    std::optional<CRect> extent() const override { return m_f.rect.bounds(); }

private:
    TextFields m_f;
    bool m_focus, m_pushed;
};

std::unique_ptr<SceneObject> parseButton(JsonObject& obj, const ParseContext&) {
    TextFields f = readTextFields(obj);
    if (!obj.has("crBack")) f.crBack = GetSysColor(COLOR_BTNFACE);
    const bool focus = obj.getBool("bFocus", false), pushed = obj.getBool("bPushed", false);
    return std::make_unique<ButtonObject>(std::move(f), focus, pushed);
}

}  // namespace

HMIGFX_SCENE_KIND(text, "text",
                  "text in a box: str, rect, font {lfFaceName, lfHeight, ...}, crText, crBack, nFormat, "
                  "bTransparent, nAngle",
                  parseText);
HMIGFX_SCENE_KIND(textvc, "textvc", "text centred across its lines: the members of \"text\"", parseTextVC);
HMIGFX_SCENE_KIND(button, "button",
                  "a push button: str, rect, font, crText, crBack, nFormat, bFocus, bPushed", parseButton);

}  // namespace hmigfx::app
