// Print server queues (CUPS): which queues exist, the default one, and a
// document handed to a queue as a PDF file.
#include "printer_p.h"

#include <cups/cups.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace hmigfx::win32 {
namespace {

// A finished PDF in a scratch file, printed on the queue at finish().
class QueueWriter : public PageWriter {
public:
    QueueWriter(const PrinterDevice& d, std::string title) : device_(d), title_(std::move(title)) {}
    ~QueueWriter() override {
        pdf_.reset();
        if (!file_.empty()) ::unlink(file_.c_str());
    }

    bool open() {
        const char* dir = std::getenv("TMPDIR");
        std::string name = std::string(dir && *dir ? dir : "/tmp") + "/hmigfx-print-XXXXXX";
        const int fd = ::mkstemp(name.data());
        if (fd < 0) return false;
        ::close(fd);
        file_ = name;
        pdf_ = makePdfWriter(device_, file_, title_);
        return pdf_ != nullptr;
    }

    bool beginPage() override { return pdf_->beginPage(); }
    bool writeRows(const Surface& page, int y0, int y1) override { return pdf_->writeRows(page, y0, y1); }
    bool endPage() override { return pdf_->endPage(); }
    bool finish() override {
        if (!pdf_->finish()) return false;
        std::string queue(device_.name.size() * 4 + 1, '\0');
        const int n = WideCharToMultiByte(CP_UTF8, 0, device_.name.c_str(), -1, queue.data(),
                                          static_cast<int>(queue.size()), nullptr, nullptr);
        queue.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
        cups_option_t* options = nullptr;
        int count = cupsAddOption("copies", "1", 0, &options);  // the PDF holds every copy
        count = cupsAddOption("document-format", "application/pdf", count, &options);
        const int job = cupsPrintFile(queue.c_str(), file_.c_str(), title_.empty() ? "hmigfx" : title_.c_str(), count,
                                      options);
        cupsFreeOptions(count, options);
        return job > 0;
    }

private:
    PrinterDevice device_;
    std::string title_;
    std::string file_;
    std::unique_ptr<PageWriter> pdf_;
};

}  // namespace

std::unique_ptr<PageWriter> makeQueueWriter(const PrinterDevice& device, const std::string& title) {
    auto w = std::make_unique<QueueWriter>(device, title);
    if (!w->open()) return nullptr;
    return w;
}

bool printQueueExists(const std::string& name) {
    if (name.empty()) return false;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (!dest) return false;
    cupsFreeDests(1, dest);
    return true;
}

std::string defaultPrintQueue() {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) return {};
    std::string name = dest->name ? dest->name : "";
    cupsFreeDests(1, dest);
    return name;
}

}  // namespace hmigfx::win32
