#include "tests/e2e/driver/WindowReading.h"

#include <algorithm>
#include <cstdio>

#include "tests/e2e/driver/CrossProcessMessages.h"

namespace window_driver {

namespace {

RECT ScreenToClientRect(HWND window, RECT rect) {
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

const ChildInfo* WindowInfo::Child(int id) const {
    for (const ChildInfo& child : children) {
        if (child.id == id) {
            return &child;
        }
    }
    return nullptr;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                            &length) == 0) {
        char text[1024] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, &copied);
    text.resize(std::min<size_t>(copied, length));
    return text;
}

RECT RectInForm(HWND form, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    return ScreenToClientRect(form, rect);
}

WindowInfo Describe(HWND window) {
    WindowInfo info;
    info.handle = window;
    info.className = ClassOf(window);
    info.caption = WindowText(window);
    info.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    info.exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    info.visible = IsWindowVisible(window) != FALSE;
    GetWindowRect(window, &info.windowRect);
    GetClientRect(window, &info.clientRect);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&info.clientRect), 2);
    struct Walk {
        HWND form;
        std::vector<ChildInfo>* children;
    } walk{window, &info.children};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) CALLBACK -> BOOL {
            auto& walk = *reinterpret_cast<Walk*>(parameter);
            ChildInfo entry;
            entry.handle = child;
            entry.id = GetDlgCtrlID(child);
            HWND parent = GetParent(child);
            entry.parentId = parent == walk.form ? 0 : GetDlgCtrlID(parent);
            entry.className = ClassOf(child);
            entry.text = WindowText(child);
            entry.style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
            entry.visible = (entry.style & WS_VISIBLE) != 0;
            entry.enabled = IsWindowEnabled(child) != FALSE;
            GetWindowRect(child, &entry.screenRect);
            entry.rect = ScreenToClientRect(parent, entry.screenRect);
            entry.formRect = ScreenToClientRect(walk.form, entry.screenRect);
            walk.children->push_back(entry);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return info;
}

std::string DescribeAsText(const WindowInfo& info) {
    auto rectText = [](const RECT& r) {
        char text[96];
        std::snprintf(text, sizeof text, "%ld,%ld %ldx%ld", r.left, r.top, r.right - r.left,
                      r.bottom - r.top);
        return std::string(text);
    };
    auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
    char styles[128];
    std::snprintf(styles, sizeof styles, "style=%08lx exstyle=%08lx", info.style, info.exStyle);
    std::string out = "window " + quoted(info.className) + " caption=" + quoted(info.caption) +
                      " " + styles + "\n";
    out += std::string("  closebox=") + (info.HasCloseBox() ? "yes" : "no") +
           " resizable=" + (info.IsResizable() ? "yes" : "no") +
           " topmost=" + (info.IsTopmost() ? "yes" : "no") +
           " visible=" + (info.visible ? "yes" : "no") + "\n";
    out += "  window=" + rectText(info.windowRect) + " client=" + rectText(info.clientRect) + "\n";
    out += "  focus=" + std::to_string(FocusedControlId(info.handle)) + "\n";
    for (const ChildInfo& child : info.children) {
        out += "  child id=" + std::to_string(child.id) +
               " parent=" + std::to_string(child.parentId) + " class=" + quoted(child.className) +
               " text=" + quoted(child.text) + " visible=" + (child.visible ? "yes" : "no") +
               " rect=" + rectText(child.rect) + " form=" + rectText(child.formRect) +
               " screen=" + rectText(child.screenRect) + "\n";
    }
    return out;
}

HWND FocusedControl(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

int FocusedControlId(HWND window) {
    HWND focused = FocusedControl(window);
    return focused == nullptr || focused == window ? 0 : GetDlgCtrlID(focused);
}

} // namespace window_driver
