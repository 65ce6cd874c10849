// The message dialog as a user meets it: mesaj_host.exe makes the Mesaj calls, the test looks
// at the dialog on the screen and answers it with the keyboard and the mouse.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <vector>

#include "engine/UserDialog.h"
#include "tests/e2e/driver/WindowDriver.h"
#include "tests/e2e/windows/MesajHostProtocol.h"
#include "tests/e2e/windows/ScreenChecks.h"
#include "ui/ControlIds.h"

namespace {

using namespace window_driver;
using namespace screen_checks;
using mesaj_host::Call;
namespace ids = control_ids;

constexpr const char* Dialog = ids::DialogWindowClass;
constexpr std::array<int, 4> ButtonIds = {ids::BE1, ids::BE2, ids::BE3, ids::BE4};
constexpr std::array<const char*, 4> ButtonCaptions = {"&Da", "&Nu", "&Renunt", "&OK"};
constexpr int ClientWidth = 339;
constexpr int ClientHeight = 171;

const std::string UpdateHeading = "Actualizare Zentor - Calvex";
const std::string UpdateText = " Inchideti mai intai programul Zentor - Calvex!";

struct Outcome {
    int result = -1;
    int shown = -1;
};

// One mesaj_host.exe process making the given calls, one showing at a time.
class MesajHost {
  public:
    explicit MesajHost(const std::vector<Call>& calls) {
        static int serial = 0;
        resultFile_ = OwnFolder() + "\\mesaj-results-" + std::to_string(GetCurrentProcessId()) +
                      "-" + std::to_string(++serial) + ".txt";
        DeleteFileA(resultFile_.c_str());
        std::string commandLine =
            "\"" + BuildTreePath(MESAJ_HOST_EXE) + "\" \"" + resultFile_ + "\"";
        for (const Call& call : calls) {
            commandLine += " \"" + mesaj_host::Encode(call) + "\"";
        }
        if (auto started = Program::Start(commandLine)) {
            program_ = std::move(*started);
            nextCall_.Reset(CreateEventA(nullptr, FALSE, FALSE,
                                         mesaj_host::NextCallEvent(program_.Id()).c_str()));
        }
    }
    ~MesajHost() {
        program_.Terminate();
        DeleteFileA(resultFile_.c_str());
    }

    bool Started() const { return program_.Running() && nextCall_.Valid(); }
    const Program& Process() const { return program_; }

    // The dialog on the screen, shown by the call now running.
    HWND WaitForShowing() const { return WaitForWindow(Dialog, DefaultTimeoutMs, program_.Id()); }
    // The dialog, shown or not.
    HWND DialogWindow() const { return FindWindowOfClass(Dialog, program_.Id(), true); }

    // What the call with this index (from 0) returned, once it has returned.
    std::optional<Outcome> WaitForOutcome(size_t index) const {
        std::optional<Outcome> outcome;
        WaitUntil([&] {
            std::ifstream in(resultFile_);
            std::string line;
            while (std::getline(in, line)) {
                std::istringstream fields(line);
                size_t number = 0;
                Outcome read;
                if (fields >> number >> read.result >> read.shown && number == index) {
                    outcome = read;
                    return true;
                }
            }
            return false;
        });
        return outcome;
    }

    // Lets the host make its next call.
    void Next() const { SetEvent(nextCall_.Get()); }

  private:
    std::string resultFile_;
    Program program_;
    UniqueHandle nextCall_;
};

// Frames are drawn by Wine, so the close box is there to click.
class MesajDialogTest : public ::testing::Test {
  protected:
    WineDrawsFrames frames_;
};

// Shows the dialog for each call, lets the test look at it and answer, and checks each call
// returned what the answer means and showed the dialog once.
struct Showing {
    Call call;
    std::function<void(HWND dialog)> inspectAndAnswer;
    int expectedResult;
};

void RunShowings(const std::vector<Showing>& showings) {
    std::vector<Call> calls;
    for (const Showing& showing : showings) {
        calls.push_back(showing.call);
    }
    MesajHost host(calls);
    ASSERT_TRUE(host.Started());
    for (size_t index = 0; index < showings.size(); ++index) {
        SCOPED_TRACE("call " + std::to_string(index) + ": " + mesaj_host::Encode(calls[index]));
        HWND dialog = host.WaitForShowing();
        ASSERT_NE(dialog, nullptr) << "the dialog did not appear";
        showings[index].inspectAndAnswer(dialog);
        const std::optional<Outcome> outcome = host.WaitForOutcome(index);
        ASSERT_TRUE(outcome.has_value()) << "Mesaj did not return";
        EXPECT_EQ(outcome->result, showings[index].expectedResult);
        EXPECT_EQ(outcome->shown, 1);
        ASSERT_TRUE(WaitForNoWindow(Dialog, DefaultTimeoutMs, host.Process().Id()));
        host.Next();
    }
    EXPECT_EQ(host.Process().WaitForExit(), std::optional<DWORD>(0));
}

void ExpectPixel(const Capture& client, int x, int y, Rgb expected, const char* what) {
    EXPECT_EQ(ToString(client.At(x, y)), ToString(expected)) << what << " at " << x << "," << y;
}

// ---------------------------------------------------------------------------------------------
// The four kinds (and the values treated as an error): caption, header and footer colours,
// picture, heading and message.

struct KindLook {
    unsigned kind;
    const char* caption;
    Rgb bandLeft;  // ColorTo
    Rgb bandRight; // ColorFrom
    Rgb backdropLeft;
    Rgb backdropRight;
    // The picture's own drawing, told apart from its backdrop.
    std::function<bool(Rgb)> isArtwork;
    int minimumArtwork;
};

bool IsWhite(Rgb p) {
    return p.red > 235 && p.green > 235 && p.blue > 235;
}
bool IsYellow(Rgb p) {
    return p.red > 200 && p.green > 160 && p.blue < 100;
}

KindLook WarningLook() {
    return {mkWarning,    "Atentie !",  {56, 54, 35}, {183, 177, 138},
            {58, 56, 37}, {70, 68, 46}, IsYellow,     80};
}
// Every value other than 0, 2 and 3 is an error.
KindLook ErrorLook(unsigned kind) {
    return {kind, "Eroare", {255, 0, 0}, {255, 213, 213}, {255, 7, 7}, {255, 27, 27}, IsWhite, 20};
}
KindLook InformationLook() {
    return {mkInformation, "Informatie",  {0, 0, 187}, {225, 222, 250},
            {4, 4, 188},   {29, 28, 194}, IsWhite,     150};
}
KindLook ConfirmationLook() {
    return {mkConfirmation, "Confirmare",   {54, 95, 156}, {129, 162, 211},
            {55, 96, 157},  {64, 104, 163}, IsWhite,       150};
}

void ExpectKindLook(HWND dialog, const KindLook& look, const Call& call) {
    ASSERT_TRUE(WaitUntilDrawn(dialog));
    const WindowInfo info = Describe(dialog);
    EXPECT_EQ(info.caption, look.caption);
    ASSERT_NE(info.Child(ids::Label1), nullptr);
    ASSERT_NE(info.Child(ids::EroText), nullptr);
    EXPECT_EQ(info.Child(ids::Label1)->text, call.heading);
    EXPECT_EQ(info.Child(ids::EroText)->text, call.text);

    const Capture client = CaptureClient(dialog);
    ASSERT_EQ(client.Width(), ClientWidth);
    ASSERT_EQ(client.Height(), ClientHeight);
    // Header band 0..48 and footer band 129..170, ColorTo on the left, ColorFrom on the right;
    // the edge columns hold no picture, heading or button.
    for (int y : {1, 44, 131, 169}) {
        ExpectPixel(client, 0, y, look.bandLeft, "left edge of a band");
        ExpectPixel(client, ClientWidth - 1, y, look.bandRight, "right edge of a band");
    }
    // The picture at 8,8: its backdrop continues the band; its drawing is there.
    ExpectPixel(client, 8, 8, look.backdropLeft, "picture's backdrop, left");
    ExpectPixel(client, 8 + 31, 8, look.backdropRight, "picture's backdrop, right");
    const RECT picture{8, 8, 40, 40};
    const Ink artwork = MeasureInk(client, picture, look.isArtwork);
    EXPECT_GE(artwork.pixels, look.minimumArtwork) << "the picture's drawing is missing";

    // The heading in white from 48,16; the message in bold black, centred in 8..329.
    const Ink heading = MeasureInk(client, RECT{48, 16, ClientWidth, 32}, IsLightInk);
    EXPECT_GT(heading.pixels, 20) << "no white heading";
    EXPECT_NEAR(heading.bounds.left, 48, 3);
    EXPECT_TRUE(
        InkWidthLooksBold(heading.bounds.right - heading.bounds.left, call.heading, {"Arial", -13}))
        << "heading not bold";
    const Ink message = MeasureInk(client, RECT{8, 56, 329, 121}, IsDarkInk);
    EXPECT_GT(message.pixels, 20) << "no message text";
    EXPECT_NEAR((message.bounds.left + message.bounds.right) / 2.0, 8 + 321 / 2.0, 3)
        << "message not centred";
    EXPECT_NEAR(message.bounds.top, 56, 6) << "message does not start at the top";
    EXPECT_TRUE(InkWidthLooksBold(message.bounds.right - message.bounds.left, call.text,
                                  {"MS Sans Serif", -11}))
        << "message not bold";
}

TEST_F(MesajDialogTest, EachKindShowsItsCaptionColoursAndPicture) {
    const std::vector<KindLook> looks = {WarningLook(),      ErrorLook(1), InformationLook(),
                                         ConfirmationLook(), ErrorLook(4), ErrorLook(255)};
    std::vector<Showing> showings;
    for (const KindLook& look : looks) {
        const Call call{look.kind, bfOk, "Titlul mesajului", "Textul mesajului"};
        showings.push_back({call,
                            [look, call](HWND dialog) {
                                ExpectKindLook(dialog, look, call);
                                SaveScreenshot(dialog, "dialog-kind-" + std::to_string(look.kind));
                                EXPECT_TRUE(TypeKey(dialog, {VK_RETURN, NoModifier}));
                            },
                            mrOk});
    }
    RunShowings(showings);
}

TEST_F(MesajDialogTest, WindowHasCloseBoxOnlyFixedSizeAndStaysOnTop) {
    RunShowings({{{mkWarning, bfOk | bfCancel, UpdateHeading, UpdateText},
                  [](HWND dialog) {
                      const WindowInfo info = Describe(dialog);
                      EXPECT_TRUE(info.HasCloseBox());
                      EXPECT_FALSE(info.IsResizable());
                      EXPECT_EQ(info.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
                      EXPECT_TRUE(info.IsTopmost());
                      EXPECT_EQ(info.clientRect.right - info.clientRect.left, ClientWidth);
                      EXPECT_EQ(info.clientRect.bottom - info.clientRect.top, ClientHeight);
                      // Only the buttons take the focus.
                      for (const ChildInfo& child : info.children) {
                          const bool isButton = std::find(ButtonIds.begin(), ButtonIds.end(),
                                                          child.id) != ButtonIds.end();
                          EXPECT_EQ((child.style & WS_TABSTOP) != 0, isButton)
                              << "control " << child.id;
                      }
                      // The hand pointer over the buttons: another shape than over the text.
                      const HCURSOR overText = CursorOver(dialog, ChildById(dialog, ids::EroText));
                      const HCURSOR overCancel = CursorOver(dialog, ChildById(dialog, ids::BE3));
                      EXPECT_NE(overCancel, overText);
                      EXPECT_EQ(CursorOver(dialog, ChildById(dialog, ids::BE4)), overCancel);
                      SaveScreenshot(dialog, "dialog-update-question");
                      EXPECT_TRUE(CloseBy(dialog, CloseWay::CloseBox));
                  },
                  mrCancel}});
}

// ---------------------------------------------------------------------------------------------
// Button sets: which buttons show, in which order, where.

struct ButtonRow {
    unsigned buttons;
    std::array<bool, 4> shown; // BE1..BE4
    std::vector<int> lefts;    // of the shown ones, left to right
    int answerWith;            // index 0..3 of the button clicked
    int expectedResult;
};

void ExpectButtons(HWND dialog, const ButtonRow& row) {
    const WindowInfo info = Describe(dialog);
    std::vector<int> lefts;
    for (size_t i = 0; i < ButtonIds.size(); ++i) {
        const ChildInfo* button = info.Child(ButtonIds[i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text, ButtonCaptions[i]);
        EXPECT_EQ(button->visible, row.shown[i]) << ButtonCaptions[i];
        if (button->visible) {
            lefts.push_back(button->formRect.left);
            EXPECT_EQ(button->formRect.top, 138);
            EXPECT_EQ(button->formRect.right - button->formRect.left, 72);
            EXPECT_EQ(button->formRect.bottom - button->formRect.top, 25);
        }
    }
    EXPECT_EQ(lefts, row.lefts);
}

TEST_F(MesajDialogTest, ButtonSetsShowTheirButtonsSpreadOverTheFooter) {
    const std::vector<ButtonRow> rows = {
        {bfYes, {true, false, false, false}, {134}, 0, mrYes},
        {bfNo, {false, true, false, false}, {134}, 1, mrNo},
        {bfCancel, {false, false, true, false}, {134}, 2, mrCancel},
        {bfOk, {false, false, false, true}, {134}, 3, mrOk},
        {bfYes | bfNo, {true, true, false, false}, {65, 203}, 1, mrNo},
        {bfOk | bfCancel, {false, false, true, true}, {65, 203}, 3, mrOk},
        {bfYes | bfOk, {true, false, false, true}, {65, 203}, 0, mrYes},
        {bfYes | bfNo | bfCancel, {true, true, true, false}, {30, 133, 236}, 2, mrCancel},
        {bfYes | bfNo | bfOk | bfCancel, {true, true, true, true}, {10, 93, 176, 259}, 0, mrYes},
        {bfYes | bfNo | bfOk | bfCancel, {true, true, true, true}, {10, 93, 176, 259}, 1, mrNo},
        {bfYes | bfNo | bfOk | bfCancel, {true, true, true, true}, {10, 93, 176, 259}, 2, mrCancel},
        // Bits other than the four flags change nothing.
        {0xFFF0 | bfOk | bfNo, {false, true, false, true}, {65, 203}, 3, mrOk},
    };
    std::vector<Showing> showings;
    for (const ButtonRow& row : rows) {
        showings.push_back(
            {{mkConfirmation, row.buttons, "Butoane", "Alegeti"},
             [row](HWND dialog) {
                 ExpectButtons(dialog, row);
                 EXPECT_TRUE(ClickControl(dialog, ChildById(dialog, ButtonIds[row.answerWith])));
             },
             row.expectedResult});
    }
    RunShowings(showings);
}

TEST_F(MesajDialogTest, OkAloneAfterAllFourMovesToTheMiddleAndHiddenButtonsKeepTheirPlace) {
    RunShowings({{{mkInformation, bfYes | bfNo | bfOk | bfCancel, "Patru", "Toate butoanele"},
                  [](HWND dialog) {
                      SaveScreenshot(dialog, "dialog-four-buttons");
                      EXPECT_TRUE(ClickControl(dialog, ChildById(dialog, ids::BE4)));
                  },
                  mrOk},
                 {{mkInformation, bfOk, "Unul", "Doar OK"},
                  [](HWND dialog) {
                      const WindowInfo info = Describe(dialog);
                      const std::array<int, 4> lefts = {10, 93, 176, 134};
                      for (size_t i = 0; i < ButtonIds.size(); ++i) {
                          const ChildInfo* button = info.Child(ButtonIds[i]);
                          ASSERT_NE(button, nullptr);
                          EXPECT_EQ(button->visible, i == 3) << ButtonCaptions[i];
                          EXPECT_EQ(button->formRect.left, lefts[i]) << ButtonCaptions[i];
                      }
                      EXPECT_TRUE(ClickControl(dialog, ChildById(dialog, ids::BE4)));
                  },
                  mrOk}});
}

// ---------------------------------------------------------------------------------------------
// Every way of answering and of closing.

struct Answer {
    const char* name;
    unsigned buttons;
    std::vector<std::string> keys; // typed in order; empty: closed by the way below
    std::optional<CloseWay> close;
    int expectedResult;
};

TEST_F(MesajDialogTest, EachWayOfClosingAndEachLetterGivesItsResult) {
    constexpr unsigned All = bfYes | bfNo | bfOk | bfCancel;
    const std::vector<Answer> answers = {
        {"escape", All, {}, CloseWay::Escape, mrCancel},
        {"close box", All, {}, CloseWay::CloseBox, mrCancel},
        {"window menu close", All, {}, CloseWay::WindowMenuClose, mrCancel},
        {"alt+f4", All, {}, CloseWay::AltF4, mrCancel},
        {"D", All, {"D"}, std::nullopt, mrYes},
        {"N", All, {"N"}, std::nullopt, mrNo},
        {"R", All, {"R"}, std::nullopt, mrCancel},
        {"O", All, {"O"}, std::nullopt, mrOk},
        {"alt+D", All, {"ALT+D"}, std::nullopt, mrYes},
        {"alt+N", All, {"ALT+N"}, std::nullopt, mrNo},
        {"alt+R", All, {"ALT+R"}, std::nullopt, mrCancel},
        {"alt+O", All, {"ALT+O"}, std::nullopt, mrOk},
        // Letters of hidden buttons do nothing.
        {"hidden letters", bfOk, {"D", "ALT+N", "R", "O"}, std::nullopt, mrOk},
        // The focus was on "&OK", now hidden, so it starts on "&Da"; Tab moves it to "&Nu".
        {"tab then enter", bfYes | bfNo, {"TAB", "ENTER"}, std::nullopt, mrNo},
        {"space on the focused button", bfNo, {"SPACE"}, std::nullopt, mrNo},
    };
    std::vector<Showing> showings;
    for (const Answer& answer : answers) {
        showings.push_back({{mkWarning, answer.buttons, "Raspuns", answer.name},
                            [answer](HWND dialog) {
                                SCOPED_TRACE(answer.name);
                                ASSERT_TRUE(WaitUntilDrawn(dialog));
                                for (const std::string& key : answer.keys) {
                                    EXPECT_TRUE(TypeKeyAtTypingPace(dialog, *ParseKeystroke(key)))
                                        << key;
                                }
                                if (answer.close) {
                                    EXPECT_TRUE(CloseBy(dialog, *answer.close));
                                }
                            },
                            answer.expectedResult});
    }
    RunShowings(showings);
}

// ---------------------------------------------------------------------------------------------
// Focus carried over between showings, and the place kept.

std::function<void(HWND)> ExpectFocusThenType(int focusedId, const char* key) {
    return [focusedId, key](HWND dialog) {
        ASSERT_TRUE(WaitUntilDrawn(dialog));
        EXPECT_EQ(FocusedControlId(dialog), focusedId);
        EXPECT_TRUE(TypeKey(dialog, *ParseKeystroke(key)));
    };
}

std::function<void(HWND)> ExpectFocusThenClick(int focusedId, int clickedId) {
    return [focusedId, clickedId](HWND dialog) {
        ASSERT_TRUE(WaitUntilDrawn(dialog));
        EXPECT_EQ(FocusedControlId(dialog), focusedId);
        EXPECT_TRUE(ClickControl(dialog, ChildById(dialog, clickedId)));
    };
}

TEST_F(MesajDialogTest, FocusCarriesOverWhileItsButtonStaysShown) {
    const Call question{mkWarning, bfOk | bfCancel, UpdateHeading, UpdateText};
    const std::vector<Call> calls = {question, question,
                                     question, {mkWarning, 0, "Gol", "Nimic"},
                                     question, {mkWarning, bfCancel, "Doar", "Renunt"}};
    MesajHost host(calls);
    ASSERT_TRUE(host.Started());
    struct Step {
        bool shows;
        std::function<void(HWND)> act;
        int expectedResult;
    };
    const std::vector<Step> steps = {
        // First showing: the first shown button in tab order, "&Renunt"; Enter answers it.
        {true, ExpectFocusThenType(ids::BE3, "ENTER"), mrCancel},
        {true, ExpectFocusThenClick(ids::BE3, ids::BE4), mrOk},
        // "&OK" had the focus when the dialog closed and stayed shown.
        {true, ExpectFocusThenType(ids::BE4, "ENTER"), mrOk},
        // Nothing shown, but every button hidden...
        {false, nullptr, mrCancel},
        // ...so "&OK" did not stay shown: the focus starts at the first button again.
        {true, ExpectFocusThenClick(ids::BE3, ids::BE4), mrOk},
        // "&OK", which had the focus, is hidden now: the first shown button takes it.
        {true, ExpectFocusThenType(ids::BE3, "ENTER"), mrCancel},
    };
    for (size_t index = 0; index < steps.size(); ++index) {
        SCOPED_TRACE("call " + std::to_string(index));
        if (steps[index].shows) {
            HWND dialog = host.WaitForShowing();
            ASSERT_NE(dialog, nullptr);
            steps[index].act(dialog);
        }
        const std::optional<Outcome> outcome = host.WaitForOutcome(index);
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->result, steps[index].expectedResult);
        EXPECT_EQ(outcome->shown, steps[index].shows ? 1 : 0);
        ASSERT_TRUE(WaitForNoWindow(Dialog, DefaultTimeoutMs, host.Process().Id()));
        host.Next();
    }
}

TEST_F(MesajDialogTest, CentredOnTheScreenFirstThenWhereItWasLeft) {
    constexpr int dx = -150;
    constexpr int dy = 90;
    RECT first{};
    RunShowings({{{mkInformation, bfOk, "Loc", "Intai centrat"},
                  [&](HWND dialog) {
                      ASSERT_TRUE(WaitUntilDrawn(dialog));
                      GetWindowRect(dialog, &first);
                      const int width = first.right - first.left;
                      const int height = first.bottom - first.top;
                      EXPECT_NEAR(first.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1);
                      EXPECT_NEAR(first.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1);
                      EXPECT_TRUE(DragByCaption(dialog, dx, dy));
                      EXPECT_TRUE(TypeKey(dialog, {VK_RETURN, NoModifier}));
                  },
                  mrOk},
                 {{mkInformation, bfOk | bfCancel, "Loc", "Apoi unde a ramas"},
                  [&](HWND dialog) {
                      RECT now{};
                      GetWindowRect(dialog, &now);
                      EXPECT_EQ(now.left, first.left + dx);
                      EXPECT_EQ(now.top, first.top + dy);
                      EXPECT_TRUE(CloseBy(dialog, CloseWay::Escape));
                  },
                  mrCancel}});
}

// ---------------------------------------------------------------------------------------------
// No button: nothing shown, but the dialog is brought up to date all the same.

TEST_F(MesajDialogTest, EmptyOrForeignButtonSetReturnsCancelWithoutShowing) {
    const std::vector<Call> calls = {{mkError, 0, "Gol", "Fara butoane"},
                                     {mkInformation, 0xFFF0, "Straini", "Doar biti straini"},
                                     {mkConfirmation, bfYes, "Apoi", "Arata"}};
    MesajHost host(calls);
    ASSERT_TRUE(host.Started());
    const std::array<const char*, 2> captions = {"Eroare", "Informatie"};
    for (size_t index = 0; index < 2; ++index) {
        SCOPED_TRACE("call " + std::to_string(index));
        const std::optional<Outcome> outcome = host.WaitForOutcome(index);
        ASSERT_TRUE(outcome.has_value());
        EXPECT_EQ(outcome->result, mrCancel);
        EXPECT_EQ(outcome->shown, 0);
        HWND dialog = host.DialogWindow();
        ASSERT_NE(dialog, nullptr);
        const WindowInfo info = Describe(dialog);
        EXPECT_FALSE(info.visible);
        EXPECT_EQ(info.caption, captions[index]);
        ASSERT_NE(info.Child(ids::Label1), nullptr);
        EXPECT_EQ(info.Child(ids::Label1)->text, calls[index].heading);
        EXPECT_EQ(info.Child(ids::EroText)->text, calls[index].text);
        for (int id : ButtonIds) {
            EXPECT_FALSE(info.Child(id)->visible) << id;
        }
        host.Next();
    }
    HWND dialog = host.WaitForShowing();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Describe(dialog).caption, "Confirmare");
    EXPECT_TRUE(TypeKey(dialog, {VK_ESCAPE, NoModifier}));
    const std::optional<Outcome> outcome = host.WaitForOutcome(2);
    ASSERT_TRUE(outcome.has_value());
    EXPECT_EQ(outcome->result, mrCancel);
    EXPECT_EQ(outcome->shown, 1);
}

// ---------------------------------------------------------------------------------------------
// Texts: "&" marks an accelerator, a long message wraps and is cut at its area.

TEST_F(MesajDialogTest, LongMessageWrapsInsideItsAreaAndHeadingKeepsOneLine) {
    std::string longText;
    for (int i = 0; i < 40; ++i) {
        longText += "cuvant" + std::to_string(i) + " ";
    }
    const std::string longHeading = "Un titlu foarte lung care nu incape in fereastra deloc deloc";
    RunShowings(
        {{{mkWarning, bfOk, longHeading, longText},
          [&](HWND dialog) {
              ASSERT_TRUE(WaitUntilDrawn(dialog));
              SaveScreenshot(dialog, "dialog-long-text");
              const Capture client = CaptureClient(dialog);
              const Ink message = MeasureInk(client, RECT{0, 49, ClientWidth, 129}, IsDarkInk);
              // Several lines, all inside 8..329 x 56..121.
              EXPECT_GT(message.bounds.bottom - message.bounds.top, 30);
              EXPECT_GE(message.bounds.left, 8);
              EXPECT_LE(message.bounds.right, 329);
              EXPECT_LE(message.bounds.bottom, 121);
              // The heading runs on to the window's edge on one line.
              const Ink heading = MeasureInk(client, RECT{48, 0, ClientWidth, 49}, IsLightInk);
              EXPECT_GE(heading.bounds.right, ClientWidth - 4);
              EXPECT_LE(heading.bounds.bottom - heading.bounds.top, 16);
              const WindowInfo info = Describe(dialog);
              const ChildInfo* label = info.Child(ids::Label1);
              ASSERT_NE(label, nullptr);
              EXPECT_EQ(label->text, longHeading);
              EXPECT_TRUE(TypeKey(dialog, {VK_RETURN, NoModifier}));
          },
          mrOk}});
}

TEST_F(MesajDialogTest, AmpersandsAreAcceleratorMarksInHeadingAndMessage) {
    // The same texts with "&&" draw one more character than with "&", so they are wider.
    struct Inks {
        int heading = 0; // ink widths
        int message = 0;
    } single, twice;
    auto measure = [](Inks& inks, const char* name) {
        return [&inks, name](HWND dialog) {
            ASSERT_TRUE(WaitUntilDrawn(dialog));
            const Capture client = CaptureClient(dialog);
            const RECT heading =
                MeasureInk(client, RECT{48, 16, ClientWidth, 34}, IsLightInk).bounds;
            const RECT message = MeasureInk(client, RECT{8, 56, 329, 121}, IsDarkInk).bounds;
            inks.heading = heading.right - heading.left;
            inks.message = message.right - message.left;
            SaveScreenshot(dialog, std::string("dialog-ampersand-") + name);
            EXPECT_TRUE(TypeKey(dialog, {VK_RETURN, NoModifier}));
        };
    };
    RunShowings({{{mkInformation, bfOk, "A&B", "C&D"}, measure(single, "single"), mrOk},
                 {{mkInformation, bfOk, "A&&B", "C&&D"}, measure(twice, "double"), mrOk}});
    EXPECT_GT(twice.heading, single.heading + 3);
    EXPECT_GT(twice.message, single.message + 3);
}

// At 144 pixels per inch the whole dialog scales by one and a half, the buttons' places too.
TEST_F(MesajDialogTest, ScalesWithTheScreenDpi) {
    ScreenDpi dpi(144);
    auto scaled = [](int pixels) { return MulDiv(pixels, 144, 96); };
    RunShowings(
        {{{mkWarning, bfYes | bfNo | bfOk | bfCancel, "Scalat", "La 144 de puncte"},
          [&](HWND dialog) {
              ASSERT_TRUE(WaitUntilDrawn(dialog));
              SaveScreenshot(dialog, "dialog-144dpi");
              const WindowInfo info = Describe(dialog);
              EXPECT_NEAR(info.clientRect.right - info.clientRect.left, scaled(ClientWidth), 1);
              EXPECT_NEAR(info.clientRect.bottom - info.clientRect.top, scaled(ClientHeight), 1);
              const std::array<int, 4> lefts = {10, 93, 176, 259};
              for (size_t i = 0; i < ButtonIds.size(); ++i) {
                  const ChildInfo* button = info.Child(ButtonIds[i]);
                  ASSERT_NE(button, nullptr);
                  EXPECT_NEAR(button->formRect.left, scaled(lefts[i]), 1);
                  EXPECT_NEAR(button->formRect.top, scaled(138), 1);
                  EXPECT_NEAR(button->formRect.right - button->formRect.left, scaled(72), 1);
                  EXPECT_NEAR(button->formRect.bottom - button->formRect.top, scaled(25), 1);
              }
              const ChildInfo* picture = info.Child(ids::Image1);
              ASSERT_NE(picture, nullptr);
              EXPECT_NEAR(picture->formRect.left, scaled(8), 1);
              EXPECT_TRUE(TypeKey(dialog, {VK_ESCAPE, NoModifier}));
          },
          mrCancel}});
}

} // namespace
