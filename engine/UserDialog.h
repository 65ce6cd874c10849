#pragma once

#include <cstdint>
#include <string>

enum MessageKind : std::uint8_t {
    mkWarning = 0,
    mkError = 1,
    mkInformation = 2,
    mkConfirmation = 3,
};

using ButtonSet = std::uint16_t;
inline constexpr ButtonSet bfYes = 1;
inline constexpr ButtonSet bfNo = 2;
inline constexpr ButtonSet bfOk = 4;
inline constexpr ButtonSet bfCancel = 8;

// Modal results a showing ends with.
inline constexpr std::uint16_t mrOk = 1;
inline constexpr std::uint16_t mrCancel = 2;
inline constexpr std::uint16_t mrYes = 6;
inline constexpr std::uint16_t mrNo = 7;

// How the update run asks the user and lets the windows breathe; the message dialog implements
// it, tests answer from a script.
class UserDialog {
  public:
    virtual ~UserDialog() = default;
    virtual std::uint16_t Mesaj(const std::string& heading, const std::string& text,
                                MessageKind kind, ButtonSet buttons) = 0;
    virtual void ProcessPendingMessages() = 0;
};
