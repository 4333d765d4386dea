#include "view.h"

#include "text_util.h"

#include <algorithm>
#include <cmath>

namespace fs = std::filesystem;

namespace hmigfx::app {
namespace {

constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchInterval = 400;  // ms between looks at the file
constexpr UINT kDialogDone = WM_APP + 1;
constexpr int kHandleSize = 5;          // selection handles, pixels
constexpr double kNotchFactor = 1.25;   // zoom per wheel notch and per + or -
constexpr int kArrowStep = 40;          // pixels per arrow key

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

LPCWSTR viewClass() {
    // Double clicks for the property dialog; no background brush: the paint
    // covers everything with the scene's background.
    static const LPCWSTR name = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
    return name;
}

CRect normalized(CPoint a, CPoint b) {
    return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

// The file's identity for the watcher: a change of either means a new version.
bool fileStamp(const fs::path& file, fs::file_time_type* time, uintmax_t* size) {
    std::error_code ec;
    *time = fs::last_write_time(file, ec);
    if (ec) return false;
    *size = fs::file_size(file, ec);
    return !ec;
}

}  // namespace

BEGIN_MESSAGE_MAP(SceneView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_TIMER()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(kDialogDone, OnDialogDone)
END_MESSAGE_MAP()

SceneView::SceneView(fs::path file, SceneOptions options, Scene scene)
    : m_file(std::move(file)), m_options(std::move(options)), m_scene(std::move(scene)), m_zoom(m_scene.zoom),
      m_origin(m_scene.origin), m_homeZoom(m_scene.zoom), m_homeOrigin(m_scene.origin) {
    rememberFile();
}

SceneView::~SceneView() {
    m_dialog.reset();
    if (m_hWnd) DestroyWindow();
}

bool SceneView::Open() {
    RECT frame{0, 0, m_scene.width, m_scene.height};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    if (!CreateEx(0, viewClass(), L"hmigfx view", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                  frame.bottom - frame.top, nullptr, nullptr))
        return false;
    updateTitle();
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return true;
}

HWND SceneView::dialog() const { return m_dialog ? m_dialog->m_hWnd : nullptr; }

int SceneView::OnCreate(LPCREATESTRUCT) {
    SetTimer(kWatchTimer, kWatchInterval, nullptr);
    return 0;
}

void SceneView::OnDestroy() {
    KillTimer(kWatchTimer);
    ::PostQuitMessage(0);
}

// ---------------------------------------------------------------------------
// Mapping, as the scene pass maps: view = document x zoom, client = view - origin.

CPoint SceneView::toDoc(CPoint client) const {
    CPoint origin = m_origin;
    CMyDC map(m_zoom, origin);
    CPoint p = client;
    return map.ViewToDoc(p, 1);
}

CRect SceneView::toClient(const CRect& doc) const {
    CPoint origin = m_origin;
    CMyDC map(m_zoom, origin);
    CRect r = doc;
    return map.DocToView(r, 1);
}

void SceneView::updateTitle() {
    std::wstring title = L"hmigfx view: " + m_file.filename().wstring() + L" - " + std::to_wstring(m_zoom) + L"%";
    if (m_cursorIn) {
        const CPoint doc = toDoc(m_cursor);
        title += L" - " + std::to_wstring(doc.x) + L", " + std::to_wstring(doc.y);
    }
    if (!m_error.empty()) title += L" - not reloaded: " + fromUtf8(m_error);
    CString now;
    GetWindowText(now);
    if (title != static_cast<LPCWSTR>(now)) SetWindowText(title.c_str());
}

// ---------------------------------------------------------------------------
// Painting

BOOL SceneView::OnEraseBkgnd(CDC*) { return TRUE; }

void SceneView::OnPaint() {
    CPaintDC dc(this);
    paint(dc, dc.m_ps.rcPaint);
}

// PrintWindow and WM_PRINT on Windows ask for the client area this way.
LRESULT SceneView::OnPrintClient(WPARAM wParam, LPARAM) {
    CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    CRect client;
    GetClientRect(&client);
    const int saved = dc->SaveDC();
    paint(*dc, client);
    dc->RestoreDC(saved);
    return 0;
}

void SceneView::paint(CDC& dc, const RECT& area) {
    const HBRUSH background = ::CreateSolidBrush(m_scene.background);
    ::FillRect(dc.m_hDC, &area, background);
    ::DeleteObject(background);
    ScenePass pass;
    pass.viewExt = CPoint(m_zoom, m_zoom);
    pass.origin = m_origin;
    drawScene(m_scene, dc, pass);
    ::SetViewportOrgEx(dc.m_hDC, 0, 0, nullptr);
    for (size_t i : m_selection) {
        const CRect r = toClient(*m_scene.objects[i]->extent());
        for (const CPoint& corner : {r.TopLeft(), CPoint(r.right, r.top), CPoint(r.left, r.bottom), r.BottomRight()})
            ::PatBlt(dc.m_hDC, corner.x - kHandleSize / 2, corner.y - kHandleSize / 2, kHandleSize, kHandleSize,
                     BLACKNESS);
    }
    // The rubber band stays whole: the repainted part gets its share again.
    if (m_bandShown) xorBand(dc);
}

void SceneView::invalidateObject(size_t index, int margin) {
    const std::optional<CRect> e = m_scene.objects[index]->extent();
    if (!e) return;
    CRect r = toClient(*e);
    r.InflateRect(margin, margin);
    InvalidateRect(&r, FALSE);
}

// ---------------------------------------------------------------------------
// Navigation

void SceneView::ScrollBy(int dx, int dy) {
    if (!dx && !dy) return;
    const bool band = m_bandShown;
    showBand(false);
    m_origin.x -= dx;
    m_origin.y -= dy;
    ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    UpdateWindow();
    showBand(band);
    updateTitle();
}

void SceneView::ZoomAt(int zoom, CPoint at) {
    zoom = std::clamp(zoom, 1, kMaxZoom);
    if (zoom == m_zoom) return;
    const bool band = m_bandShown;
    showBand(false);
    // The document point under `at`, unrounded, stays under it.
    const double x = (at.x + m_origin.x) * 100.0 / m_zoom, y = (at.y + m_origin.y) * 100.0 / m_zoom;
    m_origin = CPoint(static_cast<int>(x * zoom / 100.0) - at.x, static_cast<int>(y * zoom / 100.0) - at.y);
    m_zoom = zoom;
    Invalidate(FALSE);
    UpdateWindow();
    showBand(band);
    updateTitle();
}

BOOL SceneView::OnMouseWheel(UINT, short delta, CPoint screen) {
    ScreenToClient(&screen);
    const int zoom = static_cast<int>(std::lround(m_zoom * std::pow(kNotchFactor, delta / double(WHEEL_DELTA))));
    // Small zooms still move by a step.
    ZoomAt(zoom != m_zoom ? zoom : m_zoom + (delta > 0 ? 1 : -1), screen);
    return TRUE;
}

void SceneView::OnChar(UINT ch, UINT, UINT) {
    CRect client;
    GetClientRect(&client);
    const CPoint centre = client.CenterPoint();
    if (ch == L'+' || ch == L'=') ZoomAt(static_cast<int>(std::lround(m_zoom * kNotchFactor)), centre);
    if (ch == L'-') ZoomAt(std::min(m_zoom - 1, static_cast<int>(std::lround(m_zoom / kNotchFactor))), centre);
    if (ch == L'0' && (m_zoom != m_homeZoom || m_origin != m_homeOrigin)) {
        m_zoom = m_homeZoom;
        m_origin = m_homeOrigin;
        Invalidate(FALSE);
        updateTitle();
    }
}

void SceneView::OnKeyDown(UINT key, UINT, UINT) {
    switch (key) {
    case VK_LEFT: ScrollBy(kArrowStep, 0); break;
    case VK_RIGHT: ScrollBy(-kArrowStep, 0); break;
    case VK_UP: ScrollBy(0, kArrowStep); break;
    case VK_DOWN: ScrollBy(0, -kArrowStep); break;
    case VK_F5: Reload(); break;
    case VK_ESCAPE:
        if (m_drag != Drag::None)
            endDrag();
        else
            DestroyWindow();
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------
// The mouse: the left button draws a rubber band, the others drag the picture.

BOOL SceneView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (m_drag == Drag::Pan) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

void SceneView::OnMouseMove(UINT, CPoint at) {
    if (!m_cursorIn) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
        m_cursorIn = true;
    }
    m_cursor = at;
    if (m_drag == Drag::Pan) {
        const CPoint by = at - m_dragTo;
        m_dragTo = at;
        ScrollBy(by.x, by.y);
    } else if (m_drag == Drag::Band && at != m_dragTo) {
        showBand(false);
        m_dragTo = at;
        showBand(true);
    }
    updateTitle();
}

LRESULT SceneView::OnMouseLeave(WPARAM, LPARAM) {
    m_cursorIn = false;
    updateTitle();
    return 0;
}

void SceneView::OnLButtonDown(UINT, CPoint at) {
    SetFocus();
    SetCapture();
    m_drag = Drag::Band;
    m_dragFrom = m_dragTo = at;
}

void SceneView::OnLButtonUp(UINT, CPoint at) {
    if (m_drag != Drag::Band) return;
    const bool dragged = m_bandShown;
    const CRect band = normalized(toDoc(m_dragFrom), toDoc(at));
    endDrag();
    std::vector<size_t> picked;
    if (dragged) {
        for (size_t i = 0; i < m_scene.objects.size(); ++i) {
            const std::optional<CRect> e = m_scene.objects[i]->extent();
            if (e && e->left >= band.left && e->right <= band.right && e->top >= band.top && e->bottom <= band.bottom)
                picked.push_back(i);
        }
    } else if (const std::optional<size_t> hit = objectAt(at)) {
        picked.push_back(*hit);
    }
    select(std::move(picked));
}

void SceneView::OnLButtonDblClk(UINT, CPoint at) { EditObjectAt(at); }

void SceneView::OnRButtonDown(UINT, CPoint at) {
    SetCapture();
    m_drag = Drag::Pan;
    m_dragTo = at;
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
}

void SceneView::OnRButtonUp(UINT, CPoint) {
    if (m_drag == Drag::Pan) endDrag();
}

void SceneView::OnMButtonDown(UINT flags, CPoint at) { OnRButtonDown(flags, at); }
void SceneView::OnMButtonUp(UINT flags, CPoint at) { OnRButtonUp(flags, at); }

void SceneView::OnCaptureChanged(CWnd*) {
    if (m_drag != Drag::None) endDrag();
}

void SceneView::endDrag() {
    showBand(false);
    m_drag = Drag::None;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

// The band is the library's XOR rectangle: drawn twice, it is gone.
void SceneView::xorBand(CDC& dc) {
    CPoint origin = m_origin;
    CMyDC map(&dc, m_zoom, origin);
    CRect band = normalized(toDoc(m_dragFrom), toDoc(m_dragTo));
    const HGDIOBJ old = ::SelectObject(dc.m_hDC, ::GetStockObject(NULL_BRUSH));
    map.XorDrawRect(band, PS_DOT);
    ::SelectObject(dc.m_hDC, old);
    ::SetViewportOrgEx(dc.m_hDC, 0, 0, nullptr);
}

void SceneView::showBand(bool shown) {
    if (shown == m_bandShown || (shown && m_drag != Drag::Band)) return;
    CClientDC dc(this);
    xorBand(dc);
    m_bandShown = shown;
}

std::optional<size_t> SceneView::objectAt(CPoint client) const {
    const CPoint doc = toDoc(client);
    for (size_t i = m_scene.objects.size(); i-- > 0;)  // the topmost first
        if (m_scene.objects[i]->hits(doc)) return i;
    return std::nullopt;
}

void SceneView::select(std::vector<size_t> objects) {
    if (objects == m_selection) return;
    for (size_t i : m_selection) invalidateObject(i, kHandleSize);
    m_selection = std::move(objects);
    for (size_t i : m_selection) invalidateObject(i, kHandleSize);
}

// ---------------------------------------------------------------------------
// The property dialog

bool SceneView::EditObjectAt(CPoint at) {
    if (m_dialog) return false;
    const std::optional<size_t> hit = objectAt(at);
    LOGPEN* pen = hit ? m_scene.objects[*hit]->pen() : nullptr;
    if (!pen) return false;
    select({*hit});
    const size_t index = *hit;
    const CPoint width(pen->lopnWidth.x, pen->lopnWidth.y);
    m_dialog = std::make_unique<PenWidthDialog>(
        width,
        [this, index](CPoint w) {
            LOGPEN* p = m_scene.objects[index]->pen();
            CPoint penOrigin;
            CMyDC map(m_zoom, penOrigin);
            const int before = static_cast<int>(map.penDocToView(p->lopnWidth));
            p->lopnWidth = POINT{w.x, w.y};
            const int after = static_cast<int>(map.penDocToView(p->lopnWidth));
            // The old outline and the new one, wide pens reaching past the box.
            invalidateObject(index, std::max(before, after) + kHandleSize);
        },
        [this] {
            EnableWindow(TRUE);
            PostMessage(kDialogDone);
        });
    CPoint screen = at;
    ClientToScreen(&screen);
    EnableWindow(FALSE);  // modal: the view waits for the dialog
    if (!m_dialog->Open(this, screen + CPoint(16, 16))) {
        EnableWindow(TRUE);
        m_dialog.reset();
        return false;
    }
    return true;
}

LRESULT SceneView::OnDialogDone(WPARAM, LPARAM) {
    m_dialog.reset();
    SetActiveWindow();
    return 0;
}

// ---------------------------------------------------------------------------
// The file on disk

void SceneView::rememberFile() {
    if (!fileStamp(m_file, &m_fileTime, &m_fileSize)) m_fileSize = 0;
}

void SceneView::OnTimer(UINT_PTR id) {
    if (id != kWatchTimer) return;
    fs::file_time_type time;
    uintmax_t size = 0;
    if (!fileStamp(m_file, &time, &size) || (time == m_fileTime && size == m_fileSize)) return;
    Reload();
}

bool SceneView::Reload() {
    rememberFile();
    try {
        Scene scene = loadSceneFile(m_file, m_options);
        if (m_dialog) m_dialog.reset();  // its object may be gone
        EnableWindow(TRUE);
        endDrag();
        m_scene = std::move(scene);
        m_homeZoom = m_scene.zoom;
        m_homeOrigin = m_scene.origin;
        m_selection.clear();
        m_error.clear();
        Invalidate(FALSE);
    } catch (const SceneError& e) {
        m_error = e.what();
    }
    updateTitle();
    return m_error.empty();
}

// ---------------------------------------------------------------------------

int runViewLoop(SceneView& view) {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        // The dialog's keys (Tab, Enter, Escape) as a dialog manager takes them.
        const HWND dialog = view.dialog();
        if (!dialog || !::IsDialogMessageW(dialog, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        AfxUnlockTempMaps();
    }
    return got < 0 ? 1 : static_cast<int>(msg.wParam);
}

}  // namespace hmigfx::app
