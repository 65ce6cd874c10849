#include "ui/framework/GradientPanel.h"

#include "ui/framework/Container.h"
#include "ui/framework/GdiObjects.h"
#include "ui/framework/GradientSteps.h"

GradientPanel::GradientPanel(Container& parent, const GradientSpec& design)
    : Control(parent, design.Name, design.Id), from_(design.From), to_(design.To),
      count_(design.ColorCount), direction_(design.Direction) {
    CreateOwnWindow({"TGradientPanel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                     ScaledRect(design.Place), ParentHandle(), design.Id});
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

void GradientPanel::PaintOwnContent(HDC dc, const RECT& area) const {
    const COLORREF from = from_.Resolve();
    const COLORREF to = to_.Resolve();
    const bool vertical = direction_ == GradientDirection::BottomToTop;
    const int length = vertical ? area.bottom - area.top : area.right - area.left;
    // Runs of lines showing the same step are filled at once.
    for (int line = 0; line < length;) {
        const int step = GradientStepAt(line, length, count_);
        int end = line + 1;
        while (end < length && GradientStepAt(end, length, count_) == step) {
            ++end;
        }
        RECT band = area;
        if (vertical) {
            band.bottom = area.bottom - line;
            band.top = area.bottom - end;
        } else {
            band.right = area.right - line;
            band.left = area.right - end;
        }
        FillSolid(dc, band, GradientStepColor(from, to, count_, step));
        line = end;
    }
}
