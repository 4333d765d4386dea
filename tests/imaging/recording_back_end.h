// An imaging SDK back end that records every call: which entry point, and
// each argument as text. Entry points answer a canned result unless a test
// sets one, or installs a function of its own in table().
#pragma once

#include <imagesdk/dispatch.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace recording {

struct Call {
    std::string entry;               // "ltkrn12n 145"
    std::vector<std::string> args;   // each argument as text
    bool operator==(const Call&) const = default;
};

// Text of an argument: integers in decimal, pointers in hex ("null" for null).
template <class T>
std::string show(T v) {
    if constexpr (std::is_pointer_v<T>) {
        if (!v) return "null";
        std::ostringstream s;
        s << reinterpret_cast<const void*>(v);
        return s.str();
    } else {
        return std::to_string(v);
    }
}

inline std::string entryName(imagesdk::Library lib, int ordinal) {
    return std::string(imagesdk::libraryName(lib)) + " " + std::to_string(ordinal);
}

class Recorder;
Recorder*& current();

class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // The table installed while the recorder lives; tests may replace entries.
    imagesdk::DispatchTable& table() { return table_; }

    // What the entry point answers from now on.
    void answer(imagesdk::Library lib, int ordinal, long long value) { results_[entryName(lib, ordinal)] = value; }
    long long resultFor(const std::string& entry, long long fallback) const {
        auto it = results_.find(entry);
        return it == results_.end() ? fallback : it->second;
    }

    std::vector<Call> calls;

    // The only call since the last clear (an empty call when there were none or several).
    Call only() const { return calls.size() == 1 ? calls.front() : Call{}; }
    void clear() { calls.clear(); }

    // The canned answers: 4321 for integers, 0xC0FFEE for unsigned long,
    // 0x1000 + ordinal as a handle or pointer.
    static constexpr long long kInt = 4321;
    static constexpr long long kUnsigned = 0xC0FFEE;
    static uintptr_t handle(int ordinal) { return 0x1000u + static_cast<uintptr_t>(ordinal); }

private:
    imagesdk::DispatchTable table_;
    const imagesdk::DispatchTable* previous_;
    std::map<std::string, long long> results_;
};

template <imagesdk::Library L, int N, class R, class... A>
R record(A... args) {
    Recorder* r = current();
    const std::string entry = entryName(L, N);
    r->calls.push_back(Call{entry, {show(args)...}});
    if constexpr (std::is_void_v<R>) {
        return;
    } else if constexpr (std::is_pointer_v<R>) {
        return reinterpret_cast<R>(static_cast<uintptr_t>(r->resultFor(entry, static_cast<long long>(Recorder::handle(N)))));
    } else if constexpr (std::is_unsigned_v<R>) {
        return static_cast<R>(r->resultFor(entry, Recorder::kUnsigned));
    } else {
        return static_cast<R>(r->resultFor(entry, Recorder::kInt));
    }
}

template <imagesdk::Library L, int N, class R, class... A>
void install(imagesdk::DispatchTable& t, R (*)(A...)) {
    t.set<L, N>(&record<L, N, R, A...>);
}

inline Recorder*& current() {
    static Recorder* r = nullptr;
    return r;
}

inline Recorder::Recorder() {
#define HMIGFX_RECORD_ENTRY(lib, ordinal, name, result, params) \
    install<imagesdk::Library::lib, ordinal>(table_, typename imagesdk::Entry<imagesdk::Library::lib, ordinal>::Fn{});
    HMIGFX_IMAGESDK_ENTRY_POINTS(HMIGFX_RECORD_ENTRY)
#undef HMIGFX_RECORD_ENTRY
    current() = this;
    previous_ = imagesdk::installBackEnd(&table_);
}

inline Recorder::~Recorder() {
    imagesdk::installBackEnd(previous_ == &imagesdk::builtinBackEnd() ? nullptr : previous_);
    current() = nullptr;
}

}  // namespace recording
