// The renderer's clocks, from the performance counter: whole milliseconds
// for the frame timer (timeGetTime steps by 10-16 ms on Windows unless a
// program raises the system's timer resolution, which makes the frame step
// judder) and microseconds for the frame pacer.
#pragma once

#include <windows.h>

#include <cstdint>

#include "renderer/frame/frame_pacing.h"

namespace lumora::win32 {

inline uint64_t performanceFrequency() {
    // Fixed at boot; never fails on systems since Windows XP.
    static const uint64_t frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<uint64_t>(f.QuadPart);
    }();
    return frequency;
}

inline uint64_t performanceCounter() {
    LARGE_INTEGER c{};
    QueryPerformanceCounter(&c);
    return static_cast<uint64_t>(c.QuadPart);
}

inline uint32_t showClockMs() { return millisecondsFromCounter(performanceCounter(), performanceFrequency()); }
inline uint64_t showClockUs() { return unitsFromCounter(performanceCounter(), performanceFrequency(), 1000000); }

}  // namespace lumora::win32
