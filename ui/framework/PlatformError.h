#pragma once

#include <exception>
#include <string>
#include <utility>

// A platform error raised in an event handler. It ends that handler and is shown by the
// application's default error handler; nothing else in the program throws. Built on
// std::exception alone: std::runtime_error would link the library's second string kind.
class PlatformError : public std::exception {
  public:
    explicit PlatformError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};
