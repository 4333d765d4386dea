// File search. The directory is read once at FindFirstFileW and its matches are
// handed out in the order of their upper-cased names, which is the order NTFS
// keeps them in; Linux's own directory order would differ from run to run.
#include "kernel_p.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cwctype>
#include <vector>

namespace hmigfx::win32 {
namespace {

struct Search : KernelObject {
    Search() : KernelObject(Type::Find) {}
    std::vector<WIN32_FIND_DATAW> found;
    size_t next = 0;
};

WCHAR fold(WCHAR c) { return static_cast<WCHAR>(std::towupper(static_cast<wint_t>(c))); }

// Windows wildcards without regard to case: '*' any run, '?' any one character.
bool matches(const WCHAR* pat, const WCHAR* name) {
    const WCHAR* star = nullptr;
    const WCHAR* resume = nullptr;
    while (*name) {
        if (*pat == L'*') {
            star = pat++;
            resume = name;
        } else if (*pat == L'?' || (*pat && fold(*pat) == fold(*name))) {
            ++pat;
            ++name;
        } else if (star) {
            pat = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pat == L'*') ++pat;
    return *pat == 0;
}

FILETIME toFileTime(const struct timespec& ts) {
    // 100-ns intervals between 1601-01-01 and 1970-01-01.
    const ULONGLONG epoch = 116444736000000000ULL;
    const ULONGLONG t = epoch + static_cast<ULONGLONG>(ts.tv_sec) * 10000000ULL + ts.tv_nsec / 100;
    return FILETIME{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
}

}  // namespace
}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

HANDLE WINAPI FindFirstFileW(LPCWSTR name, LPWIN32_FIND_DATAW data) {
    if (!name || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::wstring spec = name;
    const size_t slash = spec.find_last_of(L'/');
    std::wstring dir = slash == std::wstring::npos ? L"." : (slash == 0 ? L"/" : spec.substr(0, slash));
    std::wstring pattern = slash == std::wstring::npos ? spec : spec.substr(slash + 1);
    if (pattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (pattern == L"*.*") pattern = L"*";  // the DOS spelling of "everything"

    const std::string dirPath = wideToUtf8(dir.c_str(), dir.size());
    DIR* d = ::opendir(dirPath.c_str());
    if (!d) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto search = std::make_unique<Search>();
    while (dirent* e = ::readdir(d)) {
        const std::wstring entry = utf8ToWide(e->d_name);
        if (entry.size() >= MAX_PATH || !matches(pattern.c_str(), entry.c_str())) continue;
        const std::string full = dirPath + "/" + e->d_name;
        struct stat st;
        if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0) continue;
        WIN32_FIND_DATAW fd{};
        fd.dwFileAttributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
        if (!(st.st_mode & S_IWUSR)) fd.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
        if (entry.size() > 1 && entry[0] == L'.' && entry != L"..") fd.dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
        fd.ftCreationTime = toFileTime(st.st_mtim);
        fd.ftLastAccessTime = toFileTime(st.st_atim);
        fd.ftLastWriteTime = toFileTime(st.st_mtim);
        if (!S_ISDIR(st.st_mode)) {
            fd.nFileSizeHigh = static_cast<DWORD>(static_cast<ULONGLONG>(st.st_size) >> 32);
            fd.nFileSizeLow = static_cast<DWORD>(st.st_size);
        }
        wmemcpy(fd.cFileName, entry.c_str(), entry.size() + 1);
        search->found.push_back(fd);
    }
    ::closedir(d);
    if (search->found.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(search->found.begin(), search->found.end(), [](const WIN32_FIND_DATAW& a, const WIN32_FIND_DATAW& b) {
        for (size_t i = 0;; ++i) {
            const WCHAR x = fold(a.cFileName[i]), y = fold(b.cFileName[i]);
            if (x != y || x == 0) return x < y;
        }
    });
    *data = search->found[0];
    search->next = 1;
    SetLastError(ERROR_SUCCESS);
    return addKernelObject(std::move(search));
}

BOOL WINAPI FindNextFileW(HANDLE h, LPWIN32_FIND_DATAW data) {
    auto* s = static_cast<Search*>(findKernelObject(h, KernelObject::Type::Find));
    if (!s || !data) {
        SetLastError(s ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (s->next >= s->found.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = s->found[s->next++];
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE h) {
    if (!closeKernelObject(h, KernelObject::Type::Find)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

}  // extern "C"
