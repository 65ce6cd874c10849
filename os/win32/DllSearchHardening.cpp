#include "os/win32/DllSearchHardening.h"

#include <windows.h>

void RestrictDllSearchToSystemFolder() {
    // Looked up at run time: older systems lack the call.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault != nullptr) {
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    SetDllDirectoryA(""); // takes the current folder out of the search as well
}
