// DrawTextW: line feeds, word breaking, tab expansion, '&' prefixes and the
// alignment of each line inside the rectangle, drawn with ExtTextOutW.
#include "dc_p.h"
#include "font_p.h"
#include "printer_p.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cwchar>
#include <vector>

namespace hmigfx::win32 {
namespace {

// A character as displayed: prefixes already resolved.
struct Cell {
    wchar_t ch;
    bool prefixed;  // follows a single '&'
};

struct Line {
    std::vector<Cell> cells;
    std::vector<int> x;  // pen position of each cell from the line's start
    int width = 0;
};

class Layout {
public:
    Layout(FontInstance& font, UINT flags, int width) : font_(font), flags_(flags), width_(width) {
        const int stops = (flags & DT_TABSTOP) ? static_cast<int>((flags >> 8) & 0xFF) : 8;
        tabWidth_ = std::max(1, stops) * std::max<int>(1, font.metrics().tmAveCharWidth);
    }

    // Splits one paragraph (no line feeds inside) into lines.
    void addParagraph(const std::vector<Cell>& cells) {
        const bool wrap = flags_ & DT_WORDBREAK;
        size_t start = 0;
        do {
            Line line;
            int x = 0;
            size_t i = start, next = cells.size(), end = cells.size();
            for (; i < cells.size(); ++i) {
                const int w = widthAt(cells[i].ch, x);
                if (wrap && i > start && x + w > width_) {
                    // Break at the last blank at or before the overflow. Left
                    // aligned lines keep that blank, centred and right aligned
                    // ones drop it, so they sit where the words are. A word
                    // longer than the line is kept whole.
                    const bool keepBlank = !(flags_ & (DT_CENTER | DT_RIGHT));
                    // A blank that overflows takes the word before it along
                    // to the next line, as the reference breaks.
                    size_t p = i;
                    while (p > start && cells[--p].ch != L' ') {
                    }
                    if (p != start || cells[p].ch == L' ') {
                        if (keepBlank || cells[p].ch != L' ') ++p;
                        end = p;
                        next = p + (p < cells.size() && cells[p].ch == L' ' ? 1 : 0);
                    } else {
                        end = i;
                        while (end < cells.size() && cells[end].ch != L' ') ++end;
                        next = std::min(end + 1, cells.size());
                    }
                    break;
                }
                x += w;
            }
            if (i == cells.size()) end = next = cells.size();
            line.cells.assign(cells.begin() + static_cast<long>(start), cells.begin() + static_cast<long>(end));
            x = 0;
            for (const Cell& c : line.cells) {
                line.x.push_back(x);
                x += widthAt(c.ch, x);
            }
            line.width = x;
            lines.push_back(std::move(line));
            start = next;
        } while (start < cells.size());
    }

    std::vector<Line> lines;

    int widthAt(wchar_t ch, int x) const {
        if (ch == L'\t' && (flags_ & DT_EXPANDTABS)) return (x / tabWidth_ + 1) * tabWidth_ - x;
        return font_.advance(static_cast<uint32_t>(ch));
    }

private:
    FontInstance& font_;
    UINT flags_;
    int width_;
    int tabWidth_;
};

// Resolves '&' prefixes: "&x" marks x, "&&" is one '&', a final '&' stays.
std::vector<Cell> cellsOf(const wchar_t* s, size_t n, bool prefixes) {
    std::vector<Cell> out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        if (prefixes && s[i] == L'&' && i + 1 < n) {
            ++i;
            out.push_back(Cell{s[i], s[i] != L'&'});
            continue;
        }
        out.push_back(Cell{s[i], false});
    }
    return out;
}

}  // namespace
}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

int WINAPI DrawTextW(HDC h, LPCWSTR str, int count, LPRECT rect, UINT flags) {
    const PageRecord rec(h, [&] {
        return [t = keepText(str, count), count, r = keepRect(rect), flags](HDC d) {
            KeptRect c = r;
            DrawTextW(d, t.get(), count, c.get(), flags);
        };
    });
    DC* dc = findDC(h);
    if (!dc || !rect || (!str && count != 0)) return 0;
    FontInstance* font = selectedFont(*dc);
    if (!font) return 0;
    const size_t n = count < 0 ? std::wcslen(str) : static_cast<size_t>(count);
    if (flags & DT_TABSTOP) flags &= ~0xFF00u;  // those bits hold the tab size
    const TEXTMETRICW& tm = font->metrics();
    const int lineHeight = tm.tmHeight + ((flags & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    if (n == 0) {
        if (flags & DT_CALCRECT) {
            rect->right = rect->left;
            rect->bottom = rect->top;
        }
        return lineHeight;
    }

    // Positions are worked out in 64 bits and saturated: a rectangle may span
    // the whole int range.
    auto sat = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
    const bool prefixes = !(flags & DT_NOPREFIX);
    Layout layout(*font, flags, sat(int64_t{rect->right} - rect->left));
    if (flags & DT_SINGLELINE) {
        layout.addParagraph(cellsOf(str, n, prefixes));
    } else {
        for (size_t i = 0; i <= n;) {
            size_t j = i;
            while (j < n && str[j] != L'\n' && str[j] != L'\r') ++j;
            layout.addParagraph(cellsOf(str + i, j - i, prefixes));
            if (j >= n) break;
            j += (str[j] == L'\r' && j + 1 < n && str[j + 1] == L'\n') ? 2 : 1;
            if (j >= n) break;  // a final line feed opens no line
            i = j;
        }
    }

    const int64_t total = int64_t{lineHeight} * static_cast<int64_t>(layout.lines.size());
    int64_t y = rect->top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER) y = rect->top + (int64_t{rect->bottom} - rect->top) / 2 - lineHeight / 2;
        else if (flags & DT_BOTTOM) y = int64_t{rect->bottom} - lineHeight;
    }
    const int64_t firstY = y;

    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : layout.lines) widest = std::max(widest, l.width);
        rect->right = sat(int64_t{rect->left} + widest);
        rect->bottom = sat(rect->top + total);
    } else {
        const UINT options = (flags & DT_NOCLIP) ? 0 : ETO_CLIPPED;
        const bool drawText = !(flags & DT_PREFIXONLY);
        const bool drawPrefix = prefixes && !(flags & DT_HIDEPREFIX);
        std::vector<wchar_t> run;
        for (const Line& l : layout.lines) {
            int64_t x = rect->left;
            if (flags & DT_CENTER) x = rect->left + (int64_t{rect->right} - rect->left - l.width) / 2;
            else if (flags & DT_RIGHT) x = int64_t{rect->right} - l.width;
            // Expanded tabs are gaps: the text between them goes out in pieces.
            for (size_t i = 0; drawText && i < l.cells.size();) {
                if (l.cells[i].ch == L'\t' && (flags & DT_EXPANDTABS)) {
                    ++i;
                    continue;
                }
                size_t j = i;
                run.clear();
                while (j < l.cells.size() && !(l.cells[j].ch == L'\t' && (flags & DT_EXPANDTABS)))
                    run.push_back(l.cells[j++].ch);
                ExtTextOutW(h, sat(x + l.x[i]), sat(y), options, rect, run.data(), static_cast<UINT>(run.size()), nullptr);
                i = j;
            }
            // One underlined prefix per line: the last one.
            size_t p = l.cells.size();
            for (size_t i = 0; i < l.cells.size(); ++i)
                if (l.cells[i].prefixed) p = i;
            if (drawPrefix && p < l.cells.size()) {
                const int x0 = sat(x + l.x[p]);
                const int x1 = sat(x + (p + 1 < l.x.size() ? l.x[p + 1] : l.width) - 1);
                const int uy = sat(y + tm.tmAscent + 1);
                RECT bar = dc->toDevice(RECT{x0, uy, x1, sat(int64_t{uy} + 1)});
                PixRegion clip = dc->visible;
                if (options & ETO_CLIPPED) clip.intersectRect(dc->toDevice(*rect));
                PaintTile tile;
                tile.setSolid(rop2Pair(R2_COPYPEN, colorToPixel(dc->surface, dc->st.textColor),
                                       dc->surface.pixelMask()));
                paintRect(dc->surface, clip, tile, POINT{0, 0}, bar);
            }
            y += lineHeight;
        }
    }
    if ((flags & DT_SINGLELINE) && (flags & (DT_VCENTER | DT_BOTTOM))) return sat(firstY + lineHeight - rect->top);
    return sat(total);
}

}  // extern "C"
