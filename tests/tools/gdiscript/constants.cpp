// The symbolic constants the script language accepts, with their Win32 values.
#include "interpreter_p.h"

#include <cctype>
#include <cstdlib>
#include <unordered_map>

namespace hmigfx::gdiscript {
namespace {

#define K(x) {#x, static_cast<long long>(x)}

const std::unordered_map<std::string, long long>& constants() {
    static const std::unordered_map<std::string, long long> table = {
        K(PS_SOLID), K(PS_DASH), K(PS_DOT), K(PS_DASHDOT), K(PS_DASHDOTDOT), K(PS_NULL),
        K(PS_INSIDEFRAME), K(PS_USERSTYLE), K(PS_ALTERNATE), K(PS_COSMETIC), K(PS_GEOMETRIC),
        K(PS_ENDCAP_ROUND), K(PS_ENDCAP_SQUARE), K(PS_ENDCAP_FLAT),
        K(PS_JOIN_ROUND), K(PS_JOIN_BEVEL), K(PS_JOIN_MITER),
        K(BS_SOLID), K(BS_NULL), K(BS_HOLLOW), K(BS_HATCHED), K(BS_PATTERN),
        K(HS_HORIZONTAL), K(HS_VERTICAL), K(HS_FDIAGONAL), K(HS_BDIAGONAL), K(HS_CROSS), K(HS_DIAGCROSS),
        K(WHITE_BRUSH), K(LTGRAY_BRUSH), K(GRAY_BRUSH), K(DKGRAY_BRUSH), K(BLACK_BRUSH), K(NULL_BRUSH),
        K(HOLLOW_BRUSH), K(WHITE_PEN), K(BLACK_PEN), K(NULL_PEN), K(DC_BRUSH), K(DC_PEN),
        K(OEM_FIXED_FONT), K(ANSI_FIXED_FONT), K(ANSI_VAR_FONT), K(SYSTEM_FONT),
        K(DEVICE_DEFAULT_FONT), K(SYSTEM_FIXED_FONT), K(DEFAULT_GUI_FONT),
        K(R2_BLACK), K(R2_NOTMERGEPEN), K(R2_MASKNOTPEN), K(R2_NOTCOPYPEN), K(R2_MASKPENNOT),
        K(R2_NOT), K(R2_XORPEN), K(R2_NOTMASKPEN), K(R2_MASKPEN), K(R2_NOTXORPEN), K(R2_NOP),
        K(R2_MERGENOTPEN), K(R2_COPYPEN), K(R2_MERGEPENNOT), K(R2_MERGEPEN), K(R2_WHITE),
        K(TRANSPARENT), K(OPAQUE), K(ALTERNATE), K(WINDING),
        K(RGN_AND), K(RGN_OR), K(RGN_XOR), K(RGN_DIFF), K(RGN_COPY),
        K(DT_TOP), K(DT_LEFT), K(DT_CENTER), K(DT_RIGHT), K(DT_VCENTER), K(DT_BOTTOM),
        K(DT_WORDBREAK), K(DT_SINGLELINE), K(DT_EXPANDTABS), K(DT_TABSTOP), K(DT_NOCLIP),
        K(DT_EXTERNALLEADING), K(DT_CALCRECT), K(DT_NOPREFIX), K(DT_INTERNAL), K(DT_EDITCONTROL),
        K(DT_PATH_ELLIPSIS), K(DT_END_ELLIPSIS), K(DT_WORD_ELLIPSIS), K(DT_RTLREADING),
        K(DT_HIDEPREFIX), K(DT_PREFIXONLY),
        K(DFC_CAPTION), K(DFC_MENU), K(DFC_SCROLL), K(DFC_BUTTON),
        K(DFCS_BUTTONCHECK), K(DFCS_BUTTONRADIO), K(DFCS_BUTTON3STATE), K(DFCS_BUTTONPUSH),
        K(DFCS_INACTIVE), K(DFCS_PUSHED), K(DFCS_CHECKED), K(DFCS_TRANSPARENT), K(DFCS_HOT),
        K(DFCS_ADJUSTRECT), K(DFCS_FLAT), K(DFCS_MONO),
        K(SRCCOPY), K(SRCPAINT), K(SRCAND), K(SRCINVERT), K(SRCERASE), K(NOTSRCCOPY), K(NOTSRCERASE),
        K(MERGECOPY), K(MERGEPAINT), K(PATCOPY), K(PATPAINT), K(PATINVERT), K(DSTINVERT),
        K(BLACKNESS), K(WHITENESS),
        K(GRADIENT_FILL_RECT_H), K(GRADIENT_FILL_RECT_V), K(GRADIENT_FILL_TRIANGLE),
        K(BLACKONWHITE), K(WHITEONBLACK), K(COLORONCOLOR), K(HALFTONE),
        K(TA_NOUPDATECP), K(TA_UPDATECP), K(TA_LEFT), K(TA_RIGHT), K(TA_CENTER), K(TA_TOP),
        K(TA_BOTTOM), K(TA_BASELINE), K(TA_RTLREADING),
        K(MM_TEXT), K(MM_LOMETRIC), K(MM_HIMETRIC), K(MM_LOENGLISH), K(MM_HIENGLISH), K(MM_TWIPS),
        K(MM_ISOTROPIC), K(MM_ANISOTROPIC),
        K(AD_COUNTERCLOCKWISE), K(AD_CLOCKWISE), K(GM_COMPATIBLE), K(GM_ADVANCED),
        K(FW_DONTCARE), K(FW_THIN), K(FW_LIGHT), K(FW_NORMAL), K(FW_MEDIUM), K(FW_SEMIBOLD),
        K(FW_BOLD), K(FW_HEAVY),
        K(DEFAULT_CHARSET), K(ANSI_CHARSET), K(SYMBOL_CHARSET), K(OEM_CHARSET),
        K(OUT_DEFAULT_PRECIS), K(OUT_TT_PRECIS), K(OUT_TT_ONLY_PRECIS), K(OUT_RASTER_PRECIS),
        K(CLIP_DEFAULT_PRECIS), K(CLIP_LH_ANGLES),
        K(DEFAULT_QUALITY), K(DRAFT_QUALITY), K(PROOF_QUALITY), K(NONANTIALIASED_QUALITY),
        K(ANTIALIASED_QUALITY), K(CLEARTYPE_QUALITY),
        K(DEFAULT_PITCH), K(FIXED_PITCH), K(VARIABLE_PITCH), K(FF_DONTCARE), K(FF_ROMAN),
        K(FF_SWISS), K(FF_MODERN), K(FF_SCRIPT), K(FF_DECORATIVE),
        K(COLOR_WINDOW), K(COLOR_WINDOWTEXT), K(COLOR_WINDOWFRAME), K(COLOR_BTNFACE),
        K(COLOR_BTNSHADOW), K(COLOR_BTNTEXT), K(COLOR_BTNHIGHLIGHT), K(COLOR_3DDKSHADOW),
        K(COLOR_3DLIGHT), K(COLOR_GRAYTEXT), K(COLOR_HIGHLIGHT), K(COLOR_HIGHLIGHTTEXT),
    };
    return table;
}

#undef K

// One operand: a decimal or 0x-hex integer, optionally negative, or a name.
bool parseOperand(const std::string& s, long long* out) {
    if (s.empty() || s.size() >= 64) return false;
    const bool negative = s[0] == '-';
    const std::string body = negative ? s.substr(1) : s;
    if (!body.empty() && std::isdigit(static_cast<unsigned char>(body[0]))) {
        const bool hex = body.size() > 1 && body[0] == '0' && (body[1] == 'x' || body[1] == 'X');
        const std::string digits = hex ? body.substr(2) : body;
        if (digits.empty()) return false;
        for (char c : digits)
            if (!(hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c))))
                return false;
        errno = 0;
        const unsigned long long v = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
        if (errno || v > 0xffffffffull) return false;
        *out = negative ? -static_cast<long long>(v) : static_cast<long long>(v);
        return true;
    }
    if (negative) return false;
    auto it = constants().find(s);
    if (it == constants().end()) return false;
    *out = it->second;
    return true;
}

}  // namespace

bool parseNumber(const std::string& token, long long* out) {
    *out = 0;
    size_t start = 0;
    for (;;) {
        const size_t bar = token.find('|', start);
        long long v;
        if (!parseOperand(token.substr(start, bar == std::string::npos ? std::string::npos : bar - start), &v))
            return false;
        *out |= v;
        if (bar == std::string::npos) return true;
        start = bar + 1;
    }
}

}  // namespace hmigfx::gdiscript
