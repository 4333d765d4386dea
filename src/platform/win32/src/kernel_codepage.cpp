// Code pages: UTF-8 by hand (it is also the ANSI code page on Linux), every
// other code page through iconv. WCHARs are UTF-32 code units here.
#include "kernel_p.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace hmigfx::win32 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool validScalar(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i..n); advances i. Malformed input (overlong
// forms, surrogates, truncated sequences) yields U+FFFD for the maximal invalid
// prefix, as Windows does since Vista.
char32_t decodeUtf8(const unsigned char* s, size_t n, size_t& i, bool& bad) {
    const unsigned char b = s[i++];
    if (b < 0x80) return b;
    int extra;
    char32_t c;
    char32_t lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        extra = 1;
        c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        extra = 2;
        c = b & 0x0F;
        if (b == 0xE0) lo = 0xA0;
        if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        extra = 3;
        c = b & 0x07;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;
    } else {
        bad = true;
        return kReplacement;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= n) {
            bad = true;
            return kReplacement;
        }
        const unsigned char t = s[i];
        const unsigned char tlo = k == 0 ? lo : 0x80, thi = k == 0 ? hi : 0xBF;
        if (t < tlo || t > thi) {
            bad = true;
            return kReplacement;
        }
        c = (c << 6) | (t & 0x3F);
        ++i;
    }
    return c;
}

// One iconv descriptor per direction and code page, kept for the process.
struct Converters {
    std::mutex lock;
    std::map<std::pair<UINT, bool>, iconv_t> open;  // (code page, to wide)
};

Converters& converters() {
    static Converters* c = new Converters;
    return *c;
}

// Needs converters().lock held. (iconv_t)-1 when the code page is unknown.
iconv_t converterFor(UINT cp, bool toWide) {
    auto& open = converters().open;
    auto it = open.find({cp, toWide});
    if (it != open.end()) return it->second;
    char name[32];
    if (cp == CP_UTF7)
        std::snprintf(name, sizeof name, "UTF-7");
    else
        std::snprintf(name, sizeof name, "CP%u", cp);
    iconv_t cd = toWide ? iconv_open("UTF-32LE", name) : iconv_open(name, "UTF-32LE");
    open.emplace(std::make_pair(cp, toWide), cd);
    return cd;
}

UINT resolveCodePage(UINT cp) {
    switch (cp) {
    case CP_ACP:
    case CP_THREAD_ACP: return CP_UTF8;
    case CP_OEMCP: return 437;
    case CP_MACCP: return 10000;
    default: return cp;
    }
}

// Multi-byte text to code points. False when the code page is unknown or, with
// strict, the input is invalid.
bool decode(UINT cp, const char* src, size_t n, bool strict, std::u32string& out) {
    out.clear();
    const auto* s = reinterpret_cast<const unsigned char*>(src);
    if (cp == CP_UTF8) {
        size_t i = 0;
        while (i < n) {
            bool bad = false;
            const char32_t c = decodeUtf8(s, n, i, bad);
            if (bad && strict) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return false;
            }
            out += c;
        }
        return true;
    }
    std::lock_guard<std::mutex> g(converters().lock);
    iconv_t cd = converterFor(cp, true);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(src);
    size_t inLeft = n;
    std::vector<char> buf(4 * (n + 4));
    while (inLeft > 0) {
        char* o = buf.data();
        size_t oLeft = buf.size();
        const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        const size_t produced = (buf.size() - oLeft) / 4;
        for (size_t k = 0; k < produced; ++k) {
            const unsigned char* p = reinterpret_cast<const unsigned char*>(buf.data()) + 4 * k;
            out += static_cast<char32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<char32_t>(p[3]) << 24));
        }
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            if (strict) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return false;
            }
            // Undefined or truncated byte: one replacement, then go on after it.
            out += kReplacement;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return true;
}

}  // namespace

std::string wideToUtf8(const WCHAR* s, size_t n, bool* lossy) {
    std::string out;
    out.reserve(n);
    if (lossy) *lossy = false;
    for (size_t i = 0; i < n; ++i) {
        char32_t c = static_cast<char32_t>(s[i]);
        if (!validScalar(c)) {
            c = kReplacement;
            if (lossy) *lossy = true;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::string wideToUtf8(const WCHAR* s) { return s ? wideToUtf8(s, wcslen(s)) : std::string(); }

std::wstring utf8ToWide(const char* s, size_t n, bool* lossy) {
    std::wstring out;
    out.reserve(n);
    bool anyBad = false;
    size_t i = 0;
    const auto* u = reinterpret_cast<const unsigned char*>(s);
    while (i < n) {
        bool bad = false;
        out += static_cast<WCHAR>(decodeUtf8(u, n, i, bad));
        anyBad |= bad;
    }
    if (lossy) *lossy = anyBad;
    return out;
}

std::wstring utf8ToWide(const std::string& s) { return utf8ToWide(s.data(), s.size()); }

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

UINT WINAPI GetACP(void) { return CP_UTF8; }
UINT WINAPI GetOEMCP(void) { return 437; }

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLen, LPWSTR dst, int dstLen) {
    if (!src || srcLen == 0 || dstLen < 0 || (dstLen > 0 && !dst)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t n = srcLen < 0 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
    std::u32string text;
    if (!decode(resolveCodePage(codePage), src, n, (flags & MB_ERR_INVALID_CHARS) != 0, text)) return 0;
    if (dstLen == 0) return static_cast<int>(text.size());
    if (text.size() > static_cast<size_t>(dstLen)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (size_t i = 0; i < text.size(); ++i) dst[i] = static_cast<WCHAR>(text[i]);
    return static_cast<int>(text.size());
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int srcLen, LPSTR dst, int dstLen,
                               LPCSTR defaultChar, LPBOOL usedDefault) {
    if (!src || srcLen == 0 || dstLen < 0 || (dstLen > 0 && !dst)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const UINT cp = resolveCodePage(codePage);
    const size_t n = srcLen < 0 ? wcslen(src) + 1 : static_cast<size_t>(srcLen);
    std::string out;
    if (usedDefault) *usedDefault = FALSE;
    if (cp == CP_UTF8 || cp == CP_UTF7) {
        // Windows refuses a default character for the Unicode encodings.
        if (defaultChar || usedDefault) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
    }
    if (cp == CP_UTF8) {
        bool lossy = false;
        out = wideToUtf8(src, n, &lossy);
        if (lossy && (flags & WC_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
    } else {
        const char fallback = defaultChar ? defaultChar[0] : '?';
        std::lock_guard<std::mutex> g(converters().lock);
        iconv_t cd = converterFor(cp, false);
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        // One character at a time, so an unmappable one becomes the default
        // character without losing the rest.
        for (size_t i = 0; i < n; ++i) {
            const char32_t c = validScalar(static_cast<char32_t>(src[i])) ? static_cast<char32_t>(src[i]) : 0xFFFFFFFF;
            unsigned char in4[4] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
                                    static_cast<unsigned char>(c >> 16), static_cast<unsigned char>(c >> 24)};
            char obuf[16];
            char* in = reinterpret_cast<char*>(in4);
            size_t inLeft = 4;
            char* o = obuf;
            size_t oLeft = sizeof obuf;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            const size_t r = c == 0xFFFFFFFF ? static_cast<size_t>(-1) : iconv(cd, &in, &inLeft, &o, &oLeft);
            if (r == static_cast<size_t>(-1) || r > 0) {  // failed, or mapped only approximately
                out += fallback;
                if (usedDefault) *usedDefault = TRUE;
            } else {
                // Stateful encodings end their shift state with each character.
                iconv(cd, nullptr, nullptr, &o, &oLeft);
                out.append(obuf, static_cast<size_t>(o - obuf));
            }
        }
    }
    if (dstLen == 0) return static_cast<int>(out.size());
    if (out.size() > static_cast<size_t>(dstLen)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(dst, out.data(), out.size());
    return static_cast<int>(out.size());
}

}  // extern "C"
