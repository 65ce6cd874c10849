#pragma once

#include "ui/framework/Color.h"
#include "ui/framework/Control.h"

enum class GradientDirection {
    BottomToTop, // ColorFrom at the bottom edge, ColorTo at the top edge
    RightToLeft, // ColorFrom at the right edge, ColorTo at the left edge
};

struct GradientSpec {
    const char* Name;
    int Id;
    Bounds Place;
    Color From;
    Color To;
    int ColorCount;
    GradientDirection Direction;
};

// A band of colour steps from ColorFrom to ColorTo.
class GradientPanel : public Control {
  public:
    GradientPanel(Container& parent, const GradientSpec& design);

    Color ColorFrom() const { return from_; }
    Color ColorTo() const { return to_; }
    // A different colour repaints the band at once.
    void SetColorFrom(Color color);
    void SetColorTo(Color color);

    bool DrawsForSiblings() const override { return true; }
    bool Opaque() const override { return true; }
    void PaintOwnContent(HDC dc, const RECT& area) const override;

  private:
    Color from_;
    Color to_;
    int count_;
    GradientDirection direction_;
};
