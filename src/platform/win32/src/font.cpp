// Font realisation with FreeType: pixel size and text metrics as GDI derives
// them from a TrueType face, and the per-font caches of advances and glyphs.
#include "dc_p.h"
#include "font_p.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GASP_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <list>
#include <map>

namespace hmigfx::win32 {
namespace {

// Larger requests are realised at this size; GDI too caps the em square.
constexpr long long kMaxPpem = 2048;
// Realised fonts that no font object holds stay around for reuse: a text
// object makes and deletes up to three fonts per drawing (upright and turned
// in view units, and at document size for measuring), so a page of a few
// dozen text styles needs this many to repaint without realising them again.
constexpr size_t kUnusedKept = 128;
// ... as long as their glyph images stay under this; zooming through sizes
// would otherwise keep a hundred fonts of huge glyphs.
constexpr size_t kUnusedGlyphBytes = size_t{32} << 20;

uint64_t gRasterized = 0;

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) l = nullptr;
        return l;
    }();
    return lib;
}

// Faces are opened once per file and kept for the process's life.
FT_Face openFace(const std::string& file, int index) {
    static std::map<std::pair<std::string, int>, FT_Face> faces;
    auto key = std::make_pair(file, index);
    auto it = faces.find(key);
    if (it != faces.end()) return it->second;
    FT_Face face = nullptr;
    if (!library() || file.empty() || FT_New_Face(library(), file.c_str(), index, &face) != 0) face = nullptr;
    if (face && !FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        face = nullptr;
    }
    if (face) FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    faces.emplace(key, face);
    return face;
}

// Rounds like Win32's MulDiv.
long long mulDiv(long long a, long long b, long long c) {
    if (c == 0) return 0;
    long long p = a * b;
    const bool neg = (p < 0) != (c < 0);
    p = p < 0 ? -p : p;
    const long long d = c < 0 ? -c : c;
    const long long q = (p + d / 2) / d;
    return neg ? -q : q;
}

struct VerticalMetrics {
    long ascent;   // font units
    long descent;  // positive below the baseline
    long lineGap;
    long hheaAscent;
    long hheaDescent;
};

VerticalMetrics verticalMetrics(FT_Face face) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    VerticalMetrics v{};
    v.hheaAscent = hhea ? hhea->Ascender : face->ascender;
    v.hheaDescent = hhea ? hhea->Descender : face->descender;
    v.lineGap = hhea ? hhea->Line_Gap : 0;
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent != 0) {
        v.ascent = os2->usWinAscent;
        v.descent = os2->usWinDescent;
    } else {
        v.ascent = v.hheaAscent;
        v.descent = -v.hheaDescent;
    }
    return v;
}

FT_Matrix toMatrix(double xx, double xy, double yx, double yy) {
    auto fx = [](double v) { return static_cast<FT_Fixed>(std::lround(v * 65536.0)); };
    return FT_Matrix{fx(xx), fx(xy), fx(yx), fx(yy)};
}

// The realised-font cache: equal LOGFONTs share one instance.
struct LogfontLess {
    bool operator()(const LOGFONTW& a, const LOGFONTW& b) const { return std::memcmp(&a, &b, sizeof a) < 0; }
};
std::map<LOGFONTW, std::weak_ptr<FontInstance>, LogfontLess> gInstances;
std::list<std::shared_ptr<FontInstance>> gRecent;  // most recent first

// The fields that do not influence realisation are cleared, and the face
// name is made canonical, so that the key compares by value.
LOGFONTW cacheKey(const LOGFONTW& lf) {
    LOGFONTW k{};
    std::memcpy(&k, &lf, offsetof(LOGFONTW, lfFaceName));
    k.lfOrientation = 0;
    k.lfOutPrecision = k.lfClipPrecision = 0;
    for (int i = 0; i < LF_FACESIZE - 1 && lf.lfFaceName[i]; ++i) k.lfFaceName[i] = lf.lfFaceName[i];
    return k;
}

void flushExpired() {
    for (auto it = gInstances.begin(); it != gInstances.end();)
        it = it->second.expired() ? gInstances.erase(it) : std::next(it);
}

}  // namespace

SizedFace::~SizedFace() {
    if (size) FT_Done_Size(size);
}

uint64_t glyphRasterizations() { return gRasterized; }

void flushFontCache() {
    gRecent.clear();
    flushExpired();
}

std::shared_ptr<FontInstance> FontInstance::realize(const LOGFONTW& lf) {
    const LOGFONTW key = cacheKey(lf);
    std::shared_ptr<FontInstance> inst;
    if (auto it = gInstances.find(key); it != gInstances.end()) inst = it->second.lock();
    if (!inst) {
        inst.reset(new FontInstance);
        if (!inst->load(key)) return nullptr;
        gInstances[key] = inst;
    }
    gRecent.remove(inst);
    gRecent.push_front(inst);
    trimUnused();
    return inst;
}

// Keeps the most recent realisations within the count and the glyph budget
// (the newest always), and forgets the ones nobody holds any more.
void FontInstance::trimUnused() {
    size_t kept = 0, bytes = 0;
    for (auto it = gRecent.begin(); it != gRecent.end();) {
        bytes += (*it)->glyphBytes_;
        if (++kept == 1 || (kept <= kUnusedKept && bytes <= kUnusedGlyphBytes)) {
            ++it;
            continue;
        }
        const LOGFONTW key = (*it)->lf_;
        it = gRecent.erase(it);
        if (auto m = gInstances.find(key); m != gInstances.end() && m->second.expired()) gInstances.erase(m);
    }
    // Fonts deleted by their owners leave expired entries behind: swept
    // whenever the table has doubled since the last sweep.
    static size_t sweepAt = 4 * kUnusedKept;
    if (gInstances.size() > sweepAt) {
        flushExpired();
        sweepAt = std::max(4 * kUnusedKept, 2 * gInstances.size());
    }
}

FontInstance::~FontInstance() = default;

std::unique_ptr<SizedFace> FontInstance::sizeFace(FT_Face face, bool wantBold, bool wantItalic) {
    auto sf = std::make_unique<SizedFace>();
    sf->face = face;
    if (FT_New_Size(face, &sf->size) != 0) return nullptr;
    FT_Activate_Size(sf->size);
    // A fallback face is sized so that its em square matches the primary's.
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(xPpem_), static_cast<FT_UInt>(ppem_)) != 0) return nullptr;
    sf->emboldenOutline = wantBold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    sf->slantOutline = wantItalic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    return sf;
}

bool FontInstance::load(const LOGFONTW& lf) {
    lf_ = lf;
    const FaceMatch match = matchFace(lf);
    FT_Face face = openFace(match.file, match.index);
    if (!face) return false;
    const bool wantBold = lf.lfWeight > FW_MEDIUM;
    const bool wantItalic = lf.lfItalic != 0;

    const VerticalMetrics v = verticalMetrics(face);
    const long upem = face->units_per_EM ? face->units_per_EM : 2048;
    // Positive heights are cell heights (ascent + descent): the largest em
    // whose unrounded cell is less than half a pixel over the request.
    // Negative heights are the em height; 0 asks for the default size.
    const long long height = lf.lfHeight == 0 ? 16 : lf.lfHeight;
    const long long cell = std::max<long long>(1, v.ascent + v.descent);
    const long long ppem = height > 0 ? ((2 * height + 1) * upem - 1) / (2 * cell) : -height;
    ppem_ = static_cast<int>(std::clamp<long long>(ppem, 1, kMaxPpem));
    primary_ = sizeFace(face, wantBold, wantItalic);
    if (!primary_) return false;

    const FT_Fixed scale = static_cast<FT_Fixed>(mulDiv(ppem_, 1 << 16, upem));
    auto px = [scale](long units) { return static_cast<LONG>(FT_MulFix(units, scale)); };
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    if (os2 && os2->version == 0xFFFF) os2 = nullptr;

    tm_.tmAscent = px(v.ascent);
    tm_.tmDescent = px(v.descent);
    tm_.tmHeight = tm_.tmAscent + tm_.tmDescent;
    tm_.tmInternalLeading = std::max<LONG>(0, px(v.ascent + v.descent - upem));
    tm_.tmExternalLeading =
        std::max<LONG>(0, px(v.lineGap - ((v.ascent + v.descent) - (v.hheaAscent - v.hheaDescent))));
    LONG avg = os2 && os2->xAvgCharWidth > 0 ? px(os2->xAvgCharWidth) : 0;
    if (avg <= 0) {
        avg = std::max(1, advance(L'x'));
        latin_[L'x'].reset();  // measured before the width scale was known
    }
    const LONG maxWidth = px(face->bbox.xMax - face->bbox.xMin);
    if (lf.lfWidth != 0) {
        const long long want = std::min<long long>(std::llabs(static_cast<long long>(lf.lfWidth)), kMaxPpem * 4);
        // A width is a horizontal pixel size of its own, hinted as such.
        const double xScale = static_cast<double>(want) / avg;
        xPpem_ = static_cast<int>(std::clamp<long long>(std::llround(ppem_ * xScale), 1, kMaxPpem * 4));
        FT_Activate_Size(primary_->size);
        FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(xPpem_), static_cast<FT_UInt>(ppem_));
        tm_.tmAveCharWidth = static_cast<LONG>(want);
        tm_.tmMaxCharWidth = static_cast<LONG>(std::lround(maxWidth * xScale));
    } else {
        tm_.tmAveCharWidth = avg;
        tm_.tmMaxCharWidth = maxWidth;
    }
    tm_.tmWeight = lf.lfWeight == FW_DONTCARE ? (match.bold ? FW_BOLD : FW_NORMAL) : lf.lfWeight;
    tm_.tmOverhang = 0;
    tm_.tmDigitizedAspectX = 96;
    tm_.tmDigitizedAspectY = 96;
    tm_.tmFirstChar = 0x20;
    // The last character is the one the face declares (Liberation Mono stops
    // at U+FE23, the other core faces at U+FFFC).
    tm_.tmLastChar = os2 ? os2->usLastCharIndex : 0xFFFC;
    tm_.tmDefaultChar = 0x1F;
    tm_.tmBreakChar = 0x20;
    tm_.tmItalic = lf.lfItalic ? 255 : 0;
    tm_.tmUnderlined = lf.lfUnderline ? 255 : 0;
    tm_.tmStruckOut = lf.lfStrikeOut ? 255 : 0;
    const bool fixed = FT_IS_FIXED_WIDTH(face) || (post && post->isFixedPitch);
    BYTE familyBits = fixed ? FF_MODERN : FF_SWISS;
    if (!fixed && os2 && os2->panose[0] == 2 && os2->panose[1] >= 2 && os2->panose[1] <= 10) familyBits = FF_ROMAN;
    // TMPF_FIXED_PITCH is set for variable-pitch fonts, as GDI has it.
    tm_.tmPitchAndFamily = static_cast<BYTE>(familyBits | TMPF_VECTOR | TMPF_TRUETYPE | (fixed ? 0 : TMPF_FIXED_PITCH));
    tm_.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? ANSI_CHARSET : lf.lfCharSet;

    underline_ = lf.lfUnderline != 0;
    strikeout_ = lf.lfStrikeOut != 0;
    const long ulPos = post ? post->underlinePosition : -(upem / 10);
    const long ulSize = post && post->underlineThickness > 0 ? post->underlineThickness : upem / 20;
    underlineSize_ = std::max<LONG>(1, px(ulSize));
    underlineOffset_ = -px(ulPos) - underlineSize_ / 2;
    const long soPos = os2 && os2->yStrikeoutPosition ? os2->yStrikeoutPosition : upem * 3 / 10;
    const long soSize = os2 && os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : ulSize;
    strikeoutSize_ = std::max<LONG>(1, px(soSize));
    strikeoutOffset_ = -px(soPos) - strikeoutSize_ / 2;

    escapement_ = static_cast<int>(((static_cast<long long>(lf.lfEscapement) % 3600) + 3600) % 3600);
    if (lf.lfQuality == NONANTIALIASED_QUALITY) {
        antialiased_ = false;
    } else {
        // The face's own table says at which sizes smoothing helps.
        const FT_Int gasp = FT_Get_Gasp(face, static_cast<FT_UInt>(ppem_));
        antialiased_ = gasp == FT_GASP_NO_TABLE || (gasp & FT_GASP_DO_GRAY) != 0;
    }
    faceName_ = match.reportedName;
    return true;
}

SizedFace* FontInstance::sourceFor(uint32_t ch, unsigned* index) {
    *index = FT_Get_Char_Index(primary_->face, ch);
    if (*index != 0 || ch < 0x80) return primary_.get();
    const bool bold = lf_.lfWeight > FW_MEDIUM, italic = lf_.lfItalic != 0;
    const FaceMatch m = matchFaceForChar(ch, bold, italic);
    if (m.file.empty()) return primary_.get();
    const std::string key = m.file + '#' + std::to_string(m.index);
    SizedFace*& slot = fallbackByFile_[key];
    if (!slot) {
        FT_Face face = openFace(m.file, m.index);
        std::unique_ptr<SizedFace> sf = face ? sizeFace(face, bold, italic) : nullptr;
        if (!sf) {
            fallbackByFile_.erase(key);
            return primary_.get();
        }
        slot = sf.get();
        fallbacks_.push_back(std::move(sf));
    }
    const unsigned idx = FT_Get_Char_Index(slot->face, ch);
    if (idx == 0) return primary_.get();
    *index = idx;
    return slot;
}

Glyph& FontInstance::glyph(uint32_t ch) {
    std::unique_ptr<Glyph>* slot;
    if (ch < latin_.size()) {
        slot = &latin_[ch];
    } else {
        slot = &others_[ch];
    }
    if (!*slot) {
        auto g = std::make_unique<Glyph>();
        g->source = sourceFor(ch, &g->index);
        measure(*g);
        *slot = std::move(g);
    }
    return **slot;
}

void FontInstance::measure(Glyph& g) {
    FT_Face face = g.source->face;
    FT_Activate_Size(g.source->size);
    FT_Set_Transform(face, nullptr, nullptr);
    if (FT_Load_Glyph(face, g.index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) {
        g.advance = 0;
        return;
    }
    long adv = (face->glyph->advance.x + 32) >> 6;
    if (g.source->emboldenOutline) ++adv;  // the outline grows by about a pixel
    g.advance = static_cast<int>(adv);
}

const GlyphImage& FontInstance::image(Glyph& g) {
    if (!g.rendered) {
        render(g);
        g.rendered = true;
        glyphBytes_ += g.image.runs.size() * sizeof(GlyphRun) + g.image.coverage.size();
    }
    return g.image;
}

void FontInstance::render(Glyph& g) {
    ++gRasterized;
    GlyphImage& img = g.image;
    g.drawAdvance = g.advance;
    FT_Face face = g.source->face;
    FT_Activate_Size(g.source->size);
    FT_Set_Transform(face, nullptr, nullptr);
    const FT_Int32 target = antialiased_ ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(face, g.index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | target) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    // Text output advances by the glyph as hinted for drawing; the extent
    // functions measure with the default hinting. GDI differs the same way.
    long adv = (slot->advance.x + 32) >> 6;
    if (g.source->emboldenOutline) ++adv;
    g.drawAdvance = static_cast<int>(adv);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
    if (g.source->emboldenOutline) FT_Outline_Embolden(&slot->outline, std::max<FT_Pos>(64, ppem_ * 64 / 24));
    // Synthetic slant, then the escapement.
    double xx = 1.0, xy = g.source->slantOutline ? 0.2 : 0.0, yx = 0.0, yy = 1.0;
    if (escapement_ != 0) {
        const double a = escapement_ * M_PI / 1800.0;
        const double c = std::cos(a), s = std::sin(a);
        const double rxx = c * xx - s * yx, rxy = c * xy - s * yy;
        const double ryx = s * xx + c * yx, ryy = s * xy + c * yy;
        xx = rxx, xy = rxy, yx = ryx, yy = ryy;
    }
    if (xx != 1.0 || xy != 0.0 || yx != 0.0 || yy != 1.0) {
        FT_Matrix m = toMatrix(xx, xy, yx, yy);
        FT_Outline_Transform(&slot->outline, &m);
    }
    if (FT_Render_Glyph(slot, antialiased_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return;
    const FT_Bitmap& bm = slot->bitmap;
    img.left = slot->bitmap_left;
    img.top = -slot->bitmap_top;
    img.width = static_cast<int>(bm.width);
    img.height = static_cast<int>(bm.rows);
    img.gray = bm.pixel_mode == FT_PIXEL_MODE_GRAY;
    if (img.gray) {
        // Sixteen levels of coverage, as GDI's anti-aliased text has.
        img.coverage.resize(static_cast<size_t>(img.width) * img.height);
        for (int y = 0; y < img.height; ++y) {
            const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
            for (int x = 0; x < img.width; ++x)
                img.coverage[static_cast<size_t>(y) * img.width + x] = static_cast<uint8_t>((src[x] * 16 + 127) / 255);
        }
    } else if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
        for (int y = 0; y < img.height; ++y) {
            const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
            auto bit = [src](int x) { return (src[x >> 3] >> (7 - (x & 7))) & 1; };
            for (int x = 0; x < img.width;) {
                if (!bit(x)) {
                    ++x;
                    continue;
                }
                int end = x + 1;
                while (end < img.width && bit(end)) ++end;
                img.runs.push_back(GlyphRun{static_cast<int16_t>(img.left + x), static_cast<int16_t>(img.top + y),
                                            static_cast<int16_t>(end - x)});
                x = end;
            }
        }
    }
}

FontInstance* fontInstance(Font& f) {
    if (!f.instance) f.instance = FontInstance::realize(f.logfont);
    return f.instance.get();
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

namespace {

FontInstance* dcFont(HDC h) {
    DC* dc = findDC(h);
    return dc ? selectedFont(*dc) : nullptr;
}

// Characters of a string, joining UTF-16 surrogate pairs that came in as
// separate WCHARs.
template <class Fn>
void forEachChar(LPCWSTR s, int n, Fn fn) {
    for (int i = 0; i < n; ++i) {
        uint32_t c = static_cast<uint32_t>(s[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n) {
            const auto lo = static_cast<uint32_t>(s[i + 1]);
            if (lo >= 0xDC00 && lo < 0xE000) {
                fn(i, 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00));
                fn(++i, UINT32_MAX);  // the low half takes no room
                continue;
            }
        }
        fn(i, c);
    }
}

}  // namespace

extern "C" {

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* lf) {
    if (!lf) return nullptr;
    auto f = std::make_unique<Font>();
    f->logfont = *lf;
    f->logfont.lfFaceName[LF_FACESIZE - 1] = 0;
    return addTyped(std::move(f));
}

HFONT WINAPI CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCWSTR face) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face)
        for (int i = 0; i < LF_FACESIZE - 1 && face[i]; ++i) lf.lfFaceName[i] = face[i];
    return CreateFontIndirectW(&lf);
}

BOOL WINAPI GetTextMetricsW(HDC h, LPTEXTMETRICW tm) {
    FontInstance* f = dcFont(h);
    if (!f || !tm) return FALSE;
    *tm = f->metrics();
    return TRUE;
}

int WINAPI GetTextFaceW(HDC h, int count, LPWSTR name) {
    FontInstance* f = dcFont(h);
    if (!f) return 0;
    const std::wstring& face = f->faceName();
    if (!name) return static_cast<int>(face.size()) + 1;
    if (count <= 0) return 0;
    const int n = std::min<int>(count - 1, static_cast<int>(face.size()));
    std::copy_n(face.data(), n, name);
    name[n] = 0;
    return n + 1;
}

BOOL WINAPI GetTextExtentExPointW(HDC h, LPCWSTR str, int count, int maxExtent, LPINT fit, LPINT dx, LPSIZE size) {
    FontInstance* f = dcFont(h);
    if (!f || count < 0 || (count > 0 && !str) || !size) return FALSE;
    long long total = 0;
    int fits = 0;
    forEachChar(str, count, [&](int i, uint32_t c) {
        if (c != UINT32_MAX) total += f->advance(c);
        if (dx) dx[i] = static_cast<int>(total);
        if (total <= maxExtent && fits == i) fits = i + 1;
    });
    if (fit) *fit = fits;
    size->cx = static_cast<LONG>(std::min<long long>(total, 0x7FFFFFFF));
    size->cy = count > 0 ? f->metrics().tmHeight : 0;  // the reference measures no text as 0 x 0
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32W(HDC h, LPCWSTR str, int count, LPSIZE size) {
    return GetTextExtentExPointW(h, str, count, 0, nullptr, nullptr, size);
}

}  // extern "C"
