// mesaj_host.exe: brings up the updater's two windows as the program entry does (the status
// window stays hidden) and makes the Mesaj calls its command line lists, for the dialog tests.
// Protocol: tests/e2e/windows/MesajHostProtocol.h.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ProductConstants.h"
#include "common/UniqueResource.h"
#include "os/win32/UniqueHandle.h"
#include "os/win32/Win32OsServices.h"
#include "tests/e2e/windows/MesajHostProtocol.h"
#include "ui/ControlIds.h"
#include "ui/EroriU.h"
#include "ui/Unit1.h"
#include "ui/framework/Application.h"
#include "ui/framework/Dpi.h"

namespace {

// Counts the showings of the dialog window, seen from the messages it receives, as a spy
// tool would: a call with no button must not show it even for a moment.
int dialogShowings = 0;

LRESULT CALLBACK WatchShowing(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& sent = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (sent.message == WM_WINDOWPOSCHANGED &&
            (reinterpret_cast<const WINDOWPOS*>(sent.lParam)->flags & SWP_SHOWWINDOW) != 0) {
            char name[64] = {};
            GetClassNameA(sent.hwnd, name, sizeof name);
            dialogShowings += std::string(name) == control_ids::DialogWindowClass ? 1 : 0;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct HookTraits : NullMeansEmpty<HHOOK> {
    static void Free(HHOOK hook) { UnhookWindowsHookEx(hook); }
};

// A hook on this thread's messages, removed again at the end of its scope.
class ThreadHook : public UniqueResource<HookTraits> {
  public:
    ThreadHook(int type, HOOKPROC procedure)
        : UniqueResource<HookTraits>(
              SetWindowsHookExA(type, procedure, nullptr, GetCurrentThreadId())) {}
};

std::optional<mesaj_host::Call> Decode(const std::string& encoded) {
    const size_t first = encoded.find('|');
    const size_t second = encoded.find('|', first + 1);
    const size_t third = encoded.find('|', second + 1);
    if (third == std::string::npos) {
        return std::nullopt;
    }
    return mesaj_host::Call{
        static_cast<unsigned>(std::strtoul(encoded.substr(0, first).c_str(), nullptr, 10)),
        static_cast<unsigned>(
            std::strtoul(encoded.substr(first + 1, second - first - 1).c_str(), nullptr, 10)),
        encoded.substr(second + 1, third - second - 1), encoded.substr(third + 1)};
}

void AppendResult(const std::string& path, size_t index, int result, int shown) {
    // Opened and closed each time, so the test may read it at any moment.
    if (FILE* file = std::fopen(path.c_str(), "a")) {
        std::fprintf(file, "%u %d %d\n", static_cast<unsigned>(index), result, shown);
        std::fclose(file);
    }
}

// Waits for the test's go-ahead, answering the messages sent to the windows meanwhile (the
// test reads their texts).
void WaitForGoAhead(HANDLE event, Application& application) {
    while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        application.ProcessMessages();
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc < 2) {
        return 2;
    }
    const std::string resultFile = __argv[1];
    std::vector<mesaj_host::Call> calls;
    for (int i = 2; i < __argc; ++i) {
        const auto call = Decode(__argv[i]);
        if (!call) {
            return 2;
        }
        calls.push_back(*call);
    }
    UniqueHandle nextCall(CreateEventA(nullptr, FALSE, FALSE,
                                       mesaj_host::NextCallEvent(GetCurrentProcessId()).c_str()));

    // The windows as the program entry makes them.
    MakeProcessDpiAware();
    Win32OsServices os;
    Application application(control_ids::ApplicationWindowClass);
    application.SetTitle(std::string{"Actualizare "} + product::ProductDisplayName);
    TForm1& statusWindow = application.CreateForm<TForm1>(os);
    TErori& dialog = application.CreateForm<TErori>(os);
    statusWindow.BindDialog(dialog);

    ThreadHook watch(WH_CALLWNDPROCRET, WatchShowing);
    for (size_t index = 0; index < calls.size(); ++index) {
        const mesaj_host::Call& call = calls[index];
        dialogShowings = 0;
        const int result =
            dialog.Mesaj(call.heading, call.text, static_cast<MessageKind>(call.kind),
                         static_cast<ButtonSet>(call.buttons));
        AppendResult(resultFile, index, result, dialogShowings);
        if (index + 1 < calls.size()) {
            WaitForGoAhead(nextCall.Get(), application);
        }
    }
    application.Shutdown();
    return 0;
}
