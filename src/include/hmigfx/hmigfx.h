// hmigfx: everything a host includes. The library's classes sit over the MFC
// subset (afxwin.h, afxcmn.h) and the Win32 API (windows.h, commctrl.h),
// which come along.
#pragma once

#include <afxwin.h>
#include <hmigfx/lead_bitmap.h>
#include <hmigfx/my_brush.h>
#include <hmigfx/my_dc.h>
#include <hmigfx/my_geometry.h>
#include <hmigfx/my_pen.h>
#include <hmigfx/my_spin_edit.h>
#include <hmigfx/object3d.h>
