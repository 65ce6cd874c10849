#include "ui/framework/WindowObject.h"

namespace {

void RegisterOnce(const char* className, WNDPROC procedure) {
    WNDCLASSEXA known{};
    known.cbSize = sizeof known;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, className, &known)) {
        return;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    // A failure shows as the CreateWindowEx failure that follows.
    RegisterClassExA(&windowClass);
}

} // namespace

WindowObject* WindowObject::FromHandle(HWND window) {
    return reinterpret_cast<WindowObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool WindowObject::CreateOwnWindow(const Creation& creation) {
    RegisterOnce(creation.ClassName, &WindowObject::Procedure);
    const RECT& r = creation.Bounds;
    HMENU idOrMenu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.Id));
    HWND window = CreateWindowExA(creation.ExStyle, creation.ClassName, "", creation.Style, r.left,
                                  r.top, r.right - r.left, r.bottom - r.top, creation.Parent,
                                  idOrMenu, GetModuleHandleA(nullptr), this);
    return window != nullptr;
}

LRESULT WindowObject::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK WindowObject::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<WindowObject*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    WindowObject* self = FromHandle(window);
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}
