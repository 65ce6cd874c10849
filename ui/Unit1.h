#pragma once

#include <optional>

#include "engine/StatusReport.h"
#include "engine/UpdateEngine.h"
#include "engine/UserDialog.h"
#include "os/OsServices.h"
#include "ui/framework/Form.h"

class Button;
class GradientPanel;
class Label;
class Panel;

// The status window: the main window, which runs the update when first shown, shows its
// report and hands back to the program when OK is pressed.
class TForm1 : public Form {
  public:
    TForm1(Application& application, OsServices& os);

    // The dialog is created after this window; the update run needs it before the first show.
    void BindDialog(UserDialog& dialog, UpdateTimings timings = {});

    void OnCreate() override { FormCreate(); }
    void OnShow() override { FormShow(); }

  private:
    void FormCreate();
    void FormShow();
    void Button1Click();
    void ShowReport(const StatusReport& report);
    void CentreOnDesktop();

    OsServices& os_;
    std::optional<UpdateEngine> engine_;

    Label* Label1;
    Label* Linia1;
    Label* Linia2;
    Label* Linia3;
    Label* Linia4;
    Panel* Panel1;
    GradientPanel* GradientPanel1;
    Button* Button1;
};
