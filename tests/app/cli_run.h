// Running the hmigfx program as a user does, in a scratch directory.
#pragma once

#include "../support/test_support.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace clirun {

namespace fs = std::filesystem;

struct Scratch : testsupport::TempDir {
    fs::path write(const std::string& name, const std::string& text) const {
        std::ofstream(path() / name) << text;
        return path() / name;
    }
};

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

using testsupport::slurp;

inline Outcome run(const std::string& args) {
    Scratch s;
    const std::string command =
        std::string("'") + HMIGFX_CLI + "' " + args + " >'" + (s / "out").string() + "' 2>'" + (s / "err").string() + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(s / "out"), slurp(s / "err")};
}

inline std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

}  // namespace clirun
