#include <windows.h>

#include <string>

#include "app/NumberSettings.h"
#include "app/ProductConstants.h"
#include "app/RunningUpdater.h"
#include "engine/UpdateEngine.h"
#include "os/win32/DllSearchHardening.h"
#include "os/win32/Win32OsServices.h"
#include "ui/ControlIds.h"
#include "ui/EroriU.h"
#include "ui/Unit1.h"
#include "ui/framework/Application.h"
#include "ui/framework/Dpi.h"

namespace {

// Only a test updater is built with a shorter wait for the closing program, so a slow program
// can be tried in seconds; the product always waits the full bound.
UpdateTimings Timings() {
    UpdateTimings timings;
#ifdef UPDATER_TEST_OLD_EXECUTABLE_WAIT_MS
    timings.OldExecutableWaitMs = UPDATER_TEST_OLD_EXECUTABLE_WAIT_MS;
#endif
    return timings;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystemFolder();
    MakeProcessDpiAware();

    Win32OsServices os; // outlives the windows: the hand-back ends the process through it
    // A second updater started while one runs would race it for the same files.
    // The user who started it sees the running one instead.
    if (!os.ClaimSingleInstance(product::SingleInstanceName)) {
        BringRunningUpdaterToFront();
        return 0;
    }
    LoadRegionalFormatSettings(os.RegionalDecimalSeparator());

    Application application(control_ids::ApplicationWindowClass);
    application.OnSystemSettingsChange = [&os] {
        OnSystemSettingsChanged(os.RegionalDecimalSeparator());
    };
    application.SetTitle(std::string{"Actualizare "} + product::ProductDisplayName);
    TForm1& statusWindow = application.CreateForm<TForm1>(os); // the main window
    TErori& dialog = application.CreateForm<TErori>(os);       // hidden until asked
    statusWindow.BindDialog(dialog, Timings());
    application.Run();
    application.Shutdown();
    return 0;
}
