#pragma once

#include <windows.h>

// How a gradient band divides into colour steps: step 0 is ColorFrom, the last step ColorTo,
// those between evenly spaced and rounded per channel.

constexpr BYTE GradientChannel(int from, int to, int count, int step) {
    if (count <= 1) {
        return static_cast<BYTE>(from);
    }
    const int span = to - from;
    const int steps = count - 1;
    // Rounded to the nearest value, halves away from the start.
    const int offset = (2 * span * step + (span >= 0 ? steps : -steps)) / (2 * steps);
    return static_cast<BYTE>(from + offset);
}

inline COLORREF GradientStepColor(COLORREF from, COLORREF to, int count, int step) {
    return RGB(GradientChannel(GetRValue(from), GetRValue(to), count, step),
               GradientChannel(GetGValue(from), GetGValue(to), count, step),
               GradientChannel(GetBValue(from), GetBValue(to), count, step));
}

// The step a pixel line shows, counted from the ColorFrom edge of a band `length` lines long:
// the edge lines show the first and the last step, whether the band is longer or shorter than
// the number of steps.
constexpr int GradientStepAt(int line, int length, int count) {
    if (length <= 1 || count <= 1) {
        return 0;
    }
    return (2 * line * (count - 1) + (length - 1)) / (2 * (length - 1));
}

// The ends are the two colours themselves; the middle lies halfway.
static_assert(GradientChannel(238, 255, 64, 0) == 238 && GradientChannel(238, 255, 64, 63) == 255);
static_assert(GradientChannel(255, 0, 64, 63) == 0 && GradientChannel(0, 200, 3, 1) == 100);
static_assert(GradientStepAt(0, 39, 64) == 0 && GradientStepAt(38, 39, 64) == 63);
static_assert(GradientStepAt(0, 339, 64) == 0 && GradientStepAt(338, 339, 64) == 63);
static_assert(GradientStepAt(169, 339, 64) == 32);
