#include "ui/framework/Form.h"

#include <algorithm>

#include "ui/framework/Application.h"
#include "ui/framework/Button.h"
#include "ui/framework/Centring.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/GdiObjects.h"

namespace {

constexpr int kCancelResult = 2;

struct FrameStyle {
    DWORD Style;
    DWORD ExStyle;
};

FrameStyle FrameStyleOf(BorderKind border, bool stayOnTop) {
    FrameStyle frame{WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0};
    switch (border) {
    case BorderKind::SingleNoSystemMenu:
        frame.Style |= WS_CAPTION;
        break;
    case BorderKind::DialogWithCloseBox:
        frame.Style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        frame.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (stayOnTop) {
        frame.ExStyle |= WS_EX_TOPMOST;
    }
    return frame;
}

// A dialog frame's window menu keeps only Move and Close.
void TrimDialogWindowMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) {
        return;
    }
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
}

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<std::vector<HWND>*>(lParam);
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        found->push_back(window);
    }
    return TRUE;
}

} // namespace

Form::Form(Application& application, const FormSpec& design)
    : application_(application), defaultFont_(design.DefaultFont), background_(design.Background),
      placement_(design.Placement), keyPreview_(design.KeyPreview) {
    const FrameStyle frame = FrameStyleOf(design.Border, design.StayOnTop);
    RECT outer{0, 0, Scaled(design.ClientWidth), Scaled(design.ClientHeight)};
    AdjustWindowRectEx(&outer, frame.Style, FALSE, frame.ExStyle);
    Creation creation{design.ClassName,
                      frame.ExStyle,
                      frame.Style,
                      {0, 0, outer.right - outer.left, outer.bottom - outer.top},
                      application.Handle()};
    CreateOwnWindow(creation);
    SetCaption(design.Caption);
    if (design.Border == BorderKind::DialogWithCloseBox) {
        TrimDialogWindowMenu(Handle());
    }
}

// The window and its children go before the fonts they draw with.
Form::~Form() {
    DestroyWindow(Handle());
}

void Form::SetCaption(const std::string& caption) {
    SetWindowTextA(Handle(), caption.c_str());
}

SIZE Form::OuterSize() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

void Form::MoveTo(POINT outerTopLeft) {
    SetWindowPos(Handle(), nullptr, outerTopLeft.x, outerTopLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show() {
    if (!shownBefore_) {
        shownBefore_ = true;
        App().Guard([this] { OnShow(); });
        if (App().Terminated()) {
            return; // the application was ended meanwhile (a dialog's close request)
        }
    }
    if (placement_ == FirstPlacement::ScreenCentre && !placedBefore_) {
        const SIZE size = OuterSize();
        const Origin origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN),
                                            GetSystemMetrics(SM_CYSCREEN), size.cx, size.cy);
        MoveTo({origin.Left, origin.Top});
    }
    placedBefore_ = true;
    // Accelerator underlines and focus rectangles always drawn, as the labels draw theirs.
    SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS),
                 0);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    keyboard_.FocusInitialControl();
}

int Form::ShowModal() {
    if (App().Terminated()) {
        return kCancelResult; // the quit request is taken already: no loop would ever end
    }
    modalResult_ = 0;
    showingModally_ = true;
    const std::vector<HWND> disabled = DisableOtherWindows();
    Show();
    while (modalResult_ == 0) {
        if (!App().HandleMessage()) {
            modalResult_ = kCancelResult; // the application is ending
        }
    }
    for (HWND window : disabled) {
        EnableWindow(window, TRUE);
    }
    ShowWindow(Handle(), SW_HIDE);
    showingModally_ = false;
    return modalResult_;
}

void Form::Close() {
    if (showingModally_) {
        modalResult_ = kCancelResult;
        return;
    }
    ShowWindow(Handle(), SW_HIDE);
    if (App().MainForm() == this) {
        App().Terminate();
    }
}

std::vector<HWND> Form::DisableOtherWindows() const {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow,
                      reinterpret_cast<LPARAM>(&windows));
    std::erase(windows, Handle());
    for (HWND window : windows) {
        EnableWindow(window, FALSE);
    }
    return windows;
}

void Form::ControlAdded(Control& control) {
    if (auto* button = dynamic_cast<Button*>(&control)) {
        button->Pressed = [this](Button& pressed) { ButtonPressed(pressed); };
        keyboard_.AddButton(*button);
    }
}

void Form::ButtonPressed(Button& button) {
    if (!button.CanFocus()) {
        return; // hidden buttons do not react
    }
    if (button.ModalResult() != 0) {
        modalResult_ = button.ModalResult();
    }
    if (button.OnClick) {
        App().Guard(button.OnClick);
    }
}

bool Form::PreTranslateKey(const MSG& message) {
    if (keyPreview_ && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)) {
        App().Guard([&] { OnKeyDown(message.wParam); }); // the key goes on all the same
    }
    return keyboard_.Route(message);
}

void Form::PaintBackground(HDC dc, const RECT& client) const {
    FillSolid(dc, client, background_.Resolve());
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleContainerMessage(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            keyboard_.FocusInitialControl();
            return 0;
        }
        break;
    default:
        break;
    }
    return WindowObject::HandleMessage(message, wParam, lParam);
}
