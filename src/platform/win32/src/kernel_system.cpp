// The system version, sleeping and the tick count.
#include "kernel_p.h"

#include <sched.h>
#include <time.h>

#include <cerrno>

extern "C" {

// Reports what Windows 8 and later tell every program that does not declare
// itself compatible with a newer version: 6.2, build 9200, an NT system.
BOOL WINAPI GetVersionExW(LPOSVERSIONINFOW info) {
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const DWORD size = info->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    info->dwMajorVersion = 6;
    info->dwMinorVersion = 2;
    info->dwBuildNumber = 9200;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->szCSDVersion[0] = 0;
    if (size == sizeof(OSVERSIONINFOEXW)) {
        auto* ex = reinterpret_cast<LPOSVERSIONINFOEXW>(info);
        ex->wServicePackMajor = 0;
        ex->wServicePackMinor = 0;
        ex->wSuiteMask = 0x0100;  // VER_SUITE_SINGLEUSERTS
        ex->wProductType = 1;     // VER_NT_WORKSTATION
        ex->wReserved = 0;
    }
    return TRUE;
}

void WINAPI Sleep(DWORD ms) {
    if (ms == 0) {
        sched_yield();  // gives up the rest of the time slice, like Sleep(0)
        return;
    }
    if (ms == INFINITE) {
        for (;;) {
            struct timespec hour{3600, 0};
            nanosleep(&hour, nullptr);
        }
    }
    struct timespec req{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    struct timespec rem;
    while (nanosleep(&req, &rem) != 0 && errno == EINTR) req = rem;
}

DWORD WINAPI GetTickCount(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<DWORD>(static_cast<unsigned long long>(ts.tv_sec) * 1000ULL + ts.tv_nsec / 1000000);
}

}  // extern "C"
