#include "ui/framework/Label.h"

#include "ui/framework/Container.h"
#include "ui/framework/GdiObjects.h"

Label::Label(Container& parent, const LabelSpec& design)
    : Control(parent, design.Name, design.Id), font_(parent.Font(design.Font)),
      color_(design.TextColor), alignment_(design.Alignment), autoSize_(design.AutoSize),
      wordWrap_(design.WordWrap), showAccelChar_(design.ShowAccelChar) {
    CreateOwnWindow({"TLabel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, ScaledRect(design.Place),
                     ParentHandle(), design.Id});
    SetText(design.Text);
}

std::string Label::Text() const {
    const int length = GetWindowTextLengthA(Handle());
    std::string text(length + 1, '\0');
    const int copied = GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(copied);
    return text;
}

void Label::SetText(const std::string& text) {
    SetWindowTextA(Handle(), text.c_str());
    if (autoSize_) {
        FitToText();
    }
    Repaint();
}

void Label::SetTextColor(Color color) {
    if (!(color == color_)) {
        color_ = color;
        Repaint();
    }
}

UINT Label::DrawFlags() const {
    UINT flags = DT_EXPANDTABS | DT_TOP;
    flags |= alignment_ == TextAlignment::Centre ? DT_CENTER : DT_LEFT;
    if (wordWrap_) {
        flags |= DT_WORDBREAK;
    }
    if (!showAccelChar_) {
        flags |= DT_NOPREFIX;
    }
    return flags;
}

void Label::FitToText() {
    RECT place = BoundsInParent();
    RECT measured{0, 0, wordWrap_ ? place.right - place.left : 0, 0};
    const std::string text = Text();
    {
        WindowDC dc(Handle());
        ObjectSelection font(dc.Get(), font_);
        // An empty text still takes one line's height, as a line of text would.
        DrawTextA(dc.Get(), text.empty() ? " " : text.c_str(), -1, &measured,
                  DrawFlags() | DT_CALCRECT);
    }
    const int width = text.empty() && !wordWrap_ ? 0 : measured.right - measured.left;
    SetWindowPos(Handle(), nullptr, 0, 0, wordWrap_ ? place.right - place.left : width,
                 measured.bottom - measured.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::PaintOwnContent(HDC dc, const RECT& area) const {
    const std::string text = Text();
    ObjectSelection font(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color_.Resolve());
    RECT bounds = area;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DrawFlags());
}
