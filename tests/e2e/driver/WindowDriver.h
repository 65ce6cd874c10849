#pragma once

// Drives the updater's windows from outside, the way a user and a screen reader meet them:
// finds top-level windows by class, reads captions, styles, child texts, visibility,
// positions, the focused control and pixel colours, and acts through the real input path.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "os/win32/UniqueHandle.h"

namespace window_driver {

// Wine under load may take many seconds to bring a window up or down.
inline constexpr int DefaultTimeoutMs = 20000;

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
std::string ToString(Rgb colour); // "r,g,b"
Rgb FromColorRef(COLORREF colour);

struct ChildInfo {
    HWND handle = nullptr;
    int id = 0;
    int parentId = 0; // 0 when the parent is the top-level window
    std::string className;
    std::string text;
    bool visible = false; // the window's own visible style, whatever its parents
    bool enabled = false;
    DWORD style = 0;
    RECT rect{};       // in the parent's client coordinates
    RECT formRect{};   // in the top-level window's client coordinates
    RECT screenRect{}; // on the screen
};

struct WindowInfo {
    HWND handle = nullptr;
    std::string className;
    std::string caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool visible = false;
    RECT windowRect{};               // outer rectangle on the screen
    RECT clientRect{};               // client area on the screen
    std::vector<ChildInfo> children; // every descendant, in window-tree order

    bool HasCloseBox() const { return (style & WS_SYSMENU) != 0; }
    bool IsResizable() const { return (style & WS_THICKFRAME) != 0; }
    bool IsTopmost() const { return (exStyle & WS_EX_TOPMOST) != 0; }
    const ChildInfo* Child(int id) const;
};

// Polls until the condition holds or the time runs out; true when it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = DefaultTimeoutMs);

// A visible top-level window of the class (of the process, when one is named), or null;
// hidden ones too when asked.
HWND FindWindowOfClass(const std::string& className, DWORD processId = 0,
                       bool includeHidden = false);
HWND WaitForWindow(const std::string& className, int timeoutMs = DefaultTimeoutMs,
                   DWORD processId = 0);
// True once no visible window of the class is left.
bool WaitForNoWindow(const std::string& className, int timeoutMs = DefaultTimeoutMs,
                     DWORD processId = 0);

WindowInfo Describe(HWND window);
std::string DescribeAsText(const WindowInfo& info);
std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// A descendant with the control ID, or null.
HWND ChildById(HWND window, int id);
// A child's rectangle in the top-level window's client coordinates.
RECT RectInForm(HWND form, HWND child);

// The control holding the keyboard focus in the window's thread, or null.
HWND FocusedControl(HWND window);
// The control ID of the focused control, 0 when none.
int FocusedControlId(HWND window);

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

// Closing a window the ways a user does.
enum class CloseWay { Escape, AltF4, WindowMenuClose, CloseBox };
const char* ToString(CloseWay way);
std::optional<CloseWay> ParseCloseWay(const std::string& name);
bool CloseBy(HWND window, CloseWay way);
// The close box's centre on the screen, found by hit-testing the caption; empty when none.
std::optional<POINT> CloseBoxPoint(HWND window);

// What is on the screen: pixels copied from the screen, so overlapping windows count.
class Capture {
  public:
    Capture() = default;
    Capture(int width, int height, std::vector<Rgb> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }
    Rgb At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    bool SameAs(const Capture& other) const {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }
    // Counts the pixels equal to the colour inside the rectangle (clipped to the capture).
    int Count(const RECT& area, Rgb colour) const;
    bool SaveBmp(const std::string& path) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};
Capture CaptureScreen(const RECT& screenArea);
// The window's client area as it is on the screen.
Capture CaptureClient(HWND window);
// The whole window, frame included, as it is on the screen.
Capture CaptureWindow(HWND window);
// The window painted into a bitmap by PrintWindow, whatever covers it on the screen.
Capture PrintWindowClient(HWND window);
// Whatever the painter draws into a white bitmap of that size, for reference pictures.
Capture PaintInto(int width, int height, const std::function<void(HDC)>& painter);
// One pixel in client coordinates, read from the screen.
Rgb ClientPixel(HWND window, int x, int y);

// A started program, ended when this object goes unless it has exited.
class Program {
  public:
    Program() = default;
    // commandLine holds the quoted executable path and arguments.
    static std::optional<Program> Start(const std::string& commandLine,
                                        const std::string& workingDir = {});
    DWORD Id() const { return processId_; }
    HANDLE Handle() const { return process_.Get(); }
    bool Running() const;
    // The exit code once the program has ended within the time, empty otherwise.
    std::optional<DWORD> WaitForExit(int timeoutMs = DefaultTimeoutMs) const;
    void Terminate();
    ~Program();
    Program(Program&&) noexcept = default;
    Program& operator=(Program&&) noexcept = default;

  private:
    UniqueHandle process_;
    DWORD processId_ = 0;
};

// Counts the times a window becomes visible, watching it closely from a thread of its own, so a
// test can tell a window that was hidden and shown again from one that stayed.
class ShowingCounter {
  public:
    explicit ShowingCounter(HWND window);
    ~ShowingCounter();
    ShowingCounter(const ShowingCounter&) = delete;
    ShowingCounter& operator=(const ShowingCounter&) = delete;
    int Showings() const { return showings_; }
    bool WaitForShowings(int count, int timeoutMs = DefaultTimeoutMs) const;

  private:
    HWND window_;
    std::atomic<int> showings_{0};
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

// One value under HKEY_CURRENT_USER set for the programs started while this lives; the
// previous value is put back (or removed) at the end.
class UserSettingOverride {
  public:
    UserSettingOverride(std::string key, std::string name, DWORD type, std::vector<BYTE> value);
    ~UserSettingOverride();
    UserSettingOverride(const UserSettingOverride&) = delete;
    UserSettingOverride& operator=(const UserSettingOverride&) = delete;

  private:
    struct Value {
        DWORD type = 0;
        std::vector<BYTE> bytes;
    };
    std::string key_;
    std::string name_;
    std::optional<Value> previous_;
};

// Under Wine without a window manager, frames (caption, close box) are left to a window manager
// that is not there; while this lives, programs started from then on have Wine draw them.
class WineDrawsFrames : public UserSettingOverride {
  public:
    WineDrawsFrames();
};

// The screen's pixels per inch for programs started while this lives.
class ScreenDpi : public UserSettingOverride {
  public:
    explicit ScreenDpi(DWORD dotsPerInch);
};

// The folder of the running executable, without a trailing "\".
std::string OwnFolder();

} // namespace window_driver
