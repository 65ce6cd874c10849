#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/framework/Control.h"
#include "ui/framework/Font.h"

// What holds child controls: a form or a panel. It owns them, composes its own background with
// the controls that draw for their siblings, and hands each child its own notifications.
class Container {
  public:
    virtual ~Container() = default;

    virtual HWND ContainerHandle() const = 0;
    // The fonts of the window the container lies in, each made once for the whole window.
    virtual HFONT Font(const FontSpec& design) = 0;
    virtual HFONT DefaultFont() = 0;
    // Told of every control added to this container or to one inside it, once its window exists.
    virtual void ControlAdded(Control&) {}

    template <class ControlType, class... Arguments> ControlType& Add(Arguments&&... arguments) {
        auto control = std::make_unique<ControlType>(*this, std::forward<Arguments>(arguments)...);
        ControlType& added = *control;
        children_.push_back(std::move(control));
        // Later controls lie over earlier ones.
        SetWindowPos(added.Handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ControlAdded(added);
        return added;
    }

    // A control of this container or of a panel inside it, by design name; null when absent.
    Control* FindComponent(const std::string& name) const;

    // Paints the background and, in creation order, every visible control before `upTo` that
    // draws for its siblings; into any DC, in this container's client coordinates.
    void PaintContent(HDC dc, const Control* upTo) const;
    // Paints what shows through a transparent child, in the child's coordinates.
    void PaintBelow(const Control& child, HDC dc) const;

  protected:
    virtual void PaintBackground(HDC dc, const RECT& client) const = 0;
    // The messages every container answers alike; false when the message is not one of them.
    bool HandleContainerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    // A control of this container itself, by its window; null when absent.
    Control* ChildWithHandle(HWND window) const;
    void OnPaint();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnSetCursor(HWND window, LPARAM lParam);

    std::vector<std::unique_ptr<Control>> children_;
};
