#pragma once

#include <functional>
#include <string>

#include "ui/framework/Control.h"

struct ButtonSpec {
    const char* Name;
    int Id;
    Bounds Place;
    const char* Caption; // "&" before the accelerator letter
    int ModalResult = 0; // given to the form when pressed; 0 leaves it
    bool HandCursor = true;
};

// A standard push button (themed through the manifest), neither default nor cancel button.
class Button : public Control {
  public:
    Button(Container& parent, const ButtonSpec& design);

    int ModalResult() const { return modalResult_; }
    bool HandCursor() const override { return handCursor_; }
    // The upper-case letter after a single "&", or 0.
    char Accelerator() const;
    bool CanFocus() const;
    void SetVisible(bool visible) override;
    // Pressed from the keyboard: the same as a click.
    void Press();
    void HandleNotification(WORD code) override;

    std::function<void()> OnClick;
    // Set by the form that holds the button: what a press, the focus and hiding mean to it.
    std::function<void(Button&)> Pressed;
    std::function<void(Button&)> Focused;
    std::function<void(Button&)> Hidden;

  private:
    int modalResult_;
    bool handCursor_;
};

// The letter a caption's single "&" marks, upper case; "&&" is a literal "&".
char AcceleratorOf(const std::string& caption);
