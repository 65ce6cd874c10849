#pragma once

// Takes captures: from the screen, from a window painting itself, from a painter of our own.
#include <windows.h>

#include <functional>

#include "tests/e2e/driver/Capture.h"

namespace window_driver {

Capture CaptureScreen(const RECT& screenArea);
// The window's client area as it is on the screen.
Capture CaptureClient(HWND window);
// The whole window, frame included, as it is on the screen.
Capture CaptureWindow(HWND window);
// The window painted into a bitmap by PrintWindow, whatever covers it on the screen.
Capture PrintWindowClient(HWND window);
// Whatever the painter draws into a white bitmap of that size, for reference pictures.
Capture PaintInto(int width, int height, const std::function<void(HDC)>& painter);
// One pixel in client coordinates, read from the screen.
Rgb ClientPixel(HWND window, int x, int y);

} // namespace window_driver
