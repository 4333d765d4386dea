// hmigfx print: a scene on paper through a printer DC.
#pragma once

// The command's usage line, for the program's usage text.
#define HMIGFX_PRINT_USAGE                                                                                  \
    "       hmigfx print SCENE.json -o OUT.pdf [--paper A4|A3|A5|Letter|Legal|WxHmm] [--landscape] [--dpi N]\n" \
    "                    [--margins MM] [--bw] [--zoom N | --fit] [--tile] [--printer NAME] [--preview OUT.png]\n"

namespace hmigfx::app {

// `hmigfx print ...`; argv[1] is "print". Returns the exit status.
int printCommand(int argc, char** argv);

}  // namespace hmigfx::app
