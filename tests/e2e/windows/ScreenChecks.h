#pragma once

// What the tests read from the pixels of a window: where the ink of a text lies and whether it
// is bold; where the build's files are; screenshots.
#include <windows.h>

#include <functional>
#include <string>

#include "tests/e2e/driver/WindowDriver.h"

namespace screen_checks {

using window_driver::Capture;
using window_driver::Rgb;

using InkTest = std::function<bool(Rgb)>;
// Text drawn in the window-text colour (dark) on a light background.
bool IsDarkInk(Rgb pixel);
// Text drawn in white on a darker band.
bool IsLightInk(Rgb pixel);

struct Ink {
    int pixels = 0;
    RECT bounds{}; // empty when there is no ink
};
Ink MeasureInk(const Capture& capture, const RECT& area, const InkTest& isInk);

// Whether ink of this width is the text drawn bold rather than regular in the face: both are
// drawn here for comparison, since the system's font engine decides how much wider bold is.
// The text is drawn as a label draws it ("&" marks an accelerator).
struct FontLook {
    const char* face;
    int height;
};
bool InkWidthLooksBold(int inkWidth, const std::string& text, FontLook font);
// Whether ink of this width is the regular text drawn with every "&" as written, rather than
// with "&" taken for an accelerator mark.
bool InkWidthLooksLiteral(int inkWidth, const std::string& text, FontLook font);

// Waits until the window has a focused control and its picture on the screen has settled:
// Wine may show a window a moment before its children have drawn.
bool WaitUntilDrawn(HWND window);

// A path as this program sees a file of the build tree (under Wine, the host's root is Z:).
std::string BuildTreePath(const char* path);

// Saves the window as it is on the screen, frame included, into the test's output folder
// (SCREENSHOT_DIR), for a person to look at.
void SaveScreenshot(HWND window, const std::string& name);

} // namespace screen_checks
