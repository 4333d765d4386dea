// The module's shared state.
#include "module/module_p.h"

namespace hmigfx {

int g_bPrinterGradient = 1;

}  // namespace hmigfx
