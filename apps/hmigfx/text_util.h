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

// --no-text: every string drawn (labels, text objects, captions) is left out,
// so that a picture holds its shapes alone; what surrounds the text (boxes,
// backgrounds, button frames) is still drawn.
void hideText(bool hide);
CString shownText(const CString& text);
std::wstring shownText(const std::wstring& text);

}  // namespace hmigfx::app
