#pragma once

#include <string>

#include "ui/framework/Color.h"
#include "ui/framework/Control.h"
#include "ui/framework/Font.h"

enum class TextAlignment { Left, Centre };

struct LabelSpec {
    const char* Name;
    int Id;
    Bounds Place;
    const char* Text;
    FontSpec Font;
    Color TextColor = kWindowText;
    TextAlignment Alignment = TextAlignment::Left;
    bool AutoSize = false; // the size follows the text: width alone when word-wrapped
    bool WordWrap = false;
    bool ShowAccelChar = true; // "&" marks an underlined letter; false: every "&" is drawn
};

// A transparent text: what lies beneath shows around the letters. Its window text is the text
// it shows; unless told otherwise, "&" marks an underlined letter and "&&" draws one "&".
class Label : public Control {
  public:
    Label(Container& parent, const LabelSpec& design);

    std::string Text() const;
    void SetText(const std::string& text);
    void SetTextColor(Color color);

    bool DrawsForSiblings() const override { return true; }
    void PaintOwnContent(HDC dc, const RECT& area) const override;

  private:
    UINT DrawFlags() const;
    void FitToText();

    HFONT font_;
    Color color_;
    TextAlignment alignment_;
    bool autoSize_;
    bool wordWrap_;
    bool showAccelChar_;
};
