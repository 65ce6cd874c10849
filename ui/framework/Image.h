#pragma once

#include "ui/framework/Control.h"
#include "ui/framework/GdiObjects.h"

struct ImageSpec {
    const char* Name;
    int Id;
    Bounds Place;
    const char* BitmapResource = nullptr; // the picture stored with the layout, if any
    bool Visible = true;
};

// A picture drawn opaque and unscaled at the control's top left corner.
class Image : public Control {
  public:
    Image(Container& parent, const ImageSpec& design);

    HBITMAP Picture() const { return picture_.Get(); }
    // Takes a copy of the bitmap; the previous picture is released.
    void SetPicture(HBITMAP source);

    bool DrawsForSiblings() const override { return true; }
    void PaintOwnContent(HDC dc, const RECT& area) const override;

  private:
    UniqueBitmap picture_;
};
