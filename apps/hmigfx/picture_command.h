// The `hmigfx picture` command: imaging operations on a picture file.
#pragma once

namespace hmigfx::app {

extern const char kPictureUsage[];
void printPictureHelp();
// argv[1] is "picture". Returns the exit status.
int runPicture(int argc, char** argv);

}  // namespace hmigfx::app
