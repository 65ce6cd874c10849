#include "ui/framework/Container.h"

#include "ui/framework/GdiObjects.h"

Control* Container::FindComponent(const std::string& name) const {
    for (const auto& child : children_) {
        if (child->Name() == name) {
            return child.get();
        }
        if (const auto* inner = dynamic_cast<const Container*>(child.get())) {
            if (Control* found = inner->FindComponent(name)) {
                return found;
            }
        }
    }
    return nullptr;
}

Control* Container::ChildWithHandle(HWND window) const {
    if (window == nullptr) {
        return nullptr; // a menu's or accelerator's command, or a control whose window failed
    }
    for (const auto& child : children_) {
        if (child->Handle() == window) {
            return child.get();
        }
    }
    return nullptr;
}

void Container::PaintContent(HDC dc, const Control* upTo) const {
    RECT client{};
    GetClientRect(ContainerHandle(), &client);
    PaintBackground(dc, client);
    for (const auto& child : children_) {
        if (child.get() == upTo) {
            break;
        }
        if (!child->Visible() || !child->DrawsForSiblings()) {
            continue;
        }
        const RECT place = child->BoundsInParent();
        const RECT own{0, 0, place.right - place.left, place.bottom - place.top};
        SavedDCState saved(dc);
        OffsetViewportOrgEx(dc, place.left, place.top, nullptr);
        IntersectClipRect(dc, own.left, own.top, own.right, own.bottom);
        child->PaintOwnContent(dc, own);
    }
}

void Container::PaintBelow(const Control& child, HDC dc) const {
    const RECT place = child.BoundsInParent();
    SavedDCState saved(dc);
    OffsetViewportOrgEx(dc, -place.left, -place.top, nullptr);
    PaintContent(dc, &child);
}

bool Container::HandleContainerMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_PRINTCLIENT: // themed buttons ask for the background behind their corners
        PaintContent(reinterpret_cast<HDC>(wParam), nullptr);
        result = 0;
        return true;
    case WM_ERASEBKGND: // WM_PAINT covers the whole client area
        result = 1;
        return true;
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        result = 0;
        return true;
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), lParam)) {
            result = TRUE;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void Container::OnPaint() {
    PaintSession paint(ContainerHandle());
    PaintContent(paint.Get(), nullptr);
}

// A child's notification comes to its own parent, so the child is among this container's own.
void Container::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (Control* child = ChildWithHandle(reinterpret_cast<HWND>(lParam))) {
        child->HandleNotification(HIWORD(wParam));
    }
}

// The child's default procedure asks its parent first, so the child is among its own here too.
bool Container::OnSetCursor(HWND window, LPARAM lParam) {
    const Control* child = ChildWithHandle(window);
    if (child == nullptr || !child->HandCursor() || LOWORD(lParam) != HTCLIENT) {
        return false;
    }
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
    return true;
}
