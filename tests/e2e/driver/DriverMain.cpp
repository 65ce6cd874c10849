// driver.exe: the window driver for scripts. Each command finds a visible top-level window by
// class (waiting for it up to the timeout) and prints what it read; exit code 0 on success,
// 1 when the window or control was not found or the action failed, 2 on bad usage.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/driver/WindowDriver.h"

namespace {

using namespace window_driver;

constexpr const char* Usage =
    "usage: driver.exe COMMAND CLASS [ARGS]\n"
    "  wait CLASS [ms]          wait until a window of the class is visible\n"
    "  gone CLASS [ms]          wait until no window of the class is visible\n"
    "  dump CLASS               caption, styles, rectangles, focus and every child\n"
    "  text CLASS ID            the text of a child\n"
    "  focus CLASS              the control ID holding the focus\n"
    "  press CLASS ID           click a child with the mouse\n"
    "  postclick CLASS ID       post BM_CLICK to a button\n"
    "  key CLASS KEY            type a key: ESC ENTER SPACE TAB F4 D ALT+F4 ALT+D ...\n"
    "  close CLASS HOW          escape | altf4 | menu | box\n"
    "  pixel CLASS X Y          colour r,g,b at a client point, from the screen\n"
    "  capture CLASS FILE.bmp   save the window as on the screen, frame included\n"
    "environment: DRIVER_TIMEOUT_MS (default 20000) for finding the window\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "driver: %s\n", message.c_str());
    return 1;
}

int TimeoutMs() {
    const char* value = std::getenv("DRIVER_TIMEOUT_MS");
    return value != nullptr ? std::atoi(value) : DefaultTimeoutMs;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const std::string& command = args[0];
    const std::string& className = args[1];
    auto argument = [&](size_t index) -> const std::string& {
        static const std::string none;
        return index < args.size() ? args[index] : none;
    };

    if (command == "wait" || command == "gone") {
        const int timeout = args.size() > 2 ? std::atoi(args[2].c_str()) : TimeoutMs();
        if (command == "gone") {
            return WaitForNoWindow(className, timeout) ? 0 : Fail("still shown: " + className);
        }
        HWND window = WaitForWindow(className, timeout);
        if (window == nullptr) {
            return Fail("no window of class " + className);
        }
        std::printf("%p\n", static_cast<void*>(window));
        return 0;
    }

    HWND window = WaitForWindow(className, TimeoutMs());
    if (window == nullptr) {
        return Fail("no window of class " + className);
    }
    auto child = [&](const std::string& id) { return ChildById(window, std::atoi(id.c_str())); };

    if (command == "dump") {
        std::fputs(DescribeAsText(Describe(window)).c_str(), stdout);
        return 0;
    }
    if (command == "text") {
        HWND control = child(argument(2));
        if (control == nullptr) {
            return Fail("no child " + argument(2));
        }
        std::printf("%s\n", WindowText(control).c_str());
        return 0;
    }
    if (command == "focus") {
        std::printf("%d\n", FocusedControlId(window));
        return 0;
    }
    if (command == "press" || command == "postclick") {
        HWND control = child(argument(2));
        if (control == nullptr) {
            return Fail("no child " + argument(2));
        }
        const bool done =
            command == "press" ? ClickControl(window, control) : PostButtonClick(control);
        return done ? 0 : Fail(command + " failed");
    }
    if (command == "key") {
        const auto keystroke = ParseKeystroke(argument(2));
        if (!keystroke) {
            return Fail("unknown key " + argument(2));
        }
        return TypeKey(window, *keystroke) ? 0 : Fail("could not type " + argument(2));
    }
    if (command == "close") {
        const auto way = ParseCloseWay(argument(2));
        if (!way) {
            return Fail("unknown way of closing " + argument(2));
        }
        return CloseBy(window, *way) ? 0 : Fail("could not close by " + argument(2));
    }
    if (command == "pixel") {
        if (args.size() < 4) {
            std::fputs(Usage, stderr);
            return 2;
        }
        const Rgb colour =
            ClientPixel(window, std::atoi(args[2].c_str()), std::atoi(args[3].c_str()));
        std::printf("%s\n", ToString(colour).c_str());
        return 0;
    }
    if (command == "capture") {
        return CaptureWindow(window).SaveBmp(argument(2)) ? 0 : Fail("could not save");
    }
    std::fputs(Usage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
