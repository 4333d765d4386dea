// Shared by the text operations.
#pragma once

#include <windows.h>

namespace hmigfx::text {

// Characters a line holds; a longer line goes on as the next line.
constexpr int kLineCapacity = 255;

// The line at pszText into pszLine (kLineCapacity + 1 characters): carriage
// returns dropped, a line feed stepped over and ending the line, a full line
// ended before its next character. Returns where the next line starts.
LPCWSTR CutLine(LPWSTR pszLine, LPCWSTR pszText, int* pnCount);

}  // namespace hmigfx::text
