#include "tests/e2e/driver/WindowDriver.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>

#include "ui/framework/GdiObjects.h"

namespace window_driver {

namespace {

// Cross-process messages must not hang the driver when the target is stuck.
constexpr UINT MessageTimeoutMs = 3000;
constexpr DWORD PollIntervalMs = 50;

// A 32-bit top-down DIB section selected into a memory DC, to draw or copy into and read back.
class PixelBuffer {
  public:
    PixelBuffer(HDC compatible, int width, int height)
        : width_(width), height_(height), dc_(compatible), bitmap_(Create(width, height, &bits_)),
          selection_(dc_.Get(), bitmap_.Get()) {}
    bool Valid() const { return dc_.Get() != nullptr && bitmap_; }
    HDC Dc() const { return dc_.Get(); }
    Capture Read() const {
        GdiFlush();
        std::vector<Rgb> pixels(static_cast<size_t>(width_) * height_);
        const auto* source = static_cast<const std::uint8_t*>(bits_);
        for (size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = Rgb{source[i * 4 + 2], source[i * 4 + 1], source[i * 4]};
        }
        return Capture(width_, height_, std::move(pixels));
    }

  private:
    static HBITMAP Create(int width, int height, void** bits) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    }

    int width_;
    int height_;
    void* bits_ = nullptr;
    MemoryDC dc_;
    UniqueBitmap bitmap_;
    ObjectSelection selection_;
};

void AddKey(std::vector<INPUT>& inputs, WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    inputs.push_back(input);
}

const std::vector<std::pair<unsigned, WORD>>& ModifierKeys() {
    static const std::vector<std::pair<unsigned, WORD>> keys = {
        {Control, VK_CONTROL}, {Alt, VK_MENU}, {Shift, VK_SHIFT}};
    return keys;
}

bool SendAll(std::vector<INPUT>& inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

RECT ScreenToClientRect(HWND window, RECT rect) {
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

std::string ToString(Rgb colour) {
    return std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue);
}

Rgb FromColorRef(COLORREF colour) {
    return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

const ChildInfo* WindowInfo::Child(int id) const {
    for (const ChildInfo& child : children) {
        if (child.id == id) {
            return &child;
        }
    }
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(PollIntervalMs);
    }
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

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

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                            &length) == 0) {
        char text[1024] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, &copied);
    text.resize(std::min<size_t>(copied, length));
    return text;
}

RECT RectInForm(HWND form, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    return ScreenToClientRect(form, rect);
}

WindowInfo Describe(HWND window) {
    WindowInfo info;
    info.handle = window;
    info.className = ClassOf(window);
    info.caption = WindowText(window);
    info.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    info.exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    info.visible = IsWindowVisible(window) != FALSE;
    GetWindowRect(window, &info.windowRect);
    GetClientRect(window, &info.clientRect);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&info.clientRect), 2);
    struct Walk {
        HWND form;
        std::vector<ChildInfo>* children;
    } walk{window, &info.children};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) CALLBACK -> BOOL {
            auto& walk = *reinterpret_cast<Walk*>(parameter);
            ChildInfo entry;
            entry.handle = child;
            entry.id = GetDlgCtrlID(child);
            HWND parent = GetParent(child);
            entry.parentId = parent == walk.form ? 0 : GetDlgCtrlID(parent);
            entry.className = ClassOf(child);
            entry.text = WindowText(child);
            entry.style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
            entry.visible = (entry.style & WS_VISIBLE) != 0;
            entry.enabled = IsWindowEnabled(child) != FALSE;
            GetWindowRect(child, &entry.screenRect);
            entry.rect = ScreenToClientRect(parent, entry.screenRect);
            entry.formRect = ScreenToClientRect(walk.form, entry.screenRect);
            walk.children->push_back(entry);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return info;
}

std::string DescribeAsText(const WindowInfo& info) {
    auto rectText = [](const RECT& r) {
        char text[96];
        std::snprintf(text, sizeof text, "%ld,%ld %ldx%ld", r.left, r.top, r.right - r.left,
                      r.bottom - r.top);
        return std::string(text);
    };
    auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
    char styles[128];
    std::snprintf(styles, sizeof styles, "style=%08lx exstyle=%08lx", info.style, info.exStyle);
    std::string out = "window " + quoted(info.className) + " caption=" + quoted(info.caption) +
                      " " + styles + "\n";
    out += std::string("  closebox=") + (info.HasCloseBox() ? "yes" : "no") +
           " resizable=" + (info.IsResizable() ? "yes" : "no") +
           " topmost=" + (info.IsTopmost() ? "yes" : "no") +
           " visible=" + (info.visible ? "yes" : "no") + "\n";
    out += "  window=" + rectText(info.windowRect) + " client=" + rectText(info.clientRect) + "\n";
    out += "  focus=" + std::to_string(FocusedControlId(info.handle)) + "\n";
    for (const ChildInfo& child : info.children) {
        out += "  child id=" + std::to_string(child.id) +
               " parent=" + std::to_string(child.parentId) + " class=" + quoted(child.className) +
               " text=" + quoted(child.text) + " visible=" + (child.visible ? "yes" : "no") +
               " rect=" + rectText(child.rect) + " form=" + rectText(child.formRect) +
               " screen=" + rectText(child.screenRect) + "\n";
    }
    return out;
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

HWND FocusedControl(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

int FocusedControlId(HWND window) {
    HWND focused = FocusedControl(window);
    return focused == nullptr || focused == window ? 0 : GetDlgCtrlID(focused);
}

bool BringToForeground(HWND window) {
    if (GetForegroundWindow() == window) {
        return true;
    }
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 5000);
}

std::optional<Keystroke> ParseKeystroke(const std::string& name) {
    static const std::map<std::string, WORD> named = {
        {"ESC", VK_ESCAPE},  {"ESCAPE", VK_ESCAPE}, {"ENTER", VK_RETURN}, {"RETURN", VK_RETURN},
        {"SPACE", VK_SPACE}, {"TAB", VK_TAB},       {"LEFT", VK_LEFT},    {"RIGHT", VK_RIGHT},
        {"UP", VK_UP},       {"DOWN", VK_DOWN},     {"F4", VK_F4}};
    Keystroke keystroke;
    std::string rest = Upper(name);
    for (;;) {
        const size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) {
            break;
        }
        const std::string modifier = rest.substr(0, plus);
        if (modifier == "ALT") {
            keystroke.modifiers |= Alt;
        } else if (modifier == "CTRL") {
            keystroke.modifiers |= Control;
        } else if (modifier == "SHIFT") {
            keystroke.modifiers |= Shift;
        } else {
            return std::nullopt;
        }
        rest = rest.substr(plus + 1);
    }
    if (auto found = named.find(rest); found != named.end()) {
        keystroke.virtualKey = found->second;
    } else if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
        keystroke.virtualKey = static_cast<WORD>(rest[0]);
    } else {
        return std::nullopt;
    }
    return keystroke;
}

bool TypeKey(HWND window, Keystroke keystroke) {
    if (!BringToForeground(window)) {
        return false;
    }
    std::vector<INPUT> inputs;
    for (const auto& [flag, key] : ModifierKeys()) {
        if ((keystroke.modifiers & flag) != 0) {
            AddKey(inputs, key, true);
        }
    }
    AddKey(inputs, keystroke.virtualKey, true);
    AddKey(inputs, keystroke.virtualKey, false);
    for (auto modifier = ModifierKeys().rbegin(); modifier != ModifierKeys().rend(); ++modifier) {
        if ((keystroke.modifiers & modifier->first) != 0) {
            AddKey(inputs, modifier->second, false);
        }
    }
    return SendAll(inputs);
}

namespace {

bool MovePointer(POINT screenPoint) {
    // Absolute coordinates run from 0 to 65535 over the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> move(1);
    move[0].type = INPUT_MOUSE;
    move[0].mi.dx = static_cast<LONG>((screenPoint.x * 65536LL + width / 2) / width);
    move[0].mi.dy = static_cast<LONG>((screenPoint.y * 65536LL + height / 2) / height);
    move[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (!SendAll(move)) {
        return false;
    }
    POINT at{};
    WaitUntil(
        [&] {
            GetCursorPos(&at);
            return at.x == screenPoint.x && at.y == screenPoint.y;
        },
        1000);
    if (at.x != screenPoint.x || at.y != screenPoint.y) {
        // Rounding of the absolute scale differs between systems; place the pointer exactly.
        SetCursorPos(screenPoint.x, screenPoint.y);
    }
    return true;
}

bool LeftButton(bool down) {
    std::vector<INPUT> press(1);
    press[0].type = INPUT_MOUSE;
    press[0].mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    return SendAll(press);
}

LRESULT HitTest(HWND window, POINT screenPoint) {
    DWORD_PTR hit = HTNOWHERE;
    SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(screenPoint.x, screenPoint.y),
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, &hit);
    return static_cast<LRESULT>(hit);
}

} // namespace

bool TypeKeyAtTypingPace(HWND window, Keystroke keystroke) {
    const bool typed = TypeKey(window, keystroke);
    Sleep(300);
    return typed;
}

bool ClickAtScreen(HWND window, POINT screenPoint) {
    return BringToForeground(window) && MovePointer(screenPoint) && LeftButton(true) &&
           LeftButton(false);
}

bool DragByCaption(HWND window, int dx, int dy) {
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT grip{rect.left + 30,
               rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    if (HitTest(window, grip) != HTCAPTION || !BringToForeground(window) || !MovePointer(grip) ||
        !LeftButton(true)) {
        return false;
    }
    // In steps, as a hand moves: the move loop follows each one.
    constexpr int Steps = 8;
    for (int step = 1; step <= Steps; ++step) {
        Sleep(30);
        MovePointer(POINT{grip.x + dx * step / Steps, grip.y + dy * step / Steps});
    }
    Sleep(30);
    const bool released = LeftButton(false);
    const RECT target{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
    return released && WaitUntil(
                           [&] {
                               RECT now{};
                               GetWindowRect(window, &now);
                               return EqualRect(&now, &target) != FALSE;
                           },
                           5000);
}

bool ClickControl(HWND window, HWND control) {
    RECT rect{};
    if (control == nullptr || !GetWindowRect(control, &rect)) {
        return false;
    }
    return ClickAtScreen(window, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

HCURSOR CursorOver(HWND window, HWND control) {
    RECT rect{};
    if (control == nullptr || !GetWindowRect(control, &rect) || !BringToForeground(window) ||
        !MovePointer(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2})) {
        return nullptr;
    }
    // The shape is set when the window under the pointer answers WM_SETCURSOR; let it rest.
    Sleep(300);
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
}

bool PostButtonClick(HWND button) {
    return button != nullptr && PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

const char* ToString(CloseWay way) {
    switch (way) {
    case CloseWay::Escape:
        return "escape";
    case CloseWay::AltF4:
        return "altf4";
    case CloseWay::WindowMenuClose:
        return "menu";
    case CloseWay::CloseBox:
        return "box";
    }
    return "?";
}

std::optional<CloseWay> ParseCloseWay(const std::string& name) {
    for (CloseWay way :
         {CloseWay::Escape, CloseWay::AltF4, CloseWay::WindowMenuClose, CloseWay::CloseBox}) {
        if (name == ToString(way)) {
            return way;
        }
    }
    return std::nullopt;
}

std::optional<POINT> CloseBoxPoint(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int band = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 4;
    // Scans the caption rows from the right, asking the window itself what each point is.
    for (int y = rect.top + 2; y < rect.top + band; y += 2) {
        int first = -1;
        int last = -1;
        for (int x = rect.right - 1; x > rect.right - 80 && x > rect.left; --x) {
            if (HitTest(window, POINT{x, y}) == HTCLOSE) {
                last = last < 0 ? x : last;
                first = x;
            } else if (last >= 0) {
                break;
            }
        }
        if (last >= 0) {
            // Centre vertically too: walk down this column while it stays the close box.
            const int x = (first + last) / 2;
            int bottom = y;
            for (;; ++bottom) {
                if (HitTest(window, POINT{x, bottom + 1}) != HTCLOSE) {
                    break;
                }
            }
            return POINT{x, (y + bottom) / 2};
        }
    }
    return std::nullopt;
}

bool CloseBy(HWND window, CloseWay way) {
    switch (way) {
    case CloseWay::Escape:
        return TypeKey(window, {VK_ESCAPE, NoModifier});
    case CloseWay::AltF4:
        return TypeKey(window, {VK_F4, Alt});
    case CloseWay::WindowMenuClose:
        // What choosing Close in the window menu sends.
        return BringToForeground(window) &&
               PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
    case CloseWay::CloseBox: {
        const std::optional<POINT> point = CloseBoxPoint(window);
        return point.has_value() && ClickAtScreen(window, *point);
    }
    }
    return false;
}

int Capture::Count(const RECT& area, Rgb colour) const {
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height_, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(width_, area.right); ++x) {
            count += At(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

bool Capture::SaveBmp(const std::string& path) const {
    const int rowBytes = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = height_;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(rowBytes * height_);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    std::vector<char> row(static_cast<size_t>(rowBytes), '\0');
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Rgb pixel = At(x, y);
            row[x * 3] = static_cast<char>(pixel.blue);
            row[x * 3 + 1] = static_cast<char>(pixel.green);
            row[x * 3 + 2] = static_cast<char>(pixel.red);
        }
        out.write(row.data(), rowBytes);
    }
    return static_cast<bool>(out);
}

Capture CaptureScreen(const RECT& screenArea) {
    const int width = screenArea.right - screenArea.left;
    const int height = screenArea.bottom - screenArea.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    WindowDC screen(nullptr);
    PixelBuffer buffer(screen.Get(), width, height);
    if (!buffer.Valid() || !BitBlt(buffer.Dc(), 0, 0, width, height, screen.Get(), screenArea.left,
                                   screenArea.top, SRCCOPY | CAPTUREBLT)) {
        return {};
    }
    return buffer.Read();
}

Capture CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return CaptureScreen(client);
}

Capture CaptureWindow(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return CaptureScreen(rect);
}

Capture PrintWindowClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    WindowDC screen(nullptr);
    PixelBuffer buffer(screen.Get(), client.right, client.bottom);
    if (!buffer.Valid() || !PrintWindow(window, buffer.Dc(), PW_CLIENTONLY)) {
        return {};
    }
    return buffer.Read();
}

Capture PaintInto(int width, int height, const std::function<void(HDC)>& painter) {
    WindowDC screen(nullptr);
    PixelBuffer buffer(screen.Get(), width, height);
    if (!buffer.Valid()) {
        return {};
    }
    PatBlt(buffer.Dc(), 0, 0, width, height, WHITENESS);
    painter(buffer.Dc());
    return buffer.Read();
}

Rgb ClientPixel(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    WindowDC screen(nullptr);
    return FromColorRef(GetPixel(screen.Get(), point.x, point.y));
}

std::optional<Program> Program::Start(const std::string& commandLine,
                                      const std::string& workingDir) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &started)) {
        return std::nullopt;
    }
    UniqueHandle thread(started.hThread);
    Program program;
    program.process_.Reset(started.hProcess);
    program.processId_ = started.dwProcessId;
    return program;
}

bool Program::Running() const {
    return process_.Valid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::WaitForExit(int timeoutMs) const {
    if (!process_.Valid() ||
        WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void Program::Terminate() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

Program::~Program() {
    Terminate();
}

namespace {

class RegistryKey {
  public:
    explicit RegistryKey(const std::string& path) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

} // namespace

UserSettingOverride::UserSettingOverride(std::string key, std::string name, DWORD type,
                                         std::vector<BYTE> value)
    : key_(std::move(key)), name_(std::move(name)) {
    RegistryKey opened(key_);
    if (opened.Get() == nullptr) {
        return;
    }
    Value previous;
    DWORD size = 0;
    if (RegQueryValueExA(opened.Get(), name_.c_str(), nullptr, &previous.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        previous.bytes.resize(size);
        RegQueryValueExA(opened.Get(), name_.c_str(), nullptr, &previous.type,
                         previous.bytes.data(), &size);
        previous_ = std::move(previous);
    }
    RegSetValueExA(opened.Get(), name_.c_str(), 0, type, value.data(),
                   static_cast<DWORD>(value.size()));
}

UserSettingOverride::~UserSettingOverride() {
    RegistryKey opened(key_);
    if (opened.Get() == nullptr) {
        return;
    }
    if (previous_) {
        RegSetValueExA(opened.Get(), name_.c_str(), 0, previous_->type, previous_->bytes.data(),
                       static_cast<DWORD>(previous_->bytes.size()));
    } else {
        RegDeleteValueA(opened.Get(), name_.c_str());
    }
}

WineDrawsFrames::WineDrawsFrames()
    : UserSettingOverride("Software\\Wine\\X11 Driver", "Decorated", REG_SZ, {'N', 0}) {}

ScreenDpi::ScreenDpi(DWORD dotsPerInch)
    : UserSettingOverride("Control Panel\\Desktop", "LogPixels", REG_DWORD,
                          std::vector<BYTE>(reinterpret_cast<const BYTE*>(&dotsPerInch),
                                            reinterpret_cast<const BYTE*>(&dotsPerInch + 1))) {}

ShowingCounter::ShowingCounter(HWND window) : window_(window) {
    watcher_ = std::thread([this] {
        bool wasVisible = IsWindowVisible(window_) != FALSE;
        while (!stop_) {
            const bool visible = IsWindowVisible(window_) != FALSE;
            showings_ += visible && !wasVisible ? 1 : 0;
            wasVisible = visible;
            Sleep(1);
        }
    });
}

ShowingCounter::~ShowingCounter() {
    stop_ = true;
    watcher_.join();
}

bool ShowingCounter::WaitForShowings(int count, int timeoutMs) const {
    return WaitUntil([&] { return showings_ >= count; }, timeoutMs);
}

std::string OwnFolder() {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

} // namespace window_driver
