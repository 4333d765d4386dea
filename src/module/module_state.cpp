// The module's shared state.
#include "module/module_p.h"

namespace hmigfx {

int g_bPrinterGradient = 1;

CPoint g_ptViewPoints[kMaxDrawPoints];
CPoint g_ptDevicePoints[kMaxDrawPoints];
CRect g_rcView;
CRect g_rcDevice;

}  // namespace hmigfx
