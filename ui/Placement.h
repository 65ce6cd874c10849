#pragma once

#include <array>

// Where the dialog's buttons go; pure, so the rule reads on its own.

// Left edges (96-dpi pixels) of the n shown dialog buttons, left to right. The spacing counts
// each button as 73 wide in a row of 342, a little more than the buttons and the window.
constexpr std::array<int, 4> DialogButtonLefts(int shown) {
    std::array<int, 4> lefts{};
    if (shown < 1 || shown > 4) {
        return lefts;
    }
    const int gap = static_cast<int>((342.0 - 73.0 * shown) / (shown + 1));
    for (int k = 1; k <= shown; ++k) {
        lefts[k - 1] = k * gap + (k - 1) * 73;
    }
    return lefts;
}

static_assert(DialogButtonLefts(1)[0] == 134);
static_assert(DialogButtonLefts(2) == std::array<int, 4>{65, 203, 0, 0});
static_assert(DialogButtonLefts(3) == std::array<int, 4>{30, 133, 236, 0});
static_assert(DialogButtonLefts(4) == std::array<int, 4>{10, 93, 176, 259});
