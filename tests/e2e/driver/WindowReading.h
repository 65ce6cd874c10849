#pragma once

// Reads a window from outside, the way a screen reader meets it: class, caption, styles,
// rectangles, every descendant and the control holding the focus.
#include <windows.h>

#include <string>
#include <vector>

namespace window_driver {

struct ChildInfo {
    HWND handle = nullptr;
    int id = 0;
    int parentId = 0; // 0 when the parent is the top-level window
    std::string className;
    std::string text;
    bool visible = false; // the window's own visible style, whatever its parents
    bool enabled = false;
    DWORD style = 0;
    RECT rect{};       // in the parent's client coordinates
    RECT formRect{};   // in the top-level window's client coordinates
    RECT screenRect{}; // on the screen
};

struct WindowInfo {
    HWND handle = nullptr;
    std::string className;
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool visible = false;
    RECT windowRect{};               // outer rectangle on the screen
    RECT clientRect{};               // client area on the screen
    std::vector<ChildInfo> children; // every descendant, in window-tree order

    bool HasCloseBox() const { return (style & WS_SYSMENU) != 0; }
    bool IsResizable() const { return (style & WS_THICKFRAME) != 0; }
    bool IsTopmost() const { return (exStyle & WS_EX_TOPMOST) != 0; }
    const ChildInfo* Child(int id) const;
};

WindowInfo Describe(HWND window);
std::string DescribeAsText(const WindowInfo& info);
std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// A child's rectangle in the top-level window's client coordinates.
RECT RectInForm(HWND form, HWND child);

// The control holding the keyboard focus in the window's thread, or null.
HWND FocusedControl(HWND window);
// The control ID of the focused control, 0 when none.
int FocusedControlId(HWND window);

} // namespace window_driver
