#pragma once

#include <windows.h>

// A colour as the layouts name it: a fixed RGB value or one of the system's colours, which is
// read when drawn so it follows the user's scheme.
class Color {
  public:
    static constexpr Color Rgb(BYTE red, BYTE green, BYTE blue) {
        return Color(RGB(red, green, blue), -1);
    }
    static constexpr Color System(int index) { return Color(0, index); }

    COLORREF Resolve() const { return systemIndex_ >= 0 ? GetSysColor(systemIndex_) : value_; }
    constexpr bool operator==(const Color&) const = default;

  private:
    constexpr Color(COLORREF value, int systemIndex) : value_(value), systemIndex_(systemIndex) {}
    COLORREF value_;
    int systemIndex_;
};

inline constexpr Color kWhite = Color::Rgb(255, 255, 255);
inline constexpr Color kBlack = Color::Rgb(0, 0, 0);
inline constexpr Color kPureRed = Color::Rgb(255, 0, 0);
inline constexpr Color kWindowText = Color::System(COLOR_WINDOWTEXT);
