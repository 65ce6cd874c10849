#include "ui/framework/Dpi.h"

#include <windows.h>

#include "ui/framework/GdiObjects.h"

namespace {
constexpr int kDesignDpi = 96;
}

void MakeProcessDpiAware() {
    using SetProcessDpiAwareCall = BOOL(WINAPI*)();
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr) {
        return;
    }
    const auto call = reinterpret_cast<SetProcessDpiAwareCall>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
    if (call != nullptr) {
        call(); // a failure leaves the system's scaling in place, which still works
    }
}

int ScreenDpi() {
    static const int dpi = [] {
        WindowDC screen(nullptr);
        const int value = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return value > 0 ? value : kDesignDpi;
    }();
    return dpi;
}

int Scaled(int designPixels) {
    return MulDiv(designPixels, ScreenDpi(), kDesignDpi);
}
