// Line splitting, object names, repeat/timer blocks and the canvas.
#include "gdi_script.h"
#include "interpreter_p.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdarg>
#include <cstring>
#include <fstream>

namespace hmigfx::gdiscript {

std::string format(const char* fmt, ...) {
    char buf[512];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    return buf;
}

// Through the Win32 calls; an empty string is not handed to them (they would
// set the last error a script may be about to read).
std::wstring widen(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string narrow(const std::wstring& w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(n, 0)), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

long long Args::num(int idx) const {
    const size_t k = first + static_cast<size_t>(idx);
    if (line && line->parsed[k]) return line->number[k];
    long long value;
    if (!parseNumber(v[idx], &value)) in->fail("bad number '" + v[idx] + "'");
    if (line) line->number[k] = value, line->parsed[k] = true;
    return value;
}

HGDIOBJ Args::obj(int idx) const {
    if (v[idx] == "null") return nullptr;
    bool found = false;
    HGDIOBJ h = in->find(v[idx], &found);
    if (!found) in->fail("unknown handle name '" + v[idx] + "'");
    return h;
}

std::vector<POINT> Args::points(int first) const {
    const int n = count() - first;
    if (n < 2 || n % 2) in->fail(format("%s: wrong argument count (%d)", in->currentCommand.c_str(), count()));
    std::vector<POINT> pts(static_cast<size_t>(n / 2));
    for (int k = 0; k < n / 2; ++k) pts[k] = POINT{i(first + 2 * k), i(first + 2 * k + 1)};
    return pts;
}

std::wstring Args::wideText() const {
    const std::wstring w = widen(text);
    std::wstring out;
    for (size_t k = 0; k < w.size(); ++k) {
        if (w[k] != L'\\') {
            out.push_back(w[k]);
            continue;
        }
        const wchar_t e = ++k < w.size() ? w[k] : L'\0';
        switch (e) {
        case L'n': out.push_back(L'\n'); break;
        case L't': out.push_back(L'\t'); break;
        case L'\\': out.push_back(L'\\'); break;
        case L'#': out.push_back(L'#'); break;
        case L's': out.push_back(L' '); break;
        case L'u': {
            std::string hex;
            for (int d = 0; d < 4 && k + 1 < w.size(); ++d) hex.push_back(static_cast<char>(w[++k]));
            char* end = nullptr;
            const unsigned long v = std::strtoul(hex.c_str(), &end, 16);
            if (hex.size() != 4 || *end) in->fail("bad \\u escape");
            out.push_back(static_cast<wchar_t>(v));
            break;
        }
        default: in->fail("unknown escape in text");
        }
    }
    return out;
}

Interpreter::~Interpreter() {
    // Objects that were rebound without DeleteObject stay allocated, as in the reference.
    canvas.reset();
    if (srcdc) DeleteDC(srcdc);
    for (auto& [name, h] : objects_) DeleteObject(h);
}

void Interpreter::warn(const std::string& message) { errors += format("warning %d: ", lineNumber) + message + "\n"; }

HGDIOBJ Interpreter::find(const std::string& name, bool* found) const {
    auto it = objects_.find(name);
    *found = it != objects_.end();
    return *found ? it->second : nullptr;
}

namespace {

bool isIdent(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

HGDIOBJ canvasCommand(const Args&) { return nullptr; }  // handled by the interpreter itself

const CommandTable& commandTable() {
    static const CommandTable table = [] {
        CommandTable t;
        t["canvas"] = {canvasCommand, 3, 3, 0};
        addObjectCommands(t);
        addCallCommands(t);
        addBlitCommands(t);
        addQueryCommands(t);
        addTextCommands(t);
        return t;
    }();
    return table;
}

void makeCanvas(Interpreter& in, const Args& a) {
    const int w = a.i(0), h = a.i(1);
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384) in.fail(format("bad size %dx%d", w, h));
    in.canvas = std::make_unique<testsupport::Canvas>(w, h, a.color(2));
    in.dc = in.canvas->hdc();
    in.srcdc = CreateCompatibleDC(nullptr);
    if (!in.canvas->bits() || !in.srcdc) throw std::runtime_error(format("cannot create the %dx%d canvas", w, h));
}

}  // namespace

void Interpreter::runLine(const std::string& rawLine, const CommandTable& table, SplitLine* split) {
    SplitLine local;
    SplitLine& sl = split ? *split : local;
    if (!sl.ready) {
        // A '#' that starts a token starts a comment.
        sl.line = rawLine;
        for (size_t k = 0; k < sl.line.size(); ++k)
            if (sl.line[k] == '#' && (k == 0 || isSpace(sl.line[k - 1]))) {
                sl.line.resize(k);
                break;
            }
        for (size_t k = 0; k < sl.line.size();) {
            while (k < sl.line.size() && isSpace(sl.line[k])) ++k;
            if (k >= sl.line.size()) break;
            const size_t start = k;
            while (k < sl.line.size() && !isSpace(sl.line[k])) ++k;
            sl.tok.push_back(sl.line.substr(start, k - start));
            sl.off.push_back(start);
        }
        sl.number.resize(sl.tok.size());
        sl.parsed.assign(sl.tok.size(), false);
        sl.ready = true;
    }
    const std::string& line = sl.line;
    const std::vector<std::string>& tok = sl.tok;
    const std::vector<size_t>& off = sl.off;
    if (tok.empty()) return;

    std::string name;
    size_t first = 0;
    if (tok.size() >= 2 && tok[1] == "=") {
        name = tok[0];
        first = 2;
        if (tok.size() == 2) fail("missing command after '='");
        if (!isIdent(name) || name.size() >= 40 || name == "null" || name == "canvas")
            fail("bad object name '" + name + "'");
    }
    auto it = table.find(tok[first]);
    if (it == table.end()) fail("unknown command '" + tok[first] + "'");
    currentCommand = it->first;
    const Command& cmd = it->second;
    const bool isCanvas = it->first == "canvas";
    if (!dc && !isCanvas) fail("the script must start with 'canvas W H COLOR'");
    if (dc && isCanvas) fail("canvas given twice");
    if (!name.empty() && !(cmd.flags & kNew)) fail(currentCommand + " does not create an object");
    if (name.empty() && (cmd.flags & kNew)) fail(currentCommand + " needs a name: NAME = " + currentCommand + " ...");

    Args a;
    a.in = this;
    a.v = std::span(tok).subspan(first + 1);
    a.line = &sl;
    a.first = first + 1;
    if (cmd.flags & kText) {
        if (a.count() < cmd.min) fail(format("%s: wrong argument count (%d)", currentCommand.c_str(), a.count()));
        if (a.count() > cmd.min) {
            std::string t = line.substr(off[first + 1 + static_cast<size_t>(cmd.min)]);
            while (!t.empty() && isSpace(t.back())) t.pop_back();
            a.text = t;
        }
        a.v = a.v.first(static_cast<size_t>(cmd.min));
    } else if (a.count() < cmd.min || a.count() > cmd.max) {
        fail(format("%s: wrong argument count (%d)", currentCommand.c_str(), a.count()));
    }

    if (isCanvas) {
        makeCanvas(*this, a);
        return;
    }
    HGDIOBJ h = cmd.fn(a);
    if (!name.empty()) {
        if (!h) warn(currentCommand + " returned NULL");
        bind(name, h);
    }
}

Result runScript(const std::string& text, const std::string& scriptDir) {
    Result result;
    Interpreter in;
    in.scriptDir = scriptDir;
    const CommandTable& table = commandTable();

    std::vector<std::string> lines;
    {
        // As the reference reads it: the text ends at a NUL byte, and a final
        // newline leaves one empty last line (which an unclosed repeat names).
        std::string body = text.substr(0, text.find('\0'));
        if (body.compare(0, 3, "\xEF\xBB\xBF") == 0) body.erase(0, 3);
        size_t start = 0;
        for (;;) {
            const size_t nl = body.find('\n', start);
            std::string l = body.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
            if (!l.empty() && l.back() == '\r') l.pop_back();
            lines.push_back(std::move(l));
            if (nl == std::string::npos) break;
            start = nl + 1;
        }
    }

    std::vector<SplitLine> split(lines.size());
    struct Loop {
        size_t start;
        long long left;
    };
    std::vector<Loop> loops;
    using Clock = std::chrono::steady_clock;
    Clock::time_point started = Clock::now();
    // The n-th blank-separated word of a line (no stream: this runs for
    // every line of a timed loop).
    auto firstWord = [](const std::string& l, size_t n) {
        size_t k = 0;
        for (;;) {
            while (k < l.size() && std::isspace(static_cast<unsigned char>(l[k]))) ++k;
            const size_t start = k;
            while (k < l.size() && !std::isspace(static_cast<unsigned char>(l[k]))) ++k;
            if (start == k) return std::string();
            if (n-- == 0) return l.substr(start, k - start);
        }
    };

    try {
        for (size_t i = 0; i < lines.size(); ++i) {
            in.lineNumber = static_cast<int>(i + 1);
            const std::string word = firstWord(lines[i], 0);
            if (word == "repeat") {
                long long count;
                if (!parseNumber(firstWord(lines[i], 1), &count) || count < 0) in.fail("repeat needs a count >= 0");
                if (loops.size() == 16) in.fail("repeat blocks nest 16 deep at most");
                if (count == 0) {
                    int nest = 1;
                    while (nest && ++i < lines.size()) {
                        const std::string w = firstWord(lines[i], 0);
                        nest += (w == "repeat") - (w == "end");
                    }
                    if (nest) in.fail("repeat without end");
                    continue;
                }
                loops.push_back({i, count});
            } else if (word == "end") {
                if (loops.empty()) in.fail("end without repeat");
                if (--loops.back().left > 0)
                    i = loops.back().start;
                else
                    loops.pop_back();
            } else if (word == "timer") {
                GdiFlush();
                const Clock::time_point now = Clock::now();
                const std::string what = firstWord(lines[i], 1);
                if (what == "start") {
                    started = now;
                } else if (what == "stop") {
                    const std::string label = firstWord(lines[i], 2);
                    if (label.empty()) in.fail("timer stop needs a label");
                    const long long us = std::chrono::duration_cast<std::chrono::microseconds>(now - started).count();
                    in.print(format("timer %s %lld", label.c_str(), us));
                } else {
                    in.fail("timer start | timer stop LABEL");
                }
            } else {
                in.runLine(lines[i], table, &split[i]);
            }
        }
        if (!loops.empty()) in.fail("repeat without end");
        if (!in.dc) in.fail("empty script: the first command must be 'canvas W H COLOR'");
    } catch (const ScriptError& e) {
        result.status = 2;
        result.output = in.output;
        result.errors = in.errors + format("error %d: ", in.lineNumber) + e.what() + "\n";
        return result;
    } catch (const std::exception& e) {
        result.status = 1;
        result.output = in.output;
        result.errors = in.errors + e.what() + "\n";
        return result;
    }

    GdiFlush();
    result.output = in.output;
    result.errors = in.errors;
    result.image = in.canvas->image();
    return result;
}

Result runFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        Result r;
        r.status = 1;
        r.errors = "cannot read script '" + path + "'\n";
        return r;
    }
    std::stringstream ss;
    ss << f.rdbuf();
    const size_t slash = path.find_last_of('/');
    return runScript(ss.str(), slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1));
}

}  // namespace hmigfx::gdiscript
