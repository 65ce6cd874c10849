#include "tests/e2e/driver/WindowFinding.h"

#include "tests/e2e/driver/WindowReading.h"

namespace window_driver {

HWND FindWindowOfClass(const std::string& className, DWORD processId, bool includeHidden) {
    struct Search {
        const std::string& className;
        DWORD processId;
        bool includeHidden;
        HWND found;
    } search{className, processId, includeHidden, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) CALLBACK -> BOOL {
            auto& search = *reinterpret_cast<Search*>(parameter);
            if ((!search.includeHidden && !IsWindowVisible(window)) ||
                ClassOf(window) != search.className) {
                return TRUE;
            }
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (search.processId != 0 && owner != search.processId) {
                return TRUE;
            }
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::string& className, int timeoutMs, DWORD processId) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindWindowOfClass(className, processId);
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

bool WaitForNoWindow(const std::string& className, int timeoutMs, DWORD processId) {
    return WaitUntil([&] { return FindWindowOfClass(className, processId) == nullptr; }, timeoutMs);
}

HWND ChildById(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) CALLBACK -> BOOL {
            auto& search = *reinterpret_cast<Search*>(parameter);
            if (GetDlgCtrlID(child) != search.id) {
                return TRUE;
            }
            search.found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace window_driver
