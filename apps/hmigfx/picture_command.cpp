// hmigfx picture: loads a picture file, runs imaging operations of
// CLeadBitmap on it in order and writes the result.
#include "picture_command.h"

#include <hmigfx/lead_bitmap.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace hmigfx::app {

namespace {

constexpr int kOk = 0;
constexpr int kWriteFailed = 1;
constexpr int kBadInput = 2;

const char* resultName(int rc) {
    static const char* const names[] = {"",
                                        "out of memory",
                                        "invalid parameter",
                                        "no picture",
                                        "picture already allocated",
                                        "bits per pixel not supported",
                                        "picture too large",
                                        "not supported",
                                        "invalid DIB",
                                        "GDI failure",
                                        "file not found",
                                        "cannot open the file",
                                        "cannot read the file",
                                        "not a known picture format",
                                        "damaged file",
                                        "no such page",
                                        "file too large",
                                        "stopped",
                                        "cannot write the file",
                                        "format cannot hold this",
                                        "no stamp",
                                        "no printer",
                                        "clipboard unavailable",
                                        "clipboard empty",
                                        "not dithering",
                                        "not a grey picture"};
    const int i = -rc;
    return i > 0 && i < int(sizeof names / sizeof *names) ? names[i] : "unknown error";
}

// Numbers of an operation's argument, separated by commas.
bool numbers(const std::string& text, std::vector<double>& out, size_t count) {
    out.clear();
    size_t pos = 0;
    while (pos <= text.size() && out.size() < count) {
        const size_t comma = text.find(',', pos);
        const std::string part = text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        char* end = nullptr;
        const double v = std::strtod(part.c_str(), &end);
        if (part.empty() || *end) return false;
        out.push_back(v);
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return out.size() == count && text.find(',', pos) == std::string::npos;
}

using Args = std::vector<double>;

struct Op {
    const char* name;
    size_t args;  // numbers after the colon
    const char* help;
    std::function<int(CLeadBitmap&, const std::vector<double>&)> run;
};

int I(double v) { return static_cast<int>(v); }
unsigned U(double v) { return v < 0 ? 0xFFFFFFFFu : static_cast<unsigned>(v); }

const std::vector<Op>& operations() {
    static const std::vector<Op> ops = {
        {"rotate", 1, "rotate:DEG       clockwise, the picture grows to hold it, white corners",
         [](CLeadBitmap& b, const Args& a) { return b.RotateFine(std::lround(a[0] * 100), 1, RGB(255, 255, 255)); }},
        {"flip", 0, "flip             upside down", [](CLeadBitmap& b, const Args&) { return b.Flip(); }},
        {"reverse", 0, "reverse          left to right", [](CLeadBitmap& b, const Args&) { return b.Reverse(); }},
        {"shear", 1, "shear:DEG        rows slide (-45..45), white fill",
         [](CLeadBitmap& b, const Args& a) { return b.Shear(I(a[0] * 100), 1, RGB(255, 255, 255)); }},
        {"size", 2, "size:W,H         resize, nearest pixel", [](CLeadBitmap& b, const Args& a) { return b.Size(I(a[0]), I(a[1]), SIZE_NORMAL); }},
        {"resample", 2, "resample:W,H     resize, bilinear", [](CLeadBitmap& b, const Args& a) { return b.Resample(I(a[0]), I(a[1])); }},
        {"crop", 4, "crop:X,Y,W,H     keep a rectangle",
         [](CLeadBitmap& b, const Args& a) {
             CLeadBitmap part;
             int rc = part.CopyRect(&b, U(a[0]), U(a[1]), U(a[2]), U(a[3]));
             if (rc == IMGSDK_SUCCESS) rc = b.Copy(&part);
             part.Free();
             return rc;
         }},
        {"grayscale", 0, "grayscale        8-bit grey levels", [](CLeadBitmap& b, const Args&) { return b.GrayScale(); }},
        {"colorres", 1, "colorres:BPP     1/4/8/16/24/32 bits, optimised table, error diffusion",
         [](CLeadBitmap& b, const Args& a) {
             return b.ColorRes(nullptr, I(a[0]), CRF_FLOYDSTEINBERG | CRF_OPTIMIZEDPALETTE, nullptr, nullptr, 0, nullptr, nullptr);
         }},
        {"halftone", 1, "halftone:DEG     1-bit clustered dots at a screen angle",
         [](CLeadBitmap& b, const Args& a) { return b.HalfToneExt(HT_PRINT, std::lround(a[0] * 100)); }},
        {"dither", 0, "dither           1-bit error diffusion", [](CLeadBitmap& b, const Args&) { return b.HalfTone(HT_VIEW); }},
        {"invert", 0, "invert           negative", [](CLeadBitmap& b, const Args&) { return b.Invert(); }},
        {"contrast", 1, "contrast:N       -1000..1000", [](CLeadBitmap& b, const Args& a) { return b.ChangeContrast(I(a[0])); }},
        {"histocontrast", 1, "histocontrast:N  -1000..1000 about the mean", [](CLeadBitmap& b, const Args& a) { return b.HistoContrast(I(a[0])); }},
        {"intensity", 1, "intensity:N      -1000..1000", [](CLeadBitmap& b, const Args& a) { return b.ChangeIntensity(I(a[0])); }},
        {"hue", 1, "hue:DEG          -360..360", [](CLeadBitmap& b, const Args& a) { return b.ChangeHue(I(a[0])); }},
        {"saturation", 1, "saturation:N     -1000..1000", [](CLeadBitmap& b, const Args& a) { return b.ChangeSaturation(I(a[0])); }},
        {"gamma", 1, "gamma:N          1..500 hundredths (100: none)", [](CLeadBitmap& b, const Args& a) { return b.GammaCorrect(U(a[0])); }},
        {"equalize", 0, "equalize         histogram equalisation", [](CLeadBitmap& b, const Args&) { return b.HistoEqualize(); }},
        {"stretch", 0, "stretch          stretch the intensities to 0..255", [](CLeadBitmap& b, const Args&) { return b.StretchIntensity(); }},
        {"posterize", 1, "posterize:N      2..64 levels", [](CLeadBitmap& b, const Args& a) { return b.Posterize(U(a[0])); }},
        {"detect", 2, "detect:LO,HI     white where the intensity is in LO..HI, else black",
         [](CLeadBitmap& b, const Args& a) { return b.IntensityDetect(U(a[0]), U(a[1])); }},
        {"median", 1, "median:N         odd 1..255", [](CLeadBitmap& b, const Args& a) { return b.MedianFilter(U(a[0])); }},
        {"average", 1, "average:N        1..255", [](CLeadBitmap& b, const Args& a) { return b.AverageFilter(U(a[0])); }},
        {"despeckle", 0, "despeckle        3 x 3 median", [](CLeadBitmap& b, const Args&) { return b.Despeckle(); }},
        {"sharpen", 1, "sharpen:N        -1000..1000", [](CLeadBitmap& b, const Args& a) { return b.Sharpen(I(a[0])); }},
        {"emboss", 2, "emboss:DIR,DEPTH direction 0..7 (N, NE, ... NW), depth 0..1000",
         [](CLeadBitmap& b, const Args& a) { return b.Emboss(U(a[0]), U(a[1])); }},
        {"mosaic", 1, "mosaic:N         N x N blocks", [](CLeadBitmap& b, const Args& a) { return b.Mosaic(U(a[0])); }},
        {"noise", 1, "noise:N          0..1000", [](CLeadBitmap& b, const Args& a) { return b.AddNoise(U(a[0]), CHANNEL_MASTER); }},
        {"deskew", 0, "deskew           straighten a scanned page (prints the angle)",
         [](CLeadBitmap& b, const Args&) {
             long angle = 0;
             const int rc = b.Deskew(&angle);
             if (rc == IMGSDK_SUCCESS) std::printf("deskew: %.2f degrees\n", angle / 100.0);
             return rc;
         }},
    };
    return ops;
}

int formatOf(const std::string& path) {
    const size_t dot = path.rfind('.');
    std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "bmp") return IMGFILE_BMP;
    if (ext == "png") return IMGFILE_PNG;
    if (ext == "jpg" || ext == "jpeg") return IMGFILE_JPEG;
    if (ext == "tif" || ext == "tiff") return IMGFILE_TIFF;
    if (ext == "webp") return IMGFILE_WEBP;
    if (ext == "ppm" || ext == "pgm" || ext == "pnm") return IMGFILE_PNM;
    if (ext == "gif") return IMGFILE_GIF;
    return IMGFILE_UNKNOWN;
}

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "hmigfx: %s\n%s", message.c_str(), kPictureUsage);
    std::exit(kBadInput);
}

}  // namespace

const char kPictureUsage[] =
    "usage: hmigfx picture IN -o OUT [--op NAME[:ARGS]]... [--quality N]\n";

void printPictureHelp() {
    std::fputs(kPictureUsage, stdout);
    std::fputs("\nLoads IN (BMP, PNG, JPEG, TIFF, WebP, PNM or GIF), applies the operations in\n"
               "order through CLeadBitmap and writes OUT in the format its extension names\n"
               "(.bmp .png .jpg .tif .webp .ppm .gif). --quality 1-100 for JPEG and WebP (WebP 100:\n"
               "lossless). Exit status: 0 written; 1 OUT could not be written; 2 a bad command\n"
               "line, an unreadable IN or a refused operation.\n\noperations:\n",
               stdout);
    for (const Op& op : operations()) std::printf("  %s\n", op.help);
}

int runPicture(int argc, char** argv) {
    std::string in, out;
    std::vector<std::string> ops;
    int quality = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) fail(a + " needs a value");
            return argv[++i];
        };
        if (a == "-h" || a == "--help") {
            printPictureHelp();
            return kOk;
        } else if (a == "-o" || a == "--output") {
            out = value();
        } else if (a == "--op") {
            ops.push_back(value());
        } else if (a == "--quality") {
            const std::string v = value();
            char* end = nullptr;
            const long q = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || q < 1 || q > 100) fail("--quality wants 1 to 100");
            quality = static_cast<int>(q);
        } else if (a.size() > 1 && a[0] == '-') {
            fail("unknown option " + a);
        } else if (in.empty()) {
            in = a;
        } else {
            fail("picture wants one input file");
        }
    }
    if (in.empty()) fail("picture wants an input file");
    if (out.empty()) fail("picture wants -o OUT");
    const int format = formatOf(out);
    if (format == IMGFILE_UNKNOWN) fail("cannot tell the format of " + out + " from its extension");

    // Check every operation before doing any work.
    std::vector<std::pair<const Op*, std::vector<double>>> plan;
    for (const std::string& text : ops) {
        const size_t colon = text.find(':');
        const std::string name = text.substr(0, colon);
        const Op* found = nullptr;
        for (const Op& op : operations())
            if (name == op.name) found = &op;
        if (!found) fail("unknown operation " + name + " (see hmigfx picture --help)");
        std::vector<double> args;
        if (found->args == 0 ? colon != std::string::npos
                             : colon == std::string::npos || !numbers(text.substr(colon + 1), args, found->args))
            fail("--op " + text + ": expected " + found->help);
        plan.emplace_back(found, args);
    }

    CLeadBitmap picture;
    int rc = picture.Load(in.data(), 0, ORDER_BGRORGRAY, nullptr, nullptr);
    if (rc != IMGSDK_SUCCESS) {
        std::fprintf(stderr, "hmigfx: %s: %s\n", in.c_str(), resultName(rc));
        return kBadInput;
    }
    for (const auto& [op, args] : plan) {
        rc = op->run(picture, args);
        if (rc != IMGSDK_SUCCESS) {
            std::fprintf(stderr, "hmigfx: %s: %s\n", op->name, resultName(rc));
            picture.Free();
            return kBadInput;
        }
    }
    rc = picture.Save(out.data(), format, 0, quality, nullptr);
    picture.Free();
    if (rc != IMGSDK_SUCCESS) {
        std::fprintf(stderr, "hmigfx: cannot write %s: %s\n", out.c_str(), resultName(rc));
        return kWriteFailed;
    }
    return kOk;
}

}  // namespace hmigfx::app
