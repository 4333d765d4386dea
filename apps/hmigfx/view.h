// `hmigfx view`: a scene in a window, drawn through the same scene pass as
// `hmigfx render`, with an editor's navigation: the wheel zooms about the
// cursor, the right or middle button drags the picture, the left button
// draws the library's rubber band and selects what it encloses, a double
// click opens the object's pen in a property dialog with the spin edit.
// The window is an ordinary window of the USER subset: on the desktop when
// the program installed a display back end, headless otherwise.
#pragma once

#include "scene.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hmigfx::app {

class PenWidthDialog;

class SceneView : public CWnd {
public:
    SceneView(std::filesystem::path file, SceneOptions options, Scene scene);
    ~SceneView() override;

    // Makes and shows the window, its client area the scene's size.
    bool Open();

    int zoom() const { return m_zoom; }
    CPoint origin() const { return m_origin; }
    const std::vector<size_t>& selection() const { return m_selection; }

    // Moves the picture by (dx, dy) pixels; only the strip it uncovers is
    // painted again.
    void ScrollBy(int dx, int dy);
    // Zooms to `zoom` percent keeping the document point under `at` (client
    // coordinates) where it is.
    void ZoomAt(int zoom, CPoint at);
    // Reads the file again. When it no longer loads, the last good scene stays
    // and the title shows the error; false then.
    bool Reload();
    // Opens the pen width dialog for the object under `at` (client
    // coordinates); false when no object with a pen is there.
    bool EditObjectAt(CPoint at);
    // The open property dialog, for the message loop's keyboard handling.
    HWND dialog() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnMouseMove(UINT flags, CPoint at);
    afx_msg void OnLButtonDown(UINT flags, CPoint at);
    afx_msg void OnLButtonUp(UINT flags, CPoint at);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint at);
    afx_msg void OnRButtonDown(UINT flags, CPoint at);
    afx_msg void OnRButtonUp(UINT flags, CPoint at);
    afx_msg void OnMButtonDown(UINT flags, CPoint at);
    afx_msg void OnMButtonUp(UINT flags, CPoint at);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint screen);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnCaptureChanged(CWnd* wnd);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
    afx_msg LRESULT OnDialogDone(WPARAM, LPARAM);
    afx_msg LRESULT OnPrintClient(WPARAM dc, LPARAM flags);
    DECLARE_MESSAGE_MAP()

private:
    enum class Drag { None, Band, Pan };

    CPoint toDoc(CPoint client) const;
    CRect toClient(const CRect& doc) const;
    void updateTitle();
    void paint(CDC& dc, const RECT& area);
    void xorBand(CDC& dc);
    void showBand(bool shown);
    void endDrag();
    void select(std::vector<size_t> objects);
    void invalidateObject(size_t index, int margin);
    std::optional<size_t> objectAt(CPoint client) const;
    void rememberFile();

    std::filesystem::path m_file;
    SceneOptions m_options;
    Scene m_scene;
    int m_zoom;
    CPoint m_origin;
    int m_homeZoom;
    CPoint m_homeOrigin;
    std::vector<size_t> m_selection;

    Drag m_drag = Drag::None;
    CPoint m_dragFrom;  // client coordinates
    CPoint m_dragTo;
    bool m_bandShown = false;

    bool m_cursorIn = false;
    CPoint m_cursor;  // client coordinates
    std::string m_error;  // why the file on disk does not load
    std::filesystem::file_time_type m_fileTime{};
    uintmax_t m_fileSize = 0;

    std::unique_ptr<PenWidthDialog> m_dialog;
};

// The property dialog for an object's pen width: a real top-level window with
// the library's spin edit in the pen width configuration. Every valid width
// typed or stepped to is handed to `changed` at once; Cancel hands back the
// width it started with. `done` follows either button, or the close box.
class PenWidthDialog : public CWnd {
public:
    PenWidthDialog(CPoint width, std::function<void(CPoint)> changed, std::function<void()> done);
    ~PenWidthDialog() override;
    // Shows the dialog with its top-left at `screen`, owned by `owner`.
    bool Open(CWnd* owner, CPoint screen);

protected:
    afx_msg void OnWidthChange();
    afx_msg void OnOK();
    afx_msg void OnCancel();
    afx_msg void OnClose();
    afx_msg void OnSetFocus(CWnd* old);
    DECLARE_MESSAGE_MAP()

private:
    void finish(bool keep);

    CPoint m_initial;
    CPoint m_current;
    std::function<void(CPoint)> m_changed;
    std::function<void()> m_done;
    bool m_finished = false;
    CMySpinEdit m_width;
};

// `hmigfx view`'s message loop, on a window already open; its exit status.
int runViewLoop(SceneView& view);

}  // namespace hmigfx::app
