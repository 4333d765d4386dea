// A scratch directory for one test, removed with everything in it.
#pragma once

#include <afx.h>

#include <filesystem>
#include <random>
#include <string>

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("hmigfx-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full path of a name inside, as a CString.
    CString operator/(const wchar_t* name) const { return CString((path_ / name).wstring().c_str()); }
    CString str() const { return CString(path_.wstring().c_str()); }

private:
    std::filesystem::path path_;
};
