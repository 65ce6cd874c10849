#include "tests/e2e/windows/ScreenChecks.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "ui/framework/GdiObjects.h"

namespace screen_checks {

namespace {

int Luminance(Rgb pixel) {
    return (pixel.red * 30 + pixel.green * 59 + pixel.blue * 11) / 100;
}

} // namespace

bool IsDarkInk(Rgb pixel) {
    return Luminance(pixel) < 110;
}

bool IsLightInk(Rgb pixel) {
    return Luminance(pixel) > 235;
}

Ink MeasureInk(const Capture& capture, const RECT& area, const InkTest& isInk) {
    Ink ink;
    ink.bounds = RECT{area.right, area.bottom, area.left, area.top};
    const int top = std::max(0, static_cast<int>(area.top));
    const int bottom = std::min(capture.Height(), static_cast<int>(area.bottom));
    const int left = std::max(0, static_cast<int>(area.left));
    const int right = std::min(capture.Width(), static_cast<int>(area.right));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (isInk(capture.At(x, y))) {
                ++ink.pixels;
                ink.bounds.left = std::min<LONG>(ink.bounds.left, x);
                ink.bounds.right = std::max<LONG>(ink.bounds.right, x + 1);
                ink.bounds.top = std::min<LONG>(ink.bounds.top, y);
                ink.bounds.bottom = std::max<LONG>(ink.bounds.bottom, y + 1);
            }
        }
    }
    if (ink.pixels == 0) {
        ink.bounds = RECT{};
    }
    return ink;
}

namespace {

int ReferenceInkWidth(const std::string& text, FontLook look, bool bold, UINT format = 0) {
    UniqueFont font(CreateFontA(look.height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, look.face));
    constexpr int Width = 1000;
    constexpr int Height = 60;
    const Capture drawn = window_driver::PaintInto(Width, Height, [&](HDC dc) {
        ObjectSelection selection(dc, font.Get());
        RECT area{4, 4, Width, Height};
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_SINGLELINE | format);
    });
    const Ink ink = MeasureInk(drawn, RECT{0, 0, Width, Height}, IsDarkInk);
    return ink.bounds.right - ink.bounds.left;
}

// Whether the two references differ and the ink is nearer the wider one.
bool NearerTheWider(int inkWidth, int wider, int narrower) {
    return wider > narrower && std::abs(inkWidth - wider) < std::abs(inkWidth - narrower);
}

} // namespace

bool InkWidthLooksBold(int inkWidth, const std::string& text, FontLook font) {
    return NearerTheWider(inkWidth, ReferenceInkWidth(text, font, true),
                          ReferenceInkWidth(text, font, false));
}

bool InkWidthLooksLiteral(int inkWidth, const std::string& text, FontLook font) {
    return NearerTheWider(inkWidth, ReferenceInkWidth(text, font, false, DT_NOPREFIX),
                          ReferenceInkWidth(text, font, false));
}

bool WaitUntilDrawn(HWND window) {
    Capture before;
    return window_driver::WaitUntil([&] {
        Capture now = window_driver::CaptureClient(window);
        const bool settled =
            !now.Empty() && now.SameAs(before) && window_driver::FocusedControl(window) != nullptr;
        before = std::move(now);
        return settled;
    });
}

std::string BuildTreePath(const char* path) {
    // Cross-built paths come from the host, where the root is a Unix one.
    return path[0] == '/' ? std::string("Z:") + path : std::string(path);
}

void SaveScreenshot(HWND window, const std::string& name) {
    const std::string folder = BuildTreePath(SCREENSHOT_DIR);
    std::error_code ignored; // a missing screenshot must not fail a test
    std::filesystem::create_directories(folder, ignored);
    window_driver::CaptureWindow(window).SaveBmp(folder + "/" + name + ".bmp");
}

} // namespace screen_checks
