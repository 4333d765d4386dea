// Fonts, text output and text queries.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {
namespace {

// CreateFontIndirectW takes the LOGFONTW fields that matter most, CreateFontW all of them.
HGDIOBJ createFont(const Args& a) {
    const bool full = a.in->currentCommand == "CreateFontW";
    LOGFONTW lf{};
    lf.lfHeight = a.i(0);
    lf.lfWidth = a.i(1);
    lf.lfEscapement = a.i(2);
    lf.lfOrientation = a.i(3);
    lf.lfWeight = a.i(4);
    lf.lfItalic = static_cast<BYTE>(a.u(5));
    lf.lfUnderline = static_cast<BYTE>(a.u(6));
    lf.lfStrikeOut = static_cast<BYTE>(a.u(7));
    lf.lfCharSet = static_cast<BYTE>(a.u(8));
    if (full) {
        lf.lfOutPrecision = static_cast<BYTE>(a.u(9));
        lf.lfClipPrecision = static_cast<BYTE>(a.u(10));
        lf.lfQuality = static_cast<BYTE>(a.u(11));
        lf.lfPitchAndFamily = static_cast<BYTE>(a.u(12));
    } else {
        lf.lfQuality = static_cast<BYTE>(a.u(9));
    }
    const std::wstring face = a.wideText();
    if (face.size() >= LF_FACESIZE) a.in->fail("face name too long");
    face.copy(lf.lfFaceName, face.size());
    if (full)
        return CreateFontW(lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfOrientation, lf.lfWeight, lf.lfItalic,
                           lf.lfUnderline, lf.lfStrikeOut, lf.lfCharSet, lf.lfOutPrecision, lf.lfClipPrecision,
                           lf.lfQuality, lf.lfPitchAndFamily, lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

HGDIOBJ drawText(const Args& a) {
    const std::wstring t = a.wideText();
    RECT r = a.rect(0);
    const UINT flags = a.u(4);
    const int h = DrawTextW(a.in->dc, t.c_str(), -1, &r, flags);
    if (flags & DT_CALCRECT)
        a.in->print(format("DrawTextW %d %ld %ld %ld %ld", h, static_cast<long>(r.left), static_cast<long>(r.top),
                           static_cast<long>(r.right), static_cast<long>(r.bottom)));
    else
        a.in->print(format("DrawTextW %d", h));
    return nullptr;
}

HGDIOBJ getTextExtentPoint32(const Args& a) {
    const std::wstring t = a.wideText();
    SIZE s{};
    a.in->check(GetTextExtentPoint32W(a.in->dc, t.c_str(), static_cast<int>(t.size()), &s));
    a.in->print(format("GetTextExtentPoint32W %ld %ld", static_cast<long>(s.cx), static_cast<long>(s.cy)));
    return nullptr;
}

HGDIOBJ getTextMetrics(const Args& a) {
    TEXTMETRICW tm{};
    a.in->check(GetTextMetricsW(a.in->dc, &tm));
    a.in->print(format("GetTextMetricsW %ld %ld %ld %ld %ld %ld %ld", static_cast<long>(tm.tmHeight),
                       static_cast<long>(tm.tmAscent), static_cast<long>(tm.tmDescent),
                       static_cast<long>(tm.tmInternalLeading), static_cast<long>(tm.tmExternalLeading),
                       static_cast<long>(tm.tmAveCharWidth), static_cast<long>(tm.tmMaxCharWidth)));
    return nullptr;
}

HGDIOBJ getTextFace(const Args& a) {
    WCHAR face[LF_FACESIZE] = {};
    a.in->check(GetTextFaceW(a.in->dc, LF_FACESIZE, face) != 0);
    a.in->print("GetTextFaceW " + narrow(face));
    return nullptr;
}

}  // namespace

void addTextCommands(CommandTable& t) {
    t["CreateFontIndirectW"] = {createFont, 10, 10, kNew | kText};
    t["CreateFontW"] = {createFont, 13, 13, kNew | kText};
    GDISCRIPT_CALL(t, "TextOutW", 2, 2, [&] {
        const std::wstring text = a.wideText();
        return TextOutW(dc, a.i(0), a.i(1), text.c_str(), static_cast<int>(text.size()));
    }());
    t["TextOutW"].flags = kText;
    t["DrawTextW"] = {drawText, 5, 5, kText};
    t["GetTextExtentPoint32W"] = {getTextExtentPoint32, 0, 0, kText};
    t["GetTextMetricsW"] = {getTextMetrics, 0, 0, 0};
    t["GetTextFaceW"] = {getTextFace, 0, 0, 0};
}

}  // namespace hmigfx::gdiscript
