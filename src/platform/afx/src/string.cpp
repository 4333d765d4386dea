// CString and its printf-style formatter. The formatter is our own so that the
// format letters mean on Linux what they mean to MFC on Windows (glibc's wide
// printf reads %s as a narrow string and %ld as a 64-bit value).
#include <afx.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

std::wstring widenAnsi(const char* s, int n) {
    if (!s || n == 0) return {};
    if (n < 0) n = static_cast<int>(std::strlen(s));
    if (n == 0) return {};
    const int len = MultiByteToWideChar(CP_ACP, 0, s, n, nullptr, 0);
    std::wstring w(static_cast<size_t>(len > 0 ? len : 0), L'\0');
    if (len > 0) MultiByteToWideChar(CP_ACP, 0, s, n, w.data(), len);
    return w;
}

void appendAscii(std::wstring& out, const char* s) {
    for (; *s; ++s) out += static_cast<wchar_t>(static_cast<unsigned char>(*s));
}

void appendPadded(std::wstring& out, const wchar_t* s, size_t n, int width, bool left) {
    const size_t pad = width > 0 && static_cast<size_t>(width) > n ? static_cast<size_t>(width) - n : 0;
    if (!left) out.append(pad, L' ');
    out.append(s, n);
    if (left) out.append(pad, L' ');
}

enum class Size { None, Char, Short, Long32, Long64, Ptr, Max, LongDouble, Wide };

void formatInto(std::wstring& out, const wchar_t* fmt, va_list ap) {
    while (*fmt) {
        if (*fmt != L'%') {
            out += *fmt++;
            continue;
        }
        const wchar_t* start = fmt++;
        if (*fmt == L'%') {
            out += L'%';
            ++fmt;
            continue;
        }
        std::string flags;
        while (*fmt && std::wcschr(L"-+ 0#", *fmt)) flags += static_cast<char>(*fmt++);
        int width = -1;
        if (*fmt == L'*') {
            width = va_arg(ap, int);
            if (width < 0) {
                flags += '-';
                width = -width;
            }
            ++fmt;
        } else if (std::iswdigit(static_cast<wint_t>(*fmt))) {
            width = 0;
            while (std::iswdigit(static_cast<wint_t>(*fmt))) width = std::min(width * 10 + (*fmt++ - L'0'), 1 << 20);
        }
        int precision = -1;
        if (*fmt == L'.') {
            ++fmt;
            precision = 0;
            if (*fmt == L'*') {
                precision = va_arg(ap, int);
                ++fmt;
            } else {
                while (std::iswdigit(static_cast<wint_t>(*fmt)))
                    precision = std::min(precision * 10 + (*fmt++ - L'0'), 1 << 20);
            }
        }
        Size size = Size::None;
        if (fmt[0] == L'h' && fmt[1] == L'h') {
            size = Size::Char;
            fmt += 2;
        } else if (*fmt == L'h') {
            size = Size::Short;
            ++fmt;
        } else if (fmt[0] == L'l' && fmt[1] == L'l') {
            size = Size::Long64;
            fmt += 2;
        } else if (*fmt == L'l') {
            size = Size::Long32;  // Windows' long is 32 bits
            ++fmt;
        } else if (*fmt == L'w') {
            size = Size::Wide;
            ++fmt;
        } else if (*fmt == L'L') {
            size = Size::LongDouble;
            ++fmt;
        } else if (fmt[0] == L'I' && fmt[1] == L'6' && fmt[2] == L'4') {
            size = Size::Long64;
            fmt += 3;
        } else if (fmt[0] == L'I' && fmt[1] == L'3' && fmt[2] == L'2') {
            size = Size::Long32;
            fmt += 3;
        } else if (*fmt == L'I' || *fmt == L'z' || *fmt == L't') {
            size = Size::Ptr;
            ++fmt;
        } else if (*fmt == L'j') {
            size = Size::Max;
            ++fmt;
        }
        const wchar_t conv = *fmt;
        if (!conv) {
            out.append(start);  // a lone trailing '%' stays as it is
            break;
        }
        ++fmt;
        const bool left = flags.find('-') != std::string::npos;
        std::string spec = "%" + flags;
        if (width >= 0) spec += std::to_string(width);
        if (precision >= 0) spec += "." + std::to_string(precision);
        char buf[512];
        switch (conv) {
        case L'd':
        case L'i':
        case L'u':
        case L'o':
        case L'x':
        case L'X': {
            const bool isSigned = conv == L'd' || conv == L'i';
            long long sv = 0;
            unsigned long long uv = 0;
            switch (size) {
            case Size::Long64: sv = va_arg(ap, long long); break;
            case Size::Ptr: sv = static_cast<long long>(va_arg(ap, intptr_t)); break;
            case Size::Max: sv = static_cast<long long>(va_arg(ap, intmax_t)); break;
            default: sv = va_arg(ap, int); break;
            }
            uv = static_cast<unsigned long long>(sv);
            switch (size) {
            case Size::Char:
                sv = static_cast<signed char>(sv);
                uv = static_cast<unsigned char>(uv);
                break;
            case Size::Short:
                sv = static_cast<short>(sv);
                uv = static_cast<unsigned short>(uv);
                break;
            case Size::Long64:
            case Size::Max: break;
            case Size::Ptr:
                if (sizeof(intptr_t) < 8) {
                    sv = static_cast<intptr_t>(sv);
                    uv = static_cast<uintptr_t>(uv);
                }
                break;
            default:
                sv = static_cast<int>(sv);
                uv = static_cast<unsigned int>(uv);
                break;
            }
            spec += "ll";
            spec += static_cast<char>(conv);
            if (isSigned)
                std::snprintf(buf, sizeof buf, spec.c_str(), sv);
            else
                std::snprintf(buf, sizeof buf, spec.c_str(), uv);
            appendAscii(out, buf);
            break;
        }
        case L'e':
        case L'E':
        case L'f':
        case L'F':
        case L'g':
        case L'G':
        case L'a':
        case L'A': {
            std::string s;
            if (size == Size::LongDouble) {
                const long double v = va_arg(ap, long double);
                spec += 'L';
                spec += static_cast<char>(conv);
                const int n = std::snprintf(nullptr, 0, spec.c_str(), v);
                s.resize(static_cast<size_t>(n > 0 ? n : 0) + 1);
                std::snprintf(s.data(), s.size(), spec.c_str(), v);
            } else {
                const double v = va_arg(ap, double);
                spec += static_cast<char>(conv);
                const int n = std::snprintf(nullptr, 0, spec.c_str(), v);
                s.resize(static_cast<size_t>(n > 0 ? n : 0) + 1);
                std::snprintf(s.data(), s.size(), spec.c_str(), v);
            }
            appendAscii(out, s.c_str());
            break;
        }
        case L'c':
        case L'C': {
            const int v = va_arg(ap, int);
            const bool narrow = size == Size::Short || (conv == L'C' && size != Size::Long32 && size != Size::Wide);
            std::wstring ch;
            if (narrow) {
                const char c = static_cast<char>(v);
                ch = widenAnsi(&c, 1);
            } else {
                ch.assign(1, static_cast<wchar_t>(v));
            }
            appendPadded(out, ch.data(), ch.size(), width, left);
            break;
        }
        case L's':
        case L'S': {
            const bool narrow = size == Size::Short || (conv == L'S' && size != Size::Long32 && size != Size::Wide);
            std::wstring text;
            if (narrow) {
                const char* s = va_arg(ap, const char*);
                text = s ? widenAnsi(s, -1) : L"(null)";
            } else {
                const wchar_t* s = va_arg(ap, const wchar_t*);
                text = s ? s : L"(null)";
            }
            size_t n = text.size();
            if (precision >= 0 && static_cast<size_t>(precision) < n) n = static_cast<size_t>(precision);
            appendPadded(out, text.data(), n, width, left);
            break;
        }
        case L'p': {
            // Microsoft style: every hex digit of the pointer, upper case, no prefix.
            const void* p = va_arg(ap, void*);
            std::snprintf(buf, sizeof buf, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                          static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
            std::wstring w;
            appendAscii(w, buf);
            appendPadded(out, w.data(), w.size(), width, left);
            break;
        }
        case L'n':
            (void)va_arg(ap, void*);  // never written: Microsoft's runtime refuses %n too
            break;
        default:
            out.append(start, static_cast<size_t>(fmt - start));
            break;
        }
    }
}

bool inSet(wchar_t c, LPCWSTR set) { return set && std::wcschr(set, c) != nullptr && c != 0; }

}  // namespace

CString::CString(LPCSTR psz) : m_str(widenAnsi(psz, -1)) {}
CString::CString(LPCSTR pch, int nLength) : m_str(nLength > 0 ? widenAnsi(pch, nLength) : std::wstring()) {}

int CString::Compare(LPCWSTR psz) const {
    const int r = std::wcscmp(m_str.c_str(), psz ? psz : L"");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(LPCWSTR psz) const {
    if (!psz) psz = L"";
    for (const wchar_t* a = m_str.c_str();; ++a, ++psz) {
        const wint_t x = std::towlower(static_cast<wint_t>(*a)), y = std::towlower(static_cast<wint_t>(*psz));
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

int CString::Find(wchar_t ch, int iStart) const {
    if (iStart < 0) iStart = 0;
    if (iStart > GetLength()) return -1;
    const size_t p = m_str.find(ch, static_cast<size_t>(iStart));
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::Find(LPCWSTR pszSub, int iStart) const {
    if (!pszSub) return -1;
    if (iStart < 0) iStart = 0;
    if (iStart > GetLength()) return -1;
    const size_t p = m_str.find(pszSub, static_cast<size_t>(iStart));
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(wchar_t ch) const {
    const size_t p = m_str.rfind(ch);
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(LPCWSTR pszCharSet) const {
    if (!pszCharSet) return -1;
    const size_t p = m_str.find_first_of(pszCharSet);
    return p == std::wstring::npos ? -1 : static_cast<int>(p);
}

CString CString::Left(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.c_str(), nCount);
}

CString CString::Mid(int iFirst) const { return Mid(iFirst, GetLength()); }

CString CString::Mid(int iFirst, int nCount) const {
    iFirst = std::clamp(iFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - iFirst);
    return CString(m_str.c_str() + iFirst, nCount);
}

CString CString::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_str.c_str() + (GetLength() - nCount), nCount);
}

CString CString::SpanIncluding(LPCWSTR pszCharSet) const {
    int n = 0;
    while (n < GetLength() && inSet(m_str[static_cast<size_t>(n)], pszCharSet)) ++n;
    return Left(n);
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const {
    int n = 0;
    while (n < GetLength() && !inSet(m_str[static_cast<size_t>(n)], pszCharSet)) ++n;
    return Left(n);
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const {
    if (iStart < 0 || iStart >= GetLength()) {
        iStart = -1;
        return CString();
    }
    int i = iStart;
    while (i < GetLength() && inSet(m_str[static_cast<size_t>(i)], pszTokens)) ++i;
    if (i >= GetLength()) {
        iStart = -1;
        return CString();
    }
    int j = i;
    while (j < GetLength() && !inSet(m_str[static_cast<size_t>(j)], pszTokens)) ++j;
    iStart = j + 1;
    return Mid(i, j - i);
}

CString& CString::MakeUpper() {
    for (auto& c : m_str) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeLower() {
    for (auto& c : m_str) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

CString& CString::TrimLeft() {
    size_t i = 0;
    while (i < m_str.size() && std::iswspace(static_cast<wint_t>(m_str[i]))) ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget) {
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == chTarget) ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(LPCWSTR pszTargets) {
    size_t i = 0;
    while (i < m_str.size() && inSet(m_str[i], pszTargets)) ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    size_t n = m_str.size();
    while (n > 0 && std::iswspace(static_cast<wint_t>(m_str[n - 1]))) --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget) {
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == chTarget) --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets) {
    size_t n = m_str.size();
    while (n > 0 && inSet(m_str[n - 1], pszTargets)) --n;
    m_str.resize(n);
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCWSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

int CString::Replace(wchar_t chOld, wchar_t chNew) {
    int n = 0;
    for (auto& c : m_str)
        if (c == chOld) {
            c = chNew;
            ++n;
        }
    return n;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew) {
    if (!pszOld || !*pszOld) return 0;
    const std::wstring from = pszOld, to = pszNew ? pszNew : L"";
    int n = 0;
    std::wstring result;
    size_t pos = 0;
    for (;;) {
        const size_t hit = m_str.find(from, pos);
        if (hit == std::wstring::npos) break;
        result.append(m_str, pos, hit - pos);
        result += to;
        pos = hit + from.size();
        ++n;
    }
    if (n) {
        result.append(m_str, pos, std::wstring::npos);
        m_str.swap(result);
    }
    return n;
}

int CString::Remove(wchar_t ch) {
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int iIndex, wchar_t ch) {
    iIndex = std::clamp(iIndex, 0, GetLength());
    m_str.insert(static_cast<size_t>(iIndex), 1, ch);
    return GetLength();
}

int CString::Insert(int iIndex, LPCWSTR psz) {
    iIndex = std::clamp(iIndex, 0, GetLength());
    if (psz) m_str.insert(static_cast<size_t>(iIndex), psz);
    return GetLength();
}

int CString::Delete(int iIndex, int nCount) {
    if (iIndex < 0) iIndex = 0;
    if (nCount > 0 && iIndex < GetLength()) m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(nCount));
    return GetLength();
}

void CString::Format(LPCWSTR pszFormat, ...) {
    va_list ap;
    va_start(ap, pszFormat);
    FormatV(pszFormat, ap);
    va_end(ap);
}

void CString::FormatV(LPCWSTR pszFormat, va_list args) {
    std::wstring out;
    if (pszFormat) {
        va_list ap;
        va_copy(ap, args);
        formatInto(out, pszFormat, ap);
        va_end(ap);
    }
    m_str.swap(out);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...) {
    va_list ap;
    va_start(ap, pszFormat);
    AppendFormatV(pszFormat, ap);
    va_end(ap);
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args) {
    if (!pszFormat) return;
    va_list ap;
    va_copy(ap, args);
    formatInto(m_str, pszFormat, ap);
    va_end(ap);
}

LPWSTR CString::GetBuffer() { return m_str.data(); }

LPWSTR CString::GetBuffer(int nMinBufferLength) {
    if (nMinBufferLength > GetLength()) m_str.resize(static_cast<size_t>(nMinBufferLength));
    return m_str.data();
}

LPWSTR CString::GetBufferSetLength(int nLength) {
    m_str.resize(static_cast<size_t>(nLength > 0 ? nLength : 0));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    m_str.resize(std::min(static_cast<size_t>(nNewLength), m_str.size()));
}
