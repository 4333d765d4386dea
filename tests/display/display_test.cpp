// The desktop back end under a virtual X server, driven with xdotool as a
// user drives it: `hmigfx view`'s picture as the X server shows it, and the
// messages a window procedure of ours sees for a click and a key press.
// Without an X server or xdotool the program says why and exits 77, which
// CTest reports as skipped.
#include "../app/cli_run.h"

#include <hmigfx/display_sdl.h>
#include <windows.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

extern char** environ;

namespace {

using testsupport::Image;
using Clock = std::chrono::steady_clock;

Display* gX = nullptr;

std::string xdotool(const std::string& args) {
    // A window that never comes must not hang the suite.
    FILE* p = ::popen(("timeout 10 xdotool " + args + " 2>/dev/null").c_str(), "r");
    std::string out;
    char buf[256];
    while (p && std::fgets(buf, sizeof buf, p)) out += buf;
    if (p) ::pclose(p);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

// What the X server shows of the window: its pixels as 0xRRGGBB.
Image grab(Window w) {
    Image im;
    XWindowAttributes a{};
    if (!XGetWindowAttributes(gX, w, &a)) return im;
    XImage* x = XGetImage(gX, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!x) return im;
    im.width = a.width;
    im.height = a.height;
    im.pixels.resize(size_t(a.width) * a.height);
    for (int y = 0; y < a.height; ++y)
        for (int xx = 0; xx < a.width; ++xx) im.pixels[size_t(y) * a.width + xx] = XGetPixel(x, xx, y) & 0xFFFFFF;
    XDestroyImage(x);
    return im;
}

// Polls until `ok` holds for the window's picture, for at most five seconds.
bool settles(Window w, const std::function<bool(const Image&)>& ok, Image* last = nullptr) {
    const auto end = Clock::now() + std::chrono::seconds(5);
    Image im;
    do {
        XSync(gX, False);
        im = grab(w);
        if (ok(im)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (Clock::now() < end);
    if (last) *last = im;
    return ok(im);
}

bool same(const Image& a, const Image& b) { return a.width == b.width && a.height == b.height && a.pixels == b.pixels; }

// A white page with two filled shapes in its upper left; the rest is empty.
const char kScene[] = R"({"size": [320, 240], "background": "#FFFFFF", "objects": [
  {"kind": "rectangle", "rect": [20, 20, 110, 80], "pen": {"lopnWidth": 2, "lopnColor": "#1F3A93"},
   "brush": {"lbStyle": "solid"}, "crFill": "#F5C542"},
  {"kind": "ellipse", "rect": [60, 60, 150, 130], "pen": {"lopnColor": "#7B1E3A"},
   "brush": {"lbStyle": "hatch", "lbHatch": "cross"}, "crFill": "#FFFFFF"}]})";

Image rendered(const clirun::Scratch& dir, const std::string& name, const std::string& scene) {
    const std::filesystem::path file = dir.write(name + ".json", scene), png = dir / (name + ".png");
    Image im;
    if (clirun::run("render " + clirun::quoted(file) + " -o " + clirun::quoted(png)).status == 0)
        hmigfx::pngio::readImage(png.string(), im, nullptr);
    return im;
}

// `hmigfx view FILE` in a process of its own, with its window found.
struct ViewerProcess {
    explicit ViewerProcess(const std::filesystem::path& scene) {
        const std::string cli = HMIGFX_CLI, file = scene.string();
        const char* argv[] = {cli.c_str(), "view", file.c_str(), nullptr};
        if (posix_spawn(&pid, cli.c_str(), nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return;
        id = xdotool("search --sync --onlyvisible --name '^hmigfx view: " + scene.filename().string() + "'");
        if (!id.empty()) window = std::stoul(id);
    }
    ~ViewerProcess() {
        if (pid > 0 && ::waitpid(pid, nullptr, WNOHANG) == 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    std::string title() const { return xdotool("getwindowname " + id); }
    // Escape, then the exit status (-1: still running after five seconds).
    int closeWithEscape() {
        xdotool("key Escape");
        int status = 0;
        for (int i = 0; i < 100; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50)))
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
        return -1;
    }
    pid_t pid = 0;
    std::string id;
    Window window = 0;
};

TEST(Viewer, ShowsTheRenderedPictureZoomsLeavesNoBandAndClosesOnEscape) {
    clirun::Scratch dir;
    const Image ref = rendered(dir, "ref", kScene);
    ASSERT_GT(ref.width, 0);
    ViewerProcess view(dir.write("plant.json", kScene));
    ASSERT_NE(view.window, 0u) << "no window appeared";
    const std::string& id = view.id;
    const Window w = view.window;

    Image now;
    EXPECT_TRUE(settles(w, [&](const Image& im) { return same(im, ref); }, &now)) << testsupport::samePicture(now, ref).message();

    // The rubber band over the empty part: shown while the button is down,
    // gone without a trace (XOR drawn twice) once it is released.
    xdotool("mousemove --window " + id + " 200 150 mousedown 1 mousemove --window " + id + " 240 180 mousemove --window " +
            id + " 290 220");
    EXPECT_TRUE(settles(w, [&](const Image& im) { return !same(im, ref); })) << "no rubber band";
    xdotool("mouseup 1");
    EXPECT_TRUE(settles(w, [&](const Image& im) { return same(im, ref); }, &now)) << testsupport::samePicture(now, ref).message();

    // A wheel notch away zooms in about the cursor; the zoom is in the title.
    xdotool("mousemove --window " + id + " 60 50 click 4");
    EXPECT_TRUE(settles(w, [&](const Image& im) { return !same(im, ref); })) << "the wheel changed nothing";
    EXPECT_NE(view.title().find("125%"), std::string::npos) << view.title();

    EXPECT_EQ(view.closeWithEscape(), 0);
}

// Double-clicking the rectangle opens its pen width in a dialog of real
// windows; typing a width redraws it, Enter keeps it. A file on disk that
// turns invalid keeps the picture and says why in the title; a valid one
// replaces the picture, edits and all.
TEST(Viewer, EditsAPenInItsDialogAndFollowsTheFileOnDisk) {
    clirun::Scratch dir;
    std::string wider = kScene;
    wider.replace(wider.find("\"lopnWidth\": 2"), 14, "\"lopnWidth\": 6");
    const Image ref = rendered(dir, "ref", kScene), edited = rendered(dir, "edited", wider);
    ASSERT_GT(edited.width, 0);
    const std::filesystem::path file = dir.write("plant.json", kScene);
    ViewerProcess view(file);
    ASSERT_NE(view.window, 0u) << "no window appeared";
    const std::string& id = view.id;
    ASSERT_TRUE(settles(view.window, [&](const Image& im) { return same(im, ref); }));

    xdotool("mousemove --window " + id + " 40 40 click --repeat 2 --delay 60 1");
    ASSERT_FALSE(xdotool("search --sync --onlyvisible --name '^Line$'").empty()) << "no dialog";
    xdotool("type 6");
    xdotool("key Return");
    xdotool("mousemove --window " + id + " 290 220 click 1");  // a click on nothing drops the selection
    Image now;
    EXPECT_TRUE(settles(view.window, [&](const Image& im) { return same(im, edited); }, &now))
        << testsupport::samePicture(now, edited).message();

    dir.write("plant.json", "{\"size\": [320, 240], \"objects\": [");
    const auto end = Clock::now() + std::chrono::seconds(5);
    while (view.title().find("not reloaded") == std::string::npos && Clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_NE(view.title().find("not reloaded"), std::string::npos) << view.title();
    EXPECT_TRUE(same(grab(view.window), edited));

    dir.write("plant.json", kScene);
    EXPECT_TRUE(settles(view.window, [&](const Image& im) { return same(im, ref); }, &now))
        << testsupport::samePicture(now, ref).message();
    EXPECT_EQ(view.title().find("not reloaded"), std::string::npos) << view.title();
    EXPECT_EQ(view.closeWithEscape(), 0);
}

struct Logged {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    bool operator==(const Logged&) const = default;
};
std::vector<Logged> gLog;

LRESULT CALLBACK logging(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_MOUSEACTIVATE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_KEYDOWN: case WM_CHAR: case WM_KEYUP:
        gLog.push_back({m, wp, lp});
        break;
    case WM_SETCURSOR:
        if (HIWORD(lp) != WM_MOUSEMOVE) gLog.push_back({m, 0, HIWORD(lp)});
        break;
    default: break;
    }
    return DefWindowProcW(h, m, wp, lp);
}

void pump(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(5);
    MSG msg;
    while (!done() && Clock::now() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Windows' order: a click on the active window gets no WM_MOUSEACTIVATE;
// each button message comes after the WM_SETCURSOR that names it, with the
// client position; a key press is WM_KEYDOWN, the WM_CHAR that
// TranslateMessage makes of it, WM_KEYUP with the previous-state and
// transition bits set, each with the key's scan code.
TEST(Desktop, AWindowProcedureSeesAClickAndAKeyInWindowsOrder) {
    std::string why;
    ASSERT_TRUE(hmigfx::display::useDesktop(&why)) << why;
    WNDCLASSW wc{};
    wc.lpfnWndProc = logging;
    wc.lpszClassName = L"hmigfx-order";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, L"hmigfx-order", L"hmigfx order", WS_OVERLAPPEDWINDOW, 100, 100, 200, 150, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_TRUE(h);
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    std::string id;
    pump([&] { return !(id = xdotool("search --onlyvisible --name '^hmigfx order$'")).empty(); });
    ASSERT_FALSE(id.empty()) << "no window appeared";
    gLog.clear();
    xdotool("mousemove --window " + id + " 50 40 click 1 key a");
    pump([] { return !gLog.empty() && gLog.back().msg == WM_KEYUP; });
    const LPARAM at = MAKELPARAM(50, 40);
    const std::vector<Logged> want{
        {WM_SETCURSOR, 0, WM_LBUTTONDOWN},
        {WM_LBUTTONDOWN, MK_LBUTTON, at},
        {WM_SETCURSOR, 0, WM_LBUTTONUP},
        {WM_LBUTTONUP, 0, at},
        {WM_KEYDOWN, 'A', 0x1E0001},  // the A key's scan code is 0x1E
        {WM_CHAR, 'a', 0x1E0001},
        {WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001u)},
    };
    ASSERT_EQ(gLog.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(gLog[i].msg, want[i].msg) << i;
        EXPECT_EQ(gLog[i].wp, want[i].wp) << i;
        EXPECT_EQ(gLog[i].lp, want[i].lp) << i;
    }
    DestroyWindow(h);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window gone mid-grab is a failed grab
    gX = XOpenDisplay(nullptr);
    if (!gX) {
        std::printf("display tests skipped: no X server (DISPLAY=%s)\n", std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 77;
    }
    if (std::system("xdotool version >/dev/null 2>&1") != 0) {
        std::printf("display tests skipped: xdotool is not installed\n");
        return 77;
    }
    const int failed = RUN_ALL_TESTS();
    XCloseDisplay(gX);
    return failed;
}
