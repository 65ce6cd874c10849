#pragma once

// Acts on windows through the real input path, as a user's keyboard and mouse do.
#include <windows.h>

#include <optional>
#include <string>

namespace window_driver {

// Makes the window the foreground window and waits until it is.
bool BringToForeground(HWND window);

// Keys: a virtual key with modifiers pressed around it, typed into the foreground window.
enum Modifier : unsigned { NoModifier = 0, Alt = 1, Control = 2, Shift = 4 };
struct Keystroke {
    WORD virtualKey = 0;
    unsigned modifiers = NoModifier;
};
// "ESC", "ENTER", "SPACE", "TAB", "F4", "D", "ALT+F4", "ALT+D", "SHIFT+TAB", ...
std::optional<Keystroke> ParseKeystroke(const std::string& name);
// Brings the window forward and types the keystroke through SendInput.
bool TypeKey(HWND window, Keystroke keystroke);

// The same, then a pause as between a person's keystrokes: under Wine a key goes to the control
// that has the focus when it is typed, so a key that moves the focus must be handled before
// the next one is typed.
bool TypeKeyAtTypingPace(HWND window, Keystroke keystroke);

// Mouse through SendInput: moves the pointer there and presses the left button.
bool ClickAtScreen(HWND window, POINT screenPoint);
// Drags the window by its caption with the mouse, as far as asked.
bool DragByCaption(HWND window, int dx, int dy);
// Clicks the centre of the control.
bool ClickControl(HWND window, HWND control);
// The mouse pointer's shape while it rests over the control's centre. Under Wine the handle is
// the other process's own and cannot be read here, but two handles of it can be compared.
HCURSOR CursorOver(HWND window, HWND control);
// The fallback: posts BM_CLICK to a button, without the input path.
bool PostButtonClick(HWND button);

} // namespace window_driver
