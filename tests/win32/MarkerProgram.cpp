// Leaves proof that it was started: "<its own path>.ran", holding the command line it was given.
#include <windows.h>

#include <string>

#include "os/win32/UniqueHandle.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char own[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, own, sizeof own);
    const std::string marker = std::string(own) + ".ran";
    const std::string commandLine = GetCommandLineA();
    UniqueHandle file(CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.Valid()) {
        WriteFile(file.Get(), commandLine.data(), static_cast<DWORD>(commandLine.size()), &written,
                  nullptr);
    }
    return 0;
}
