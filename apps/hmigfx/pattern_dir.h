// Pointing the pattern library at a directory of pattern pictures.
//
// The library finds its patterns in "Sys/Brush/" under the host executable's
// directory, which it takes from the application object's help-file path. A
// host that keeps its pictures elsewhere tells it through that path; for a
// directory not named .../Sys/Brush, a scratch installation directory whose
// Sys/Brush links to it stands in.
#pragma once

#include <filesystem>
#include <string>

namespace hmigfx::app {

// Must run before the first brush of the process is made (the library loads
// its patterns once). Returns false, with the reason, when dir is no directory.
bool usePatternDirectory(const std::filesystem::path& dir, std::string* error);
// Where the pictures are when nobody says: <exe>/Sys/Brush, or the installed
// <exe>/../share/hmigfx/Sys/Brush. Empty when neither exists.
std::filesystem::path defaultPatternDirectory();

}  // namespace hmigfx::app
