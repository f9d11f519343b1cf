#pragma once

#include <windows.h>

namespace bench {

// Microseconds of the performance counter. Wine takes it from the host's monotonic clock, so
// times taken in different processes of one machine compare directly.
inline long long NowMicros() {
    static const long long perSecond = [] {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart / perSecond * 1000000 + now.QuadPart % perSecond * 1000000 / perSecond;
}

} // namespace bench
