#pragma once

#include <algorithm>

// The top left corner that centres a window's outer size on an area counted from (0, 0): the
// primary screen, or the whole desktop; never above or left of the area's corner.
struct Origin {
    int Left;
    int Top;
};

constexpr Origin CentredOrigin(int areaWidth, int areaHeight, int outerWidth, int outerHeight) {
    return {std::max(0, (areaWidth - outerWidth) / 2), std::max(0, (areaHeight - outerHeight) / 2)};
}

static_assert(CentredOrigin(1280, 1024, 383, 207).Left == 448);
static_assert(CentredOrigin(300, 100, 383, 207).Left == 0 &&
              CentredOrigin(300, 100, 383, 207).Top == 0);
