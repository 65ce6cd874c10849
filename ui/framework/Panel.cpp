#include "ui/framework/Panel.h"

#include "ui/framework/GdiObjects.h"

Panel::Panel(Container& parent, const PanelSpec& design)
    : Control(parent, design.Name, design.Id), background_(design.Background) {
    CreateOwnWindow({"TPanel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                     ScaledRect(design.Place), Control::ParentHandle(), design.Id});
}

void Panel::PaintBackground(HDC dc, const RECT& c) const {
    FillSolid(dc, c, background_.Resolve());
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    FillSolid(dc, {c.left, c.top, c.right - 1, c.top + 1}, light);
    FillSolid(dc, {c.left, c.top, c.left + 1, c.bottom - 1}, light);
    FillSolid(dc, {c.left, c.bottom - 1, c.right, c.bottom}, shadow);
    FillSolid(dc, {c.right - 1, c.top, c.right, c.bottom}, shadow);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleContainerMessage(message, wParam, lParam, result)) {
        return result;
    }
    return WindowObject::HandleMessage(message, wParam, lParam);
}
