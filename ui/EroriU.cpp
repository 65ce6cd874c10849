#include "ui/EroriU.h"

#include <array>

#include "ui/ControlIds.h"
#include "ui/Placement.h"
#include "ui/framework/Application.h"
#include "ui/framework/Button.h"
#include "ui/framework/GradientPanel.h"
#include "ui/framework/Image.h"
#include "ui/framework/Label.h"

namespace {

using namespace control_ids;

// clang-format off
constexpr FontSpec kDefaultFont{.Face = "MS Sans Serif", .Height = -11,               .CharSet = DEFAULT_CHARSET};
constexpr FontSpec kHeadingFont{.Face = "Arial",         .Height = -13, .Bold = true, .CharSet = ANSI_CHARSET};
constexpr FontSpec kMessageFont{.Face = "MS Sans Serif", .Height = -11, .Bold = true, .CharSet = DEFAULT_CHARSET};
// clang-format on

// The warning colours are the design values.
constexpr Color kWarningFrom = Color::Rgb(183, 177, 138); // 9089463
constexpr Color kWarningTo = Color::Rgb(56, 54, 35);      // 2307640

const FormSpec kForm{
    .ClassName = DialogWindowClass,
    .Caption = "Erori",
    .ClientWidth = 339,
    .ClientHeight = 171,
    .Background = Color::Rgb(239, 239, 239), // 15724527
    .Border = BorderKind::DialogWithCloseBox,
    .StayOnTop = true,
    .KeyPreview = true,
    .DefaultFont = kDefaultFont,
    .Placement = FirstPlacement::ScreenCentre,
};

// The controls in creation order, one row each, as the design lists them.
// clang-format off
const GradientSpec kHeader{.Name = "GradientPanel1", .Id = GradientPanel1, .Place = {0, 0, 339, 49, Align::Top},      .From = kWarningFrom, .To = kWarningTo, .ColorCount = 64, .Direction = GradientDirection::RightToLeft};
const GradientSpec kFooter{.Name = "GradientPanel2", .Id = GradientPanel2, .Place = {0, 129, 339, 42, Align::Bottom}, .From = kWarningFrom, .To = kWarningTo, .ColorCount = 64, .Direction = GradientDirection::RightToLeft};
const LabelSpec kHeading{.Name = "Label1", .Id = Label1, .Place = {48, 16, 73, 16}, .Text = "PROBLEMA", .Font = kHeadingFont, .TextColor = kWhite, .AutoSize = true};
const ImageSpec kShownPicture       {.Name = "Image1", .Id = Image1, .Place = {8, 8, 32, 32}};
const ImageSpec kInformationPicture {.Name = "Image2", .Id = Image2, .Place = {128, 8, 32, 32}, .BitmapResource = "PICTURE_INFORMATION",  .Visible = false};
const ImageSpec kConfirmationPicture{.Name = "Image3", .Id = Image3, .Place = {168, 8, 32, 32}, .BitmapResource = "PICTURE_CONFIRMATION", .Visible = false};
const ImageSpec kWarningPicture     {.Name = "Image4", .Id = Image4, .Place = {208, 8, 32, 32}, .BitmapResource = "PICTURE_WARNING",      .Visible = false};
const ImageSpec kErrorPicture       {.Name = "Image5", .Id = Image5, .Place = {248, 8, 32, 32}, .BitmapResource = "PICTURE_ERROR",        .Visible = false};
const LabelSpec kMessage{.Name = "EroText", .Id = EroText, .Place = {8, 56, 321, 65}, .Text = "", .Font = kMessageFont, .TextColor = kBlack, .Alignment = TextAlignment::Centre, .WordWrap = true};
const std::array<ButtonSpec, 4> kButtons{{
    {.Name = "BE1", .Id = BE1, .Place = {9, 138, 72, 25},   .Caption = "&Da",     .ModalResult = mrYes},
    {.Name = "BE2", .Id = BE2, .Place = {89, 138, 72, 25},  .Caption = "&Nu",     .ModalResult = mrNo},
    {.Name = "BE3", .Id = BE3, .Place = {169, 138, 72, 25}, .Caption = "&Renunt", .ModalResult = mrCancel},
    {.Name = "BE4", .Id = BE4, .Place = {249, 138, 72, 25}, .Caption = "&OK",     .ModalResult = mrOk},
}};
// clang-format on

// How each kind of message looks.
struct KindLook {
    const char* Caption;
    const char* Picture; // the hidden image that holds the kind's picture
    Color From;
    Color To;
    bool Beep;
};

} // namespace

TErori::TErori(Application& application, OsServices& os) : Form(application, kForm), os_(os) {
    GradientPanel1 = &Add<GradientPanel>(kHeader);
    GradientPanel2 = &Add<GradientPanel>(kFooter);
    Label1 = &Add<Label>(kHeading);
    Image1 = &Add<Image>(kShownPicture);
    Image2 = &Add<Image>(kInformationPicture);
    Image3 = &Add<Image>(kConfirmationPicture);
    Image4 = &Add<Image>(kWarningPicture);
    Image5 = &Add<Image>(kErrorPicture);
    EroText = &Add<Label>(kMessage);
    BE1 = &Add<Button>(kButtons[0]);
    BE2 = &Add<Button>(kButtons[1]);
    BE3 = &Add<Button>(kButtons[2]);
    BE4 = &Add<Button>(kButtons[3]);
}

namespace {

const KindLook& LookOf(MessageKind kind) {
    static const KindLook warning{"Atentie !", "Image4", kWarningFrom, kWarningTo, false};
    static const KindLook error{"Eroare", "Image5", Color::Rgb(255, 213, 213),
                                Color::Rgb(255, 0, 0), true};
    static const KindLook information{"Informatie", "Image2", Color::Rgb(225, 222, 250),
                                      Color::Rgb(0, 0, 187), false};
    static const KindLook confirmation{"Confirmare", "Image3", Color::Rgb(129, 162, 211),
                                       Color::Rgb(54, 95, 156), false};
    switch (kind) {
    case mkWarning:
        return warning;
    case mkInformation:
        return information;
    case mkConfirmation:
        return confirmation;
    default: // mkError, and every value the enumeration does not name
        return error;
    }
}

} // namespace

Button& TErori::ButtonNumber(int number) const {
    return static_cast<Button&>(*FindComponent("BE" + std::to_string(number)));
}

std::uint16_t TErori::Mesaj(const std::string& heading, const std::string& text, MessageKind kind,
                            ButtonSet buttons) {
    std::uint16_t result = mrCancel;
    Label1->SetText(heading);
    EroText->SetText(text);

    const KindLook& look = LookOf(kind);
    Image1->SetPicture(static_cast<Image&>(*FindComponent(look.Picture)).Picture());
    SetCaption(look.Caption);
    GradientPanel1->SetColorFrom(look.From);
    GradientPanel1->SetColorTo(look.To);
    if (look.Beep) {
        os_.DefaultBeep(); // before anything is shown
    }
    GradientPanel2->SetColorFrom(GradientPanel1->ColorFrom());
    GradientPanel2->SetColorTo(GradientPanel1->ColorTo());

    // In button order; flag 8 belongs to the third button and flag 4 to the fourth.
    const std::array<bool, 4> shown{(buttons & bfYes) != 0, (buttons & bfNo) != 0,
                                    (buttons & bfCancel) != 0, (buttons & bfOk) != 0};
    int count = 0;
    for (int number = 1; number <= 4; ++number) {
        ButtonNumber(number).SetVisible(shown[number - 1]);
        count += shown[number - 1] ? 1 : 0;
    }
    if (count == 0) {
        return result;
    }
    const std::array<int, 4> lefts = DialogButtonLefts(count);
    int placed = 0;
    for (int number = 1; number <= 4; ++number) {
        if (shown[number - 1]) {
            ButtonNumber(number).SetLeft(lefts[placed++]);
        }
    }
    result = static_cast<std::uint16_t>(ShowModal() & 0xFFFF);
    return result;
}

void TErori::ProcessPendingMessages() {
    App().ProcessMessages();
}

void TErori::FormKeyDown(WPARAM key) {
    if (key == VK_ESCAPE) {
        Close();
    }
}
