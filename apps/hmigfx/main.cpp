// hmigfx: draws scene files and the feature sheet through the hmigfx library.
#include "gallery.h"
#include "pattern_dir.h"
#include "picture_command.h"
#include "print.h"
#include "scene.h"
#include "text_util.h"
#include "view.h"

#ifdef HMIGFX_DESKTOP
#include <hmigfx/display_sdl.h>
#endif

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace hmigfx::app;

namespace {

// Exit statuses.
constexpr int kOk = 0;
constexpr int kWriteFailed = 1;
constexpr int kBadInput = 2;

const char kUsage[] =
    "usage: hmigfx render SCENE.json -o OUT.png [--zoom N] [--origin X,Y] [--bw] [--size W,H] [--patterns DIR] [--no-text]\n"
    "       hmigfx view SCENE.json [--zoom N] [--origin X,Y] [--bw] [--size W,H] [--patterns DIR]\n"
    "       hmigfx gallery -o OUT.png [--patterns DIR] [--no-text]\n"
    "       hmigfx picture IN -o OUT [--op NAME[:ARGS]]... [--quality N]\n"
    HMIGFX_PRINT_USAGE
    "       hmigfx --help | hmigfx render --help | hmigfx view --help | hmigfx gallery --help\n"
    "       hmigfx picture --help | hmigfx print --help\n";

const char kHelp[] =
    "hmigfx draws HMI graphics through the hmigfx library (its CMyDC, pens, brushes,\n"
    "patterns and gradients) onto a 32-bit picture and writes it as PNG.\n"
    "\n"
    "commands:\n"
    "  render   draw a scene file (JSON); `hmigfx render --help` describes the format\n"
    "  view     show a scene file in a window on the desktop; `hmigfx view --help`\n"
    "  gallery  draw the feature sheet: pens, hatches, patterns, pictures, gradients,\n"
    "           shapes and rubber bands\n"
    "  picture  imaging operations on a picture file (rotate, filters, colours, ...);\n"
    "           `hmigfx picture --help` lists them\n"
    "  print    print a scene file to PDF (or a print queue) through a printer DC\n"
    "\n"
    "exit status: 0 written; 1 the output could not be written; 2 bad command line or scene\n"
    "(a bad scene is reported as one line naming the JSON path, and nothing is written).\n";

const char kRenderHelp[] =
    "usage: hmigfx render SCENE.json -o OUT.png [options]\n"
    "\n"
    "options (each overrides the scene):\n"
    "  -o, --output OUT.png  the picture to write (required)\n"
    "  --zoom N              zoom in percent (1-10000)\n"
    "  --origin X,Y          scroll position in view units\n"
    "  --bw                  black/white mode (pure black and white swap)\n"
    "  --size W,H            canvas size in pixels\n"
    "  --patterns DIR        pattern pictures (*.F00-F99, *.U00-U99)\n"
    "  --no-text             leave every string out (text objects, captions): shapes only\n"
    "\n"
    "scene file:\n"
    "  {\n"
    "    \"size\": [W, H],              canvas in pixels (required)\n"
    "    \"background\": \"#RRGGBB\",     default white\n"
    "    \"zoom\": 100,\n"
    "    \"origin\": [X, Y],            scroll position, view units\n"
    "    \"blackWhite\": false,\n"
    "    \"clip\": [{\"rect\"|\"ellipse\"|\"roundrect\"(+\"corner\")|\"polygon\": ..., \"op\": \"or|and|diff|xor\"}],\n"
    "    \"patternDir\": \"Sys/Brush\",   relative to the scene file\n"
    "    \"objects\": [{\"kind\": ..., ...}]   (required)\n"
    "  }\n"
    "  Geometry is in document units: rect [l, t, r, b], points [[x, y], ...], corner,\n"
    "  start, end [x, y]; a fraction anywhere selects the CMyRect/CMyPoint overloads.\n"
    "  pen:   {\"lopnStyle\": solid|dash|dot|dashdot|dashdotdot|null|insideframe or N,\n"
    "          \"lopnWidth\": 2.5 or [2, 50], \"lopnColor\": \"#RRGGBB\"}\n"
    "  brush: {\"lbStyle\": solid|hollow|hatch|pattern|gradient|patternfile|userpicture|none or N,\n"
    "          \"lbHatch\": hatch name (horizontal vertical fdiagonal bdiagonal cross diagcross),\n"
    "                     pattern name (\"Zig zag\") or slot, picture title or slot,\n"
    "                     gradient mode name (vertical ... centre-inverse) or 0-21}\n"
    "  crFill: \"#RRGGBB\" (fill, hatch background, second gradient colour),\n"
    "  bTransparent: 0, 1 (transparent background) or 2 (no fills); also true/false.\n"
    "\n"
    "kinds:\n";

void printKinds() {
    for (const SceneKind* kind : allKinds()) std::printf("  %-11s %s\n", kind->name, kind->summary);
}

[[noreturn]] void usageError(const std::string& message) {
    std::fprintf(stderr, "hmigfx: %s\n%s", message.c_str(), kUsage);
    std::exit(kBadInput);
}

bool parsePair(const std::string& text, long lo, long hi, CPoint& out) {
    long a = 0, b = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%ld,%ld%c", &a, &b, &tail) != 2) return false;
    if (a < lo || a > hi || b < lo || b > hi) return false;
    out = CPoint(static_cast<int>(a), static_cast<int>(b));
    return true;
}

struct Args {
    std::vector<std::string> positional;
    std::string output;
    SceneOptions scene;
    bool help = false;
};

Args parseArgs(int argc, char** argv, int first, bool renderOptions) {
    Args args;
    for (int i = first; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) usageError(a + " needs a value");
            return argv[++i];
        };
        if (a == "-h" || a == "--help") {
            args.help = true;
        } else if (a == "-o" || a == "--output") {
            args.output = value();
        } else if (a == "--patterns") {
            args.scene.patternDir = value();
        } else if (a == "--no-text") {
            hideText(true);
        } else if (renderOptions && a == "--zoom") {
            const std::string v = value();
            char* end = nullptr;
            const long zoom = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || zoom < 1 || zoom > kMaxZoom) usageError("--zoom wants a percentage from 1 to 10000");
            args.scene.zoom = static_cast<int>(zoom);
        } else if (renderOptions && a == "--origin") {
            CPoint p;
            if (!parsePair(value(), -1000000, 1000000, p)) usageError("--origin wants X,Y");
            args.scene.origin = p;
        } else if (renderOptions && a == "--size") {
            CPoint p;
            if (!parsePair(value(), 1, kMaxCanvas, p)) usageError("--size wants W,H from 1 to 16384");
            args.scene.size = p;
        } else if (renderOptions && a == "--bw") {
            args.scene.blackWhite = true;
        } else if (a.size() > 1 && a[0] == '-') {
            usageError("unknown option " + a);
        } else {
            args.positional.push_back(a);
        }
    }
    return args;
}

int writeSurface(const Surface& surface, const std::string& output) {
    std::string error;
    if (!surface.writePng(output, &error)) {
        std::fprintf(stderr, "hmigfx: cannot write %s: %s\n", output.c_str(), error.c_str());
        return kWriteFailed;
    }
    return kOk;
}

// The scene file of render and view: --patterns checked, a scene that does
// not load reported in one line.
bool loadScene(const Args& args, const fs::path& file, Scene& scene) {
    std::error_code ec;
    if (!args.scene.patternDir.empty() && !fs::is_directory(args.scene.patternDir, ec))
        usageError("--patterns: no such directory: " + args.scene.patternDir.string());
    try {
        scene = loadSceneFile(file, args.scene);
        return true;
    } catch (const SceneError& e) {
        std::fprintf(stderr, "hmigfx: %s: %s\n", file.string().c_str(), e.what());
        return false;
    }
}

int render(int argc, char** argv) {
    Args args = parseArgs(argc, argv, 2, true);
    if (args.help) {
        std::fputs(kRenderHelp, stdout);
        printKinds();
        return kOk;
    }
    if (args.positional.size() != 1) usageError("render wants one scene file");
    if (args.output.empty()) usageError("render wants -o OUT.png");
    const fs::path file = args.positional[0];
    Scene scene;
    if (!loadScene(args, file, scene)) return kBadInput;
    Surface surface(scene.width, scene.height);
    if (!surface.ok()) {
        std::fprintf(stderr, "hmigfx: %s: $.size: cannot make a %dx%d picture\n", file.string().c_str(), scene.width,
                     scene.height);
        return kBadInput;
    }
    renderScene(scene, surface);
    return writeSurface(surface, args.output);
}

const char kViewHelp[] =
    "usage: hmigfx view SCENE.json [--zoom N] [--origin X,Y] [--bw] [--size W,H] [--patterns DIR]\n"
    "\n"
    "Shows the scene in a window whose client area is the canvas size; the first\n"
    "picture is the one `hmigfx render` writes with the same options.\n"
    "\n"
    "  wheel                  zoom about the cursor\n"
    "  + - 0                  zoom in, zoom out, back to the scene's zoom and origin\n"
    "  arrow keys             scroll\n"
    "  right or middle drag   scroll\n"
    "  left drag              rubber band: selects the objects inside it\n"
    "  click, double click    select the object; open its pen width dialog\n"
    "  F5                     reload (a change of the file on disk reloads too)\n"
    "  Escape                 close\n"
    "\n"
    "The title shows the zoom and the document coordinates under the cursor, and\n"
    "why the file did not reload when it became invalid (the last good scene stays).\n"
    "exit status: 0 closed; 2 a bad command line or scene, or no display.\n";

int view(int argc, char** argv) {
    Args args = parseArgs(argc, argv, 2, true);
    if (args.help) {
        std::fputs(kViewHelp, stdout);
        return kOk;
    }
    if (args.positional.size() != 1) usageError("view wants one scene file");
    if (!args.output.empty()) usageError("view writes no file; `hmigfx render` does");
    const fs::path file = args.positional[0];
    Scene scene;
    if (!loadScene(args, file, scene)) return kBadInput;
    // The one place the display is chosen; everything else is headless.
#if defined(HMIGFX_DESKTOP)
    std::string why;
    if (!hmigfx::display::useDesktop(&why)) {
        std::fprintf(stderr, "hmigfx: view: no display to show a window on (%s); `hmigfx render` draws without one\n",
                     why.c_str());
        return kBadInput;
    }
#elif !defined(_WIN32)
    std::fprintf(stderr, "hmigfx: view: no display to show a window on (built without SDL2); `hmigfx render` draws "
                         "without one\n");
    return kBadInput;
#endif
    SceneView window(file, args.scene, std::move(scene));
    if (!window.Open()) {
        std::fprintf(stderr, "hmigfx: view: cannot open a window\n");
        return kBadInput;
    }
    return runViewLoop(window);
}

int gallery(int argc, char** argv) {
    Args args = parseArgs(argc, argv, 2, false);
    if (args.help) {
        std::printf("usage: hmigfx gallery -o OUT.png [--patterns DIR] [--no-text]\n\n"
                    "Draws the feature sheet. Pattern files and user pictures come from DIR,\n"
                    "by default %s. --no-text leaves every label and caption out.\n",
                    defaultPatternDirectory().empty() ? "Sys/Brush beside the executable"
                                                      : defaultPatternDirectory().string().c_str());
        return kOk;
    }
    if (!args.positional.empty()) usageError("gallery takes no file name but -o OUT.png");
    if (args.output.empty()) usageError("gallery wants -o OUT.png");
    const fs::path dir = args.scene.patternDir.empty() ? defaultPatternDirectory() : args.scene.patternDir;
    std::string error;
    if (!dir.empty() && !usePatternDirectory(dir, &error)) usageError("--patterns: " + error);
    auto surface = renderGallery();
    if (!surface) {
        std::fprintf(stderr, "hmigfx: cannot make the gallery picture\n");
        return kWriteFailed;
    }
    return writeSurface(*surface, args.output);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return kBadInput;
    }
    const std::string command = argv[1];
    if (command == "-h" || command == "--help" || command == "help") {
        std::fputs(kHelp, stdout);
        std::fputs("\n", stdout);
        std::fputs(kUsage, stdout);
        return kOk;
    }
    if (command == "render") return render(argc, argv);
    if (command == "view") return view(argc, argv);
    if (command == "gallery") return gallery(argc, argv);
    if (command == "picture") return runPicture(argc, argv);
    if (command == "print") return printCommand(argc, argv);
    usageError("unknown command " + command);
}
