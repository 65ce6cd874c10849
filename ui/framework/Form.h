#pragma once

#include <string>
#include <vector>

#include "ui/framework/Color.h"
#include "ui/framework/Container.h"
#include "ui/framework/Font.h"
#include "ui/framework/KeyboardRouter.h"
#include "ui/framework/TopLevelWindow.h"
#include "ui/framework/WindowObject.h"

class Application;
class Button;

enum class BorderKind {
    SingleNoSystemMenu, // fixed size, caption only: no window menu and so no close box
    DialogWithCloseBox, // dialog frame, window menu with Move and Close, no minimise or maximise
};

enum class FirstPlacement {
    AsItIs,       // the form's show handler places it
    ScreenCentre, // centred on the primary screen the first time, kept where it was after
};

struct FormSpec {
    const char* ClassName;
    const char* Caption;
    int ClientWidth; // 96-dpi pixels
    int ClientHeight;
    Color Background;
    BorderKind Border;
    bool StayOnTop;
    bool KeyPreview; // the form sees key presses before the focused control
    FontSpec DefaultFont;
    FirstPlacement Placement = FirstPlacement::AsItIs;
};

// A top-level window with its controls, event handlers and modal showing.
class Form : public WindowObject, public Container, public TopLevelWindow {
  public:
    Form(Application& application, const FormSpec& design);
    ~Form() override;

    Application& App() const { return application_; }
    HWND ContainerHandle() const override { return Handle(); }
    HWND TopLevelHandle() const override { return Handle(); }
    HFONT Font(const FontSpec& design) override { return fonts_.Get(design); }
    HFONT DefaultFont() override { return fonts_.Get(defaultFont_); }
    // A button anywhere in the form joins the tab order and sets the modal result when pressed.
    void ControlAdded(Control& control) override;

    void SetCaption(const std::string& caption);

    // Shows the form; the first time the show handler runs before anything is seen.
    void Show() override;
    // Shows the form until its modal result is not 0 and returns that result; other windows of
    // the program are disabled meanwhile.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // While shown modally: modal result 2. Otherwise hides the form; the main form's closing
    // ends the application.
    void Close() override;

    SIZE OuterSize() const;
    void MoveTo(POINT outerTopLeft);

    bool PreTranslateKey(const MSG& message) override;

    // Event handlers of the derived forms.
    virtual void OnCreate() {}
    virtual void OnShow() {}
    virtual void OnKeyDown(WPARAM) {}

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintBackground(HDC dc, const RECT& client) const override;

  private:
    void ButtonPressed(Button& button);
    std::vector<HWND> DisableOtherWindows() const;

    Application& application_;
    FontCache fonts_; // outlives the controls that use them: the window goes first
    FontSpec defaultFont_;
    Color background_;
    FirstPlacement placement_;
    bool keyPreview_;
    bool shownBefore_ = false;
    bool placedBefore_ = false;
    bool showingModally_ = false;
    int modalResult_ = 0;
    KeyboardRouter keyboard_{*this};
};
