#pragma once

// Finds top-level windows by class, and controls by ID inside them.
#include <windows.h>

#include <string>

#include "tests/e2e/driver/Waiting.h"

namespace window_driver {

// A visible top-level window of the class (of the process, when one is named), or null;
// hidden ones too when asked.
HWND FindWindowOfClass(const std::string& className, DWORD processId = 0,
                       bool includeHidden = false);
HWND WaitForWindow(const std::string& className, int timeoutMs = DefaultTimeoutMs,
                   DWORD processId = 0);
// True once no visible window of the class is left.
bool WaitForNoWindow(const std::string& className, int timeoutMs = DefaultTimeoutMs,
                     DWORD processId = 0);

// A descendant with the control ID, or null.
HWND ChildById(HWND window, int id);

} // namespace window_driver
