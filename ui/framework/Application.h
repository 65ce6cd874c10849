#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/framework/PlatformError.h"
#include "ui/framework/TopLevelWindow.h"

class ApplicationWindow;

// The application object: its hidden window carries the title on the taskbar button and owns
// every form; the first form created is the main window, whose closing ends the event loop.
class Application {
  public:
    // The hidden window's class is the program's to name, so tools can find the window.
    explicit Application(const char* windowClassName);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HWND Handle() const;
    void SetTitle(const std::string& title);
    const std::string& Title() const { return title_; }

    // Creates a form, then runs its creation handler once all its controls exist.
    template <class FormType, class... Arguments> FormType& CreateForm(Arguments&&... arguments) {
        auto form = std::make_unique<FormType>(*this, std::forward<Arguments>(arguments)...);
        FormType& created = *form;
        Adopt(std::move(form));
        Guard([&created] { created.OnCreate(); });
        return created;
    }
    TopLevelWindow* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }

    // Shows the main form and dispatches messages until the application is terminated.
    void Run();
    // Dispatches the messages that are waiting, then returns.
    void ProcessMessages();
    // Waits for one message and dispatches it; false once the quit request has been taken.
    bool HandleMessage();
    // Posts the quit request: the event loop ends when it takes it.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Destroys every form and the application's window, last form first.
    void Shutdown();

    // Runs an event handler; a platform error it raises ends it and is shown to the user.
    template <class Handler> void Guard(Handler&& handler) {
        try {
            handler();
        } catch (const PlatformError& error) {
            ShowException(error);
        }
    }
    void ShowException(const PlatformError& error);

    // Called when the system announces that its settings have changed.
    std::function<void()> OnSystemSettingsChange;

    void ActivateForemostForm();

  private:
    void Adopt(std::unique_ptr<TopLevelWindow> form);
    void Dispatch(MSG& message);

    std::unique_ptr<ApplicationWindow> window_;
    std::string title_;
    std::vector<std::unique_ptr<TopLevelWindow>> forms_;
    bool terminated_ = false;
};

// The text of an error's message box: a full stop is added after a final letter or digit.
std::string ErrorBoxText(const std::string& message);
