// Realised fonts: a LOGFONTW resolved to an installed face at a pixel size,
// with GDI's metrics and a cache of advances and rasterised glyphs.
#pragma once

#include "objects_p.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

typedef struct FT_FaceRec_* FT_Face;
typedef struct FT_SizeRec_* FT_Size;

namespace hmigfx::win32 {

// A horizontal run of ink relative to the glyph's pen position.
struct GlyphRun {
    int16_t x;
    int16_t y;
    int16_t len;
};

// A rasterised glyph relative to its pen position on the baseline (y grows
// downwards). One-bit glyphs are kept as runs, ready for the span painter;
// anti-aliased ones as coverage 0..16 per pixel.
struct GlyphImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool gray = false;
    std::vector<GlyphRun> runs;      // one-bit glyphs
    std::vector<uint8_t> coverage;   // gray glyphs, width * height
};

// One face at one pixel size; a font uses its primary face and, for
// characters the primary face lacks, fallback faces at the same size.
struct SizedFace {
    FT_Face face = nullptr;  // shared, lives as long as the process
    FT_Size size = nullptr;  // owned
    bool emboldenOutline = false;
    bool slantOutline = false;
    ~SizedFace();
};

struct Glyph {
    SizedFace* source = nullptr;
    unsigned index = 0;      // glyph index in source->face; 0 is the missing-glyph box
    int advance = 0;         // unrotated pen advance in pixels, as measured
    int drawAdvance = 0;     // as drawn: one-bit glyphs are hinted for their target
    bool rendered = false;
    GlyphImage image;
};

class FontInstance {
public:
    // The realised font for lf (shared between equal LOGFONTs).
    static std::shared_ptr<FontInstance> realize(const LOGFONTW& lf);
    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    const TEXTMETRICW& metrics() const { return tm_; }
    const std::wstring& faceName() const { return faceName_; }
    int escapement() const { return escapement_; }  // tenths of a degree, 0..3599
    bool antialiased() const { return antialiased_; }
    // Offsets below the baseline (positive: downwards) of the top of the
    // underline and strike-out bars, and their thickness.
    int underlineOffset() const { return underlineOffset_; }
    int underlineSize() const { return underlineSize_; }
    int strikeoutOffset() const { return strikeoutOffset_; }
    int strikeoutSize() const { return strikeoutSize_; }
    bool underline() const { return underline_; }
    bool strikeout() const { return strikeout_; }

    // The glyph for a character, with its advance; the image is rendered on
    // first use by image().
    Glyph& glyph(uint32_t ch);
    const GlyphImage& image(Glyph& g);
    int advance(uint32_t ch) { return glyph(ch).advance; }

private:
    FontInstance() = default;
    bool load(const LOGFONTW& lf);
    SizedFace* sourceFor(uint32_t ch, unsigned* index);
    std::unique_ptr<SizedFace> sizeFace(FT_Face face, bool wantBold, bool wantItalic);
    void measure(Glyph& g);
    void render(Glyph& g);
    static void trimUnused();

    LOGFONTW lf_{};
    TEXTMETRICW tm_{};
    std::wstring faceName_;
    int ppem_ = 0;
    int xPpem_ = 0;        // horizontal pixel size when lfWidth asks for one, else 0 (= ppem_)
    int escapement_ = 0;
    bool antialiased_ = false;
    bool underline_ = false;
    bool strikeout_ = false;
    int underlineOffset_ = 0, underlineSize_ = 1, strikeoutOffset_ = 0, strikeoutSize_ = 1;
    std::unique_ptr<SizedFace> primary_;
    std::vector<std::unique_ptr<SizedFace>> fallbacks_;
    std::unordered_map<std::string, SizedFace*> fallbackByFile_;
    std::array<std::unique_ptr<Glyph>, 256> latin_{};            // the common case, without hashing
    std::unordered_map<uint32_t, std::unique_ptr<Glyph>> others_;
    size_t glyphBytes_ = 0;  // rasterised images, for the cache's budget
};

// The realised font of a font object (realised on first use), and of the
// font selected into a DC; nullptr when no installed face can serve it.
FontInstance* fontInstance(Font& f);
FontInstance* selectedFont(DC& dc);

// How many glyph images have been rasterised since the process started.
uint64_t glyphRasterizations();
// Drops every cached realisation not held by a font object, so the next
// use rasterises again.
void flushFontCache();

// A face found for a LOGFONT: the file, and the name GetTextFaceW reports.
struct FaceMatch {
    std::string file;
    int index = 0;
    std::wstring reportedName;
    bool bold = false;    // the file itself is bold / italic
    bool italic = false;
};
// Maps a face name, weight, slant and pitch/family to an installed font.
FaceMatch matchFace(const LOGFONTW& lf);
// An installed font that has a glyph for ch, or an empty file name.
FaceMatch matchFaceForChar(uint32_t ch, bool bold, bool italic);

}  // namespace hmigfx::win32
