#include <windows.h>

#include <string>

#include "app/NumberSettings.h"
#include "app/ProductConstants.h"
#include "os/win32/DllSearchHardening.h"
#include "os/win32/Win32OsServices.h"
#include "ui/EroriU.h"
#include "ui/Unit1.h"
#include "ui/framework/Application.h"
#include "ui/framework/Dpi.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystemFolder();
    MakeProcessDpiAware();

    Win32OsServices os; // outlives the windows: the hand-back ends the process through it
    // A second updater started while one runs would race it for the same files.
    if (!os.ClaimSingleInstance(product::SingleInstanceName)) {
        return 0;
    }
    LoadRegionalFormatSettings(os.RegionalDecimalSeparator());

    Application application;
    application.OnSystemSettingsChange = [&os] {
        OnSystemSettingsChanged(os.RegionalDecimalSeparator());
    };
    application.SetTitle(std::string{"Actualizare "} + product::ProductDisplayName);
    TForm1& statusWindow = application.CreateForm<TForm1>(os); // the main window
    TErori& dialog = application.CreateForm<TErori>(os);       // hidden until asked
    statusWindow.BindDialog(dialog);
    application.Run();
    application.Shutdown();
    return 0;
}
