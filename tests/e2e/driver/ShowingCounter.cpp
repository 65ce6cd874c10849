#include "tests/e2e/driver/ShowingCounter.h"

namespace window_driver {

ShowingCounter::ShowingCounter(HWND window) : window_(window) {
    watcher_ = std::thread([this] {
        bool wasVisible = IsWindowVisible(window_) != FALSE;
        while (!stop_) {
            const bool visible = IsWindowVisible(window_) != FALSE;
            showings_ += visible && !wasVisible ? 1 : 0;
            wasVisible = visible;
            Sleep(1);
        }
    });
}

ShowingCounter::~ShowingCounter() {
    stop_ = true;
    watcher_.join();
}

bool ShowingCounter::WaitForShowings(int count, int timeoutMs) const {
    return WaitUntil([&] { return showings_ >= count; }, timeoutMs);
}

} // namespace window_driver
