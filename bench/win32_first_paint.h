// Ends a Win32 program once its window and all its controls have painted.
#pragma once

#include <windows.h>

#include <cstdint>

#include "first_paint.h"

namespace vop::bench {

// Windows paints when the queue is otherwise empty, so once a shown window's queue
// runs dry every control has had its WM_PAINT: that is the first painted frame.
template <typename Dispatch>
[[noreturn]] void runUntilPainted(Dispatch dispatch) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        dispatch(msg);
    }
    // The precise clock is looked up: the program targets Windows 7, which lacks it.
    using ReadClock = void(WINAPI*)(FILETIME*);
    auto precise = reinterpret_cast<ReadClock>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME ft;
    (precise != nullptr ? precise : &GetSystemTimeAsFileTime)(&ft);
    const std::int64_t ticks =
        (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    constexpr std::int64_t kUnixEpoch = 116444736000000000LL;  // in 100 ns since 1601
    reportFirstPaint((ticks - kUnixEpoch) * 100);
    ExitProcess(0);
}

}  // namespace vop::bench
