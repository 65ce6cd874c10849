#include "ui/Unit1.h"

#include <array>

#include "app/NumberSettings.h"
#include "ui/ControlIds.h"
#include "ui/framework/Application.h"
#include "ui/framework/Button.h"
#include "ui/framework/Centring.h"
#include "ui/framework/GradientPanel.h"
#include "ui/framework/Label.h"
#include "ui/framework/Panel.h"
#include "ui/framework/PlatformError.h"

namespace {

using namespace control_ids;

constexpr Color kBackground = Color::Rgb(238, 238, 223); // 14675694
constexpr FontSpec kDefaultFont{"MS Sans Serif", -11, false, DEFAULT_CHARSET};
constexpr FontSpec kTitleFont{"Arial", -16, true, ANSI_CHARSET};
constexpr FontSpec kLineFont{"Arial", -13, false, ANSI_CHARSET};
constexpr FontSpec kBoldLineFont{"Arial", -13, true, ANSI_CHARSET};

const FormSpec kForm{StatusWindowClass,
                     "Actualizare",
                     377,
                     182,
                     kBackground,
                     BorderKind::SingleNoSystemMenu,
                     true,
                     true,
                     kDefaultFont};

const LabelSpec kLabel1{"Label1",   Form1Label1, {8, 8, 361, 22},       "Actualizare",
                        kTitleFont, kWindowText, TextAlignment::Centre, false};
const std::array<LabelSpec, 4> kLines{{
    {"Linia1",
     Linia1,
     {24, 48, 0, 0},
     "Linia 1",
     kLineFont,
     kWindowText,
     TextAlignment::Left,
     true},
    {"Linia2",
     Linia2,
     {24, 64, 0, 0},
     "Linia 2",
     kLineFont,
     kWindowText,
     TextAlignment::Left,
     true},
    {"Linia3",
     Linia3,
     {24, 80, 0, 0},
     "Linia 3",
     kLineFont,
     kWindowText,
     TextAlignment::Left,
     true},
    {"Linia4",
     Linia4,
     {24, 96, 0, 0},
     "Linia 4",
     kBoldLineFont,
     kWindowText,
     TextAlignment::Left,
     true},
}};
const PanelSpec kPanel1{"Panel1", Panel1, {0, 141, 377, 41, Align::Bottom}, kWhite};
const GradientSpec kGradientPanel1{"GradientPanel1",
                                   Form1GradientPanel1,
                                   {1, 1, 375, 39, Align::InsideFrame},
                                   kBackground,
                                   kWhite,
                                   64,
                                   GradientDirection::BottomToTop};
const ButtonSpec kButton1{"Button1", Button1, {144, 8, 81, 25}, "OK", 0, true};

} // namespace

TForm1::TForm1(Application& application, OsServices& os) : Form(application, kForm), os_(os) {
    Label1 = &Add<Label>(kLabel1);
    Linia1 = &Add<Label>(kLines[0]);
    Linia2 = &Add<Label>(kLines[1]);
    Linia3 = &Add<Label>(kLines[2]);
    Linia4 = &Add<Label>(kLines[3]);
    Panel1 = &Add<Panel>(kPanel1);
    GradientPanel1 = &Panel1->Add<GradientPanel>(kGradientPanel1);
    Button1 = &Panel1->Add<::Button>(kButton1);
    Button1->OnClick = [this] { Button1Click(); };
}

void TForm1::BindDialog(UserDialog& dialog, UpdateTimings timings) {
    engine_.emplace(os_, dialog, timings);
}

void TForm1::FormCreate() {
    ApplyNumberSettings();
}

void TForm1::FormShow() {
    engine_->RunUpdate();
    ShowReport(engine_->Report);
    CentreOnDesktop();
}

void TForm1::ShowReport(const StatusReport& report) {
    Label1->SetText(report.Title);
    const std::array<Label*, 4> lines{Linia1, Linia2, Linia3, Linia4};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const StatusLine& line = report.Lines[i];
        lines[i]->SetText(line.Text);
        lines[i]->SetTextColor(line.Red ? kPureRed : kWindowText);
        lines[i]->SetVisible(line.Visible);
    }
}

void TForm1::CentreOnDesktop() {
    const SIZE outer = OuterSize();
    // The whole desktop, all monitors together, counted from the primary screen's corner.
    const Origin origin = CentredOrigin(GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                        GetSystemMetrics(SM_CYVIRTUALSCREEN), outer.cx, outer.cy);
    MoveTo({origin.Left, origin.Top});
}

void TForm1::Button1Click() {
    const HandBackResult result = engine_->HandBack();
    switch (result.Action) {
    case HandBackAction::QuitApplication:
        App().Terminate();
        return;
    case HandBackAction::ShowError:
        throw PlatformError(result.ErrorMessage);
    case HandBackAction::EndProcess:
        break;
    }
    // The windows go first, as on every way out; then the process ends without returning to
    // the event loop. This object is gone by then.
    OsServices& os = os_;
    App().Shutdown();
    os.EndProcess(0);
}
