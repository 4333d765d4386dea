// Print spooler subset: the default printer's name.
#pragma once

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

// The default printer: the print server's default queue where a CUPS server
// has one, otherwise "PDF". *pcchBuffer counts characters with the final null;
// a small buffer gets FALSE, ERROR_INSUFFICIENT_BUFFER and the size needed.
BOOL WINAPI GetDefaultPrinterW(LPWSTR pszBuffer, LPDWORD pcchBuffer);
#define GetDefaultPrinter GetDefaultPrinterW

#ifdef __cplusplus
}
#endif
