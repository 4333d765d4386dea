// The EDIT class, single-line: text with a selection and a caret, typing
// through WM_CHAR, caret movement and selection through WM_KEYDOWN and the
// mouse, the text limit, undo, read-only and password modes, margins, and the
// EM_ messages. Changes notify the parent with EN_UPDATE (before the new
// text is shown) and EN_CHANGE (after). ES_MULTILINE edits are drawn and
// edited as one line. WM_CUT, WM_COPY and WM_PASTE (and their keys) go
// through the clipboard as CF_UNICODETEXT.
#include "window_p.h"

#include <algorithm>
#include <cwctype>

namespace hmigfx::win32 {
namespace {

constexpr int kDefaultLimit = 30000;       // before EM_LIMITTEXT
constexpr int kUnlimited = 0x7FFFFFFE;     // EM_LIMITTEXT 0

struct EditState {
    std::wstring text;
    int anchor = 0;  // the selection runs from the anchor to the caret
    int caret = 0;
    int limit = kDefaultLimit;
    HFONT font = nullptr;
    int leftMargin = 0;
    int rightMargin = 0;
    int scroll = 0;  // pixels of text scrolled out at the left
    bool modified = false;
    bool focused = false;
    bool selecting = false;  // the mouse drags a selection
    WCHAR password = 0;
    std::wstring undoText;
    int undoAnchor = 0;
    int undoCaret = 0;
    bool canUndo = false;

    int selMin() const { return std::min(anchor, caret); }
    int selMax() const { return std::max(anchor, caret); }
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE)); }

// What is shown: the text, or the password character in its place.
std::wstring shown(const EditState* st) {
    return st->password ? std::wstring(st->text.size(), st->password) : st->text;
}

// A DC of the edit with its font selected, for measuring.
struct MeasureDC {
    HWND h;
    HDC dc;
    HGDIOBJ old;
    MeasureDC(HWND hwnd, const EditState* st) : h(hwnd), dc(GetDC(hwnd)), old(SelectObject(dc, controlFont(st->font))) {}
    ~MeasureDC() {
        SelectObject(dc, old);
        ReleaseDC(h, dc);
    }
};

int lineHeight(HWND h, const EditState* st) {
    MeasureDC m(h, st);
    TEXTMETRICW tm{};
    GetTextMetricsW(m.dc, &tm);
    return tm.tmHeight;
}

// x of every character boundary: xs[i] is where character i starts.
std::vector<int> boundaries(HWND h, const EditState* st) {
    const std::wstring s = shown(st);
    std::vector<int> xs(s.size() + 1, 0);
    if (s.empty()) return xs;
    MeasureDC m(h, st);
    std::vector<INT> dx(s.size());
    SIZE size{};
    GetTextExtentExPointW(m.dc, s.c_str(), static_cast<int>(s.size()), 0, nullptr, dx.data(), &size);
    for (size_t i = 0; i < s.size(); ++i) xs[i + 1] = dx[i];
    return xs;
}

RECT formatRect(HWND h, const EditState* st) {
    RECT rc;
    GetClientRect(h, &rc);
    const int lh = lineHeight(h, st);
    rc.left += st->leftMargin;
    rc.right = std::max(rc.left, static_cast<LONG>(rc.right - st->rightMargin));
    rc.top += std::max(0, static_cast<int>(rc.bottom - rc.top - lh) / 2);
    rc.bottom = std::min(static_cast<int>(rc.bottom), static_cast<int>(rc.top) + lh);
    return rc;
}

// Where the text starts on screen (alignment and scrolling applied).
int textOrigin(HWND h, const EditState* st, const RECT& fmt, const std::vector<int>& xs) {
    const int width = fmt.right - fmt.left, textWidth = xs.back();
    const DWORD align = styleOf(h) & (ES_CENTER | ES_RIGHT);
    if (textWidth <= width) {
        if (align == ES_RIGHT) return fmt.right - textWidth;
        if (align == ES_CENTER) return fmt.left + (width - textWidth) / 2;
    }
    return fmt.left - st->scroll;
}

void scrollToCaret(HWND h, EditState* st) {
    const RECT fmt = formatRect(h, st);
    const std::vector<int> xs = boundaries(h, st);
    const int width = fmt.right - fmt.left, x = xs[static_cast<size_t>(st->caret)];
    if (xs.back() <= width) {
        st->scroll = 0;
        return;
    }
    // Jump by a quarter of the width, as the edit control scrolls.
    if (x - st->scroll > width) st->scroll = x - width + width / 4;
    if (x < st->scroll) st->scroll = std::max(0, x - width / 4);
    st->scroll = std::clamp(st->scroll, 0, std::max(0, xs.back() - width / 2));
}

void placeCaret(HWND h, EditState* st) {
    if (!st->focused) return;
    const RECT fmt = formatRect(h, st);
    const std::vector<int> xs = boundaries(h, st);
    SetCaretPos(textOrigin(h, st, fmt, xs) + xs[static_cast<size_t>(st->caret)], fmt.top);
}

void refresh(HWND h, EditState* st) {
    scrollToCaret(h, st);
    placeCaret(h, st);
    InvalidateRect(h, nullptr, FALSE);
}

int charFromX(HWND h, const EditState* st, int x) {
    const RECT fmt = formatRect(h, st);
    const std::vector<int> xs = boundaries(h, st);
    const int origin = textOrigin(h, st, fmt, xs);
    for (size_t i = 0; i + 1 < xs.size(); ++i)
        if (x < origin + (xs[i] + xs[i + 1]) / 2) return static_cast<int>(i);
    return static_cast<int>(st->text.size());
}

// Whether the edit outlived a notification (its parent may destroy it).
bool alive(HWND h, const EditState* st) { return controlState<EditState>(h) == st; }

void setSel(HWND h, EditState* st, int anchor, int caret) {
    const int n = static_cast<int>(st->text.size());
    st->anchor = std::clamp(anchor, 0, n);
    st->caret = std::clamp(caret, 0, n);
    refresh(h, st);
}

// Replaces the selection, as typing and EM_REPLACESEL do; the limit cuts the
// insertion short (EN_MAXTEXT).
void replaceSel(HWND h, EditState* st, std::wstring insert, bool undoable) {
    const int lo = st->selMin(), hi = st->selMax();
    const long room = static_cast<long>(st->limit) - (static_cast<long>(st->text.size()) - (hi - lo));
    bool cut = false;
    if (static_cast<long>(insert.size()) > std::max(0L, room)) {
        insert.resize(static_cast<size_t>(std::max(0L, room)));
        cut = true;
    }
    if (cut && insert.empty() && lo == hi) {
        notifyParent(h, EN_MAXTEXT);
        return;
    }
    if (undoable) {
        st->undoText = st->text;
        st->undoAnchor = st->anchor;
        st->undoCaret = st->caret;
        st->canUndo = true;
    }
    st->text.replace(static_cast<size_t>(lo), static_cast<size_t>(hi - lo), insert);
    st->anchor = st->caret = lo + static_cast<int>(insert.size());
    st->modified = true;
    scrollToCaret(h, st);
    notifyParent(h, EN_UPDATE);
    if (!alive(h, st)) return;
    refresh(h, st);
    UpdateWindow(h);
    notifyParent(h, EN_CHANGE);
    if (cut && alive(h, st)) notifyParent(h, EN_MAXTEXT);
}

bool isWordChar(WCHAR c) { return std::iswalnum(c) || c == L'_'; }

int wordLeft(const std::wstring& s, int i) {
    while (i > 0 && !isWordChar(s[static_cast<size_t>(i) - 1])) --i;
    while (i > 0 && isWordChar(s[static_cast<size_t>(i) - 1])) --i;
    return i;
}

int wordRight(const std::wstring& s, int i) {
    const int n = static_cast<int>(s.size());
    while (i < n && isWordChar(s[static_cast<size_t>(i)])) ++i;
    while (i < n && !isWordChar(s[static_cast<size_t>(i)])) ++i;
    return i;
}

// The selection onto the clipboard; password edits never give their text away.
void copySelection(HWND h, EditState* st) {
    if ((styleOf(h) & ES_PASSWORD) || st->anchor == st->caret) return;
    const std::wstring sel = st->text.substr(static_cast<size_t>(st->selMin()),
                                             static_cast<size_t>(st->selMax() - st->selMin()));
    if (!OpenClipboard(h)) return;
    EmptyClipboard();
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (sel.size() + 1) * sizeof(WCHAR))) {
        auto* p = static_cast<WCHAR*>(GlobalLock(mem));
        std::copy(sel.begin(), sel.end(), p);
        p[sel.size()] = 0;
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
    }
    CloseClipboard();
}

// The clipboard's text in place of the selection, up to its first line break
// (a single-line edit holds one line).
void paste(HWND h, EditState* st) {
    if ((styleOf(h) & ES_READONLY) || !OpenClipboard(h)) return;
    std::wstring text;
    if (HGLOBAL mem = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const WCHAR*>(GlobalLock(mem))) {
            const size_t cap = GlobalSize(mem) / sizeof(WCHAR);
            size_t n = 0;
            while (n < cap && p[n] && p[n] != L'\r' && p[n] != L'\n') ++n;
            text.assign(p, n);
            GlobalUnlock(mem);
        }
    }
    CloseClipboard();
    if (!text.empty()) replaceSel(h, st, text, true);
}

void onChar(HWND h, EditState* st, WCHAR ch) {
    const DWORD style = styleOf(h);
    const bool readOnly = (style & ES_READONLY) != 0;
    switch (ch) {
    case 0x01: setSel(h, st, 0, static_cast<int>(st->text.size())); return;  // Ctrl+A
    case 0x1A: SendMessageW(h, WM_UNDO, 0, 0); return;                         // Ctrl+Z
    case 0x03: SendMessageW(h, WM_COPY, 0, 0); return;                         // Ctrl+C
    case 0x18: SendMessageW(h, WM_CUT, 0, 0); return;                          // Ctrl+X
    case 0x16: SendMessageW(h, WM_PASTE, 0, 0); return;                        // Ctrl+V
    case 0x08:                                                                  // backspace
        if (readOnly) return;
        if (st->anchor == st->caret) {
            if (st->caret == 0) return;
            st->anchor = st->caret - 1;
        }
        replaceSel(h, st, L"", true);
        return;
    default: break;
    }
    if (ch < 0x20 || readOnly) return;
    if ((style & ES_NUMBER) && !(ch >= L'0' && ch <= L'9')) {
        MessageBeep(0);
        return;
    }
    if (style & ES_UPPERCASE) ch = static_cast<WCHAR>(std::towupper(ch));
    if (style & ES_LOWERCASE) ch = static_cast<WCHAR>(std::towlower(ch));
    replaceSel(h, st, std::wstring(1, ch), true);
}

void onKeyDown(HWND h, EditState* st, UINT vk) {
    const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    const int n = static_cast<int>(st->text.size());
    int caret = st->caret;
    switch (vk) {
    case VK_LEFT:
        if (st->anchor != st->caret && !shift)
            caret = st->selMin();
        else
            caret = ctrl ? wordLeft(st->text, caret) : std::max(0, caret - 1);
        break;
    case VK_RIGHT:
        if (st->anchor != st->caret && !shift)
            caret = st->selMax();
        else
            caret = ctrl ? wordRight(st->text, caret) : std::min(n, caret + 1);
        break;
    case VK_HOME: caret = 0; break;
    case VK_END: caret = n; break;
    case VK_INSERT:
        if (ctrl) SendMessageW(h, WM_COPY, 0, 0);
        else if (shift) SendMessageW(h, WM_PASTE, 0, 0);
        return;
    case VK_DELETE:
        if (shift && !ctrl) {
            SendMessageW(h, WM_CUT, 0, 0);
            return;
        }
        if (styleOf(h) & ES_READONLY) return;
        if (st->anchor == st->caret) {
            if (st->caret == n) return;
            st->anchor = st->caret + 1;
        }
        replaceSel(h, st, L"", true);
        return;
    default: return;
    }
    setSel(h, st, shift ? st->anchor : caret, caret);
}

void paint(HWND h, EditState* st, HDC dc) {
    const DWORD style = styleOf(h);
    const bool disabled = (style & WS_DISABLED) != 0;
    RECT client;
    GetClientRect(h, &client);
    // Read-only and disabled edits take the static colours.
    const HBRUSH brush = controlColors(h, dc, (disabled || (style & ES_READONLY)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    FillRect(dc, &client, brush);
    if (disabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    const HGDIOBJ old = SelectObject(dc, controlFont(st->font));
    const RECT fmt = formatRect(h, st);
    const std::vector<int> xs = boundaries(h, st);
    const int x0 = textOrigin(h, st, fmt, xs);
    const std::wstring s = shown(st);
    const int save = SaveDC(dc);
    IntersectClipRect(dc, fmt.left, client.top, fmt.right, client.bottom);
    const bool showSel = (st->focused || (style & ES_NOHIDESEL)) && st->anchor != st->caret;
    const int lo = showSel ? st->selMin() : 0, hi = showSel ? st->selMax() : 0;
    auto run = [&](int from, int to) {
        if (to > from)
            ExtTextOutW(dc, x0 + xs[static_cast<size_t>(from)], fmt.top, 0, nullptr, s.c_str() + from,
                        static_cast<UINT>(to - from), nullptr);
    };
    run(0, lo);
    if (hi > lo) {
        const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        const int mode = SetBkMode(dc, OPAQUE);
        run(lo, hi);
        SetBkMode(dc, mode);
        SetBkColor(dc, back);
        SetTextColor(dc, text);
    }
    run(hi, static_cast<int>(s.size()));
    RestoreDC(dc, save);
    SelectObject(dc, old);
}

void setMargins(HWND h, EditState* st, UINT flags, int left, int right) {
    if (left == EC_USEFONTINFO || right == EC_USEFONTINFO) {
        // A narrow margin from the font: half its average character width.
        MeasureDC m(h, st);
        TEXTMETRICW tm{};
        GetTextMetricsW(m.dc, &tm);
        const int fromFont = (tm.tmAveCharWidth + 1) / 2;
        if (left == EC_USEFONTINFO) left = fromFont;
        if (right == EC_USEFONTINFO) right = fromFont;
    }
    if (flags & EC_LEFTMARGIN) st->leftMargin = std::max(0, left);
    if (flags & EC_RIGHTMARGIN) st->rightMargin = std::max(0, right);
}

}  // namespace

LRESULT CALLBACK editProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* st = controlState<EditState>(h);
    if (!st && msg != WM_NCCREATE) return DefWindowProcW(h, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE: {
        auto* s = new EditState;
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) s->text = cs->lpszName;
        if (cs && (cs->style & ES_PASSWORD)) s->password = L'*';
        attachControlState(h, s);
        return TRUE;
    }
    case WM_NCDESTROY: freeControlState(h, st); return 0;
    case WM_CREATE: setMargins(h, st, EC_LEFTMARGIN | EC_RIGHTMARGIN, 1, 1); return 0;
    case WM_PAINT: return paintControl(h, [&](HDC dc) { paint(h, st, dc); });
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills with the parent's brush
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        if (!buf || wParam == 0) return 0;
        const size_t n = std::min(st->text.size(), static_cast<size_t>(wParam) - 1);
        std::wmemcpy(buf, st->text.c_str(), n);
        buf[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(st->text.size());
    case WM_SETTEXT:
        // The limit applies to what the user types, not to text set this way.
        st->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        st->anchor = st->caret = 0;
        st->scroll = 0;
        st->modified = false;
        st->canUndo = false;
        notifyParent(h, EN_UPDATE);
        if (!alive(h, st)) return TRUE;
        refresh(h, st);
        notifyParent(h, EN_CHANGE);
        return TRUE;
    case WM_CHAR: onChar(h, st, static_cast<WCHAR>(wParam)); return 0;
    case WM_KEYDOWN: onKeyDown(h, st, static_cast<UINT>(wParam)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (GetFocus() != h) SetFocus(h);
        const int x = static_cast<SHORT>(LOWORD(lParam));
        const int at = charFromX(h, st, x);
        if (msg == WM_LBUTTONDBLCLK) {
            setSel(h, st, wordLeft(st->text, std::min(at + 1, static_cast<int>(st->text.size()))), wordRight(st->text, at));
            return 0;
        }
        setSel(h, st, (wParam & MK_SHIFT) ? st->anchor : at, at);
        st->selecting = true;
        SetCapture(h);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (st->selecting) setSel(h, st, st->anchor, charFromX(h, st, static_cast<SHORT>(LOWORD(lParam))));
        return 0;
    case WM_LBUTTONUP:
        if (st->selecting) {
            st->selecting = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: st->selecting = false; return 0;
    case WM_SETFOCUS:
        st->focused = true;
        CreateCaret(h, nullptr, 1, lineHeight(h, st));
        placeCaret(h, st);
        ShowCaret(h);
        InvalidateRect(h, nullptr, FALSE);
        notifyParent(h, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        st->focused = false;
        DestroyCaret();
        InvalidateRect(h, nullptr, FALSE);
        notifyParent(h, EN_KILLFOCUS);
        return 0;
    case WM_ENABLE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_SETFONT:
        st->font = reinterpret_cast<HFONT>(wParam);
        setMargins(h, st, EC_LEFTMARGIN | EC_RIGHTMARGIN, EC_USEFONTINFO, EC_USEFONTINFO);
        if (st->focused) {
            CreateCaret(h, nullptr, 1, lineHeight(h, st));
            ShowCaret(h);
        }
        refresh(h, st);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(st->font);
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_COPY: copySelection(h, st); return 0;
    case WM_CUT:
        if (styleOf(h) & (ES_READONLY | ES_PASSWORD)) return 0;
        copySelection(h, st);
        [[fallthrough]];
    case WM_CLEAR:
        if (!(styleOf(h) & ES_READONLY) && st->anchor != st->caret) replaceSel(h, st, L"", true);
        return 0;
    case WM_PASTE: paste(h, st); return 0;
    case WM_UNDO:
    case EM_UNDO:
        if (!st->canUndo) return FALSE;
        std::swap(st->text, st->undoText);
        std::swap(st->anchor, st->undoAnchor);
        std::swap(st->caret, st->undoCaret);
        st->modified = true;
        notifyParent(h, EN_UPDATE);
        if (!alive(h, st)) return TRUE;
        refresh(h, st);
        notifyParent(h, EN_CHANGE);
        return TRUE;
    case EM_CANUNDO: return st->canUndo;
    case EM_EMPTYUNDOBUFFER: st->canUndo = false; return 0;
    case EM_GETSEL: {
        const auto lo = static_cast<DWORD>(st->selMin()), hi = static_cast<DWORD>(st->selMax());
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = lo;
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = hi;
        return (lo > 0xFFFF || hi > 0xFFFF) ? -1 : MAKELONG(lo, hi);
    }
    case EM_SETSEL: {
        // -1 as the start removes the selection; a negative end runs to the end.
        int start = static_cast<int>(static_cast<INT_PTR>(wParam)), end = static_cast<int>(lParam);
        const int n = static_cast<int>(st->text.size());
        if (start == -1) {
            setSel(h, st, st->caret, st->caret);
            return 0;
        }
        if (start < 0) start = n;
        if (end < 0) end = n;
        setSel(h, st, start, end);
        return 0;
    }
    case EM_REPLACESEL: {
        const auto* s = reinterpret_cast<LPCWSTR>(lParam);
        replaceSel(h, st, s ? s : L"", wParam != 0);
        return 0;
    }
    case EM_LIMITTEXT: st->limit = wParam ? static_cast<int>(std::min<WPARAM>(wParam, kUnlimited)) : kUnlimited; return 0;
    case EM_GETLIMITTEXT: return st->limit;
    case EM_GETMODIFY: return st->modified;
    case EM_SETMODIFY: st->modified = wParam != 0; return 0;
    case EM_SETREADONLY: {
        const DWORD style = styleOf(h);
        SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(wParam ? style | ES_READONLY : style & ~ES_READONLY));
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    }
    case EM_SETPASSWORDCHAR: {
        st->password = static_cast<WCHAR>(wParam);
        const DWORD style = styleOf(h);
        SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(st->password ? style | ES_PASSWORD : style & ~ES_PASSWORD));
        refresh(h, st);
        return 0;
    }
    case EM_GETPASSWORDCHAR: return st->password;
    case EM_SETMARGINS:
        setMargins(h, st, static_cast<UINT>(wParam), static_cast<SHORT>(LOWORD(lParam)) == -1 ? EC_USEFONTINFO : LOWORD(lParam),
                   static_cast<SHORT>(HIWORD(lParam)) == -1 ? EC_USEFONTINFO : HIWORD(lParam));
        refresh(h, st);
        return 0;
    case EM_GETMARGINS: return MAKELONG(st->leftMargin, st->rightMargin);
    case EM_GETLINECOUNT: return 1;
    case EM_LINEINDEX: return (static_cast<INT_PTR>(wParam) <= 0) ? 0 : -1;
    case EM_LINEFROMCHAR: return 0;
    case EM_LINELENGTH: return static_cast<LRESULT>(st->text.size());
    case EM_GETLINE: {
        auto* buf = reinterpret_cast<LPWSTR>(lParam);
        if (!buf || wParam != 0) return 0;
        const size_t max = *reinterpret_cast<WORD*>(buf);
        const size_t n = std::min(max, st->text.size());
        std::wmemcpy(buf, st->text.c_str(), n);
        return static_cast<LRESULT>(n);
    }
    case EM_GETRECT:
        if (lParam) *reinterpret_cast<RECT*>(lParam) = formatRect(h, st);
        return 0;
    case EM_SCROLLCARET: refresh(h, st); return TRUE;
    case EM_POSFROMCHAR: {
        const int n = static_cast<int>(st->text.size());
        const int i = std::clamp(static_cast<int>(wParam), 0, n);
        const RECT fmt = formatRect(h, st);
        const std::vector<int> xs = boundaries(h, st);
        return MAKELONG(textOrigin(h, st, fmt, xs) + xs[static_cast<size_t>(i)], fmt.top);
    }
    case EM_CHARFROMPOS: return MAKELONG(charFromX(h, st, static_cast<SHORT>(LOWORD(lParam))), 0);
    default: return DefWindowProcW(h, msg, wParam, lParam);
    }
}

}  // namespace hmigfx::win32
