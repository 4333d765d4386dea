#include "pattern_dir.h"

#include "text_util.h"

#include <afxwin.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <cwchar>
#include <system_error>

namespace fs = std::filesystem;

namespace hmigfx::app {

namespace {

fs::path s_scratch;  // the stand-in installation directory, removed at exit

void removeScratch() {
    std::error_code ec;
    if (!s_scratch.empty()) fs::remove_all(s_scratch, ec);
}

CWinApp* application() {
    if (CWinApp* app = AfxGetApp()) return app;
    static CWinApp app(L"hmigfx");
    return &app;
}

void setHelpPath(const fs::path& installDir) {
    const std::wstring path = fromUtf8((installDir / "hmigfx.HLP").string());
    CWinApp* app = application();
    // The application object frees its strings with free().
    auto* copy = static_cast<wchar_t*>(std::malloc((path.size() + 1) * sizeof(wchar_t)));
    if (!copy) return;
    std::wmemcpy(copy, path.c_str(), path.size() + 1);
    std::free(const_cast<LPWSTR>(app->m_pszHelpFilePath));
    app->m_pszHelpFilePath = copy;
}

fs::path executableDirectory() {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) return {};
        if (n < exe.size()) return fs::path(exe.substr(0, n)).parent_path();
        exe.resize(exe.size() * 2);
    }
}

// A fresh directory of our own under the temporary directory.
bool makeScratchDirectory(fs::path& out, std::error_code& ec) {
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) return false;
    const auto stamp = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("hmigfx-patterns-" + std::to_string(stamp + attempt));
        if (fs::create_directory(candidate, ec)) {
            out = candidate;
            return true;
        }
        if (ec) return false;
    }
    ec = std::make_error_code(std::errc::file_exists);
    return false;
}

}  // namespace

bool usePatternDirectory(const fs::path& dir, std::string* error) {
    std::error_code ec;
    const fs::path absolute = fs::weakly_canonical(fs::absolute(dir, ec), ec);
    if (ec || !fs::is_directory(absolute, ec)) {
        if (error) *error = "pattern directory " + dir.string() + " does not exist";
        return false;
    }
    if (absolute.filename() == "Brush" && absolute.parent_path().filename() == "Sys") {
        setHelpPath(absolute.parent_path().parent_path());
        return true;
    }
    if (s_scratch.empty()) {
        fs::path scratch;
        if (!makeScratchDirectory(scratch, ec)) {
            if (error) *error = "cannot make a scratch directory: " + ec.message();
            return false;
        }
        s_scratch = scratch;
        std::atexit(removeScratch);
    }
    fs::remove(s_scratch / "Sys" / "Brush", ec);
    fs::create_directories(s_scratch / "Sys", ec);
    fs::create_directory_symlink(absolute, s_scratch / "Sys" / "Brush", ec);
    if (ec) {
        if (error) *error = "cannot link the pattern directory: " + ec.message();
        return false;
    }
    setHelpPath(s_scratch);
    return true;
}

fs::path defaultPatternDirectory() {
    const fs::path exeDir = executableDirectory();
    if (exeDir.empty()) return {};
    std::error_code ec;
    for (const fs::path& candidate : {exeDir / "Sys" / "Brush", exeDir.parent_path() / "share" / "hmigfx" / "Sys" / "Brush"})
        if (fs::is_directory(candidate, ec)) return candidate;
    return {};
}

}  // namespace hmigfx::app
