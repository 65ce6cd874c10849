#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/framework/Control.h"

class Form;
class Button;

// What holds child controls: a form or a panel. It owns them, composes its own background with
// the controls that draw for their siblings, and routes its children's notifications.
class Container {
  public:
    virtual ~Container() = default;

    virtual HWND ContainerHandle() const = 0;
    virtual Form& OwnerForm() = 0;

    template <class ControlType, class... Arguments> ControlType& Add(Arguments&&... arguments) {
        auto control = std::make_unique<ControlType>(*this, std::forward<Arguments>(arguments)...);
        ControlType& added = *control;
        children_.push_back(std::move(control));
        // Later controls lie over earlier ones.
        SetWindowPos(added.Handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
    void OnPaint();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnSetCursor(HWND window, LPARAM lParam);

    std::vector<std::unique_ptr<Control>> children_;
};
