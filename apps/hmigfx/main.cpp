// hmigfx: draws scene files and the feature sheet through the hmigfx library.
#include "gallery.h"
#include "pattern_dir.h"
#include "picture_command.h"
#include "print.h"
#include "scene.h"
#include "text_util.h"

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
    "       hmigfx gallery -o OUT.png [--patterns DIR] [--no-text]\n"
    "       hmigfx picture IN -o OUT [--op NAME[:ARGS]]... [--quality N]\n"
    HMIGFX_PRINT_USAGE
    "       hmigfx --help | hmigfx render --help | hmigfx gallery --help | hmigfx picture --help\n"
    "       hmigfx print --help\n";

const char kHelp[] =
    "hmigfx draws HMI graphics through the hmigfx library (its CMyDC, pens, brushes,\n"
    "patterns and gradients) onto a 32-bit picture and writes it as PNG.\n"
    "\n"
    "commands:\n"
    "  render   draw a scene file (JSON); `hmigfx render --help` describes the format\n"
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
    std::error_code ec;
    if (!args.scene.patternDir.empty() && !fs::is_directory(args.scene.patternDir, ec))
        usageError("--patterns: no such directory: " + args.scene.patternDir.string());

    Scene scene;
    try {
        scene = loadSceneFile(file, args.scene);
    } catch (const SceneError& e) {
        std::fprintf(stderr, "hmigfx: %s: %s\n", file.string().c_str(), e.what());
        return kBadInput;
    }
    Surface surface(scene.width, scene.height);
    if (!surface.ok()) {
        std::fprintf(stderr, "hmigfx: %s: $.size: cannot make a %dx%d picture\n", file.string().c_str(), scene.width,
                     scene.height);
        return kBadInput;
    }
    renderScene(scene, surface);
    return writeSurface(surface, args.output);
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
    if (command == "gallery") return gallery(argc, argv);
    if (command == "picture") return runPicture(argc, argv);
    if (command == "print") return printCommand(argc, argv);
    usageError("unknown command " + command);
}
