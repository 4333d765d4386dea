#include "text_util.h"

#include <climits>

namespace hmigfx::app {

// Through the Win32 subset's code-page calls, which already replace what
// cannot be converted with U+FFFD.
std::string toUtf8(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int n = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), n, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::wstring fromUtf8(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int n = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_UTF8, 0, text.data(), n, nullptr, 0);
    std::wstring out(static_cast<size_t>(chars > 0 ? chars : 0), L'\0');
    if (chars > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), n, out.data(), chars);
    return out;
}

namespace {
bool s_hideText = false;
}  // namespace

void hideText(bool hide) { s_hideText = hide; }
CString shownText(const CString& text) { return s_hideText ? CString() : text; }
std::wstring shownText(const std::wstring& text) { return s_hideText ? std::wstring() : text; }

}  // namespace hmigfx::app
