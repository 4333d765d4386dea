// Printer DCs. A printer page at 600 dpi holds hundreds of megabytes of
// pixels, so a printer DC does not paint when it is drawn on: every drawing
// call between StartPage and EndPage is kept in the page's journal, with the
// DC state it ran under and copies of what it read (points, text, regions,
// source pixels). EndPage replays the journal into one band of rows after the
// other and hands each band to the page writer. A band is a view of the whole
// page whose rows outside the band have no storage and lie outside the
// visible region, so every call draws in page coordinates exactly as on a
// screen DC of the page's size, and only the band's pixels are touched.
#pragma once

#include "dc_p.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hmigfx::win32 {

// What a DEVMODE selects, in pixels of the device.
struct PrinterDevice {
    std::wstring name;       // "PDF" or the print server's queue
    bool queue = false;      // a print server's queue, not the PDF file printer
    double widthMm = 210.0;  // the sheet as it lies (landscape swaps)
    double heightMm = 297.0;
    int dpiX = 300;
    int dpiY = 300;
    int physWidth = 0;       // the sheet in pixels
    int physHeight = 0;
    int offsetX = 0;         // the unprintable margin in pixels
    int offsetY = 0;
    int width = 0;           // the printable area: the page's pixels
    int height = 0;
    bool mono = false;       // DMCOLOR_MONOCHROME: a 1-bit page
    int copies = 1;
};

// Where finished pages go. Rows come top to bottom, band by band; a writer
// destroyed without finish() leaves nothing behind.
class PageWriter {
public:
    virtual ~PageWriter() = default;
    virtual bool beginPage() = 0;
    // Rows [y0, y1) of the page, as the band's surface holds them (32 or 1 bpp).
    virtual bool writeRows(const Surface& page, int y0, int y1) = 0;
    virtual bool endPage() = 0;
    virtual bool finish() = 0;
};

// A PDF file of one Flate-compressed image per page. False (and errno set)
// when the file cannot be created beside its final name.
std::unique_ptr<PageWriter> makePdfWriter(const PrinterDevice& device, const std::string& path,
                                          const std::string& title);
// A PDF handed to a print server's queue at finish().
std::unique_ptr<PageWriter> makeQueueWriter(const PrinterDevice& device, const std::string& title);
// Whether the print server knows the queue, and its default queue ("" when
// there is no server or no default).
bool printQueueExists(const std::string& name);
std::string defaultPrintQueue();

// One recorded call: the state it ran under and how to run it again.
struct JournalState;
struct JournalEntry {
    std::shared_ptr<const JournalState> state;
    std::function<void(HDC)> replay;
};

struct PrinterDC {
    PrinterDevice device;
    std::unique_ptr<Bitmap> page;  // the page's format and size, one row of storage shared by all rows

    enum class Phase { Idle, Document, Page } phase = Phase::Idle;
    std::unique_ptr<PageWriter> writer;
    ABORTPROC abortProc = nullptr;
    std::vector<JournalEntry> journal;

    int depth = 0;           // recorded calls running (nested calls are part of the outer one)
    PixRegion savedVisible;  // the DC's visible region while they run with none
};

// The printer a device name and DEVMODE describe; null, with the last error
// set, for an unknown printer or a DEVMODE no device takes.
std::shared_ptr<PrinterDC> openPrinter(LPCWSTR device, const DEVMODEW* dm);
int printerDeviceCaps(const PrinterDC& printer, int index);

// Draws the page's journal band by band into the writer (EndPage); false
// when the writer fails or the abort procedure stops the job.
bool replayPage(PrinterDC& p, HDC printer, HDC band);

// Rows per band (tests set it small to cross band boundaries); 0 restores the default.
void setPrinterBandBytes(size_t bytes);

// Copies of a drawing call's inputs that outlive the call.
std::vector<POINT> keepPoints(const POINT* pts, long long n);
template <class T>
std::vector<T> keepArray(const T* p, long long n) {
    return p && n > 0 ? std::vector<T>(p, p + n) : std::vector<T>();
}
struct KeptText {
    bool null = true;
    std::wstring text;
    const WCHAR* get() const { return null ? nullptr : text.c_str(); }
};
KeptText keepText(LPCWSTR s, long long n);  // n < 0: up to the terminating null
struct KeptRect {
    bool null = true;
    RECT rc{};
    RECT* get() { return null ? nullptr : &rc; }
};
KeptRect keepRect(const RECT* rc);
// A GDI object the journal owns (a copy) or holds (a brush): released with the last copy.
using KeptObject = std::shared_ptr<void>;
KeptObject holdBrush(HBRUSH brush);
KeptObject copyRegion(HRGN rgn);  // the copy's handle is kept.get()
KeptObject copyBitmap(HBITMAP bmp);
// A memory DC holding a copy of the source DC's pixels and the state a blit reads.
KeptObject copySourceDC(HDC src);
// The header and the pixels a StretchDIBits or SetDIBitsToDevice call reads.
struct KeptDib {
    std::vector<uint8_t> header;
    std::vector<uint8_t> bits;
    const BITMAPINFO* info() const { return header.empty() ? nullptr : reinterpret_cast<const BITMAPINFO*>(header.data()); }
    const void* data() const { return bits.empty() ? nullptr : bits.data(); }
};
// maxRows < 0: every row of the DIB.
KeptDib keepDib(HDC dc, const BITMAPINFO* info, UINT usage, const void* bits, long long maxRows);

inline HGDIOBJ handleOf(const KeptObject& k) { return static_cast<HGDIOBJ>(k.get()); }

// The scope of one GDI call on any DC. On a printer DC the call runs for its
// state and its result with nothing visible, and inside a page `make()` gives
// the closure that replays it on a band; the recording is made before the
// call changes anything. Calls nested in a recorded one are not recorded.
class PageRecord {
public:
    explicit PageRecord(HDC h) : dc_(printerDC(h)) {
        if (dc_) enter(nullptr);
    }
    template <class Make>
    PageRecord(HDC h, Make&& make) : dc_(printerDC(h)) {
        if (dc_) enter(recording(*dc_) ? std::function<void(HDC)>(make()) : std::function<void(HDC)>());
    }
    ~PageRecord() {
        if (dc_) leave();
    }
    PageRecord(const PageRecord&) = delete;
    PageRecord& operator=(const PageRecord&) = delete;

private:
    static DC* printerDC(HDC h);
    static bool recording(const DC& dc);
    void enter(std::function<void(HDC)> replay);
    void leave();
    DC* dc_;
};

}  // namespace hmigfx::win32
