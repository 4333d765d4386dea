// The PDF page writer (qpdf): each page is one image, Flate-compressed as its
// bands arrive into a scratch file, so a page never sits in memory whole. The
// document is written at finish() beside its final name and renamed into
// place: an aborted or failed job leaves no file.
#include "printer_p.h"

#define POINTERHOLDER_TRANSITION 4  // qpdf without its old smart pointer
#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_StdioFile.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <exception>

namespace hmigfx::win32 {
namespace {

// A page's compressed image, read back from the scratch file when the
// document is written.
class StoredImage : public QPDFObjectHandle::StreamDataProvider {
public:
    StoredImage(FILE* file, long offset, long length) : file_(file), offset_(offset), length_(length) {}
    void provideStreamData(QPDFObjGen const&, Pipeline* out) override {
        if (std::fseek(file_, offset_, SEEK_SET) != 0) throw std::runtime_error("cannot read the page store");
        unsigned char buf[65536];
        for (long left = length_; left > 0;) {
            const size_t n = std::fread(buf, 1, static_cast<size_t>(std::min<long>(left, sizeof buf)), file_);
            if (n == 0) throw std::runtime_error("cannot read the page store");
            out->write(buf, n);
            left -= static_cast<long>(n);
        }
        out->finish();
    }

private:
    FILE* file_;
    long offset_;
    long length_;
};

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    return buf;
}

class PdfWriter : public PageWriter {
public:
    PdfWriter(const PrinterDevice& d, std::string path, std::string title)
        : device_(d), path_(std::move(path)), title_(std::move(title)) {}
    ~PdfWriter() override {
        flate_.reset();
        sink_.reset();
        if (store_) std::fclose(store_);
        if (!temp_.empty()) ::unlink(temp_.c_str());
    }

    // The scratch store, and the file beside the output that becomes it.
    bool open() {
        temp_ = path_ + ".XXXXXX";
        const int fd = ::mkstemp(temp_.data());
        if (fd < 0) {
            temp_.clear();
            return false;
        }
        // The permissions an ordinary new file gets, not mkstemp's private ones.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        ::close(fd);
        store_ = std::tmpfile();
        return store_ != nullptr;
    }

    bool beginPage() override {
        try {
            start_ = std::ftell(store_);
            sink_ = std::make_unique<Pl_StdioFile>("page store", store_);
            flate_ = std::make_unique<Pl_Flate>("page image", sink_.get(), Pl_Flate::a_deflate);
            return start_ >= 0;
        } catch (const std::exception&) {
            return false;
        }
    }

    bool writeRows(const Surface& page, int y0, int y1) override {
        try {
            if (page.bpp == 1) {
                // 1 = white, as DeviceGray takes one bit.
                const size_t bytes = (static_cast<size_t>(page.width) + 7) / 8;
                for (int y = y0; y < y1; ++y) flate_->write(page.row(y), bytes);
                return true;
            }
            row_.resize(static_cast<size_t>(page.width) * 3);
            for (int y = y0; y < y1; ++y) {
                const uint32_t* in = page.row32(y);
                unsigned char* out = row_.data();
                for (int x = 0; x < page.width; ++x, out += 3) {
                    out[0] = static_cast<unsigned char>(in[x] >> 16);
                    out[1] = static_cast<unsigned char>(in[x] >> 8);
                    out[2] = static_cast<unsigned char>(in[x]);
                }
                flate_->write(row_.data(), row_.size());
            }
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    bool endPage() override {
        try {
            flate_->finish();
            flate_.reset();
            sink_.reset();
            const long end = std::ftell(store_);
            if (end < start_ || std::ferror(store_)) return false;
            pages_.push_back({start_, end - start_});
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

    bool finish() override {
        try {
            writeDocument();
        } catch (const std::exception&) {
            return false;
        }
        if (std::rename(temp_.c_str(), path_.c_str()) != 0) return false;
        temp_.clear();
        return true;
    }

private:
    void writeDocument() {
        const PrinterDevice& d = device_;
        QPDF pdf;
        pdf.emptyPDF();
        std::vector<QPDFObjectHandle> images;
        for (const auto& [offset, length] : pages_) {
            QPDFObjectHandle image = QPDFObjectHandle::newStream(&pdf);
            image.replaceStreamData(std::make_shared<StoredImage>(store_, offset, length),
                                    QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
            QPDFObjectHandle dict = image.getDict();
            dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
            dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
            dict.replaceKey("/Width", QPDFObjectHandle::newInteger(d.width));
            dict.replaceKey("/Height", QPDFObjectHandle::newInteger(d.height));
            dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName(d.mono ? "/DeviceGray" : "/DeviceRGB"));
            dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(d.mono ? 1 : 8));
            images.push_back(image);
        }
        // The sheet in points; a device pixel is 72/dpi points, so a viewer at
        // the device's resolution shows each image pixel as one pixel.
        const double sx = 72.0 / d.dpiX, sy = 72.0 / d.dpiY;
        const std::string place = "q " + number(d.width * sx) + " 0 0 " + number(d.height * sy) + " " +
                                  number(d.offsetX * sx) + " " + number((d.physHeight - d.offsetY - d.height) * sy) +
                                  " cm /Im0 Do Q\n";
        QPDFObjectHandle media = QPDFObjectHandle::newArray();
        for (double v : {0.0, 0.0, d.physWidth * sx, d.physHeight * sy}) media.appendItem(QPDFObjectHandle::newReal(v, 4));
        QPDFPageDocumentHelper pages(pdf);
        for (int copy = 0; copy < d.copies; ++copy) {
            for (const QPDFObjectHandle& image : images) {
                QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
                xobjects.replaceKey("/Im0", image);
                QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
                resources.replaceKey("/XObject", xobjects);
                QPDFObjectHandle page = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
                page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
                page.replaceKey("/MediaBox", media);
                page.replaceKey("/Resources", resources);
                page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, place));
                pages.addPage(QPDFPageObjectHelper(page), false);
            }
        }
        QPDFObjectHandle info = QPDFObjectHandle::newDictionary();
        if (!title_.empty()) info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title_));
        info.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString("hmigfx"));
        pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(info));
        QPDFWriter writer(pdf, temp_.c_str());
        writer.setDecodeLevel(qpdf_dl_none);  // the page images go out as they were compressed
        writer.write();
    }

    PrinterDevice device_;
    std::string path_;
    std::string title_;
    std::string temp_;
    FILE* store_ = nullptr;
    long start_ = 0;
    std::unique_ptr<Pl_StdioFile> sink_;
    std::unique_ptr<Pl_Flate> flate_;
    std::vector<unsigned char> row_;
    std::vector<std::pair<long, long>> pages_;
};

}  // namespace

std::unique_ptr<PageWriter> makePdfWriter(const PrinterDevice& device, const std::string& path,
                                          const std::string& title) {
    auto w = std::make_unique<PdfWriter>(device, path, title);
    if (!w->open()) return nullptr;
    return w;
}

}  // namespace hmigfx::win32
