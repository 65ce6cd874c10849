#include "ui/framework/KeyboardRouter.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "ui/framework/Button.h"

void KeyboardRouter::AddButton(Button& button) {
    buttons_.push_back(&button);
    button.Focused = [this](Button& focused) { focused_ = &focused; };
    button.Hidden = [this](Button& hidden) {
        if (focused_ == &hidden) {
            focused_ = nullptr;
        }
    };
}

void KeyboardRouter::FocusInitialControl() {
    if (focused_ != nullptr && focused_->CanFocus()) {
        SetFocus(focused_->Handle());
        return;
    }
    for (Button* button : buttons_) {
        if (button->CanFocus()) {
            SetFocus(button->Handle());
            return;
        }
    }
    SetFocus(form_.Handle());
}

Button* KeyboardRouter::FocusedButton() const {
    const HWND focus = GetFocus();
    for (Button* button : buttons_) {
        if (button->Handle() == focus) {
            return button;
        }
    }
    return nullptr;
}

void KeyboardRouter::SelectNextButton(bool forward) {
    std::vector<Button*> order;
    std::copy_if(buttons_.begin(), buttons_.end(), std::back_inserter(order),
                 [](const Button* button) { return button->CanFocus(); });
    if (order.empty()) {
        return;
    }
    const auto current = std::find(order.begin(), order.end(), FocusedButton());
    std::size_t index = current == order.end() ? 0 : current - order.begin();
    if (current != order.end()) {
        index = (index + (forward ? 1 : order.size() - 1)) % order.size();
    }
    SetFocus(order[index]->Handle());
}

Button* KeyboardRouter::ButtonWithAccelerator(char letter) const {
    if (letter == '\0') {
        return nullptr; // a caption without "&" has no letter: Ctrl+@ must not press it
    }
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (Button* button : buttons_) {
        if (button->CanFocus() && button->Accelerator() == wanted) {
            return button;
        }
    }
    return nullptr;
}

bool KeyboardRouter::Route(const MSG& message) {
    switch (message.message) {
    case WM_KEYDOWN: // a hidden form's keys go on to the system
        return IsWindowVisible(form_.Handle()) && RouteKeyDown(message.wParam);
    case WM_CHAR:
    case WM_SYSCHAR:
        if (Button* button = ButtonWithAccelerator(static_cast<char>(message.wParam))) {
            button->Press();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool KeyboardRouter::RouteKeyDown(WPARAM key) {
    switch (key) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) {
            return false;
        }
        SelectNextButton(GetKeyState(VK_SHIFT) >= 0);
        return true;
    case VK_LEFT:
    case VK_UP:
        SelectNextButton(false);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        SelectNextButton(true);
        return true;
    case VK_RETURN:
        if (Button* button = FocusedButton()) {
            button->Press();
            return true;
        }
        return false;
    default:
        return false;
    }
}
