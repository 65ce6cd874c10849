#pragma once

#include <stdexcept>
#include <string>

// A platform error raised in an event handler. It ends that handler and is shown by the
// application's default error handler; nothing else in the program throws.
class PlatformError : public std::runtime_error {
  public:
    explicit PlatformError(const std::string& message) : std::runtime_error(message) {}
};
