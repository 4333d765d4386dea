// Header readers of the picture formats the file library knows: BMP, PNG,
// JPEG, TIFF, WebP and the PNM family. They read only what they need through
// a ByteSource, check the claimed size against the SDK's limits, and check
// that the pixel data the header promises is present where that is cheap.
#include "formats_p.h"

#include "picture_p.h"

#include <imagesdk/limits.h>
#include <imagesdk/results.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <zlib.h>

namespace imagesdk::detail {

// ---------------------------------------------------------------------------
// Byte sources

bool MemorySource::read(uint64_t offset, void* out, size_t n) const {
    if (offset > size_ || n > size_ - offset) return false;
    std::memcpy(out, data_ + offset, n);
    return true;
}

FileSource::~FileSource() {
    if (file_) std::fclose(file_);
}

int FileSource::open(const char* path) {
    namespace fs = std::filesystem;
    if (!path || !*path) return IMGSDK_ERROR_INV_PARAMETER;
    std::error_code ec;
    const fs::path p(path);
    const fs::file_status st = fs::status(p, ec);
    if (st.type() == fs::file_type::not_found) return IMGSDK_ERROR_FILE_NOT_FOUND;
    if (ec) return IMGSDK_ERROR_FILE_OPEN;
    if (st.type() != fs::file_type::regular) return IMGSDK_ERROR_FILE_OPEN;
    const uintmax_t bytes = fs::file_size(p, ec);
    if (ec) return IMGSDK_ERROR_FILE_OPEN;
    if (bytes > kMaxFileBytes) return IMGSDK_ERROR_FILE_TOO_LARGE;
    file_ = std::fopen(path, "rb");
    if (!file_) return IMGSDK_ERROR_FILE_OPEN;
    size_ = bytes;
    return IMGSDK_SUCCESS;
}

bool FileSource::read(uint64_t offset, void* out, size_t n) const {
    if (!file_ || offset > size_ || n > size_ - offset) return false;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
    return std::fread(out, 1, n, file_) == n;
}

int FileSource::readAll(std::vector<unsigned char>& out) const {
    try {
        out.resize(static_cast<size_t>(size_));
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    return read(0, out.data(), out.size()) ? IMGSDK_SUCCESS : IMGSDK_ERROR_FILE_READ;
}

namespace {

// ---------------------------------------------------------------------------
// Helpers

uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t le32(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t be16(const unsigned char* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
uint32_t be32(const unsigned char* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]); }

void setCompression(FILEINFO& info, const char* name) {
    std::strncpy(info.Compression, name, sizeof info.Compression - 1);
    info.Compression[sizeof info.Compression - 1] = '\0';
}

// The depth a picture of this file depth gets when loaded at its own depth.
int loadedDepth(int fileBpp, int flags) {
    if (fileBpp <= 1) return 1;
    if (fileBpp <= 4) return 4;
    if (fileBpp <= 8 || (flags & FILEINFO_GRAY && !(flags & FILEINFO_ALPHA))) return 8;
    if (flags & FILEINFO_ALPHA) return 32;
    return 24;
}

// Checks the claimed size: dimensions, and the bytes a decoder would need for
// channels samples of sampleBits each, at least three channels wide.
int checkSize(FILEINFO& info, int64_t width, int64_t height, int channels, int sampleBits) {
    if (width <= 0 || height <= 0) return IMGSDK_ERROR_FILE_CORRUPT;
    if (width > kMaxDimension || height > kMaxDimension) return IMGSDK_ERROR_IMAGE_TOO_LARGE;
    const uint64_t decoded = uint64_t(width) * uint64_t(height) * uint64_t(std::max(channels, 3)) *
                             uint64_t(sampleBits > 8 ? 2 : 1);
    if (decoded > kMaxPictureBytes) return IMGSDK_ERROR_IMAGE_TOO_LARGE;
    info.Width = static_cast<int32_t>(width);
    info.Height = static_cast<int32_t>(height);
    return IMGSDK_SUCCESS;
}

int32_t dpiFromPerMetre(uint32_t perMetre) { return static_cast<int32_t>((uint64_t(perMetre) * 254 + 5000) / 10000); }

// ---------------------------------------------------------------------------
// BMP

int identifyBmp(const ByteSource& src, FILEINFO& info) {
    unsigned char h[14 + 40];
    if (!src.read(0, h, 18)) return IMGSDK_ERROR_FILE_CORRUPT;
    const uint32_t offBits = le32(h + 10);
    const uint32_t headerSize = le32(h + 14);
    int64_t width = 0, height = 0;
    int planes = 0, bpp = 0;
    uint32_t compression = BI_RGB;
    bool topDown = false;
    if (headerSize == 12) {
        if (!src.read(14, h + 14, 12)) return IMGSDK_ERROR_FILE_CORRUPT;
        width = le16(h + 18);
        height = le16(h + 20);
        planes = le16(h + 22);
        bpp = le16(h + 24);
    } else if (headerSize >= 40 && headerSize <= 124) {
        if (!src.read(14, h + 14, 40)) return IMGSDK_ERROR_FILE_CORRUPT;
        width = static_cast<int32_t>(le32(h + 18));
        height = static_cast<int32_t>(le32(h + 22));
        if (height < 0) {
            topDown = true;
            height = -height;
        }
        planes = le16(h + 26);
        bpp = le16(h + 28);
        compression = le32(h + 30);
        info.XResolution = dpiFromPerMetre(le32(h + 38));
        info.YResolution = dpiFromPerMetre(le32(h + 42));
    } else {
        return IMGSDK_ERROR_FILE_CORRUPT;
    }
    if (planes != 1 || !supportedDepth(bpp)) return IMGSDK_ERROR_FILE_CORRUPT;
    switch (compression) {
    case BI_RGB: setCompression(info, "None"); break;
    case BI_RLE8:
        if (bpp != 8 || topDown) return IMGSDK_ERROR_FILE_CORRUPT;
        setCompression(info, "RLE8");
        break;
    case BI_RLE4:
        if (bpp != 4 || topDown) return IMGSDK_ERROR_FILE_CORRUPT;
        setCompression(info, "RLE4");
        break;
    case BI_BITFIELDS:
    case 6:  // alpha bit fields
        if (bpp != 16 && bpp != 32) return IMGSDK_ERROR_FILE_CORRUPT;
        setCompression(info, "Bitfields");
        break;
    case BI_JPEG:
    case BI_PNG: return IMGSDK_ERROR_FILE_FORMAT;
    default: return IMGSDK_ERROR_FILE_CORRUPT;
    }
    const int rc = checkSize(info, width, height, bpp == 32 ? 4 : 3, 8);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (offBits < 14 + headerSize || offBits >= src.size()) return IMGSDK_ERROR_FILE_CORRUPT;
    if (compression == BI_RGB || compression == BI_BITFIELDS || compression == 6) {
        const uint64_t need = rowBytes(static_cast<int>(width), bpp) * uint64_t(height);
        if (src.size() - offBits < need) return IMGSDK_ERROR_FILE_CORRUPT;
    }
    info.Format = IMGFILE_BMP;
    info.BitsPerPixel = bpp;
    if (bpp <= 8) info.Flags |= FILEINFO_PALETTE;
    return IMGSDK_SUCCESS;
}

// ---------------------------------------------------------------------------
// PNG

int identifyPng(const ByteSource& src, FILEINFO& info) {
    unsigned char h[33];
    if (!src.read(0, h, sizeof h)) return IMGSDK_ERROR_FILE_CORRUPT;
    if (be32(h + 8) != 13 || std::memcmp(h + 12, "IHDR", 4) != 0) return IMGSDK_ERROR_FILE_CORRUPT;
    const uint32_t width = be32(h + 16), height = be32(h + 20);
    const int depth = h[24], colorType = h[25];
    if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu || h[26] != 0 || h[27] != 0 || h[28] > 1)
        return IMGSDK_ERROR_FILE_CORRUPT;
    int channels = 0;
    bool depthOk = false;
    switch (colorType) {
    case 0:
        channels = 1;
        depthOk = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        info.Flags |= FILEINFO_GRAY;
        break;
    case 2:
        channels = 3;
        depthOk = depth == 8 || depth == 16;
        break;
    case 3:
        channels = 1;
        depthOk = depth == 1 || depth == 2 || depth == 4 || depth == 8;
        info.Flags |= FILEINFO_PALETTE;
        break;
    case 4:
        channels = 2;
        depthOk = depth == 8 || depth == 16;
        info.Flags |= FILEINFO_GRAY | FILEINFO_ALPHA;
        break;
    case 6:
        channels = 4;
        depthOk = depth == 8 || depth == 16;
        info.Flags |= FILEINFO_ALPHA;
        break;
    default: break;
    }
    if (!depthOk) return IMGSDK_ERROR_FILE_CORRUPT;
    const int rc = checkSize(info, width, height, colorType == 3 ? 4 : channels, depth);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (h[28] == 1) info.Flags |= FILEINFO_PROGRESSIVE;

    // The chunks before the image data: resolution and transparency. A file
    // that ends before its first IDAT chunk is cut short.
    uint64_t pos = 33;
    bool sawData = false;
    for (int n = 0; n < 4096; ++n) {
        unsigned char c[8];
        if (!src.read(pos, c, 8)) break;
        const uint32_t len = be32(c);
        if (len > 0x7FFFFFFFu) return IMGSDK_ERROR_FILE_CORRUPT;
        if (std::memcmp(c + 4, "IDAT", 4) == 0) {
            sawData = true;
            break;
        }
        if (std::memcmp(c + 4, "IEND", 4) == 0) break;
        if (std::memcmp(c + 4, "pHYs", 4) == 0 && len == 9) {
            unsigned char p[9];
            if (src.read(pos + 8, p, 9) && p[8] == 1) {
                info.XResolution = dpiFromPerMetre(be32(p));
                info.YResolution = dpiFromPerMetre(be32(p + 4));
            }
        } else if (std::memcmp(c + 4, "tRNS", 4) == 0) {
            info.Flags |= FILEINFO_ALPHA;
        }
        pos += 12 + uint64_t(len);
    }
    if (!sawData) return IMGSDK_ERROR_FILE_CORRUPT;
    info.Format = IMGFILE_PNG;
    info.BitsPerPixel = depth * channels;
    setCompression(info, "Deflate");
    return IMGSDK_SUCCESS;
}

// ---------------------------------------------------------------------------
// JPEG

bool isStartOfFrame(int m) {
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

int identifyJpeg(const ByteSource& src, FILEINFO& info) {
    uint64_t pos = 2;
    for (int n = 0; n < 65536; ++n) {
        unsigned char c[4];
        if (!src.read(pos, c, 2)) return IMGSDK_ERROR_FILE_CORRUPT;
        if (c[0] != 0xFF) return IMGSDK_ERROR_FILE_CORRUPT;
        int marker = c[1];
        ++pos;
        while (marker == 0xFF) {  // fill bytes
            ++pos;
            if (!src.read(pos, c + 1, 1)) return IMGSDK_ERROR_FILE_CORRUPT;
            marker = c[1];
        }
        ++pos;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA || marker == 0x00) return IMGSDK_ERROR_FILE_CORRUPT;
        if (!src.read(pos, c, 2)) return IMGSDK_ERROR_FILE_CORRUPT;
        const uint16_t len = be16(c);
        if (len < 2) return IMGSDK_ERROR_FILE_CORRUPT;
        if (isStartOfFrame(marker)) {
            unsigned char f[6];
            if (len < 8 || !src.read(pos + 2, f, 6)) return IMGSDK_ERROR_FILE_CORRUPT;
            const int precision = f[0], components = f[5];
            const int height = be16(f + 1), width = be16(f + 3);
            if (components < 1 || components > 4 || (precision != 8 && precision != 12 && precision != 16))
                return IMGSDK_ERROR_FILE_CORRUPT;
            const int rc = checkSize(info, width, height, components, precision);
            if (rc != IMGSDK_SUCCESS) return rc;
            if (marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE) info.Flags |= FILEINFO_PROGRESSIVE;
            if (components == 1) info.Flags |= FILEINFO_GRAY;
            setCompression(info, marker >= 0xC9 ? "Arithmetic" : (info.Flags & FILEINFO_PROGRESSIVE) ? "Progressive"
                                                                                                       : "Huffman");
            info.Format = IMGFILE_JPEG;
            info.BitsPerPixel = precision * components;
            return IMGSDK_SUCCESS;
        }
        if (marker == 0xE0 && len >= 16) {
            unsigned char a[14];
            if (src.read(pos + 2, a, sizeof a) && std::memcmp(a, "JFIF\0", 5) == 0) {
                const int units = a[7];
                const int xd = be16(a + 8), yd = be16(a + 10);
                if (units == 1) {
                    info.XResolution = xd;
                    info.YResolution = yd;
                } else if (units == 2) {
                    info.XResolution = (xd * 254 + 50) / 100;
                    info.YResolution = (yd * 254 + 50) / 100;
                }
            }
        }
        pos += len;
    }
    return IMGSDK_ERROR_FILE_CORRUPT;
}

// ---------------------------------------------------------------------------
// TIFF

struct TiffReader {
    const ByteSource& src;
    bool big;  // big-endian ("MM")
    uint16_t u16(const unsigned char* p) const { return big ? be16(p) : le16(p); }
    uint32_t u32(const unsigned char* p) const { return big ? be32(p) : le32(p); }
};

struct TiffEntry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    unsigned char value[4] = {0, 0, 0, 0};
};

int typeSize(uint16_t type) {
    switch (type) {
    case 1: case 2: case 6: case 7: return 1;  // byte, ascii, sbyte, undefined
    case 3: case 8: return 2;                  // short, sshort
    case 4: case 9: case 11: case 13: return 4;  // long, slong, float, ifd
    case 5: case 10: case 12: return 8;          // rational, srational, double
    default: return 0;
    }
}

// Value i of an entry of SHORT or LONG type; false when it cannot be read.
bool tiffValue(const TiffReader& r, const TiffEntry& e, uint32_t i, uint32_t& out) {
    const int size = typeSize(e.type);
    if ((e.type != 3 && e.type != 4) || i >= e.count) return false;
    const uint64_t bytes = uint64_t(size) * e.count;
    unsigned char buf[4];
    if (bytes <= 4) {
        std::memcpy(buf, e.value + size * i, static_cast<size_t>(size));
    } else if (!r.src.read(uint64_t(r.u32(e.value)) + uint64_t(size) * i, buf, static_cast<size_t>(size))) {
        return false;
    }
    out = size == 2 ? r.u16(buf) : r.u32(buf);
    return true;
}

int32_t tiffResolution(const TiffReader& r, const TiffEntry& e, uint32_t unit) {
    unsigned char buf[8];
    if (e.type != 5 || e.count < 1 || !r.src.read(r.u32(e.value), buf, 8)) return 0;
    const uint32_t num = r.u32(buf), den = r.u32(buf + 4);
    if (den == 0) return 0;
    const double v = double(num) / den;
    if (unit == 3) return static_cast<int32_t>(v * 2.54 + 0.5);  // per centimetre
    if (unit == 2) return static_cast<int32_t>(v + 0.5);
    return 0;
}

// Checks that every strip or tile lies inside the file.
bool tiffDataPresent(const TiffReader& r, const TiffEntry* offsets, const TiffEntry* counts) {
    if (!offsets || !counts || offsets->count != counts->count || offsets->count == 0) return false;
    const uint32_t n = std::min<uint32_t>(offsets->count, 1u << 20);
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t off = 0, len = 0;
        if (!tiffValue(r, *offsets, i, off) || !tiffValue(r, *counts, i, len)) return false;
        if (uint64_t(off) + len > r.src.size()) return false;
    }
    return true;
}

int identifyTiff(const ByteSource& src, FILEINFO& info) {
    unsigned char h[8];
    if (!src.read(0, h, 8)) return IMGSDK_ERROR_FILE_CORRUPT;
    const TiffReader r{src, h[0] == 'M'};
    const uint16_t magic = r.u16(h + 2);
    if (magic == 43) return IMGSDK_ERROR_FILE_FORMAT;  // BigTIFF
    if (magic != 42) return IMGSDK_ERROR_FILE_CORRUPT;
    const uint32_t ifd = r.u32(h + 4);
    unsigned char c[2];
    if (ifd < 8 || !src.read(ifd, c, 2)) return IMGSDK_ERROR_FILE_CORRUPT;
    const uint16_t n = r.u16(c);
    if (n == 0) return IMGSDK_ERROR_FILE_CORRUPT;
    std::vector<unsigned char> raw(size_t(n) * 12 + 4);
    if (!src.read(uint64_t(ifd) + 2, raw.data(), raw.size())) return IMGSDK_ERROR_FILE_CORRUPT;

    std::vector<TiffEntry> entries(n);
    for (uint16_t i = 0; i < n; ++i) {
        const unsigned char* p = raw.data() + 12 * size_t(i);
        entries[i].tag = r.u16(p);
        entries[i].type = r.u16(p + 2);
        entries[i].count = r.u32(p + 4);
        std::memcpy(entries[i].value, p + 8, 4);
    }
    auto find = [&](uint16_t tag) -> const TiffEntry* {
        for (const TiffEntry& e : entries)
            if (e.tag == tag) return &e;
        return nullptr;
    };
    auto number = [&](uint16_t tag, uint32_t fallback, bool& present) {
        uint32_t v = fallback;
        const TiffEntry* e = find(tag);
        present = e && tiffValue(r, *e, 0, v);
        return present ? v : fallback;
    };
    bool hasWidth = false, hasHeight = false, dummy = false, tiled = false;
    const uint32_t width = number(256, 0, hasWidth);
    const uint32_t height = number(257, 0, hasHeight);
    const uint32_t bits = number(258, 1, dummy);
    const uint32_t compression = number(259, 1, dummy);
    const uint32_t photometric = number(262, 2, dummy);
    const uint32_t samples = number(277, 1, dummy);
    const uint32_t tileWidth = number(322, 0, tiled);
    const uint32_t tileHeight = number(323, 0, dummy);
    const uint32_t unit = number(296, 2, dummy);
    if (!hasWidth || !hasHeight) return IMGSDK_ERROR_FILE_CORRUPT;
    if (bits == 0 || bits > 32 || samples == 0 || samples > 8) return IMGSDK_ERROR_FILE_CORRUPT;
    int rc = checkSize(info, width, height, static_cast<int>(samples), static_cast<int>(bits));
    if (rc != IMGSDK_SUCCESS) return rc;
    if (tiled) {
        if (tileWidth == 0 || tileHeight == 0) return IMGSDK_ERROR_FILE_CORRUPT;
        FILEINFO tile{};
        rc = checkSize(tile, tileWidth, tileHeight, static_cast<int>(samples), static_cast<int>(bits));
        if (rc != IMGSDK_SUCCESS) return rc;
        if (!tiffDataPresent(r, find(324), find(325))) return IMGSDK_ERROR_FILE_CORRUPT;
    } else if (!tiffDataPresent(r, find(273), find(279))) {
        return IMGSDK_ERROR_FILE_CORRUPT;
    }
    if (const TiffEntry* e = find(282)) info.XResolution = tiffResolution(r, *e, unit);
    if (const TiffEntry* e = find(283)) info.YResolution = tiffResolution(r, *e, unit);

    if (photometric == 3) info.Flags |= FILEINFO_PALETTE;
    if (photometric <= 1) info.Flags |= FILEINFO_GRAY;
    if ((photometric <= 1 && samples >= 2) || (photometric == 2 && samples >= 4)) info.Flags |= FILEINFO_ALPHA;
    switch (compression) {
    case 1: setCompression(info, "None"); break;
    case 2: case 3: case 4: setCompression(info, "CCITT"); break;
    case 5: setCompression(info, "LZW"); break;
    case 6: case 7: setCompression(info, "JPEG"); break;
    case 8: case 32946: setCompression(info, "Deflate"); break;
    case 32773: setCompression(info, "PackBits"); break;
    default: setCompression(info, "Other"); break;
    }

    // Count the pages along the chain of directories.
    int pages = 1;
    uint32_t next = r.u32(raw.data() + 12 * size_t(n));
    while (next != 0 && pages < 4096) {
        unsigned char cnt[2], link[4];
        if (!src.read(next, cnt, 2)) break;
        if (!src.read(uint64_t(next) + 2 + 12 * uint64_t(r.u16(cnt)), link, 4)) break;
        ++pages;
        next = r.u32(link);
    }
    info.TotalPages = pages;
    info.Format = IMGFILE_TIFF;
    info.BitsPerPixel = static_cast<int32_t>(bits * samples);
    return IMGSDK_SUCCESS;
}

// ---------------------------------------------------------------------------
// WebP

int identifyWebp(const ByteSource& src, FILEINFO& info) {
    unsigned char h[30];
    if (!src.read(0, h, 20)) return IMGSDK_ERROR_FILE_CORRUPT;
    if (uint64_t(le32(h + 4)) + 8 > src.size()) return IMGSDK_ERROR_FILE_CORRUPT;  // cut short
    int64_t width = 0, height = 0;
    bool alpha = false;
    if (std::memcmp(h + 12, "VP8 ", 4) == 0) {
        if (!src.read(20, h + 20, 10)) return IMGSDK_ERROR_FILE_CORRUPT;
        if ((h[20] & 1) != 0 || h[23] != 0x9D || h[24] != 0x01 || h[25] != 0x2A) return IMGSDK_ERROR_FILE_CORRUPT;
        width = le16(h + 26) & 0x3FFF;
        height = le16(h + 28) & 0x3FFF;
        setCompression(info, "VP8");
    } else if (std::memcmp(h + 12, "VP8L", 4) == 0) {
        if (!src.read(20, h + 20, 5)) return IMGSDK_ERROR_FILE_CORRUPT;
        if (h[20] != 0x2F) return IMGSDK_ERROR_FILE_CORRUPT;
        const uint32_t v = le32(h + 21);
        width = 1 + (v & 0x3FFF);
        height = 1 + ((v >> 14) & 0x3FFF);
        alpha = (v >> 28) & 1;
        setCompression(info, "VP8L");
    } else if (std::memcmp(h + 12, "VP8X", 4) == 0) {
        if (!src.read(20, h + 20, 10)) return IMGSDK_ERROR_FILE_CORRUPT;
        if (h[20] & 0x02) return IMGSDK_ERROR_FILE_FORMAT;  // animation
        alpha = (h[20] & 0x10) != 0;
        width = 1 + int64_t(h[24] | h[25] << 8 | h[26] << 16);
        height = 1 + int64_t(h[27] | h[28] << 8 | h[29] << 16);
        setCompression(info, "VP8");
    } else {
        return IMGSDK_ERROR_FILE_CORRUPT;
    }
    const int rc = checkSize(info, width, height, alpha ? 4 : 3, 8);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (alpha) info.Flags |= FILEINFO_ALPHA;
    info.Format = IMGFILE_WEBP;
    info.BitsPerPixel = alpha ? 32 : 24;
    return IMGSDK_SUCCESS;
}

// ---------------------------------------------------------------------------
// PNM: PBM, PGM, PPM (P1-P6) and PAM (P7)

bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

struct Tokens {
    const unsigned char* p;
    size_t n;
    size_t pos = 0;
    // The next whitespace-separated token, skipping comments; empty at the end.
    std::string next() {
        for (;;) {
            while (pos < n && isBlank(p[pos])) ++pos;
            if (pos < n && p[pos] == '#') {
                while (pos < n && p[pos] != '\n') ++pos;
                continue;
            }
            break;
        }
        std::string t;
        while (pos < n && !isBlank(p[pos]) && p[pos] != '#') t.push_back(static_cast<char>(p[pos++]));
        return t;
    }
};

bool toNumber(const std::string& s, int64_t& out) {
    if (s.empty() || s.size() > 10) return false;
    out = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        out = out * 10 + (c - '0');
    }
    return true;
}

int identifyPnm(const ByteSource& src, FILEINFO& info) {
    unsigned char buf[4096];
    const size_t n = static_cast<size_t>(std::min<uint64_t>(src.size(), sizeof buf));
    if (!src.read(0, buf, n)) return IMGSDK_ERROR_FILE_READ;
    const int kind = buf[1] - '0';
    Tokens t{buf, n, 2};
    int64_t width = 0, height = 0, maxval = 1, depth = 1;
    if (kind == 7) {
        bool ended = false;
        for (int i = 0; i < 64 && !ended; ++i) {
            const std::string key = t.next();
            if (key == "ENDHDR") {
                ended = true;
                while (t.pos < n && buf[t.pos] != '\n') ++t.pos;
                ++t.pos;
            } else if (key == "TUPLTYPE") {
                while (t.pos < n && buf[t.pos] != '\n') ++t.pos;
            } else {
                int64_t v = 0;
                if (!toNumber(t.next(), v)) return IMGSDK_ERROR_FILE_CORRUPT;
                if (key == "WIDTH") width = v;
                else if (key == "HEIGHT") height = v;
                else if (key == "DEPTH") depth = v;
                else if (key == "MAXVAL") maxval = v;
                else return IMGSDK_ERROR_FILE_CORRUPT;
            }
        }
        if (!ended || depth < 1 || depth > 4) return IMGSDK_ERROR_FILE_CORRUPT;
    } else {
        if (!toNumber(t.next(), width) || !toNumber(t.next(), height)) return IMGSDK_ERROR_FILE_CORRUPT;
        if (kind != 1 && kind != 4 && !toNumber(t.next(), maxval)) return IMGSDK_ERROR_FILE_CORRUPT;
        if (kind == 3 || kind == 6) depth = 3;
        ++t.pos;  // the single whitespace before binary data
    }
    if (maxval < 1 || maxval > 65535) return IMGSDK_ERROR_FILE_CORRUPT;
    const int sampleBits = kind == 1 || kind == 4 ? 1 : maxval < 256 ? 8 : 16;
    const int rc = checkSize(info, width, height, static_cast<int>(depth), sampleBits);
    if (rc != IMGSDK_SUCCESS) return rc;

    const bool binary = kind >= 4;
    if (binary) {
        const uint64_t row = sampleBits == 1 ? (uint64_t(width) + 7) / 8 : uint64_t(width) * depth * (sampleBits / 8);
        if (t.pos > src.size() || src.size() - t.pos < row * uint64_t(height)) return IMGSDK_ERROR_FILE_CORRUPT;
    }
    if (depth <= 2) info.Flags |= FILEINFO_GRAY;
    if (depth == 2 || depth == 4) info.Flags |= FILEINFO_ALPHA;
    info.Format = IMGFILE_PNM;
    info.BitsPerPixel = static_cast<int32_t>(sampleBits * depth);
    setCompression(info, binary ? "None" : "ASCII");
    return IMGSDK_SUCCESS;
}

// ---------------------------------------------------------------------------
// GIF

// Skips a chain of data sub-blocks; false when the file ends inside it.
bool skipSubBlocks(const ByteSource& src, uint64_t& pos) {
    for (;;) {
        unsigned char n;
        if (!src.read(pos, &n, 1)) return false;
        pos += 1 + uint64_t(n);
        if (n == 0) return true;
    }
}

int identifyGif(const ByteSource& src, FILEINFO& info) {
    unsigned char h[13];
    if (!src.read(0, h, sizeof h)) return IMGSDK_ERROR_FILE_CORRUPT;
    const int rc = checkSize(info, le16(h + 6), le16(h + 8), 4, 8);
    if (rc != IMGSDK_SUCCESS) return rc;
    uint64_t pos = 13;
    if (h[10] & 0x80) pos += 3u << ((h[10] & 7) + 1);
    int bits = (h[10] & 0x80) ? (h[10] & 7) + 1 : 0;
    int pages = 0;
    for (int n = 0; n < 1 << 16; ++n) {
        unsigned char c;
        if (!src.read(pos, &c, 1)) break;  // a missing trailer is forgiven
        if (c == 0x3B) break;
        if (c == 0x21) {
            pos += 2;
            if (!skipSubBlocks(src, pos)) return pages ? IMGSDK_SUCCESS : IMGSDK_ERROR_FILE_CORRUPT;
        } else if (c == 0x2C) {
            unsigned char d[10];
            if (!src.read(pos, d, sizeof d)) return IMGSDK_ERROR_FILE_CORRUPT;
            pos += 10;
            // Each frame is decoded whole: its claimed size counts like the screen's.
            FILEINFO frame{};
            const int sized = checkSize(frame, le16(d + 5), le16(d + 7), 4, 8);
            if (sized != IMGSDK_SUCCESS) return sized;
            if (d[9] & 0x80) {
                pos += 3u << ((d[9] & 7) + 1);
                bits = std::max(bits, (d[9] & 7) + 1);
            }
            pos += 1;  // LZW code size
            if (!skipSubBlocks(src, pos)) return IMGSDK_ERROR_FILE_CORRUPT;
            ++pages;
        } else {
            return IMGSDK_ERROR_FILE_CORRUPT;
        }
    }
    if (pages == 0 || bits == 0) return IMGSDK_ERROR_FILE_CORRUPT;
    info.TotalPages = pages;
    info.Format = IMGFILE_GIF;
    info.BitsPerPixel = bits;
    info.Flags |= FILEINFO_PALETTE;
    setCompression(info, "LZW");
    return IMGSDK_SUCCESS;
}

}  // namespace

// ---------------------------------------------------------------------------

int identify(const ByteSource& src, FILEINFO& info) {
    std::memset(&info, 0, sizeof info);
    info.uStructSize = sizeof(FILEINFO);
    info.SizeDisk = static_cast<int64_t>(src.size());
    info.TotalPages = 1;

    unsigned char m[12] = {};
    const size_t n = static_cast<size_t>(std::min<uint64_t>(src.size(), sizeof m));
    if (n && !src.read(0, m, n)) return IMGSDK_ERROR_FILE_READ;

    int rc = IMGSDK_ERROR_FILE_FORMAT;
    if (n >= 2 && m[0] == 'B' && m[1] == 'M') {
        rc = identifyBmp(src, info);
    } else if (n >= 8 && std::memcmp(m, "\x89PNG\r\n\x1a\n", 8) == 0) {
        rc = identifyPng(src, info);
    } else if (n >= 3 && m[0] == 0xFF && m[1] == 0xD8 && m[2] == 0xFF) {
        rc = identifyJpeg(src, info);
    } else if (n >= 4 && ((m[0] == 'I' && m[1] == 'I' && m[2] == 42 && m[3] == 0) ||
                          (m[0] == 'M' && m[1] == 'M' && m[2] == 0 && m[3] == 42) ||
                          (m[0] == 'I' && m[1] == 'I' && m[2] == 43 && m[3] == 0) ||
                          (m[0] == 'M' && m[1] == 'M' && m[2] == 0 && m[3] == 43))) {
        rc = identifyTiff(src, info);
    } else if (n >= 12 && std::memcmp(m, "RIFF", 4) == 0 && std::memcmp(m + 8, "WEBP", 4) == 0) {
        rc = identifyWebp(src, info);
    } else if (n >= 3 && m[0] == 'P' && m[1] >= '1' && m[1] <= '7' && (isBlank(m[2]) || m[2] == '#')) {
        rc = identifyPnm(src, info);
    } else if (n >= 6 && (std::memcmp(m, "GIF87a", 6) == 0 || std::memcmp(m, "GIF89a", 6) == 0)) {
        rc = identifyGif(src, info);
    }
    if (rc != IMGSDK_SUCCESS) {
        const int64_t disk = info.SizeDisk;
        std::memset(&info, 0, sizeof info);
        info.uStructSize = sizeof(FILEINFO);
        info.SizeDisk = disk;
        return rc;
    }
    const int depth = loadedDepth(info.BitsPerPixel, info.Flags);
    info.SizeMem = static_cast<int64_t>(rowBytes(info.Width, depth) * uint64_t(info.Height));
    return IMGSDK_SUCCESS;
}

namespace {

bool pngComplete(const unsigned char* data, size_t size) {
    size_t pos = 8;
    while (pos + 12 <= size) {
        const uint32_t len = be32(data + pos);
        if (len > size - pos - 12) return false;
        if (::crc32(0, data + pos + 4, uInt(len + 4)) != be32(data + pos + 8 + len)) return false;
        if (std::memcmp(data + pos + 4, "IEND", 4) == 0) return true;
        pos += 12 + len;
    }
    return false;
}

bool jpegComplete(const unsigned char* data, size_t size) {
    // Walk the segments to the first scan.
    size_t pos = 2;
    size_t scan = 0;
    while (pos + 4 <= size) {
        if (data[pos] != 0xFF) return false;
        const int marker = data[pos + 1];
        if (marker == 0xFF) {
            ++pos;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        const size_t len = be16(data + pos + 2);
        if (marker == 0xDA) {
            scan = pos + 2 + len;
            break;
        }
        pos += 2 + len;
    }
    if (scan == 0 || scan > size) return false;
    // Entropy-coded data stuffs every 0xFF with a zero byte, so the last
    // FF D9 after the scan header is the end-of-image marker.
    for (size_t i = size; i >= scan + 2; --i) {
        if (data[i - 2] == 0xFF && data[i - 1] == 0xD9) return true;
    }
    return false;
}

}  // namespace

bool dataComplete(const unsigned char* data, size_t size, const FILEINFO& info) {
    switch (info.Format) {
    case IMGFILE_PNG: return pngComplete(data, size);
    case IMGFILE_JPEG: return jpegComplete(data, size);
    default: return true;
    }
}

}  // namespace imagesdk::detail
