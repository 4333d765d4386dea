// Face names to installed fonts. The Windows core faces map to their
// metric-compatible free counterparts, the Windows UI and CJK faces to
// designated stand-ins, and everything else goes through fontconfig, with a
// fallback chosen by pitch and family when the face is not installed.
#include "font_p.h"
#include "kernel_p.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>

namespace hmigfx::win32 {
namespace {

struct Substitute {
    const wchar_t* face;    // as written in LOGFONTW, compared case-insensitively
    const char* family;     // what fontconfig is asked for
    const char* lang;       // a language the font must cover, or nullptr
    const wchar_t* report;  // what GetTextFaceW answers (nullptr: the requested name)
};

const char* const kCjk = "zh-cn";

// Windows faces that are not installed here, and what stands in for them.
const Substitute kSubstitutes[] = {
    {L"Arial", "Liberation Sans", nullptr, nullptr},
    {L"Helvetica", "Liberation Sans", nullptr, nullptr},
    {L"Times New Roman", "Liberation Serif", nullptr, nullptr},
    {L"Times", "Liberation Serif", nullptr, nullptr},
    {L"Tms Rmn", "Liberation Serif", nullptr, nullptr},
    {L"MS Serif", "Liberation Serif", nullptr, nullptr},
    {L"Courier New", "Liberation Mono", nullptr, nullptr},
    {L"Courier", "Liberation Mono", nullptr, nullptr},
    {L"Lucida Console", "Liberation Mono", nullptr, nullptr},
    {L"Consolas", "Liberation Mono", nullptr, nullptr},
    {L"Fixedsys", "Liberation Mono", nullptr, nullptr},
    {L"Terminal", "Liberation Mono", nullptr, nullptr},
    // The UI faces: Arial's metrics are the closest installed ones.
    {L"MS Sans Serif", "Liberation Sans", nullptr, nullptr},
    {L"Microsoft Sans Serif", "Liberation Sans", nullptr, nullptr},
    {L"MS Shell Dlg", "Liberation Sans", nullptr, L"Tahoma"},
    {L"MS Shell Dlg 2", "Liberation Sans", nullptr, L"Tahoma"},
    {L"Tahoma", "Liberation Sans", nullptr, nullptr},
    {L"Segoe UI", "Liberation Sans", nullptr, nullptr},
    {L"System", "Liberation Sans", nullptr, nullptr},
    {L"Small Fonts", "Liberation Sans", nullptr, nullptr},
    {L"Verdana", "DejaVu Sans", nullptr, nullptr},
    // CJK faces: any installed font covering Chinese.
    {L"SimSun", "sans-serif", kCjk, nullptr},
    {L"NSimSun", "sans-serif", kCjk, nullptr},
    {L"\u5B8B\u4F53", "sans-serif", kCjk, nullptr},  // SimSun's own name
    {L"SimHei", "sans-serif", kCjk, nullptr},
    {L"\u9ED1\u4F53", "sans-serif", kCjk, nullptr},  // SimHei's own name
    {L"Microsoft YaHei", "sans-serif", kCjk, nullptr},
    {L"MingLiU", "sans-serif", "zh-tw", nullptr},
    {L"PMingLiU", "sans-serif", "zh-tw", nullptr},
    {L"MS Gothic", "sans-serif", "ja", nullptr},
    {L"MS Mincho", "sans-serif", "ja", nullptr},
    {L"MS UI Gothic", "sans-serif", "ja", nullptr},
    {L"Gulim", "sans-serif", "ko", nullptr},
    {L"Batang", "sans-serif", "ko", nullptr},
    {L"Arial Unicode MS", "sans-serif", kCjk, nullptr},
};

bool sameFace(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b)
        if (std::towlower(static_cast<wint_t>(*a)) != std::towlower(static_cast<wint_t>(*b))) return false;
    return *a == *b;
}

FcConfig* config() {
    static FcConfig* cfg = [] {
        FcInit();
        return FcConfigGetCurrent();
    }();
    return cfg;
}

struct Query {
    std::string family;
    const char* lang = nullptr;
    uint32_t ch = 0;  // a character the font must have, or 0
    bool bold = false;
    bool italic = false;
    bool monospace = false;
};

// The best installed font for q; matchedFamily tells whether it is the family asked for.
bool runQuery(const Query& q, FaceMatch& out, bool* matchedFamily) {
    FcPattern* pat = FcPatternCreate();
    if (!q.family.empty()) FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(q.family.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, q.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, q.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    if (q.lang) FcPatternAddString(pat, FC_LANG, reinterpret_cast<const FcChar8*>(q.lang));
    FcCharSet* cs = nullptr;
    if (q.ch) {
        cs = FcCharSetCreate();
        FcCharSetAddChar(cs, q.ch);
        FcPatternAddCharSet(pat, FC_CHARSET, cs);
    }
    FcConfigSubstitute(config(), pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res = FcResultNoMatch;
    FcPattern* m = FcFontMatch(config(), pat, &res);
    FcPatternDestroy(pat);
    bool ok = false;
    if (m) {
        FcChar8* file = nullptr;
        FcCharSet* have = nullptr;
        const bool covers = !q.ch || (FcPatternGetCharSet(m, FC_CHARSET, 0, &have) == FcResultMatch &&
                                      FcCharSetHasChar(have, q.ch));
        if (covers && FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch) {
            ok = true;
            out.file = reinterpret_cast<const char*>(file);
            int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
            FcPatternGetInteger(m, FC_INDEX, 0, &index);
            FcPatternGetInteger(m, FC_WEIGHT, 0, &weight);
            FcPatternGetInteger(m, FC_SLANT, 0, &slant);
            out.index = index;
            out.bold = weight >= FC_WEIGHT_DEMIBOLD;
            out.italic = slant != FC_SLANT_ROMAN;
            FcChar8* fam = nullptr;
            if (FcPatternGetString(m, FC_FAMILY, 0, &fam) == FcResultMatch)
                out.reportedName = utf8ToWide(reinterpret_cast<const char*>(fam));
            if (matchedFamily) {
                *matchedFamily = false;
                const std::wstring want = utf8ToWide(q.family);
                for (int k = 0; FcPatternGetString(m, FC_FAMILY, k, &fam) == FcResultMatch; ++k)
                    if (sameFace(utf8ToWide(reinterpret_cast<const char*>(fam)).c_str(), want.c_str()))
                        *matchedFamily = true;
            }
        }
        FcPatternDestroy(m);
    }
    if (cs) FcCharSetDestroy(cs);
    return ok;
}

std::mutex gMapLock;

FaceMatch matchUncached(const LOGFONTW& lf, const wchar_t* name);

}  // namespace

FaceMatch matchFace(const LOGFONTW& lf) {
    std::lock_guard<std::mutex> lock(gMapLock);
    wchar_t name[LF_FACESIZE + 1] = {};
    std::copy_n(lf.lfFaceName, LF_FACESIZE, name);  // lfFaceName need not be terminated
    // Asking fontconfig takes far longer than rendering a line: remember.
    static std::map<std::wstring, FaceMatch> cache;
    std::wstring key = name;
    key += L'|';
    key += static_cast<wchar_t>(lf.lfWeight > FW_MEDIUM ? 'b' : 'r');
    key += static_cast<wchar_t>(lf.lfItalic ? 'i' : 'u');
    key += static_cast<wchar_t>(lf.lfPitchAndFamily + 1);
    key += static_cast<wchar_t>(lf.lfCharSet + 1);
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    FaceMatch found = matchUncached(lf, name);
    cache.emplace(key, found);
    return found;
}

namespace {
FaceMatch matchUncached(const LOGFONTW& lf, const wchar_t* name) {
    Query q;
    q.bold = lf.lfWeight > FW_MEDIUM;
    q.italic = lf.lfItalic != 0;
    const int family = lf.lfPitchAndFamily & 0xF0;
    q.monospace = (lf.lfPitchAndFamily & 3) == FIXED_PITCH || family == FF_MODERN;
    FaceMatch out;

    for (const Substitute& s : kSubstitutes) {
        if (!sameFace(name, s.face)) continue;
        q.family = s.family;
        q.lang = s.lang;
        if (runQuery(q, out, nullptr)) {
            out.reportedName = s.report ? s.report : s.face;
            return out;
        }
        break;
    }
    if (name[0]) {
        q.family = wideToUtf8(name);
        q.lang = nullptr;
        bool exact = false;
        if (runQuery(q, out, &exact) && exact) return out;
    }
    // Not installed: fall back by pitch and family, as GDI does; the CJK
    // character sets want a font that can show them.
    switch (lf.lfCharSet) {
    case SHIFTJIS_CHARSET: q.lang = "ja"; break;
    case HANGUL_CHARSET: q.lang = "ko"; break;
    case GB2312_CHARSET: q.lang = kCjk; break;
    case CHINESEBIG5_CHARSET: q.lang = "zh-tw"; break;
    default: q.lang = nullptr; break;
    }
    if (q.lang) q.family = "sans-serif";
    else if (q.monospace) q.family = "Liberation Mono";
    else if (family == FF_ROMAN) q.family = "Liberation Serif";
    else q.family = "Liberation Sans";
    if (runQuery(q, out, nullptr)) return out;
    q.family = "sans-serif";
    q.lang = nullptr;
    if (runQuery(q, out, nullptr)) return out;
    return FaceMatch{};
}
}  // namespace

FaceMatch matchFaceForChar(uint32_t ch, bool bold, bool italic) {
    std::lock_guard<std::mutex> lock(gMapLock);
    // Fallbacks are asked for per missing character, often the same ones.
    static std::map<uint64_t, FaceMatch> cache;
    const uint64_t key = (static_cast<uint64_t>(ch) << 2) | (bold ? 1 : 0) | (italic ? 2 : 0);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    Query q;
    q.family = "sans-serif";
    q.ch = ch;
    q.bold = bold;
    q.italic = italic;
    FaceMatch out;
    if (!runQuery(q, out, nullptr)) out = FaceMatch{};
    cache.emplace(key, out);
    return out;
}

}  // namespace hmigfx::win32

#if defined(__SANITIZE_ADDRESS__)
// fontconfig loses a few bytes once while parsing its configuration files;
// that is not ours to fix, so the leak checker is told about it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
