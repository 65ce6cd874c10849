#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

#include "tests/e2e/driver/Waiting.h"

namespace window_driver {

// Counts the times a window becomes visible, watching it closely from a thread of its own, so a
// test can tell a window that was hidden and shown again from one that stayed.
class ShowingCounter {
  public:
    explicit ShowingCounter(HWND window);
    ~ShowingCounter();
    ShowingCounter(const ShowingCounter&) = delete;
    ShowingCounter& operator=(const ShowingCounter&) = delete;
    int Showings() const { return showings_; }
    bool WaitForShowings(int count, int timeoutMs = DefaultTimeoutMs) const;

  private:
    HWND window_;
    std::atomic<int> showings_{0};
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

} // namespace window_driver
