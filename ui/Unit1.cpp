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

// clang-format off
constexpr FontSpec kDefaultFont {.Face = "MS Sans Serif", .Height = -11,               .CharSet = DEFAULT_CHARSET};
constexpr FontSpec kTitleFont   {.Face = "Arial",         .Height = -16, .Bold = true, .CharSet = ANSI_CHARSET};
constexpr FontSpec kLineFont    {.Face = "Arial",         .Height = -13,               .CharSet = ANSI_CHARSET};
constexpr FontSpec kBoldLineFont{.Face = "Arial",         .Height = -13, .Bold = true, .CharSet = ANSI_CHARSET};
// clang-format on

const FormSpec kForm{
    .ClassName = StatusWindowClass,
    .Caption = "Actualizare",
    .ClientWidth = 377,
    .ClientHeight = 182,
    .Background = kBackground,
    .Border = BorderKind::SingleNoSystemMenu,
    .StayOnTop = true,
    .KeyPreview = true,
    .DefaultFont = kDefaultFont,
};

// The controls in creation order, one row each, as the design lists them. The title and the
// lines show folder names, so an "&" in them is drawn as written.
// clang-format off
const LabelSpec kLabel1{.Name = "Label1", .Id = Form1Label1, .Place = {8, 8, 361, 22}, .Text = "Actualizare", .Font = kTitleFont, .Alignment = TextAlignment::Centre, .ShowAccelChar = false};
const std::array<LabelSpec, 4> kLines{{
    {.Name = "Linia1", .Id = Linia1, .Place = {24, 48}, .Text = "Linia 1", .Font = kLineFont,     .AutoSize = true, .ShowAccelChar = false},
    {.Name = "Linia2", .Id = Linia2, .Place = {24, 64}, .Text = "Linia 2", .Font = kLineFont,     .AutoSize = true, .ShowAccelChar = false},
    {.Name = "Linia3", .Id = Linia3, .Place = {24, 80}, .Text = "Linia 3", .Font = kLineFont,     .AutoSize = true, .ShowAccelChar = false},
    {.Name = "Linia4", .Id = Linia4, .Place = {24, 96}, .Text = "Linia 4", .Font = kBoldLineFont, .AutoSize = true, .ShowAccelChar = false},
}};
const PanelSpec kPanel1{.Name = "Panel1", .Id = Panel1, .Place = {0, 141, 377, 41, Align::Bottom}, .Background = kWhite};
const GradientSpec kGradientPanel1{.Name = "GradientPanel1", .Id = Form1GradientPanel1, .Place = {1, 1, 375, 39, Align::InsideFrame}, .From = kBackground, .To = kWhite, .ColorCount = 64, .Direction = GradientDirection::BottomToTop};
const ButtonSpec kButton1{.Name = "Button1", .Id = Button1, .Place = {144, 8, 81, 25}, .Caption = "OK"};
// clang-format on

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
