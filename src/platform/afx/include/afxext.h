// MFC's extension header: in this subset everything an extension module needs
// (AFX_EXTENSION_MODULE, CDynLinkLibrary, the resource chain) is in afxwin.h.
#pragma once

#include <afxwin.h>
