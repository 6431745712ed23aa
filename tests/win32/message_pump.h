// The test thread's messages dispatched while work on other threads answers
// with messages.
#pragma once

#include <windows.h>

#include <functional>

namespace tellaro {
namespace test {

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Pumps until `done`, for at most `limitMs`; what `done` says then.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < limitMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
        Pump();
    }
    return done();
}

}  // namespace test
}  // namespace tellaro
