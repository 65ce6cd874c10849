#include "ui/framework/Control.h"

#include "ui/framework/Container.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/GdiObjects.h"

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

RECT Control::ScaledRect(const Bounds& bounds) const {
    RECT parent{};
    GetClientRect(ParentHandle(), &parent);
    const int left = Scaled(bounds.Left);
    const int top = Scaled(bounds.Top);
    switch (bounds.Alignment) {
    case Align::Top:
        return {0, 0, parent.right, Scaled(bounds.Height)};
    case Align::Bottom:
        return {0, parent.bottom - Scaled(bounds.Height), parent.right, parent.bottom};
    case Align::InsideFrame:
        return {1, 1, parent.right - 1, parent.bottom - 1};
    case Align::None:
        break;
    }
    return {left, top, left + Scaled(bounds.Width), top + Scaled(bounds.Height)};
}

void Control::PaintComposed(HDC dc) const {
    RECT client{};
    GetClientRect(Handle(), &client);
    if (!Opaque()) {
        parent_.PaintBelow(*this, dc);
    }
    PaintOwnContent(dc, client);
}

namespace {

// Drawn off screen first, so what lies beneath and the control appear together, unflickering.
template <class Paint> void PaintBuffered(HWND window, Paint paint) {
    PaintSession session(window);
    RECT client{};
    GetClientRect(window, &client);
    MemoryDC memory(session.Get());
    UniqueBitmap canvas(CreateCompatibleBitmap(session.Get(), client.right, client.bottom));
    if (memory.Get() == nullptr || !canvas) {
        paint(session.Get());
        return;
    }
    ObjectSelection selected(memory.Get(), canvas.Get());
    paint(memory.Get());
    BitBlt(session.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

} // namespace

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintBuffered(Handle(), [this](HDC dc) { PaintComposed(dc); });
        return 0;
    case WM_PRINTCLIENT:
        PaintComposed(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND: // WM_PAINT covers everything
        return 1;
    case WM_NCHITTEST: // clicks go to what lies beneath, as on a windowless control
        return HTTRANSPARENT;
    default:
        return WindowObject::HandleMessage(message, wParam, lParam);
    }
}
