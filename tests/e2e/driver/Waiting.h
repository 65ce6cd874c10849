#pragma once

#include <functional>

namespace window_driver {

// Wine under load may take many seconds to bring a window up or down.
inline constexpr int DefaultTimeoutMs = 20000;

// Polls until the condition holds or the time runs out; true when it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = DefaultTimeoutMs);

} // namespace window_driver
