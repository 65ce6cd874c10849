#pragma once

#include "ui/framework/Color.h"
#include "ui/framework/Container.h"
#include "ui/framework/Control.h"

struct PanelSpec {
    const char* Name;
    int Id;
    Bounds Place;
    Color Background;
};

// A plain panel with a raised frame one pixel wide, holding controls of its own.
class Panel : public Control, public Container {
  public:
    Panel(Container& parent, const PanelSpec& design);

    HWND ContainerHandle() const override { return Handle(); }
    HFONT Font(const FontSpec& design) override { return Parent().Font(design); }
    HFONT DefaultFont() override { return Parent().DefaultFont(); }
    void ControlAdded(Control& control) override { Parent().ControlAdded(control); }

    bool DrawsForSiblings() const override { return true; }
    bool Opaque() const override { return true; }
    void PaintOwnContent(HDC dc, const RECT&) const override { PaintContent(dc, nullptr); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintBackground(HDC dc, const RECT& client) const override;

  private:
    Color background_;
};
