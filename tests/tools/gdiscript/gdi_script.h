// An interpreter for the reference GDI's script language, running on this
// project's GDI. gdi-play and the golden tests use it.
#pragma once

#include <hmigfx/png_io.h>

#include <string>

namespace hmigfx::gdiscript {

struct Result {
    int status = 0;       // 0 success, 1 I/O error, 2 script error (as the reference)
    std::string output;   // query answers, one line each
    std::string errors;   // "error LINE: ..." and "warning LINE: ..." lines
    pngio::Image image;   // the canvas (empty unless status is 0)
};

// Runs script text. scriptDir (ending in '/') resolves relative file names.
Result runScript(const std::string& text, const std::string& scriptDir);
// Reads and runs a script file.
Result runFile(const std::string& path);

}  // namespace hmigfx::gdiscript
