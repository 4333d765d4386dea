// UTF-8 <-> wide strings for the command line and scene files (the library
// speaks wchar_t; scenes and terminals speak UTF-8).
#pragma once

#include <afxwin.h>

#include <string>
#include <string_view>

namespace hmigfx::app {

std::string toUtf8(std::wstring_view text);
inline std::string toUtf8(const CString& text) { return toUtf8(std::wstring_view(static_cast<LPCWSTR>(text))); }
// Malformed sequences become U+FFFD.
std::wstring fromUtf8(std::string_view text);

}  // namespace hmigfx::app
