#include "ui/framework/Button.h"

#include <cctype>

#include "ui/framework/Container.h"

Button::Button(Container& parent, const ButtonSpec& design)
    : Control(parent, design.Name, design.Id), modalResult_(design.ModalResult),
      handCursor_(design.HandCursor) {
    const RECT r = ScaledRect(design.Place);
    // BS_NOTIFY: the form learns which button has the focus.
    HWND window = CreateWindowExA(0, "Button", design.Caption,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS |
                                      BS_PUSHBUTTON | BS_NOTIFY,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, ParentHandle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.Id)),
                                  GetModuleHandleA(nullptr), nullptr);
    Adopt(window);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(parent.DefaultFont()), FALSE);
}

char AcceleratorOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        if (caption[i + 1] != '&') {
            return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        }
        ++i; // "&&" draws one "&"
    }
    return 0;
}

char Button::Accelerator() const {
    char caption[256] = {};
    GetWindowTextA(Handle(), caption, sizeof caption);
    return AcceleratorOf(caption);
}

bool Button::CanFocus() const {
    return Visible() && IsWindowEnabled(Handle());
}

void Button::SetVisible(bool visible) {
    if (!visible && Hidden) {
        Hidden(*this);
    }
    Control::SetVisible(visible);
}

void Button::Press() {
    if (Pressed) {
        Pressed(*this);
    }
}

void Button::HandleNotification(WORD code) {
    switch (code) {
    case BN_CLICKED:
        Press();
        break;
    case BN_SETFOCUS:
        if (Focused) {
            Focused(*this);
        }
        break;
    default:
        break;
    }
}
