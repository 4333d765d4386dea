// Running the hmigfx program as a user does, in a scratch directory.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace clirun {

namespace fs = std::filesystem;
class Scratch {
public:
    Scratch() {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("hmigfx-cli-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    fs::path write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name) << text;
        return path_ / name;
    }

private:
    fs::path path_;
};

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline std::string slurp(const fs::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline Outcome run(const std::string& args) {
    Scratch s;
    const std::string command =
        std::string("'") + HMIGFX_CLI + "' " + args + " >'" + (s / "out").string() + "' 2>'" + (s / "err").string() + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(s / "out"), slurp(s / "err")};
}

inline std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

}  // namespace clirun
