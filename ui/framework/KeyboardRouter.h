#pragma once

#include <windows.h>

#include <vector>

#include "ui/framework/WindowObject.h"

class Button;

// The keyboard of a form whose controls to operate are push buttons: Tab and the arrow keys move
// the focus among the buttons that can take it, in the order they were added; Enter presses the
// focused button and a caption's "&" letter its button. The focus comes back to the button that
// had it last, while that button stays shown.
class KeyboardRouter {
  public:
    explicit KeyboardRouter(const WindowObject& form) : form_(form) {}
    // The buttons hold callbacks into this object.
    KeyboardRouter(const KeyboardRouter&) = delete;
    KeyboardRouter& operator=(const KeyboardRouter&) = delete;

    // Takes a button into the tab order, after those taken before.
    void AddButton(Button& button);
    // The button that had the focus last, else the first that can take it, else the form itself.
    void FocusInitialControl();
    // A key message for the form or one of its controls; true when it was taken here.
    bool Route(const MSG& message);

  private:
    bool RouteKeyDown(WPARAM key);
    void SelectNextButton(bool forward);
    Button* FocusedButton() const;
    Button* ButtonWithAccelerator(char letter) const;

    const WindowObject& form_;
    std::vector<Button*> buttons_;
    Button* focused_ = nullptr; // the button that had the focus last
};
