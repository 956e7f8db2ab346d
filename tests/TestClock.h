#pragma once
// A clock that the test moves on.
#include "ImportPatch.h"

#include <windows.h>

namespace testclock {

// The program's clock (GetTickCount) in the test's hands while it lives: it stands still unless
// the test moves it on, so that what a run does once so long has passed follows the test's
// events, however loaded the machine. The test's own waits on the clock (PumpFor) would never
// end meanwhile.
class TestClock {
public:
    TestClock() { current = this; }
    ~TestClock() { current = nullptr; }
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    void Advance(DWORD milliseconds) { now += milliseconds; }

    DWORD now = GetTickCount();

private:
    static DWORD WINAPI Now() { return current->now; }

    static inline TestClock* current = nullptr;
    ImportPatch patch{"kernel32.dll", "GetTickCount", reinterpret_cast<const void*>(&Now)};
};

}
