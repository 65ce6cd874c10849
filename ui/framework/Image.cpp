#include "ui/framework/Image.h"

#include "ui/framework/Container.h"

Image::Image(Container& parent, const ImageSpec& design) : Control(parent, design.Name, design.Id) {
    const DWORD visible = design.Visible ? WS_VISIBLE : 0;
    CreateOwnWindow({"TImage", 0, WS_CHILD | WS_CLIPSIBLINGS | visible, ScaledRect(design.Place),
                     ParentHandle(), design.Id});
    if (design.BitmapResource != nullptr) {
        // A DIB section keeps the stored 24-bit colours exactly.
        picture_.Reset(
            static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), design.BitmapResource,
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    }
}

void Image::SetPicture(HBITMAP source) {
    picture_.Reset(source != nullptr ? static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0,
                                                                      LR_CREATEDIBSECTION))
                                     : nullptr);
    Repaint();
}

void Image::PaintOwnContent(HDC dc, const RECT& area) const {
    BITMAP size{};
    if (!picture_ || GetObjectA(picture_.Get(), sizeof size, &size) == 0) {
        return; // no picture: what lies beneath shows
    }
    MemoryDC source(dc);
    ObjectSelection selected(source.Get(), picture_.Get());
    BitBlt(dc, area.left, area.top, size.bmWidth, size.bmHeight, source.Get(), 0, 0, SRCCOPY);
}
