// The Win32 subset hmigfx runs on when it is not built for Windows itself.
#pragma once

#include "windef.h"
#include "winbase.h"
#include "wingdi.h"
#include "winuser.h"
#include "winspool.h"
