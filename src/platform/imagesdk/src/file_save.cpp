// The file library: writing picture files — our own BMP writer (which keeps
// every depth and colour table), the back end's encoders for the other
// formats; pages of TIFF and GIF files; stamps (small copies) inside JPEG and
// PNG files.
#include "backend_p.h"
#include "decoder_p.h"
#include "pixel_values_p.h"

#include <imagesdk/limits.h>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace imagesdk::detail {

namespace {

const char kStampTag[] = "HMIGFX-STAMP";  // with its terminating zero, the start of the stamp segment

// The depths a format can be asked for.
bool formatTakes(int format, int bpp) {
    switch (format) {
    case IMGFILE_BMP: return supportedDepth(bpp);
    case IMGFILE_PNG:
    case IMGFILE_TIFF: return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32;
    case IMGFILE_JPEG:
    case IMGFILE_PNM: return bpp == 8 || bpp == 24;
    case IMGFILE_WEBP: return bpp == 24 || bpp == 32;
    case IMGFILE_GIF: return bpp == 1 || bpp == 4 || bpp == 8;
    default: return false;
    }
}

bool multiPage(int format) { return format == IMGFILE_TIFF || format == IMGFILE_GIF; }


int toDepth(const struct_LEAD_Bitmap& b, int bpp, bool fixedTable, ScratchPicture& out,
            const struct_LEAD_Bitmap*& use) {
    use = &b;
    if (bpp == 0 || bpp == b.BitsPerPixel) return IMGSDK_SUCCESS;
    const int rc = colorRes(const_cast<struct_LEAD_Bitmap*>(&b), &out.pic, bpp,
                            fixedTable ? CRF_FIXEDPALETTE : CRF_OPTIMIZEDPALETTE, nullptr, nullptr, 0, nullptr, nullptr);
    if (rc == IMGSDK_SUCCESS) use = &out.pic;
    return rc;
}

int bmpBytes(const struct_LEAD_Bitmap& b, std::vector<unsigned char>& out) {
    HGLOBAL dib = copyAsDib(b);
    if (!dib) return IMGSDK_ERROR_NO_MEMORY;
    const size_t size = GlobalSize(dib);
    const auto* p = static_cast<const unsigned char*>(GlobalLock(dib));
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(p);
    const uint32_t offBits = uint32_t(14 + h->biSize + h->biClrUsed * 4);
    out.assign(14, 0);
    out[0] = 'B';
    out[1] = 'M';
    const uint32_t total = uint32_t(14 + size);
    std::memcpy(&out[2], &total, 4);
    std::memcpy(&out[10], &offBits, 4);
    out.insert(out.end(), p, p + size);
    GlobalUnlock(dib);
    GlobalFree(dib);
    return IMGSDK_SUCCESS;
}

}  // namespace

int writeBytes(const char* path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return IMGSDK_ERROR_FILE_WRITE;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok ? IMGSDK_SUCCESS : IMGSDK_ERROR_FILE_WRITE;
}

int readBytes(const char* path, std::vector<unsigned char>& out) {
    FileSource src;
    const int rc = src.open(path);
    return rc == IMGSDK_SUCCESS ? src.readAll(out) : rc;
}

namespace {

// ---------------------------------------------------------------------------
// Stamps

int makeStamp(const struct_LEAD_Bitmap& b, const SAVEFILEOPTION& o, std::vector<unsigned char>& out) {
    int w = o.StampWidth, h = o.StampHeight;
    const int bits = o.StampBits == 0 ? 24 : o.StampBits;
    if (w < 0 || h < 0 || w > 256 || h > 256 || (bits != 8 && bits != 24)) return IMGSDK_ERROR_INV_PARAMETER;
    if (w == 0 && h == 0) w = 96;  // keep the picture's shape
    if (w == 0) w = std::max(1, int(int64_t(h) * b.Width / b.Height));
    if (h == 0) h = std::max(1, int(int64_t(w) * b.Height / b.Width));
    ScratchPicture stamp;
    int rc = copy(&stamp.pic, const_cast<struct_LEAD_Bitmap*>(&b));
    if (rc == IMGSDK_SUCCESS) rc = size(&stamp.pic, w, h, SIZE_RESAMPLE);
    if (rc == IMGSDK_SUCCESS)
        rc = colorRes(&stamp.pic, nullptr, bits, (o.Flags & ESO_STAMPPALETTE) ? CRF_OPTIMIZEDPALETTE : CRF_FIXEDPALETTE,
                      nullptr, nullptr, 0, nullptr, nullptr);
    if (rc == IMGSDK_SUCCESS) rc = bmpBytes(stamp.pic, out);
    return rc;
}

void putBe32(unsigned char* p, uint32_t v) {
    p[0] = uint8_t(v >> 24), p[1] = uint8_t(v >> 16), p[2] = uint8_t(v >> 8), p[3] = uint8_t(v);
}
uint32_t be32(const unsigned char* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

int embedStamp(int format, const std::vector<unsigned char>& stamp, std::vector<unsigned char>& file) {
    std::vector<unsigned char> body(kStampTag, kStampTag + sizeof kStampTag);
    body.insert(body.end(), stamp.begin(), stamp.end());
    if (format == IMGFILE_JPEG) {
        // An APP15 segment right after the start-of-image marker.
        if (body.size() + 2 > 65535) return IMGSDK_ERROR_INV_PARAMETER;
        const size_t len = body.size() + 2;
        std::vector<unsigned char> seg = {0xFF, 0xEF, uint8_t(len >> 8), uint8_t(len)};
        seg.insert(seg.end(), body.begin(), body.end());
        file.insert(file.begin() + 2, seg.begin(), seg.end());
        return IMGSDK_SUCCESS;
    }
    if (format == IMGFILE_PNG) {
        // A private ancillary chunk before IEND (the last 12 bytes).
        std::vector<unsigned char> chunk(8 + body.size() + 4);
        putBe32(chunk.data(), uint32_t(body.size()));
        std::memcpy(chunk.data() + 4, "stMp", 4);
        std::memcpy(chunk.data() + 8, body.data(), body.size());
        putBe32(chunk.data() + 8 + body.size(), uint32_t(crc32(0, chunk.data() + 4, uInt(body.size() + 4))));
        file.insert(file.end() - 12, chunk.begin(), chunk.end());
        return IMGSDK_SUCCESS;
    }
    return IMGSDK_ERROR_INV_FORMAT;
}

// The stamp's BMP bytes inside a JPEG or PNG file; false when there is none.
bool findStamp(const std::vector<unsigned char>& f, size_t& at, size_t& len) {
    auto tagged = [&](size_t p, size_t n) {
        if (n < sizeof kStampTag || std::memcmp(&f[p], kStampTag, sizeof kStampTag) != 0) return false;
        at = p + sizeof kStampTag;
        len = n - sizeof kStampTag;
        return true;
    };
    if (f.size() > 4 && f[0] == 0xFF && f[1] == 0xD8) {
        for (size_t p = 2; p + 4 <= f.size() && f[p] == 0xFF && f[p + 1] != 0xDA;) {
            const size_t n = size_t(f[p + 2]) << 8 | f[p + 3];
            if (n < 2 || p + 2 + n > f.size()) return false;
            if (f[p + 1] == 0xEF && tagged(p + 4, n - 2)) return true;
            p += 2 + n;
        }
    } else if (f.size() > 8 && std::memcmp(f.data(), "\x89PNG", 4) == 0) {
        for (size_t p = 8; p + 12 <= f.size();) {
            const size_t n = be32(&f[p]);
            if (n > f.size() - p - 12) return false;
            if (std::memcmp(&f[p + 4], "stMp", 4) == 0 && tagged(p + 8, n)) return true;
            p += 12 + n;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// Pages

int savePage(const char* path, int format, int page, const struct_LEAD_Bitmap& pic, std::vector<unsigned char>& bytes,
             bool& written) {
    written = false;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return page <= 1 ? IMGSDK_SUCCESS : IMGSDK_ERROR_PAGE_NOT_FOUND;
    std::vector<unsigned char> old;
    int rc = readBytes(path, old);
    if (rc != IMGSDK_SUCCESS) return rc;
    rc = joinPage(old, format, page, pic, bytes);
    written = rc == IMGSDK_SUCCESS;
    return rc;
}

// The bytes of a file of one page: BMP here, the other formats by the back end.
int encodeOne(const struct_LEAD_Bitmap& b, int format, int quality, std::vector<unsigned char>& out) {
    try {
        if (format == IMGFILE_BMP) return bmpBytes(b, out);
        if (format == IMGFILE_GIF && b.BitsPerPixel > 8) {
            ScratchPicture eight;
            const struct_LEAD_Bitmap* pic = nullptr;
            const int rc = toDepth(b, 8, false, eight, pic);
            return rc == IMGSDK_SUCCESS ? encodePicture(*pic, format, quality, out) : rc;
        }
        return encodePicture(b, format, quality, out);
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
}

int encodeChecked(const struct_LEAD_Bitmap* b, int format, int bpp, int quality, unsigned flags,
                  LEADFILECALLBACK callback, void* user, SAVEFILEOPTION* options, std::vector<unsigned char>& bytes,
                  ScratchPicture& converted, const struct_LEAD_Bitmap*& pic) {
    if (!b) return IMGSDK_ERROR_INV_PARAMETER;
    if (format < IMGFILE_BMP || format > IMGFILE_GIF) return IMGSDK_ERROR_INV_FORMAT;
    if (bpp != 0 && !supportedDepth(bpp)) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    if (bpp != 0 && !formatTakes(format, bpp)) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    if (quality < 0 || quality > 100) return IMGSDK_ERROR_INV_PARAMETER;
    if (options && options->uStructSize != sizeof(SAVEFILEOPTION)) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    int rc = toDepth(*b, bpp, (flags & SAVEFILE_FIXEDPALETTE) != 0, converted, pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (callback) {
        FILEINFO info{};
        info.uStructSize = sizeof info;
        info.Format = format;
        info.Width = pic->Width;
        info.Height = pic->Height;
        info.BitsPerPixel = pic->BitsPerPixel;
        info.TotalPages = 1;
        struct_LEAD_Bitmap view = *pic;
        for (int y = 0; y < pic->Height; ++y) {
            rc = callback(&info, &view, rowFromTop(*pic, y), y, 1, user);
            if (rc != IMGSDK_SUCCESS) return rc < 0 ? rc : IMGSDK_ERROR_USER_ABORT;
        }
    }
    rc = encodeOne(*pic, format, quality, bytes);
    if (rc == IMGSDK_SUCCESS && options && (options->Flags & ESO_SAVEWITHSTAMP)) {
        std::vector<unsigned char> stamp;
        rc = makeStamp(*pic, *options, stamp);
        if (rc == IMGSDK_SUCCESS) rc = embedStamp(format, stamp, bytes);
    }
    return rc;
}

}  // namespace

// ---------------------------------------------------------------------------

int defaultSaveOptions(SAVEFILEOPTION* options) {
    if (!options) return IMGSDK_ERROR_INV_PARAMETER;
    std::memset(options, 0, sizeof *options);
    options->uStructSize = sizeof *options;
    options->StampWidth = 96;
    options->StampHeight = 96;
    options->StampBits = 24;
    return IMGSDK_SUCCESS;
}

int saveFile(char* path, struct_LEAD_Bitmap* b, int format, int bpp, int quality, unsigned flags,
             LEADFILECALLBACK callback, void* user, SAVEFILEOPTION* options) {
    if (!path || !*path) return IMGSDK_ERROR_INV_PARAMETER;
    const int page = options && options->uStructSize == sizeof(SAVEFILEOPTION) ? options->PageNumber : 0;
    if (page < 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (page > 1 && !multiPage(format)) return IMGSDK_ERROR_INV_FORMAT;
    ScratchPicture converted;
    const struct_LEAD_Bitmap* pic = nullptr;
    std::vector<unsigned char> bytes;
    int rc = encodeChecked(b, format, bpp, quality, flags, callback, user, options, bytes, converted, pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    if (page >= 1 && multiPage(format)) {
        if (options && (options->Flags & ESO_SAVEWITHSTAMP)) return IMGSDK_ERROR_INV_FORMAT;
        ScratchPicture eight;
        const struct_LEAD_Bitmap* pagePic = pic;
        if (format == IMGFILE_GIF && pic->BitsPerPixel > 8) rc = toDepth(*pic, 8, false, eight, pagePic);
        std::vector<unsigned char> joined;
        bool written = false;
        if (rc == IMGSDK_SUCCESS) rc = savePage(path, format, page, *pagePic, joined, written);
        if (rc != IMGSDK_SUCCESS) return rc;
        if (written) bytes.swap(joined);
    }
    return writeBytes(path, bytes);
}

int save(char* path, struct_LEAD_Bitmap* b, int format, int bpp, int quality, SAVEFILEOPTION* options) {
    return saveFile(path, b, format, bpp, quality, 0, nullptr, nullptr, options);
}

int saveMemory(void** memory, struct_LEAD_Bitmap* b, int format, int bpp, int quality, unsigned long* size,
               SAVEFILEOPTION* options) {
    if (!memory) return IMGSDK_ERROR_INV_PARAMETER;
    *memory = nullptr;
    ScratchPicture converted;
    const struct_LEAD_Bitmap* pic = nullptr;
    std::vector<unsigned char> bytes;
    const int rc = encodeChecked(b, format, bpp, quality, 0, nullptr, nullptr, options, bytes, converted, pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* p = block ? GlobalLock(block) : nullptr;
    if (!p) {
        if (block) GlobalFree(block);
        return IMGSDK_ERROR_NO_MEMORY;
    }
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
    *memory = block;
    if (size) *size = static_cast<unsigned long>(bytes.size());
    return IMGSDK_SUCCESS;
}

int saveFileOffset(int fd, long offset, long* size, struct_LEAD_Bitmap* b, int format, int bpp, int quality,
                   unsigned flags, LEADFILECALLBACK callback, void* user, SAVEFILEOPTION* options) {
    if (fd < 0 || offset < 0) return IMGSDK_ERROR_INV_PARAMETER;
    ScratchPicture converted;
    const struct_LEAD_Bitmap* pic = nullptr;
    std::vector<unsigned char> bytes;
    const int rc = encodeChecked(b, format, bpp, quality, flags, callback, user, options, bytes, converted, pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    size_t done = 0;
    while (done < bytes.size()) {
        const long long n = writeAt(fd, bytes.data() + done, bytes.size() - done, uint64_t(offset) + done);
        if (n <= 0) return IMGSDK_ERROR_FILE_WRITE;
        done += size_t(n);
    }
    if (size) *size = static_cast<long>(bytes.size());
    return IMGSDK_SUCCESS;
}

int getCompressFileStamp(char* path, struct_LEAD_Bitmap* b, LOADFILEOPTION* options) {
    if (!path || !b) return IMGSDK_ERROR_INV_PARAMETER;
    if (options && options->uStructSize != sizeof(LOADFILEOPTION)) return IMGSDK_ERROR_INV_PARAMETER;
    std::vector<unsigned char> bytes;
    const int rc = readBytes(path, bytes);
    if (rc != IMGSDK_SUCCESS) return rc;
    size_t at = 0, len = 0;
    if (!findStamp(bytes, at, len)) return IMGSDK_ERROR_NO_STAMP;
    const MemorySource src(bytes.data() + at, len);
    return loadFromSource(src, bytes.data() + at, b, 0, ORDER_BGR, LOADFILE_ALLOCATE | LOADFILE_STORE, nullptr,
                          nullptr, nullptr, nullptr);
}

}  // namespace imagesdk::detail
