#include <windows.h>

#include "os/win32/DllSearchHardening.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystemFolder();
    return 0;
}
