#include "tests/e2e/driver/Waiting.h"

#include <windows.h>

namespace window_driver {

namespace {

constexpr DWORD PollIntervalMs = 50;

} // namespace

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(PollIntervalMs);
    }
}

} // namespace window_driver
