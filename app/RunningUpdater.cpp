#include "app/RunningUpdater.h"

#include <windows.h>

#include <string>

#include "app/ProductConstants.h"
#include "ui/ControlIds.h"

namespace {

struct WindowSearch {
    std::string windowClass;
    std::string caption; // empty: any
    DWORD processId = 0; // 0: any process
    bool visibleOnly = false;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    char className[64] = {};
    char caption[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const bool matches = search.windowClass == className &&
                         (search.caption.empty() || search.caption == caption) &&
                         (search.processId == 0 || search.processId == processId) &&
                         (!search.visibleOnly || IsWindowVisible(window));
    if (matches) {
        search.found = window;
    }
    return matches ? FALSE : TRUE;
}

HWND FindTopLevelWindow(WindowSearch search) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

void BringRunningUpdaterToFront() {
    // Other programs may use the same class names: the application window's caption tells the
    // running updater's process apart, and its windows are looked for in that process only.
    const HWND application =
        FindTopLevelWindow({control_ids::ApplicationWindowClass,
                            std::string{"Actualizare "} + product::ProductDisplayName});
    if (application == nullptr) {
        return;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(application, &processId);
    for (const char* windowClass :
         {control_ids::DialogWindowClass, control_ids::StatusWindowClass}) {
        const HWND window = FindTopLevelWindow({windowClass, {}, processId, true});
        if (window != nullptr) {
            if (IsIconic(window)) {
                ShowWindow(window, SW_RESTORE);
            }
            // Allowed: this process was started by the user's own action a moment ago.
            SetForegroundWindow(window);
            return;
        }
    }
}
