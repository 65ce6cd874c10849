#include "ui/framework/Control.h"

#include "ui/framework/Container.h"
#include "ui/framework/Dpi.h"

Form& Control::OwnerForm() const {
    return parent_.OwnerForm();
}

HWND Control::ParentHandle() const {
    return parent_.ContainerHandle();
}

bool Control::Visible() const {
    return (GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) {
    if (visible != Visible()) {
        ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
    }
}

void Control::SetLeft(int designLeft) {
    const RECT r = BoundsInParent();
    SetWindowPos(Handle(), nullptr, Scaled(designLeft), r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Control::BoundsInParent() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, ParentHandle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::Repaint() const {
    const RECT r = BoundsInParent();
    RedrawWindow(ParentHandle(), &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

RECT Control::ScaledRect(const Bounds& bounds) {
    const int left = Scaled(bounds.Left);
    const int top = Scaled(bounds.Top);
    return {left, top, left + Scaled(bounds.Width), top + Scaled(bounds.Height)};
}
