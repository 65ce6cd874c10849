#include "ui/framework/Application.h"

#include <commctrl.h>

#include "ui/framework/WindowObject.h"

namespace {
constexpr UINT kActivateForemostForm = WM_APP + 1;
}

// The hidden window behind the taskbar button. Zero-sized and owning every form, so the forms
// get no taskbar buttons of their own and the button shows the application title.
class ApplicationWindow : public WindowObject {
  public:
    ApplicationWindow(Application& application, const char* className) : application_(application) {
        const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
        const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
        CreateOwnWindow({className,
                         0,
                         WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                         {x, y, x, y}});
    }
    ~ApplicationWindow() override { DestroyWindow(Handle()); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_SETTINGCHANGE:
            if (application_.OnSystemSettingsChange) {
                application_.OnSystemSettingsChange();
            }
            break;
        case WM_CLOSE: // the taskbar button's Close, or a task manager
            if (TopLevelWindow* main = application_.MainForm()) {
                main->Close();
            }
            return 0;
        case WM_ACTIVATE: // a click on the taskbar button: the forms take the activation
            if (LOWORD(wParam) != WA_INACTIVE) {
                PostMessageA(Handle(), kActivateForemostForm, 0, 0);
            }
            return 0;
        case kActivateForemostForm:
            application_.ActivateForemostForm();
            return 0;
        default:
            break;
        }
        return WindowObject::HandleMessage(message, wParam, lParam);
    }

  private:
    Application& application_;
};

Application::Application(const char* windowClassName) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls); // loads the themed button classes of the manifest
    window_ = std::make_unique<ApplicationWindow>(*this, windowClassName);
}

Application::~Application() {
    Shutdown();
}

HWND Application::Handle() const {
    return window_ ? window_->Handle() : nullptr;
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    SetWindowTextA(Handle(), title.c_str());
}

void Application::Adopt(std::unique_ptr<TopLevelWindow> form) {
    forms_.push_back(std::move(form));
}

void Application::Run() {
    ShowWindow(Handle(), SW_SHOWNA); // its taskbar button appears; being empty it draws nothing
    if (TopLevelWindow* main = MainForm()) {
        main->Show();
    }
    while (!terminated_ && HandleMessage()) {
    }
}

void Application::Dispatch(MSG& message) {
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        for (const auto& form : forms_) {
            if (form->TopLevelHandle() == root && form->PreTranslateKey(message)) {
                return;
            }
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool Application::HandleMessage() {
    MSG message{};
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
        terminated_ = true;
        return false;
    }
    Dispatch(message);
    return true;
}

void Application::ProcessMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        Dispatch(message);
    }
}

void Application::Terminate() {
    PostQuitMessage(0);
}

void Application::Shutdown() {
    while (!forms_.empty()) {
        forms_.pop_back();
    }
    window_.reset();
}

void Application::ActivateForemostForm() {
    HWND popup = GetLastActivePopup(Handle());
    if (popup != Handle() && IsWindowVisible(popup)) {
        SetForegroundWindow(popup);
    }
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && IsCharAlphaNumericA(message.back())) {
        return message + ".";
    }
    return message;
}

void Application::ShowException(const PlatformError& error) {
    HWND owner = GetActiveWindow();
    MessageBoxA(owner != nullptr ? owner : Handle(), ErrorBoxText(error.what()).c_str(),
                title_.c_str(), MB_OK | MB_ICONERROR);
}
