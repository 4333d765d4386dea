// Thread identifiers: the kernel's thread id, which stays unique while the
// thread lives, as Windows' does.
#include <windows.h>

#include <sys/syscall.h>
#include <unistd.h>

extern "C" {

DWORD WINAPI GetCurrentThreadId(void) {
    thread_local const DWORD id = static_cast<DWORD>(syscall(SYS_gettid));
    return id;
}

}  // extern "C"
