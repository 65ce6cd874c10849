#pragma once

// Messages the driver sends to the windows of another process; for the driver's own files only.
#include <windows.h>

namespace window_driver {

// Cross-process messages must not hang the driver when the target is stuck.
inline constexpr UINT MessageTimeoutMs = 3000;

// What the window says is at the screen point (HTCAPTION, HTCLOSE, ...).
inline LRESULT HitTest(HWND window, POINT screenPoint) {
    DWORD_PTR hit = HTNOWHERE;
    SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(screenPoint.x, screenPoint.y),
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, &hit);
    return static_cast<LRESULT>(hit);
}

} // namespace window_driver
