#pragma once

#include <windows.h>

// What the application needs of a top-level window it owns: the event loop routes key presses
// through it, and the taskbar button's Close and the first showing go to the main one.
class TopLevelWindow {
  public:
    virtual ~TopLevelWindow() = default;

    virtual HWND TopLevelHandle() const = 0;
    virtual void Show() = 0;
    virtual void Close() = 0;
    // Keyboard handling of a message for this window or one of its controls; true when taken.
    virtual bool PreTranslateKey(const MSG& message) = 0;
};
