#include "tests/e2e/driver/ScreenCapture.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "ui/framework/GdiObjects.h"

namespace window_driver {

namespace {

// A 32-bit top-down DIB section selected into a memory DC, to draw or copy into and read back.
class PixelBuffer {
  public:
    PixelBuffer(HDC compatible, int width, int height)
        : width_(width), height_(height), dc_(compatible), bitmap_(Create(width, height, &bits_)),
          selection_(dc_.Get(), bitmap_.Get()) {}
    bool Valid() const { return dc_.Get() != nullptr && bitmap_; }
    HDC Dc() const { return dc_.Get(); }
    Capture Read() const {
        GdiFlush();
        std::vector<Rgb> pixels(static_cast<size_t>(width_) * height_);
        const auto* source = static_cast<const std::uint8_t*>(bits_);
        for (size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = Rgb{source[i * 4 + 2], source[i * 4 + 1], source[i * 4]};
        }
        return Capture(width_, height_, std::move(pixels));
    }

  private:
    static HBITMAP Create(int width, int height, void** bits) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    }

    int width_;
    int height_;
    void* bits_ = nullptr;
    MemoryDC dc_;
    UniqueBitmap bitmap_;
    ObjectSelection selection_;
};

} // namespace

Capture CaptureScreen(const RECT& screenArea) {
    const int width = screenArea.right - screenArea.left;
    const int height = screenArea.bottom - screenArea.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    WindowDC screen(nullptr);
    PixelBuffer buffer(screen.Get(), width, height);
    if (!buffer.Valid() || !BitBlt(buffer.Dc(), 0, 0, width, height, screen.Get(), screenArea.left,
                                   screenArea.top, SRCCOPY | CAPTUREBLT)) {
        return {};
    }
    return buffer.Read();
}

Capture CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return CaptureScreen(client);
}

Capture CaptureWindow(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return CaptureScreen(rect);
}

Capture PrintWindowClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    WindowDC screen(nullptr);
    PixelBuffer buffer(screen.Get(), client.right, client.bottom);
    if (!buffer.Valid() || !PrintWindow(window, buffer.Dc(), PW_CLIENTONLY)) {
        return {};
    }
    return buffer.Read();
}

Capture PaintInto(int width, int height, const std::function<void(HDC)>& painter) {
    WindowDC screen(nullptr);
    PixelBuffer buffer(screen.Get(), width, height);
    if (!buffer.Valid()) {
        return {};
    }
    PatBlt(buffer.Dc(), 0, 0, width, height, WHITENESS);
    painter(buffer.Dc());
    return buffer.Read();
}

Rgb ClientPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    WindowDC screen(nullptr);
    return FromColorRef(GetPixel(screen.Get(), point.x, point.y));
}

} // namespace window_driver
