#pragma once

#include <windows.h>

// A window of one of our own classes, bound to the object that handles its messages. The shared
// procedure stores the object on creation and dispatches to HandleMessage.
class WindowObject {
  public:
    WindowObject() = default;
    virtual ~WindowObject() = default;
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    HWND Handle() const { return handle_; }
    static WindowObject* FromHandle(HWND window);

  protected:
    struct Creation {
        const char* ClassName;
        DWORD ExStyle = 0;
        DWORD Style = 0;
        RECT Bounds{}; // pixels, in the parent's client area or on the screen
        HWND Parent = nullptr;
        int Id = 0; // child-window identifier; a top-level window has none
    };
    // Registers the class on first use and creates the window; false when the system refused.
    bool CreateOwnWindow(const Creation& creation);
    // For a window of a system class (a button): only remembered, its messages stay its own.
    void Adopt(HWND window) { handle_ = window; }

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle_ = nullptr;
};
