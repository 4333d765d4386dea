// gdi-play SCRIPT OUT.png|OUT.ppm: runs a reference-GDI script on hmigfx's GDI.
#include "gdi_script.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gdi-play SCRIPT OUT.png|OUT.ppm\n");
        return 1;
    }
    hmigfx::gdiscript::Result r = hmigfx::gdiscript::runFile(argv[1]);
    std::fputs(r.output.c_str(), stdout);
    std::fflush(stdout);
    std::fputs(r.errors.c_str(), stderr);
    if (r.status != 0) return r.status;
    std::string error;
    if (!hmigfx::pngio::writeImage(argv[2], r.image, &error)) {
        std::fprintf(stderr, "cannot write '%s': %s\n", argv[2], error.c_str());
        return 1;
    }
    return 0;
}
