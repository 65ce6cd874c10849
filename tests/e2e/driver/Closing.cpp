#include "tests/e2e/driver/Closing.h"

#include "tests/e2e/driver/CrossProcessMessages.h"
#include "tests/e2e/driver/Input.h"

namespace window_driver {

const char* ToString(CloseWay way) {
    switch (way) {
    case CloseWay::Escape:
        return "escape";
    case CloseWay::AltF4:
        return "altf4";
    case CloseWay::WindowMenuClose:
        return "menu";
    case CloseWay::CloseBox:
        return "box";
    }
    return "?";
}

std::optional<CloseWay> ParseCloseWay(const std::string& name) {
    for (CloseWay way :
         {CloseWay::Escape, CloseWay::AltF4, CloseWay::WindowMenuClose, CloseWay::CloseBox}) {
        if (name == ToString(way)) {
            return way;
        }
    }
    return std::nullopt;
}

std::optional<POINT> CloseBoxPoint(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int band = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 4;
    // Scans the caption rows from the right, asking the window itself what each point is.
    for (int y = rect.top + 2; y < rect.top + band; y += 2) {
        int first = -1;
        int last = -1;
        for (int x = rect.right - 1; x > rect.right - 80 && x > rect.left; --x) {
            if (HitTest(window, POINT{x, y}) == HTCLOSE) {
                last = last < 0 ? x : last;
                first = x;
            } else if (last >= 0) {
                break;
            }
        }
        if (last >= 0) {
            // Centre vertically too: walk down this column while it stays the close box.
            const int x = (first + last) / 2;
            int bottom = y;
            for (;; ++bottom) {
                if (HitTest(window, POINT{x, bottom + 1}) != HTCLOSE) {
                    break;
                }
            }
            return POINT{x, (y + bottom) / 2};
        }
    }
    return std::nullopt;
}

bool CloseBy(HWND window, CloseWay way) {
    switch (way) {
    case CloseWay::Escape:
        return TypeKey(window, {VK_ESCAPE, NoModifier});
    case CloseWay::AltF4:
        return TypeKey(window, {VK_F4, Alt});
    case CloseWay::WindowMenuClose:
        // What choosing Close in the window menu sends.
        return BringToForeground(window) &&
               PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
    case CloseWay::CloseBox: {
        const std::optional<POINT> point = CloseBoxPoint(window);
        return point.has_value() && ClickAtScreen(window, *point);
    }
    }
    return false;
}

} // namespace window_driver
