#pragma once

#include <windows.h>

#include <string>

#include "ui/framework/WindowObject.h"

class Container;

// How a control's place follows its parent's client area.
enum class Align {
    None,        // where its bounds say
    Top,         // full width along the top edge, its own height
    Bottom,      // full width along the bottom edge, its own height
    InsideFrame, // the whole client area less a one-pixel frame
};

// A place in a parent's client area, in 96-dpi pixels.
struct Bounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    Align Alignment = Align::None;
};

// A child window with its design name and control identifier. Controls of our own classes
// draw through PaintOwnContent, so a parent can compose what lies under a transparent control.
class Control : public WindowObject {
  public:
    Control(Container& parent, const char* name, int id) : parent_(parent), name_(name), id_(id) {}

    const std::string& Name() const { return name_; }
    int Id() const { return id_; }
    Container& Parent() const { return parent_; }

    // The control's own flag, whatever its parents' state.
    bool Visible() const;
    virtual void SetVisible(bool visible);
    // Left edge in 96-dpi pixels; top and size stay.
    void SetLeft(int designLeft);
    RECT BoundsInParent() const;

    // Whether the control paints pixels a later, transparent sibling shows through.
    virtual bool DrawsForSiblings() const { return false; }
    // Whether it covers its whole rectangle, so nothing beneath needs painting first.
    virtual bool Opaque() const { return false; }
    // What the control draws over what lies beneath it, in its own client coordinates.
    virtual void PaintOwnContent(HDC, const RECT&) const {}
    // What lies beneath, then the control: the whole picture of the control, into any DC.
    void PaintComposed(HDC dc) const;

    // Redraws the control and whatever overlaps it, at once.
    void Repaint() const;

    // A notification code the control's window sent its parent (WM_COMMAND), handed on by it.
    virtual void HandleNotification(WORD) {}
    // Whether the pointer takes the hand's shape over the control.
    virtual bool HandCursor() const { return false; }

  protected:
    // Painting messages of our own control classes; the rest goes to the default procedure.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Pixels of the child window for a 96-dpi place in this control's parent.
    RECT ScaledRect(const Bounds& bounds) const;
    HWND ParentHandle() const;

  private:
    Container& parent_;
    std::string name_;
    int id_;
};
