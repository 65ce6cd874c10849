#include "ui/framework/GradientPanel.h"

#include "ui/framework/Container.h"
#include "ui/framework/GdiObjects.h"
#include "ui/framework/GradientSteps.h"

GradientPanel::GradientPanel(Container& parent, const GradientSpec& spec)
    : Control(parent, spec.Name, spec.Id), from_(spec.From), to_(spec.To), count_(spec.ColorCount),
      direction_(spec.Direction) {
    CreateOwnWindow({"TGradientPanel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                     ScaledRect(spec.Place), ParentHandle(), spec.Id});
}

void GradientPanel::SetColorFrom(Color color) {
    if (!(color == from_)) {
        from_ = color;
        Repaint();
    }
}

void GradientPanel::SetColorTo(Color color) {
    if (!(color == to_)) {
        to_ = color;
        Repaint();
    }
}

void GradientPanel::PaintOwnContent(HDC dc, const RECT& area) {
    const COLORREF from = from_.Resolve();
    const COLORREF to = to_.Resolve();
    const bool vertical = direction_ == GradientDirection::BottomToTop;
    const int length = vertical ? area.bottom - area.top : area.right - area.left;
    for (int step = 0; step < count_; ++step) {
        const StepSpan span = GradientStepSpan(length, count_, step);
        if (span.End <= span.Begin) {
            continue;
        }
        RECT band = area;
        if (vertical) {
            band.bottom = area.bottom - span.Begin;
            band.top = area.bottom - span.End;
        } else {
            band.right = area.right - span.Begin;
            band.left = area.right - span.End;
        }
        UniqueBrush brush(CreateSolidBrush(GradientStepColor(from, to, count_, step)));
        FillRect(dc, &band, brush.Get());
    }
}

LRESULT GradientPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    RECT client{};
    switch (message) {
    case WM_PAINT: {
        PaintSession paint(Handle());
        GetClientRect(Handle(), &client);
        PaintOwnContent(paint.Get(), client);
        return 0;
    }
    case WM_PRINTCLIENT:
        GetClientRect(Handle(), &client);
        PaintOwnContent(reinterpret_cast<HDC>(wParam), client);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    default:
        return Control::HandleMessage(message, wParam, lParam);
    }
}
