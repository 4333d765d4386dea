// USER: the clipboard of the process. Data handed to SetClipboardData belongs
// to the clipboard from then on: memory blocks are freed with GlobalFree and
// GDI objects (CF_BITMAP, CF_PALETTE) deleted when the clipboard is emptied
// or the format is set again. GetClipboardData lends the clipboard's own
// handle, which the caller must not free.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

struct Entry {
    UINT format;
    HANDLE data;
};

struct Clipboard {
    bool open = false;
    HWND opener = nullptr;    // the window that has it open
    HWND owner = nullptr;     // the window that last emptied it
    bool ownerless = false;   // emptied while opened without a window: data cannot be set
    std::vector<Entry> entries;
};

Clipboard& clipboard() {
    static Clipboard c;
    return c;
}

bool isGdiFormat(UINT format) { return format == CF_BITMAP || format == CF_PALETTE; }

void freeData(const Entry& e) {
    if (!e.data) return;
    if (isGdiFormat(e.format)) DeleteObject(static_cast<HGDIOBJ>(e.data));
    else GlobalFree(static_cast<HGLOBAL>(e.data));
}

bool requireOpen() {
    if (clipboard().open) return true;
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
}

}  // namespace

extern "C" {

BOOL WINAPI OpenClipboard(HWND hWndNewOwner) {
    Clipboard& c = clipboard();
    if (c.open && c.opener != hWndNewOwner) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    c.open = true;
    c.opener = hWndNewOwner;
    c.ownerless = false;
    return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
    if (!requireOpen()) return FALSE;
    Clipboard& c = clipboard();
    c.open = false;
    c.opener = nullptr;
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
    if (!requireOpen()) return FALSE;
    Clipboard& c = clipboard();
    for (const Entry& e : c.entries) freeData(e);
    c.entries.clear();
    c.owner = c.opener;
    c.ownerless = c.opener == nullptr;
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem) {
    if (!requireOpen()) return nullptr;
    Clipboard& c = clipboard();
    if (c.ownerless) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    if (uFormat == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto it = std::find_if(c.entries.begin(), c.entries.end(), [&](const Entry& e) { return e.format == uFormat; });
    if (it != c.entries.end()) {
        if (it->data != hMem) freeData(*it);
        it->data = hMem;
    } else {
        c.entries.push_back(Entry{uFormat, hMem});
    }
    return hMem;
}

HANDLE WINAPI GetClipboardData(UINT uFormat) {
    if (!requireOpen()) return nullptr;
    for (const Entry& e : clipboard().entries)
        if (e.format == uFormat) return e.data;
    SetLastError(ERROR_SUCCESS);
    return nullptr;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    for (const Entry& e : clipboard().entries)
        if (e.format == format) return TRUE;
    return FALSE;
}

int WINAPI CountClipboardFormats(void) { return static_cast<int>(clipboard().entries.size()); }

UINT WINAPI EnumClipboardFormats(UINT format) {
    if (!requireOpen()) return 0;
    const std::vector<Entry>& entries = clipboard().entries;
    SetLastError(ERROR_SUCCESS);
    if (format == 0) return entries.empty() ? 0 : entries.front().format;
    for (size_t i = 0; i + 1 < entries.size(); ++i)
        if (entries[i].format == format) return entries[i + 1].format;
    return 0;
}

HWND WINAPI GetClipboardOwner(void) { return clipboard().owner; }

HWND WINAPI GetOpenClipboardWindow(void) { return clipboard().open ? clipboard().opener : nullptr; }

}  // extern "C"
