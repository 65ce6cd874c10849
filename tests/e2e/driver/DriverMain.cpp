// driver.exe: the window driver for scripts. Each command finds a visible top-level window by
// class (waiting for it up to the timeout) and prints what it read; exit code 0 on success,
// 1 when the window or control was not found or the action failed, 2 on bad usage.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/driver/WindowDriver.h"

namespace {

using namespace window_driver;

// One run of a command: its words (the command, the class, then its own) and the window found.
struct Invocation {
    const std::vector<std::string>& args;
    HWND window = nullptr;

    const std::string& CommandName() const { return args[0]; }
    const std::string& ClassName() const { return args[1]; }
    const std::string& Argument(size_t index) const {
        static const std::string none;
        return index < args.size() ? args[index] : none;
    }
};

struct Command {
    const char* name;
    const char* arguments;
    const char* description;
    // The window of the class is found, waiting up to the timeout, before the handler runs.
    bool needsWindow;
    int (*handler)(const Invocation&);
};

void PrintUsage();

int BadUsage() {
    PrintUsage();
    return 2;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "driver: %s\n", message.c_str());
    return 1;
}

int TimeoutMs() {
    const char* value = std::getenv("DRIVER_TIMEOUT_MS");
    return value != nullptr ? std::atoi(value) : DefaultTimeoutMs;
}

// The timeout given after the class, or the one from the environment.
int GivenTimeoutMs(const Invocation& call) {
    return call.args.size() > 2 ? std::atoi(call.args[2].c_str()) : TimeoutMs();
}

// The child whose control ID follows the class.
HWND ChildNamed(const Invocation& call) {
    return ChildById(call.window, std::atoi(call.Argument(2).c_str()));
}

int Wait(const Invocation& call) {
    HWND window = WaitForWindow(call.ClassName(), GivenTimeoutMs(call));
    if (window == nullptr) {
        return Fail("no window of class " + call.ClassName());
    }
    std::printf("%p\n", static_cast<void*>(window));
    return 0;
}

int Gone(const Invocation& call) {
    return WaitForNoWindow(call.ClassName(), GivenTimeoutMs(call))
               ? 0
               : Fail("still shown: " + call.ClassName());
}

int Dump(const Invocation& call) {
    std::fputs(DescribeAsText(Describe(call.window)).c_str(), stdout);
    return 0;
}

int Text(const Invocation& call) {
    HWND control = ChildNamed(call);
    if (control == nullptr) {
        return Fail("no child " + call.Argument(2));
    }
    std::printf("%s\n", WindowText(control).c_str());
    return 0;
}

int Focus(const Invocation& call) {
    std::printf("%d\n", FocusedControlId(call.window));
    return 0;
}

int ClickChild(const Invocation& call, const std::function<bool(HWND)>& click) {
    HWND control = ChildNamed(call);
    if (control == nullptr) {
        return Fail("no child " + call.Argument(2));
    }
    return click(control) ? 0 : Fail(call.CommandName() + " failed");
}

int Press(const Invocation& call) {
    return ClickChild(call, [&](HWND control) { return ClickControl(call.window, control); });
}

int PostClick(const Invocation& call) {
    return ClickChild(call, PostButtonClick);
}

int Key(const Invocation& call) {
    const auto keystroke = ParseKeystroke(call.Argument(2));
    if (!keystroke) {
        return Fail("unknown key " + call.Argument(2));
    }
    return TypeKey(call.window, *keystroke) ? 0 : Fail("could not type " + call.Argument(2));
}

int Close(const Invocation& call) {
    const auto way = ParseCloseWay(call.Argument(2));
    if (!way) {
        return Fail("unknown way of closing " + call.Argument(2));
    }
    return CloseBy(call.window, *way) ? 0 : Fail("could not close by " + call.Argument(2));
}

int Pixel(const Invocation& call) {
    if (call.args.size() < 4) {
        return BadUsage();
    }
    const Rgb colour =
        ClientPixel(call.window, std::atoi(call.args[2].c_str()), std::atoi(call.args[3].c_str()));
    std::printf("%s\n", ToString(colour).c_str());
    return 0;
}

int CaptureToFile(const Invocation& call) {
    return CaptureWindow(call.window).SaveBmp(call.Argument(2)) ? 0 : Fail("could not save");
}

const Command Commands[] = {
    {"wait", "CLASS [ms]", "wait until a window of the class is visible", false, Wait},
    {"gone", "CLASS [ms]", "wait until no window of the class is visible", false, Gone},
    {"dump", "CLASS", "caption, styles, rectangles, focus and every child", true, Dump},
    {"text", "CLASS ID", "the text of a child", true, Text},
    {"focus", "CLASS", "the control ID holding the focus", true, Focus},
    {"press", "CLASS ID", "click a child with the mouse", true, Press},
    {"postclick", "CLASS ID", "post BM_CLICK to a button", true, PostClick},
    {"key", "CLASS KEY", "type a key: ESC ENTER SPACE TAB F4 D ALT+F4 ALT+D ...", true, Key},
    {"close", "CLASS HOW", "escape | altf4 | menu | box", true, Close},
    {"pixel", "CLASS X Y", "colour r,g,b at a client point, from the screen", true, Pixel},
    {"capture", "CLASS FILE.bmp", "save the window as on the screen, frame included", true,
     CaptureToFile},
};

void PrintUsage() {
    std::fputs("usage: driver.exe COMMAND CLASS [ARGS]\n", stderr);
    for (const Command& command : Commands) {
        const std::string synopsis = std::string(command.name) + " " + command.arguments;
        std::fprintf(stderr, "  %-25s%s\n", synopsis.c_str(), command.description);
    }
    std::fprintf(stderr, "environment: DRIVER_TIMEOUT_MS (default %d) for finding the window\n",
                 DefaultTimeoutMs);
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : Commands) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        return BadUsage();
    }
    const Command* command = FindCommand(args[0]);
    if (command == nullptr) {
        return BadUsage();
    }
    Invocation call{args};
    if (command->needsWindow) {
        call.window = WaitForWindow(call.ClassName(), TimeoutMs());
        if (call.window == nullptr) {
            return Fail("no window of class " + call.ClassName());
        }
    }
    return command->handler(call);
}

} // namespace

int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
