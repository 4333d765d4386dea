#include "pattern_dir.h"

#include "text_util.h"

#include <afxwin.h>

#include <cstdlib>
#include <cstring>
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
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
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
        char pattern[] = "/tmp/hmigfx-patterns-XXXXXX";
        if (!::mkdtemp(pattern)) {
            if (error) *error = std::string("cannot make a scratch directory: ") + std::strerror(errno);
            return false;
        }
        s_scratch = pattern;
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
