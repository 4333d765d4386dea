// Messages: one queue per thread, SendMessage across threads, posted and
// input messages, generated WM_PAINT and WM_TIMER, WM_QUIT, and the WH_CBT
// hooks the MFC subset attaches its windows with.
#include "window_p.h"

#include <hmigfx_display.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

namespace hmigfx::win32 {
namespace {

using Clock = std::chrono::steady_clock;

struct ThreadQueue;

// A message sent from another thread; the sender waits on its own queue
// until `done`.
struct SentMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool done = false;
    ThreadQueue* sender;
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC proc;
    Clock::time_point due;
};

struct ThreadQueue {
    DWORD thread = 0;
    std::mutex lock;  // guards the deques and flags below
    std::condition_variable cv;
    std::deque<MSG> posted;
    std::deque<MSG> input;
    std::deque<SentMessage*> sent;
    bool quit = false;
    int quitCode = 0;

    // Used on the owning thread only.
    std::vector<Timer> timers;
    InputState inputState;
    int receivingSent = 0;  // InSendMessage
    LONG lastTime = 0;
    DWORD lastPos = 0;
};

struct Queues {
    std::mutex lock;
    std::map<DWORD, ThreadQueue*> byThread;
};

Queues& queues() {
    static Queues* q = new Queues;  // never destroyed
    return *q;
}

// The calling thread's queue, made on first use and withdrawn when the
// thread ends (its pending senders are released with a result of 0).
struct QueueOwner {
    std::unique_ptr<ThreadQueue> q;
    QueueOwner() : q(std::make_unique<ThreadQueue>()) {
        q->thread = GetCurrentThreadId();
        Queues& all = queues();
        std::lock_guard<std::mutex> g(all.lock);
        all.byThread[q->thread] = q.get();
    }
    ~QueueOwner() {
        Queues& all = queues();
        {
            std::lock_guard<std::mutex> g(all.lock);
            all.byThread.erase(q->thread);
        }
        std::lock_guard<std::mutex> g(q->lock);
        for (SentMessage* s : q->sent) {
            std::lock_guard<std::mutex> sg(s->sender->lock);
            s->done = true;
            s->sender->cv.notify_all();
        }
    }
};

ThreadQueue& currentQueue() {
    thread_local QueueOwner owner;
    return *owner.q;
}

// Takes the queue's owner lock: the queue stays alive while held.
template <class Fn>
bool withQueue(DWORD thread, Fn&& fn) {
    Queues& all = queues();
    std::lock_guard<std::mutex> g(all.lock);
    auto it = all.byThread.find(thread);
    if (it == all.byThread.end()) return false;
    fn(*it->second);
    return true;
}

LONG tickNow() { return static_cast<LONG>(GetTickCount()); }

MSG makeMsg(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pt{0, 0};
    GetCursorPos(&pt);
    return MSG{h, msg, wParam, lParam, static_cast<DWORD>(tickNow()), pt};
}

bool post(DWORD thread, const MSG& m, bool isInput) {
    const bool found = withQueue(thread, [&](ThreadQueue& q) {
        std::lock_guard<std::mutex> g(q.lock);
        (isInput ? q.input : q.posted).push_back(m);
        q.cv.notify_all();
    });
    if (found && thread != GetCurrentThreadId()) display::backend().wake();
    return found;
}

// Handles the messages other threads sent to this one. Returns whether any.
bool processSent(ThreadQueue& q) {
    bool any = false;
    for (;;) {
        SentMessage* s = nullptr;
        {
            std::lock_guard<std::mutex> g(q.lock);
            if (q.sent.empty()) return any;
            s = q.sent.front();
            q.sent.pop_front();
        }
        any = true;
        ++q.receivingSent;
        const LRESULT r = findWindow(s->hwnd) ? sendTo(s->hwnd, s->msg, s->wParam, s->lParam) : 0;
        --q.receivingSent;
        std::lock_guard<std::mutex> g(s->sender->lock);
        s->result = r;
        s->done = true;
        s->sender->cv.notify_all();
    }
}

bool matches(const MSG& m, HWND filter, UINT lo, UINT hi) {
    if (filter == reinterpret_cast<HWND>(-1)) {
        if (m.hwnd) return false;
    } else if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) {
        return false;
    }
    if (lo == 0 && hi == 0) return true;
    return m.message >= lo && m.message <= hi;
}

bool takeFrom(std::deque<MSG>& d, HWND filter, UINT lo, UINT hi, bool remove, MSG* out) {
    for (auto it = d.begin(); it != d.end(); ++it)
        if (matches(*it, filter, lo, hi)) {
            *out = *it;
            if (remove) d.erase(it);
            return true;
        }
    return false;
}

struct PaintSearch {
    DWORD thread;
    HWND filter;
    HWND found = nullptr;
};

void findPaint(Window* w, void* ctx) {
    auto* s = static_cast<PaintSearch*>(ctx);
    if (s->found || w->thread != s->thread || !needsPaint(w)) return;
    if (s->filter && s->filter != reinterpret_cast<HWND>(-1) && w->handle != s->filter && !IsChild(s->filter, w->handle))
        return;
    s->found = w->handle;
}

bool inRange(UINT msg, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi); }

// One pass over the sources in Windows' order: sent, posted, input, quit,
// paint, timers.
bool peekOnce(ThreadQueue& q, MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
    processSent(q);
    {
        std::lock_guard<std::mutex> g(q.lock);
        if (takeFrom(q.posted, filter, lo, hi, remove, out)) return true;
        if (takeFrom(q.input, filter, lo, hi, remove, out)) return true;
        if (q.quit) {
            *out = makeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
            if (remove) q.quit = false;
            return true;
        }
    }
    if (inRange(WM_PAINT, lo, hi)) {
        PaintSearch s{q.thread, filter};
        forEachInTree(desktopWindow(), findPaint, &s);
        if (s.found) {
            *out = makeMsg(s.found, WM_PAINT, 0, 0);
            return true;
        }
    }
    if (inRange(WM_TIMER, lo, hi)) {
        const auto now = Clock::now();
        for (Timer& t : q.timers)
            if (t.due <= now && (!filter || t.hwnd == filter || (filter != reinterpret_cast<HWND>(-1) && IsChild(filter, t.hwnd)))) {
                *out = makeMsg(t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc));
                if (remove) t.due = now + std::chrono::milliseconds(t.elapse);
                return true;
            }
    }
    return false;
}

// Milliseconds until the next timer is due; -1 without timers.
int nextTimeout(ThreadQueue& q) {
    if (q.timers.empty()) return -1;
    auto due = q.timers.front().due;
    for (const Timer& t : q.timers) due = std::min(due, t.due);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 0x7FFFFFFF));
}

// Waits until something may have arrived (input, a post, a sent message, a timer).
void waitForWork(ThreadQueue& q) {
    const int timeout = nextTimeout(q);
    display::Backend& b = display::backend();
    if (!b.isHeadless()) {
        b.waitForInput(timeout);
        return;
    }
    std::unique_lock<std::mutex> g(q.lock);
    auto ready = [&q] { return !q.posted.empty() || !q.input.empty() || !q.sent.empty() || q.quit; };
    if (timeout < 0)
        q.cv.wait(g, ready);
    else
        q.cv.wait_for(g, std::chrono::milliseconds(timeout), ready);
}

void remember(ThreadQueue& q, const MSG& m) {
    q.lastTime = static_cast<LONG>(m.time);
    q.lastPos = MAKELONG(static_cast<WORD>(m.pt.x), static_cast<WORD>(m.pt.y));
}

struct Hook {
    HHOOK handle;
    int id;
    HOOKPROC proc;
    DWORD thread;  // 0: every thread
};

struct Hooks {
    std::mutex lock;
    std::vector<Hook> list;  // most recent first
    uintptr_t next = 1;
};

Hooks& hooks() {
    static Hooks* h = new Hooks;
    return *h;
}

// The hooks that apply to this thread, from `after` on (the first when null).
std::vector<Hook> hookChain(int id, HHOOK after) {
    Hooks& hs = hooks();
    std::lock_guard<std::mutex> g(hs.lock);
    std::vector<Hook> chain;
    bool started = after == nullptr;
    const DWORD me = GetCurrentThreadId();
    for (const Hook& k : hs.list) {
        if (!started) {
            started = k.handle == after;
            continue;
        }
        if (k.id == id && (k.thread == 0 || k.thread == me)) chain.push_back(k);
    }
    return chain;
}

}  // namespace

InputState& inputState() { return currentQueue().inputState; }

void ensureMessageQueue() { currentQueue(); }

LRESULT sendTo(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = findWindow(h);
    if (!w || !w->proc) return 0;
    return w->proc(h, msg, wParam, lParam);
}

void postInput(Window* w, const MSG& msg) { post(w->thread, msg, true); }

LRESULT callCbtHooks(int code, WPARAM wParam, LPARAM lParam) {
    const std::vector<Hook> chain = hookChain(WH_CBT, nullptr);
    return chain.empty() ? 0 : chain.front().proc(code, wParam, lParam);
}

void dropWindowMessages(HWND h) {
    ThreadQueue& q = currentQueue();
    q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(), [h](const Timer& t) { return t.hwnd == h; }),
                   q.timers.end());
    std::lock_guard<std::mutex> g(q.lock);
    q.input.erase(std::remove_if(q.input.begin(), q.input.end(), [h](const MSG& m) { return m.hwnd == h; }),
                  q.input.end());
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;
namespace display = hmigfx::display;

extern "C" {

LRESULT WINAPI SendMessageW(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (h == HWND_BROADCAST) {
        for (HWND top : std::vector<HWND>(desktopWindow()->children)) SendMessageW(top, msg, wParam, lParam);
        return 0;
    }
    Window* w = checkWindow(h);
    if (!w) return 0;
    ThreadQueue& me = currentQueue();
    if (w->thread == me.thread) {
        const LRESULT r = sendTo(h, msg, wParam, lParam);
        return r;
    }
    // Another thread's window: queue it there and handle our own incoming
    // sends while waiting, as Windows does, so two threads sending to each
    // other do not deadlock.
    SentMessage s{h, msg, wParam, lParam, 0, false, &me};
    if (!withQueue(w->thread, [&](ThreadQueue& q) {
            std::lock_guard<std::mutex> g(q.lock);
            q.sent.push_back(&s);
            q.cv.notify_all();
        })) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    display::backend().wake();
    for (;;) {
        processSent(me);
        std::unique_lock<std::mutex> g(me.lock);
        if (s.done) return s.result;
        me.cv.wait(g, [&] { return s.done || !me.sent.empty(); });
        if (s.done) return s.result;
    }
}

BOOL WINAPI PostMessageW(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (h == HWND_BROADCAST) {
        for (HWND top : std::vector<HWND>(desktopWindow()->children)) PostMessageW(top, msg, wParam, lParam);
        return TRUE;
    }
    if (!h) return PostThreadMessageW(GetCurrentThreadId(), msg, wParam, lParam);
    Window* w = checkWindow(h);
    if (!w) return FALSE;
    if (!post(w->thread, makeMsg(h, msg, wParam, lParam), false)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI PostThreadMessageW(DWORD thread, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (thread == GetCurrentThreadId()) currentQueue();  // a thread may post to itself before its first Get
    if (!post(thread, makeMsg(nullptr, msg, wParam, lParam), false)) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return TRUE;
}

VOID WINAPI PostQuitMessage(int code) {
    ThreadQueue& q = currentQueue();
    std::lock_guard<std::mutex> g(q.lock);
    q.quit = true;
    q.quitCode = code;
}

BOOL WINAPI PeekMessageW(LPMSG msg, HWND filter, UINT lo, UINT hi, UINT flags) {
    if (!msg) return FALSE;
    if (filter && filter != reinterpret_cast<HWND>(-1) && !checkWindow(filter)) return FALSE;
    ThreadQueue& q = currentQueue();
    if (!peekOnce(q, msg, filter, lo, hi, (flags & PM_REMOVE) != 0)) {
        presentPending();
        // A loop that only peeks still takes in what the display has for it.
        display::Backend& b = display::backend();
        if (b.isHeadless() || !b.waitForInput(0) || !peekOnce(q, msg, filter, lo, hi, (flags & PM_REMOVE) != 0))
            return FALSE;
    }
    remember(q, *msg);
    return TRUE;
}

BOOL WINAPI GetMessageW(LPMSG msg, HWND filter, UINT lo, UINT hi) {
    if (!msg) return -1;
    if (filter && filter != reinterpret_cast<HWND>(-1) && !checkWindow(filter)) return -1;
    ThreadQueue& q = currentQueue();
    while (!peekOnce(q, msg, filter, lo, hi, true)) {
        presentPending();
        waitForWork(q);
    }
    remember(q, *msg);
    return msg->message != WM_QUIT;
}

BOOL WINAPI WaitMessage(void) {
    ThreadQueue& q = currentQueue();
    MSG m;
    if (!peekOnce(q, &m, nullptr, 0, 0, false)) {
        presentPending();
        waitForWork(q);
    }
    return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(tickNow()));
        return 0;
    }
    if (!msg->hwnd) return 0;
    if (!checkWindow(msg->hwnd)) return 0;
    const LRESULT r = sendTo(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    presentPending();
    return r;
}

LRESULT WINAPI CallWindowProcW(WNDPROC proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(h, msg, wParam, lParam) : 0;
}

BOOL WINAPI InSendMessage(void) { return currentQueue().receivingSent > 0; }
LONG WINAPI GetMessageTime(void) { return currentQueue().lastTime; }
DWORD WINAPI GetMessagePos(void) { return currentQueue().lastPos; }

UINT_PTR WINAPI SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (h) {
        Window* w = checkWindow(h);
        if (!w) return 0;
        if (w->thread != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    }
    ThreadQueue& q = currentQueue();
    elapse = std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);  // USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM
    if (!h) {
        // Thread timers get identifiers of their own.
        static UINT_PTR nextId = 0x7FF0;
        id = ++nextId;
    }
    const auto due = Clock::now() + std::chrono::milliseconds(elapse);
    // A window's timer answers its identifier (1 for identifier 0).
    const UINT_PTR answer = id ? id : 1;
    for (Timer& t : q.timers)
        if (t.hwnd == h && t.id == id) {
            t = Timer{h, id, elapse, proc, due};
            return answer;
        }
    q.timers.push_back(Timer{h, id, elapse, proc, due});
    return answer;
}

BOOL WINAPI KillTimer(HWND h, UINT_PTR id) {
    ThreadQueue& q = currentQueue();
    auto it = std::find_if(q.timers.begin(), q.timers.end(), [&](const Timer& t) { return t.hwnd == h && t.id == id; });
    if (it == q.timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    q.timers.erase(it);
    return TRUE;
}

HHOOK WINAPI SetWindowsHookExW(int id, HOOKPROC proc, HINSTANCE, DWORD thread) {
    // Only the CBT hook is called by this USER; refuse the others rather than
    // accept a hook that never runs.
    if (id != WH_CBT || !proc) {
        SetLastError(proc ? ERROR_INVALID_PARAMETER : ERROR_INVALID_FILTER_PROC);
        return nullptr;
    }
    Hooks& hs = hooks();
    std::lock_guard<std::mutex> g(hs.lock);
    const HHOOK h = reinterpret_cast<HHOOK>(hs.next++ * 4 + 0x1000);
    hs.list.insert(hs.list.begin(), Hook{h, id, proc, thread});
    return h;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK h) {
    Hooks& hs = hooks();
    std::lock_guard<std::mutex> g(hs.lock);
    auto it = std::find_if(hs.list.begin(), hs.list.end(), [h](const Hook& k) { return k.handle == h; });
    if (it == hs.list.end()) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    hs.list.erase(it);
    return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK h, int code, WPARAM wParam, LPARAM lParam) {
    int id = WH_CBT;
    {
        Hooks& hs = hooks();
        std::lock_guard<std::mutex> g(hs.lock);
        for (const Hook& k : hs.list)
            if (k.handle == h) id = k.id;
    }
    const std::vector<Hook> rest = hookChain(id, h);
    return rest.empty() ? 0 : rest.front().proc(code, wParam, lParam);
}

}  // extern "C"
