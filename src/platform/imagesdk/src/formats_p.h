// Identifying picture files from their headers, without decoding them.
#pragma once

#include <imagesdk/records.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace imagesdk::detail {

// Random access to the bytes of a file or a memory image.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Reads exactly n bytes at offset; false when they are not all there.
    virtual bool read(uint64_t offset, void* out, size_t n) const = 0;
};

class MemorySource final : public ByteSource {
public:
    MemorySource(const unsigned char* data, uint64_t size) : data_(data), size_(size) {}
    uint64_t size() const override { return size_; }
    bool read(uint64_t offset, void* out, size_t n) const override;

private:
    const unsigned char* data_;
    uint64_t size_;
};

// An open file. open() reports what went wrong as a result code.
class FileSource final : public ByteSource {
public:
    FileSource() = default;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    ~FileSource() override;

    int open(const char* path);
    uint64_t size() const override { return size_; }
    bool read(uint64_t offset, void* out, size_t n) const override;
    // Reads the whole file.
    int readAll(std::vector<unsigned char>& out) const;

private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
};

// Fills info from the file's header. Results: IMGSDK_SUCCESS,
// IMGSDK_ERROR_FILE_FORMAT (not a known format, or an unsupported variant of
// one), IMGSDK_ERROR_FILE_CORRUPT (a damaged or cut-short header or data
// shorter than the header says), IMGSDK_ERROR_IMAGE_TOO_LARGE.
int identify(const ByteSource& src, FILEINFO& info);

// Checks the structure of a whole file that identify() accepted, where that is
// cheap and the decoder would otherwise complain on the standard error stream
// or fill a cut-short picture with grey: the PNG chunks up to IEND with their
// checksums, and the JPEG end-of-image marker after the first scan.
bool dataComplete(const unsigned char* data, size_t size, const FILEINFO& info);

}  // namespace imagesdk::detail
