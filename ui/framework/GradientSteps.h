#pragma once

#include <windows.h>

// How a gradient band divides into colour steps: step 0 is ColorFrom, the last step ColorTo,
// those between evenly spaced and rounded per channel.

inline BYTE GradientChannel(int from, int to, int count, int step) {
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

// The pixels [begin, end) of a step, counted from the ColorFrom edge of a band `length` long.
struct StepSpan {
    int Begin;
    int End;
};

inline StepSpan GradientStepSpan(int length, int count, int step) {
    return {length * step / count, length * (step + 1) / count};
}
