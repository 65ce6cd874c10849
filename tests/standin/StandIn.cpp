// A small stand-in for the program the updater updates: it shows its name and version, and
// starts its updater the way the real program does (its own full path as the only parameter,
// then it exits).
//
//   ZentorCalvex.exe                 the window, with an "Actualizare" button
//   ZentorCalvex.exe /update [ms]    starts the updater at once, lingers ms (default 0), exits
#include <windows.h>

#include <cstdlib>
#include <string>

#include "os/win32/UniqueHandle.h"

namespace {

constexpr int kUpdateButton = 101;
constexpr const char* kUpdaterName = STANDIN_UPDATER_NAME;
constexpr const char* kTitle = "Zentor - Calvex " STANDIN_VERSION;

std::string OwnPath() {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

void StartUpdater() {
    const std::string own = OwnPath();
    const std::string updater = own.substr(0, own.find_last_of('\\') + 1) + kUpdaterName;
    std::string commandLine = "\"" + updater + "\" \"" + own + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessA(updater.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
        UniqueHandle process(started.hProcess);
        UniqueHandle thread(started.hThread);
    }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateWindowA("STATIC", "Zentor - Calvex", WS_CHILD | WS_VISIBLE, 16, 16, 260, 20, window,
                      nullptr, nullptr, nullptr);
        CreateWindowA("STATIC", "Versiunea " STANDIN_VERSION, WS_CHILD | WS_VISIBLE, 16, 40, 260,
                      20, window, nullptr, nullptr, nullptr);
        CreateWindowA("BUTTON", "Actualizare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 16, 72, 100,
                      25, window, reinterpret_cast<HMENU>(kUpdateButton), nullptr, nullptr);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kUpdateButton) {
            StartUpdater();
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    const std::string arguments = commandLine;
    if (arguments.rfind("/update", 0) == 0) {
        StartUpdater();
        Sleep(static_cast<DWORD>(std::atoi(arguments.c_str() + 7)));
        return 0;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "ZentorCalvexStandIn";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("ZentorCalvexStandIn", kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 320, 160, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
