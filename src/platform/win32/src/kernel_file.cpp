// Files over POSIX descriptors. Share modes are not enforced: Linux has no
// mandatory locking, and the library never relies on it.
#include "kernel_p.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace hmigfx::win32 {
namespace {

struct File : KernelObject {
    File() : KernelObject(Type::File) {}
    ~File() override {
        if (fd >= 0) ::close(fd);
    }
    int fd = -1;
    DWORD access = 0;
};

File* findFile(HANDLE h) {
    auto* f = static_cast<File*>(findKernelObject(h, KernelObject::Type::File));
    if (!f) SetLastError(ERROR_INVALID_HANDLE);
    return f;
}

std::string dirOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Windows tells a missing file from a missing directory on the way to it.
DWORD notFoundError(const std::string& path) {
    return isDirectory(dirOf(path)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

BOOL failPath(int err, const std::string& path) {
    SetLastError(err == ENOENT ? notFoundError(path) : errnoToWin32(err));
    return FALSE;
}

bool validName(LPCWSTR name) {
    if (!name || !*name) {
        SetLastError(name ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

}  // namespace
}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                          HANDLE) {
    if (!validName(name)) return INVALID_HANDLE_VALUE;
    const std::string path = wideToUtf8(name);
    const bool wantRead = (access & (GENERIC_READ | GENERIC_ALL)) != 0;
    const bool wantWrite = (access & (GENERIC_WRITE | GENERIC_ALL)) != 0;
    int flags = O_CLOEXEC;
    flags |= wantWrite ? (wantRead ? O_RDWR : O_WRONLY) : O_RDONLY;
    struct stat st;
    const bool existed = ::stat(path.c_str(), &st) == 0;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING:
        if (!wantWrite) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        flags |= O_TRUNC;
        break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_HANDLE_VALUE;
    }
    if (existed && S_ISDIR(st.st_mode)) {
        // Opening a directory as a file needs backup semantics on Windows.
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        failPath(errno, path);
        return INVALID_HANDLE_VALUE;
    }
    auto f = std::make_unique<File>();
    f->fd = fd;
    f->access = access;
    HANDLE h = addKernelObject(std::move(f));
    // CREATE_ALWAYS and OPEN_ALWAYS report an existing file although they succeed.
    SetLastError(existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                      : ERROR_SUCCESS);
    return h;
}

BOOL WINAPI ReadFile(HANDLE h, LPVOID buffer, DWORD count, LPDWORD read, LPVOID overlapped) {
    if (read) *read = 0;
    File* f = findFile(h);
    if (!f) return FALSE;
    if (overlapped || (!buffer && count)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!(f->access & (GENERIC_READ | GENERIC_ALL))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t r = ::read(f->fd, p + done, count - done);
        if (r < 0) {
            if (errno == EINTR) continue;
            if (read) *read = done;
            return failWithErrno(errno);
        }
        if (r == 0) break;  // end of file: success with fewer bytes
        done += static_cast<DWORD>(r);
    }
    if (read) *read = done;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE h, LPCVOID buffer, DWORD count, LPDWORD written, LPVOID overlapped) {
    if (written) *written = 0;
    File* f = findFile(h);
    if (!f) return FALSE;
    if (overlapped || (!buffer && count)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!(f->access & (GENERIC_WRITE | GENERIC_ALL))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD done = 0;
    const auto* p = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t r = ::write(f->fd, p + done, count - done);
        if (r < 0) {
            if (errno == EINTR) continue;
            if (written) *written = done;
            return failWithErrno(errno);
        }
        done += static_cast<DWORD>(r);
    }
    if (written) *written = done;
    return TRUE;
}

BOOL WINAPI SetFilePointerEx(HANDLE h, LARGE_INTEGER distance, PLARGE_INTEGER newPos, DWORD method) {
    File* f = findFile(h);
    if (!f) return FALSE;
    int whence;
    switch (method) {
    case FILE_BEGIN: whence = SEEK_SET; break;
    case FILE_CURRENT: whence = SEEK_CUR; break;
    case FILE_END: whence = SEEK_END; break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
    }
    const off_t cur = ::lseek(f->fd, 0, SEEK_CUR);
    off_t base = whence == SEEK_SET ? 0 : cur;
    if (whence == SEEK_END) {
        struct stat st;
        if (::fstat(f->fd, &st) != 0) return failWithErrno(errno);
        base = st.st_size;
    }
    if (base + distance.QuadPart < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return FALSE;
    }
    const off_t pos = ::lseek(f->fd, static_cast<off_t>(distance.QuadPart), whence);
    if (pos < 0) return failWithErrno(errno);
    if (newPos) newPos->QuadPart = pos;
    return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE h, LONG distance, PLONG distanceHigh, DWORD method) {
    LARGE_INTEGER d;
    // Without the high part the distance is a signed 32-bit value.
    d.QuadPart = distanceHigh ? ((static_cast<LONGLONG>(*distanceHigh) << 32) | static_cast<DWORD>(distance))
                              : static_cast<LONGLONG>(distance);
    LARGE_INTEGER pos;
    if (!SetFilePointerEx(h, d, &pos, method)) return INVALID_SET_FILE_POINTER;
    if (distanceHigh) *distanceHigh = pos.HighPart;
    SetLastError(ERROR_SUCCESS);
    return pos.LowPart;
}

BOOL WINAPI GetFileSizeEx(HANDLE h, PLARGE_INTEGER size) {
    File* f = findFile(h);
    if (!f) return FALSE;
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    struct stat st;
    if (::fstat(f->fd, &st) != 0) return failWithErrno(errno);
    size->QuadPart = st.st_size;
    return TRUE;
}

DWORD WINAPI GetFileSize(HANDLE h, LPDWORD high) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size)) return INVALID_FILE_SIZE;
    if (high) *high = static_cast<DWORD>(size.HighPart);
    SetLastError(ERROR_SUCCESS);
    return size.LowPart;
}

BOOL WINAPI SetEndOfFile(HANDLE h) {
    File* f = findFile(h);
    if (!f) return FALSE;
    if (!(f->access & (GENERIC_WRITE | GENERIC_ALL))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    const off_t pos = ::lseek(f->fd, 0, SEEK_CUR);
    if (pos < 0 || ::ftruncate(f->fd, pos) != 0) return failWithErrno(errno);
    return TRUE;
}

BOOL WINAPI FlushFileBuffers(HANDLE h) {
    File* f = findFile(h);
    if (!f) return FALSE;
    if (::fsync(f->fd) != 0 && errno != EINVAL) return failWithErrno(errno);
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE h) {
    if (!closeKernelObject(h, KernelObject::Type::File)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI DeleteFileW(LPCWSTR name) {
    if (!validName(name)) return FALSE;
    const std::string path = wideToUtf8(name);
    if (isDirectory(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (::unlink(path.c_str()) != 0) return failPath(errno, path);
    return TRUE;
}

BOOL WINAPI CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists) {
    if (!validName(from) || !validName(to)) return FALSE;
    const std::string src = wideToUtf8(from), dst = wideToUtf8(to);
    const int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return failPath(errno, src);
    struct stat st;
    if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(in);
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    struct stat dstSt;
    if (::stat(dst.c_str(), &dstSt) == 0) {
        if (failIfExists) {
            ::close(in);
            SetLastError(ERROR_FILE_EXISTS);
            return FALSE;
        }
        if (dstSt.st_dev == st.st_dev && dstSt.st_ino == st.st_ino) {
            // Copying a file onto itself would truncate it first.
            ::close(in);
            SetLastError(ERROR_SHARING_VIOLATION);
            return FALSE;
        }
        if (S_ISDIR(dstSt.st_mode)) {
            ::close(in);
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
    }
    const int out = ::open(dst.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0),
                           st.st_mode & 0777);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return failPath(err, dst);
    }
    std::vector<char> buf(1 << 16);
    for (;;) {
        const ssize_t r = ::read(in, buf.data(), buf.size());
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            const int err = r < 0 ? errno : 0;
            if (err) {
                ::close(in);
                ::close(out);
                return failWithErrno(err);
            }
            break;
        }
        for (ssize_t off = 0; off < r;) {
            const ssize_t w = ::write(out, buf.data() + off, static_cast<size_t>(r - off));
            if (w < 0) {
                if (errno == EINTR) continue;
                const int err = errno;
                ::close(in);
                ::close(out);
                return failWithErrno(err);
            }
            off += w;
        }
    }
    // The copy keeps the source's modification time, as CopyFile does.
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
    ::close(in);
    if (::close(out) != 0) return failWithErrno(errno);
    return TRUE;
}

BOOL WINAPI MoveFileW(LPCWSTR from, LPCWSTR to) {
    if (!validName(from) || !validName(to)) return FALSE;
    const std::string src = wideToUtf8(from), dst = wideToUtf8(to);
    struct stat st;
    if (::lstat(dst.c_str(), &st) == 0) {
        SetLastError(ERROR_ALREADY_EXISTS);  // MoveFile never replaces
        return FALSE;
    }
    if (::rename(src.c_str(), dst.c_str()) != 0) return failPath(errno, src);
    return TRUE;
}

BOOL WINAPI CreateDirectoryW(LPCWSTR name, LPSECURITY_ATTRIBUTES) {
    if (!validName(name)) return FALSE;
    const std::string path = wideToUtf8(name);
    if (::mkdir(path.c_str(), 0777) != 0) {
        if (errno == EEXIST) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
        if (errno == ENOENT) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return FALSE;
        }
        return failWithErrno(errno);
    }
    return TRUE;
}

BOOL WINAPI RemoveDirectoryW(LPCWSTR name) {
    if (!validName(name)) return FALSE;
    const std::string path = wideToUtf8(name);
    if (::rmdir(path.c_str()) != 0) return failPath(errno, path);
    return TRUE;
}

DWORD WINAPI GetFileAttributesW(LPCWSTR name) {
    if (!validName(name)) return INVALID_FILE_ATTRIBUTES;
    const std::string path = wideToUtf8(name);
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        failPath(errno, path);
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attr = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR)) attr |= FILE_ATTRIBUTE_READONLY;
    const size_t slash = path.find_last_of('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.size() > 1 && base[0] == '.' && base != "..") attr |= FILE_ATTRIBUTE_HIDDEN;
    return attr;
}

DWORD WINAPI GetCurrentDirectoryW(DWORD size, LPWSTR buffer) {
    char* cwd = ::getcwd(nullptr, 0);
    if (!cwd) {
        failWithErrno(errno);
        return 0;
    }
    const std::wstring w = utf8ToWide(cwd);
    std::free(cwd);
    if (!buffer || size <= w.size()) return static_cast<DWORD>(w.size() + 1);
    wmemcpy(buffer, w.c_str(), w.size() + 1);
    return static_cast<DWORD>(w.size());
}

DWORD WINAPI GetFullPathNameW(LPCWSTR name, DWORD size, LPWSTR buffer, LPWSTR* filePart) {
    if (!validName(name)) return 0;
    std::wstring path = name;
    if (path[0] != L'/') {
        WCHAR cwd[4096];
        const DWORD n = GetCurrentDirectoryW(4096, cwd);
        if (n == 0 || n >= 4096) return 0;
        path = std::wstring(cwd) + L"/" + path;
    }
    // Fold "." and ".." and repeated separators, without touching the file system.
    std::vector<std::wstring> parts;
    size_t i = 0;
    while (i < path.size()) {
        size_t j = path.find(L'/', i);
        if (j == std::wstring::npos) j = path.size();
        const std::wstring part = path.substr(i, j - i);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::wstring full;
    for (const auto& p : parts) full += L"/" + p;
    const bool trailing = path.back() == L'/' && !parts.empty();
    if (full.empty() || trailing) full += L"/";
    if (!buffer || size <= full.size()) return static_cast<DWORD>(full.size() + 1);
    wmemcpy(buffer, full.c_str(), full.size() + 1);
    if (filePart) {
        const size_t slash = full.find_last_of(L'/');
        *filePart = slash + 1 < full.size() ? buffer + slash + 1 : nullptr;
    }
    return static_cast<DWORD>(full.size());
}

DWORD WINAPI GetTempPathW(DWORD size, LPWSTR buffer) {
    const char* tmp = std::getenv("TMPDIR");
    std::wstring dir = utf8ToWide(tmp && *tmp ? tmp : "/tmp");
    if (dir.back() != L'/') dir += L'/';
    if (!buffer || size <= dir.size()) return static_cast<DWORD>(dir.size() + 1);
    wmemcpy(buffer, dir.c_str(), dir.size() + 1);
    return static_cast<DWORD>(dir.size());
}

}  // extern "C"
