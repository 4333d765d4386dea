// Internals shared by the interpreter and its command files.
#pragma once

#include "../../support/canvas.h"

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace hmigfx::gdiscript {

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Interpreter;
struct SplitLine;

// The arguments of one command line.
struct Args {
    Interpreter* in = nullptr;
    std::span<const std::string> v;  // argument tokens
    std::string text;            // the rest of the line, for commands that take text
    SplitLine* line = nullptr;   // keeps the numbers once parsed, from token `first` on
    size_t first = 0;

    int count() const { return static_cast<int>(v.size()); }
    long long num(int i) const;
    int i(int i) const { return static_cast<int>(num(i)); }
    UINT u(int i) const { return static_cast<UINT>(num(i)); }
    COLORREF color(int i) const { return static_cast<COLORREF>(num(i)); }
    HGDIOBJ obj(int i) const;
    RECT rect(int first) const { return RECT{i(first), i(first + 1), i(first + 2), i(first + 3)}; }
    // The rectangle from index first on, in storage that lasts for the command.
    RECT* prect(int first) const { return &(scratch = rect(first)); }
    HRGN rgn(int idx) const { return static_cast<HRGN>(obj(idx)); }
    HBRUSH brush(int idx) const { return static_cast<HBRUSH>(obj(idx)); }
    // X Y pairs from index first on.
    std::vector<POINT> points(int first) const;
    // The text argument with the escapes undone.
    std::wstring wideText() const;

    mutable RECT scratch{};
};

using Handler = HGDIOBJ (*)(const Args&);

// Commands that are one GDI call on the canvas DC `dc` with the arguments `a`:
// CALL warns when the call's result is false, MAKE binds the object it returns.
#define GDISCRIPT_CALL(t, name, min, max, ...)                                                       \
    t[name] = {[](const Args& a) -> HGDIOBJ {                                                       \
                   [[maybe_unused]] HDC dc = a.in->dc;                                              \
                   a.in->check(__VA_ARGS__);                                                        \
                   return nullptr;                                                                  \
               },                                                                                   \
               min, max, 0}
#define GDISCRIPT_MAKE(t, name, min, max, ...) \
    t[name] = {[](const Args& a) -> HGDIOBJ { return __VA_ARGS__; }, min, max, kNew}

enum CommandFlags { kNew = 1, kText = 2, kRaw = 4 };
constexpr int kMany = 0x7fffffff;

struct Command {
    Handler fn;
    int min;
    int max;
    int flags;
};

using CommandTable = std::map<std::string, Command>;

// Each command file adds its commands.
void addObjectCommands(CommandTable& t);
void addCallCommands(CommandTable& t);
void addBlitCommands(CommandTable& t);
void addQueryCommands(CommandTable& t);
void addTextCommands(CommandTable& t);

// A script line cut into its tokens, once: a repeat loop runs it again as it is.
struct SplitLine {
    bool ready = false;
    std::string line;              // without its comment
    std::vector<std::string> tok;
    std::vector<size_t> off;       // where each token starts in line
    std::vector<long long> number; // each token's value, once parsed
    std::vector<bool> parsed;
};

class Interpreter {
public:
    Interpreter() = default;
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;
    ~Interpreter();

    std::unique_ptr<testsupport::Canvas> canvas;
    HDC dc = nullptr;  // the canvas's
    HDC srcdc = nullptr;
    std::string scriptDir;
    std::string currentCommand;
    int lineNumber = 0;
    std::string output;
    std::string errors;

    [[noreturn]] void fail(const std::string& message) const { throw ScriptError(message); }
    void warn(const std::string& message);
    void check(bool ok) {
        if (!ok) warn(currentCommand + " failed");
    }
    void print(const std::string& line) { output += line + "\n"; }

    HGDIOBJ find(const std::string& name, bool* found) const;
    void bind(const std::string& name, HGDIOBJ h) { objects_[name] = h; }
    void unbind(const std::string& name) { objects_.erase(name); }

    void runLine(const std::string& line, const CommandTable& table, SplitLine* split = nullptr);

private:
    std::map<std::string, HGDIOBJ> objects_;
};

// Parses a number token: decimal, 0x hex, a Win32 constant, or several joined by '|'.
bool parseNumber(const std::string& token, long long* out);
std::string format(const char* fmt, ...);
// UTF-8 to wide characters and back.
std::wstring widen(const std::string& s);
std::string narrow(const std::wstring& s);

}  // namespace hmigfx::gdiscript
