// Blits and gradient fills.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {

void addBlitCommands(CommandTable&) {}

}  // namespace hmigfx::gdiscript
