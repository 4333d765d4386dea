// CArchive: a buffered, little-endian value stream over a CFile.
#include <afx.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr int kMinBuffer = 64;
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_nMode(nMode), m_pFile(pFile), m_nBufSize(std::max(nBufSize, kMinBuffer)), m_bUserBuf(FALSE) {
    if (!pFile) AfxThrowInvalidArgException();
    m_strFileName = pFile->GetFilePath();
    if (lpBuf && nBufSize >= kMinBuffer) {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
        m_bUserBuf = TRUE;
    } else {
        m_lpBufStart = static_cast<BYTE*>(std::malloc(static_cast<size_t>(m_nBufSize)));
        if (!m_lpBufStart) AfxThrowMemoryException();
    }
    m_lpBufCur = m_lpBufStart;
    // Storing fills up to the end; loading starts empty.
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive() {
    if (m_pFile && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();  // a destructor cannot report it; Close() can
        }
    }
    Abort();
}

void CArchive::Abort() {
    if (!m_bUserBuf) std::free(m_lpBufStart);
    m_lpBufStart = m_lpBufCur = m_lpBufMax = nullptr;
    m_bUserBuf = FALSE;
    m_pFile = nullptr;
}

void CArchive::Close() {
    if (!m_pFile) return;
    Flush();
    m_pFile = nullptr;
}

void CArchive::Flush() {
    if (!m_pFile) return;
    if (IsLoading()) {
        // Give back what was read ahead, so the file sits after the last value taken.
        if (m_lpBufMax != m_lpBufCur) m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    } else {
        if (m_lpBufCur != m_lpBufStart) {
            const UINT n = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
            m_lpBufCur = m_lpBufStart;  // dropped even if the write fails, like MFC
            m_pFile->Write(m_lpBufStart, n);
        }
    }
}

void CArchive::CheckStoring() {
    if (!m_pFile) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (IsLoading()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::CheckLoading() {
    if (!m_pFile) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (IsStoring()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::FillBuffer(UINT nBytesNeeded) {
    // Keep the unread bytes, then top the buffer up from the file.
    const size_t left = static_cast<size_t>(m_lpBufMax - m_lpBufCur);
    if (left && m_lpBufCur != m_lpBufStart) std::memmove(m_lpBufStart, m_lpBufCur, left);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + left;
    size_t want = static_cast<size_t>(m_nBufSize) - left;
    while (want > 0) {
        const UINT got = m_pFile->Read(m_lpBufMax, static_cast<UINT>(want));
        if (got == 0) break;
        m_lpBufMax += got;
        want -= got;
        if (static_cast<size_t>(m_lpBufMax - m_lpBufCur) >= left + nBytesNeeded) break;
    }
    if (static_cast<size_t>(m_lpBufMax - m_lpBufCur) < left + nBytesNeeded)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::PutBytes(const BYTE* p, UINT n) {
    CheckStoring();
    if (m_lpBufCur + n > m_lpBufMax) Flush();
    std::memcpy(m_lpBufCur, p, n);
    m_lpBufCur += n;
}

void CArchive::GetBytes(BYTE* p, UINT n) {
    CheckLoading();
    if (m_lpBufCur + n > m_lpBufMax) FillBuffer(n - static_cast<UINT>(m_lpBufMax - m_lpBufCur));
    std::memcpy(p, m_lpBufCur, n);
    m_lpBufCur += n;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    CheckLoading();
    if (nMax == 0) return 0;
    if (!lpBuf) AfxThrowInvalidArgException();
    auto* out = static_cast<BYTE*>(lpBuf);
    // What is buffered first, then large reads straight from the file.
    UINT done = std::min<UINT>(nMax, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
    std::memcpy(out, m_lpBufCur, done);
    m_lpBufCur += done;
    while (done < nMax) {
        const UINT rest = nMax - done;
        if (rest >= static_cast<UINT>(m_nBufSize)) {
            const UINT got = m_pFile->Read(out + done, rest);
            if (got == 0) break;
            done += got;
        } else {
            m_lpBufCur = m_lpBufMax = m_lpBufStart;
            const UINT got = m_pFile->Read(m_lpBufStart, static_cast<UINT>(m_nBufSize));
            if (got == 0) break;
            m_lpBufMax = m_lpBufStart + got;
            const UINT take = std::min(rest, got);
            std::memcpy(out + done, m_lpBufCur, take);
            m_lpBufCur += take;
            done += take;
        }
    }
    return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    CheckStoring();
    if (nMax == 0) return;
    if (!lpBuf) AfxThrowInvalidArgException();
    const auto* in = static_cast<const BYTE*>(lpBuf);
    if (nMax <= static_cast<UINT>(m_lpBufMax - m_lpBufCur)) {
        std::memcpy(m_lpBufCur, in, nMax);
        m_lpBufCur += nMax;
        return;
    }
    Flush();
    if (nMax >= static_cast<UINT>(m_nBufSize)) {
        m_pFile->Write(in, nMax);
    } else {
        std::memcpy(m_lpBufCur, in, nMax);
        m_lpBufCur += nMax;
    }
}

CArchive& CArchive::operator<<(float f) {
    static_assert(sizeof(float) == 4);
    uint32_t u;
    std::memcpy(&u, &f, 4);
    return Put(u);
}

CArchive& CArchive::operator<<(double d) {
    static_assert(sizeof(double) == 8);
    uint64_t u;
    std::memcpy(&u, &d, 8);
    return Put(u);
}

CArchive& CArchive::operator<<(wchar_t ch) {
    // Only a 32-bit wchar_t can hold more than one UTF-16 unit.
    if (static_cast<unsigned long>(ch) >> 16)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    return Put(static_cast<uint16_t>(ch));
}

CArchive& CArchive::operator>>(float& f) {
    uint32_t u;
    Get(u);
    std::memcpy(&f, &u, 4);
    return *this;
}

CArchive& CArchive::operator>>(double& d) {
    uint64_t u;
    Get(u);
    std::memcpy(&d, &u, 8);
    return *this;
}

CArchive& CArchive::operator>>(wchar_t& ch) {
    uint16_t u;
    Get(u);
    ch = static_cast<wchar_t>(u);
    return *this;
}

// ---------------------------------------------------------------------------
// Strings: [FF FE FF] marks UTF-16 text, then the length: one byte below 0xFF,
// else FF and a WORD below 0xFFFF, else FFFF and a DWORD below 0xFFFFFFFF,
// else FFFFFFFF and a 64-bit length. Without the marker the text is narrow.

namespace {

std::vector<uint16_t> toUtf16(const CString& s) {
    std::vector<uint16_t> u;
    u.reserve(static_cast<size_t>(s.GetLength()));
    for (int i = 0; i < s.GetLength(); ++i) {
        const auto c = static_cast<uint32_t>(s[i]);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            u.push_back(static_cast<uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
            u.push_back(static_cast<uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            u.push_back(static_cast<uint16_t>(c > 0x10FFFF ? 0xFFFD : c));
        }
    }
    return u;
}

CString fromUtf16(const std::vector<uint16_t>& u) {
    std::wstring w;
    w.reserve(u.size());
    for (size_t i = 0; i < u.size(); ++i) {
        const uint32_t c = u[i];
        if (sizeof(wchar_t) == 4 && c >= 0xD800 && c < 0xDC00 && i + 1 < u.size() && u[i + 1] >= 0xDC00 &&
            u[i + 1] < 0xE000) {
            w += static_cast<wchar_t>(0x10000 + ((c - 0xD800) << 10) + (u[i + 1] - 0xDC00));
            ++i;
        } else {
            w += static_cast<wchar_t>(c);
        }
    }
    return CString(w.c_str(), static_cast<int>(w.size()));
}

}  // namespace

CArchive& AFXAPI operator<<(CArchive& ar, const CString& str) {
    const std::vector<uint16_t> units = toUtf16(str);
    const ULONGLONG n = units.size();
    ar << static_cast<BYTE>(0xFF) << static_cast<uint16_t>(0xFFFE);
    if (n < 0xFF) {
        ar << static_cast<BYTE>(n);
    } else {
        ar << static_cast<BYTE>(0xFF);
        if (n < 0xFFFF) {
            ar << static_cast<uint16_t>(n);
        } else {
            ar << static_cast<uint16_t>(0xFFFF);
            if (n < 0xFFFFFFFF) {
                ar << static_cast<uint32_t>(n);
            } else {
                ar << static_cast<uint32_t>(0xFFFFFFFF) << static_cast<uint64_t>(n);
            }
        }
    }
    for (uint16_t u : units) ar << u;
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& str) {
    // The wider forms of the length, after a WORD that did not fit.
    auto longLength = [&ar](uint16_t w) -> ULONGLONG {
        if (w < 0xFFFF) return w;
        uint32_t d;
        ar >> d;
        if (d < 0xFFFFFFFF) return d;
        uint64_t q;
        ar >> q;
        return q;
    };
    BYTE b;
    uint16_t w;
    ULONGLONG n;
    bool wide = false;
    ar >> b;
    if (b < 0xFF) {
        n = b;
    } else {
        ar >> w;
        if (w == 0xFFFE) {
            wide = true;
            ar >> b;
            if (b < 0xFF) {
                n = b;
            } else {
                ar >> w;
                n = longLength(w);
            }
        } else {
            n = longLength(w);
        }
    }
    // Read in pieces so a corrupt length cannot make us allocate before the
    // data is known to be there: a short archive ends in endOfFile.
    const size_t unit = wide ? 2 : 1;
    std::vector<BYTE> bytes;
    while (n > 0) {
        const size_t chunk = static_cast<size_t>(std::min<ULONGLONG>(n, 1u << 16));
        const size_t have = bytes.size();
        bytes.resize(have + chunk * unit);
        if (ar.Read(bytes.data() + have, static_cast<UINT>(chunk * unit)) != chunk * unit)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        n -= chunk;
    }
    if (wide) {
        std::vector<uint16_t> units(bytes.size() / 2);
        for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        str = fromUtf16(units);
    } else {
        str = CString(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
    }
    return ar;
}
