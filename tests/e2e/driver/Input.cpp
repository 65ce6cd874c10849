#include "tests/e2e/driver/Input.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <utility>
#include <vector>

#include "tests/e2e/driver/CrossProcessMessages.h"
#include "tests/e2e/driver/Waiting.h"

namespace window_driver {

namespace {

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

} // namespace

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
        keystroke.virtualKey = static_cast<WORD>(static_cast<unsigned char>(rest[0]));
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

} // namespace window_driver
