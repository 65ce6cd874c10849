// The status window of the real updater, as a user sees it at the end of each outcome of the
// update run: an installation folder and a settings file are laid out in the Wine prefix, the
// updater is started, and the window is read back line by line.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "tests/e2e/driver/WindowDriver.h"
#include "tests/e2e/windows/ScreenChecks.h"
#include "ui/ControlIds.h"

namespace {

using namespace window_driver;
using namespace screen_checks;
namespace ids = control_ids;
namespace fs = std::filesystem;

constexpr const char* StatusWindow = ids::StatusWindowClass;
constexpr const char* Dialog = ids::DialogWindowClass;
constexpr std::array<int, 4> LineIds = {ids::Linia1, ids::Linia2, ids::Linia3, ids::Linia4};
constexpr Rgb PureRed{255, 0, 0};
constexpr Rgb WindowColour{238, 238, 223};
constexpr Rgb White{255, 255, 255};
// Starting a program under Wine, extracting and replacing may take a while on a loaded machine.
constexpr int RunTimeoutMs = 60000;

const std::string Title = "Actualizare Zentor - Calvex la ver.1.0029";

struct Line {
    bool visible;
    std::string text; // checked when visible
    bool red;
};

void ClearAttributesBelow(const fs::path& folder) {
    std::error_code ignored;
    for (auto entry = fs::recursive_directory_iterator(folder, ignored);
         entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
        SetFileAttributesA(entry->path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// An installation of the program in the prefix, the settings file pointing at it, and the
// updater started on it. Everything is removed again at the end.
class StatusWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        installDir_ = "C:\\ZC e2e\\" + FolderName();
        RemoveInstallation();
        fs::create_directories(installDir_);
        char windowsDir[MAX_PATH] = {};
        GetWindowsDirectoryA(windowsDir, MAX_PATH);
        settingsFile_ = std::string(windowsDir) + "\\XQZ.dII";
    }

    void TearDown() override {
        if (updater_.Running()) {
            updater_.Terminate();
        }
        heldExe_.Reset();
        RemoveInstallation();
        DeleteFileA(settingsFile_.c_str());
    }

    // The installation folder's own name: the test's, short enough for every path to fit.
    virtual std::string FolderName() const {
        return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())
            .substr(0, 24);
    }

    void RemoveInstallation() {
        std::error_code ignored;
        ClearAttributesBelow(installDir_);
        fs::remove_all(installDir_, ignored);
    }

    std::string InstalledExe() const { return installDir_ + "\\ZentorCalvex.exe"; }
    std::string TmpUp() const { return installDir_ + "\\TmpUp"; }

    void WriteSettings(const std::string& version) const {
        std::ofstream out(settingsFile_, std::ios::binary);
        out << "[94]\r\nCALE=" << installDir_ << "\r\nVER=" << version << "\r\n";
    }
    void InstallOldProgram() const {
        ASSERT_TRUE(
            CopyFileA(BuildTreePath(STANDIN_OLD_EXE).c_str(), InstalledExe().c_str(), FALSE));
    }
    // Keeps the installed executable open, as the running program does: it cannot be deleted.
    void HoldInstalledExe() {
        heldExe_.Reset(CreateFileA(InstalledExe().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(heldExe_.Valid());
    }
    void ReleaseInstalledExe() { heldExe_.Reset(); }

    // Started by the user: no parameter, from the build tree.
    void StartByUser() {
        auto started = Program::Start("\"" + BuildTreePath(UPDATER_EXE) + "\"");
        ASSERT_TRUE(started.has_value());
        updater_ = std::move(*started);
    }
    // Started by the program: the updater lies in the installation folder beside "DATA" and
    // gets the program's path.
    void StartByProgram() {
        fs::create_directories(installDir_ + "\\DATA");
        copiedUpdater_ = installDir_ + "\\ActualizareCalvex.exe";
        ASSERT_TRUE(CopyFileA(BuildTreePath(UPDATER_EXE).c_str(), copiedUpdater_.c_str(), FALSE));
        auto started = Program::Start("\"" + copiedUpdater_ + "\" \"" + InstalledExe() + "\"");
        ASSERT_TRUE(started.has_value());
        updater_ = std::move(*started);
    }

    HWND WaitForStatusWindow() const {
        // The report is final when the window shows.
        HWND window = WaitForWindow(StatusWindow, RunTimeoutMs, updater_.Id());
        return window != nullptr && WaitUntilDrawn(window) ? window : nullptr;
    }
    // The user updates 1.0020 while a read-only "TmpUp" is left over from an earlier run, so
    // the carried build cannot be written; the status window, or null.
    HWND RunWithReadOnlyTmpUp() {
        WriteSettings("1.0020");
        InstallOldProgram();
        { std::ofstream(TmpUp()) << "left over"; }
        EXPECT_TRUE(SetFileAttributesA(TmpUp().c_str(), FILE_ATTRIBUTE_READONLY));
        if (HasFailure()) {
            return nullptr;
        }
        StartByUser();
        return WaitForStatusWindow();
    }

    void ExpectLines(HWND window, const std::array<Line, 4>& expected) const {
        const WindowInfo info = Describe(window);
        const Capture client = CaptureClient(window);
        for (size_t i = 0; i < LineIds.size(); ++i) {
            SCOPED_TRACE("Linia" + std::to_string(i + 1));
            const ChildInfo* line = info.Child(LineIds[i]);
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->visible, expected[i].visible);
            if (!line->visible || !expected[i].visible) {
                continue;
            }
            EXPECT_EQ(line->text, expected[i].text);
            EXPECT_EQ(line->formRect.left, 24);
            EXPECT_EQ(line->formRect.top, 48 + 16 * static_cast<int>(i));
            const int red = client.Count(line->formRect, PureRed);
            const Ink dark = MeasureInk(client, line->formRect, IsDarkInk);
            if (expected[i].red) {
                EXPECT_GT(red, 20) << "not drawn in pure red";
            } else {
                EXPECT_EQ(red, 0) << "drawn red";
                EXPECT_GT(dark.pixels, 20) << "not drawn in the window-text colour";
            }
        }
    }

    // Ends the run as a close request from the system does: no hand-back, exit code 0.
    void CloseFromSystem(HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(updater_.WaitForExit(RunTimeoutMs), std::optional<DWORD>(0));
    }
    // Presses OK with the key; started by the user, the updater ends with exit code 0.
    void PressOkWith(HWND window, WORD key) {
        EXPECT_TRUE(TypeKey(window, {key, NoModifier}));
        EXPECT_EQ(updater_.WaitForExit(RunTimeoutMs), std::optional<DWORD>(0));
    }

    std::string InstalledLine(const char* version) const {
        return std::string("Aveti instalata versiunea ") + version;
    }
    const std::string updatingLine_ = "Actualizam programul la versiunea 1.0029";

    WineDrawsFrames frames_;
    std::string installDir_;
    std::string settingsFile_;
    std::string copiedUpdater_;
    UniqueHandle heldExe_;
    Program updater_;
};

TEST_F(StatusWindowTest, NotInstalled) {
    WriteSettings("1.0000");
    InstallOldProgram();
    StartByUser();
    HWND window = WaitForStatusWindow();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-not-installed");
    ExpectLines(window, {{{false, "", false},
                          {true, "Programul Zentor - Calvex nu este instalat!", true},
                          {false, "", false},
                          {false, "", false}}});
    PressOkWith(window, VK_RETURN);
}

TEST_F(StatusWindowTest, AlreadyUpToDate) {
    WriteSettings("1.0029");
    InstallOldProgram();
    StartByUser();
    HWND window = WaitForStatusWindow();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-up-to-date");
    ExpectLines(window, {{{true, InstalledLine("1.0029"), false},
                          {true, "Aveti deja ultima versiune!", true},
                          {false, "", false},
                          {false, "", false}}});
    PressOkWith(window, VK_SPACE);
}

TEST_F(StatusWindowTest, FolderNotWritable) {
    HWND window = RunWithReadOnlyTmpUp();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-not-writable");
    ExpectLines(window, {{{true, InstalledLine("1.0020"), false},
                          {true, updatingLine_, false},
                          {true, "Nu pot scrie in " + installDir_ + "!", true},
                          {false, "", false}}});
    PressOkWith(window, VK_RETURN);
}

// A folder whose name holds "&", as in "R&D": the lines show it as written, where the dialog's
// labels would take it for an accelerator mark and underline the letter after it.
class AmpersandFolderTest : public StatusWindowTest {
  protected:
    std::string FolderName() const override { return "R&D"; }
};

bool IsRedInk(Rgb pixel) {
    return pixel.red > 180 && pixel.green < 120 && pixel.blue < 120;
}

TEST_F(AmpersandFolderTest, LinesShowTheFolderAsWritten) {
    HWND window = RunWithReadOnlyTmpUp();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-ampersand-folder");
    const std::string notWritable = "Nu pot scrie in " + installDir_ + "!";
    ExpectLines(window, {{{true, InstalledLine("1.0020"), false},
                          {true, updatingLine_, false},
                          {true, notWritable, true},
                          {false, "", false}}});
    // As wide as the text with its "&" drawn, not as "R" and an underlined "D".
    const WindowInfo info = Describe(window);
    const ChildInfo* line3 = info.Child(ids::Linia3);
    ASSERT_NE(line3, nullptr);
    const Ink ink = MeasureInk(CaptureClient(window), line3->formRect, IsRedInk);
    EXPECT_TRUE(
        InkWidthLooksLiteral(ink.bounds.right - ink.bounds.left, notWritable, {"Arial", -13}))
        << "ink width " << ink.bounds.right - ink.bounds.left;
    PressOkWith(window, VK_RETURN);
}

TEST_F(StatusWindowTest, ExtractionFailed) {
    WriteSettings("1.0020");
    InstallOldProgram();
    fs::create_directories(TmpUp()); // a folder: no file can be written there
    StartByUser();
    HWND window = WaitForStatusWindow();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-extraction-failed");
    ExpectLines(window, {{{true, InstalledLine("1.0020"), false},
                          {true, updatingLine_, false},
                          {true, "Eroare la extragere fisiere!", true},
                          {false, "", false}}});
    PressOkWith(window, VK_RETURN);
}

TEST_F(StatusWindowTest, UserGaveUpWhileTheProgramRuns) {
    WriteSettings("1.0020");
    InstallOldProgram();
    HoldInstalledExe();
    StartByUser();
    // The question comes before the status window is seen.
    HWND dialog = WaitForWindow(Dialog, RunTimeoutMs, updater_.Id());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntilDrawn(dialog));
    EXPECT_EQ(FindWindowOfClass(StatusWindow, updater_.Id()), nullptr);
    EXPECT_EQ(FocusedControlId(dialog), ids::BE3);
    const WindowInfo question = Describe(dialog);
    EXPECT_EQ(question.caption, "Atentie !");
    ASSERT_NE(question.Child(ids::Label1), nullptr);
    EXPECT_EQ(question.Child(ids::Label1)->text, "Actualizare Zentor - Calvex");
    EXPECT_EQ(question.Child(ids::EroText)->text,
              " Inchideti mai intai programul Zentor - Calvex!");
    EXPECT_FALSE(question.Child(ids::BE1)->visible);
    EXPECT_FALSE(question.Child(ids::BE2)->visible);
    EXPECT_EQ(question.Child(ids::BE3)->formRect.left, 65);
    EXPECT_EQ(question.Child(ids::BE4)->formRect.left, 203);
    SaveScreenshot(dialog, "status-question");

    // "&OK" while the program still runs: the question again, still no status window.
    {
        ShowingCounter showings(dialog);
        EXPECT_TRUE(ClickControl(dialog, ChildById(dialog, ids::BE4)));
        ASSERT_TRUE(showings.WaitForShowings(1, RunTimeoutMs)) << "no second question";
    }
    EXPECT_EQ(FindWindowOfClass(StatusWindow, updater_.Id()), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return FocusedControlId(dialog) == ids::BE4; }));

    EXPECT_TRUE(ClickControl(dialog, ChildById(dialog, ids::BE3)));
    HWND window = WaitForStatusWindow();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-gave-up");
    ExpectLines(window, {{{true, InstalledLine("1.0020"), false},
                          {true, updatingLine_, false},
                          {true, "Nu pot modifica vechiul executabil!", true},
                          {false, "", false}}});
    EXPECT_FALSE(fs::exists(TmpUp()));
    PressOkWith(window, VK_RETURN);
}

const std::array<Line, 4> ReplacedLines = {
    {{true, "Aveti instalata versiunea 1.0020", false},
     {true, "Actualizam programul la versiunea 1.0029", false},
     {false, "", false},
     {true, "Actualizare incheiata cu succes!", false}}};

TEST_F(StatusWindowTest, ReplacedWhenStartedByTheProgram) {
    WriteSettings("1.0020");
    InstallOldProgram();
    StartByProgram();
    HWND window = WaitForStatusWindow();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-replaced-by-program");
    ExpectLines(window, ReplacedLines);
    // Closed by the system rather than by OK: no hand-back, so no removal script.
    CloseFromSystem(window);
    EXPECT_FALSE(fs::exists(installDir_ + "\\suicide.bat"));
}

TEST_F(StatusWindowTest, ReplacedWhenStartedByTheUser) {
    WriteSettings("1.0020");
    InstallOldProgram();
    StartByUser();
    HWND window = WaitForStatusWindow();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-replaced-by-user");
    ExpectLines(window, ReplacedLines);
    PressOkWith(window, VK_RETURN);
}

// The window itself, on the success outcome: frame, title, focus, gradient and place.
TEST_F(StatusWindowTest, LooksAndBehavesAsDesigned) {
    WriteSettings("1.0020");
    InstallOldProgram();
    StartByUser();
    HWND window = WaitForStatusWindow();
    ASSERT_NE(window, nullptr);
    const WindowInfo info = Describe(window);
    EXPECT_EQ(info.caption, "Actualizare");
    EXPECT_FALSE(info.HasCloseBox());
    EXPECT_FALSE(info.IsResizable());
    EXPECT_TRUE(info.IsTopmost());
    EXPECT_EQ(info.clientRect.right - info.clientRect.left, 377);
    EXPECT_EQ(info.clientRect.bottom - info.clientRect.top, 182);
    // The taskbar button shows the application's title.
    HWND application = FindWindowOfClass(ids::ApplicationWindowClass, updater_.Id(), true);
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(WindowText(application), "Actualizare Zentor - Calvex");

    // Centred on the whole desktop, by its outer size.
    const int width = info.windowRect.right - info.windowRect.left;
    const int height = info.windowRect.bottom - info.windowRect.top;
    EXPECT_EQ(info.windowRect.left,
              std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2));
    EXPECT_EQ(info.windowRect.top,
              std::max(0, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2));

    const Capture client = CaptureClient(window);
    // The title: bold, centred over 8..369.
    const ChildInfo* title = info.Child(ids::Form1Label1);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, Title);
    const Ink titleInk = MeasureInk(client, title->formRect, IsDarkInk);
    EXPECT_NEAR((titleInk.bounds.left + titleInk.bounds.right) / 2.0, 8 + 361 / 2.0, 3);
    EXPECT_TRUE(
        InkWidthLooksBold(titleInk.bounds.right - titleInk.bounds.left, Title, {"Arial", -16}));
    // Line 4 bold, line 1 regular.
    const ChildInfo* line1 = info.Child(ids::Linia1);
    const ChildInfo* line4 = info.Child(ids::Linia4);
    ASSERT_NE(line1, nullptr);
    ASSERT_NE(line4, nullptr);
    const RECT line1Ink = MeasureInk(client, line1->formRect, IsDarkInk).bounds;
    const RECT line4Ink = MeasureInk(client, line4->formRect, IsDarkInk).bounds;
    EXPECT_FALSE(InkWidthLooksBold(line1Ink.right - line1Ink.left, line1->text, {"Arial", -13}));
    EXPECT_TRUE(InkWidthLooksBold(line4Ink.right - line4Ink.left, line4->text, {"Arial", -13}));

    // The band under OK: white along its top edge, the window colour along its bottom edge.
    const ChildInfo* band = info.Child(ids::Form1GradientPanel1);
    ASSERT_NE(band, nullptr);
    for (int x : {band->formRect.left + 2, band->formRect.right - 3}) {
        EXPECT_EQ(ToString(client.At(x, band->formRect.top)), ToString(White)) << x;
        EXPECT_EQ(ToString(client.At(x, band->formRect.bottom - 1)), ToString(WindowColour)) << x;
    }
    // The window's own colour around the lines.
    EXPECT_EQ(ToString(client.At(4, 40)), ToString(WindowColour));

    // The panel's raised frame, one pixel wide: light above and left, shadow below and right.
    const ChildInfo* panel = info.Child(ids::Panel1);
    ASSERT_NE(panel, nullptr);
    const RECT& frame = panel->formRect;
    const int middle = (frame.left + frame.right) / 2 + 60; // clear of the OK button
    EXPECT_EQ(ToString(client.At(middle, frame.top)),
              ToString(FromColorRef(GetSysColor(COLOR_BTNHIGHLIGHT))));
    EXPECT_EQ(ToString(client.At(frame.left, frame.top + 20)),
              ToString(FromColorRef(GetSysColor(COLOR_BTNHIGHLIGHT))));
    EXPECT_EQ(ToString(client.At(middle, frame.bottom - 1)),
              ToString(FromColorRef(GetSysColor(COLOR_BTNSHADOW))));
    EXPECT_EQ(ToString(client.At(frame.right - 1, frame.top + 20)),
              ToString(FromColorRef(GetSysColor(COLOR_BTNSHADOW))));

    // OK holds the focus; Escape does nothing, Space presses OK.
    const ChildInfo* ok = info.Child(ids::Button1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text, "OK");
    EXPECT_EQ(FocusedControlId(window), ids::Button1);
    // The hand pointer over OK: another shape than over the lines.
    EXPECT_NE(CursorOver(window, ChildById(window, ids::Button1)),
              CursorOver(window, ChildById(window, ids::Linia1)));
    SaveScreenshot(window, "status-window");
    EXPECT_TRUE(TypeKey(window, {VK_ESCAPE, NoModifier}));
    EXPECT_FALSE(updater_.WaitForExit(2000).has_value()) << "Escape closed the window";
    // OK's caption has no "&": a NUL character (Ctrl+@) is no letter of it.
    PostMessageA(ChildById(window, ids::Button1), WM_CHAR, 0, 0);
    EXPECT_FALSE(updater_.WaitForExit(2000).has_value()) << "a NUL character pressed OK";
    EXPECT_TRUE(IsWindowVisible(window));
    PressOkWith(window, VK_SPACE);
}

// At 144 pixels per inch the whole window scales by one and a half.
TEST_F(StatusWindowTest, ScalesWithTheScreenDpi) {
    ScreenDpi dpi(144);
    auto scaled = [](int pixels) { return MulDiv(pixels, 144, 96); };
    WriteSettings("1.0029");
    InstallOldProgram();
    StartByUser();
    HWND window = WaitForStatusWindow();
    ASSERT_NE(window, nullptr);
    SaveScreenshot(window, "status-window-144dpi");
    const WindowInfo info = Describe(window);
    EXPECT_NEAR(info.clientRect.right - info.clientRect.left, scaled(377), 1);
    EXPECT_NEAR(info.clientRect.bottom - info.clientRect.top, scaled(182), 1);
    struct Expected {
        int id;
        RECT designed; // left, top, width, height at 96 dpi; 0 width: sized to its text
    };
    const int panelTop = 182 - 41;
    for (const Expected& control :
         std::vector<Expected>{{ids::Form1Label1, {8, 8, 361, 22}},
                               {ids::Linia1, {24, 48, 0, 0}},
                               {ids::Linia2, {24, 64, 0, 0}},
                               {ids::Panel1, {0, panelTop, 377, 41}},
                               {ids::Button1, {144, panelTop + 8, 81, 25}}}) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        const ChildInfo* child = info.Child(control.id);
        ASSERT_NE(child, nullptr);
        EXPECT_NEAR(child->formRect.left, scaled(control.designed.left), 1);
        EXPECT_NEAR(child->formRect.top, scaled(control.designed.top), 1);
        if (control.designed.right > 0) {
            EXPECT_NEAR(child->formRect.right - child->formRect.left,
                        scaled(control.designed.right), 1);
            EXPECT_NEAR(child->formRect.bottom - child->formRect.top,
                        scaled(control.designed.bottom), 1);
        }
    }
    // The fonts grow too: the title's ink is half as wide again.
    const Capture client = CaptureClient(window);
    const ChildInfo* title = info.Child(ids::Form1Label1);
    const Ink titleInk = MeasureInk(client, title->formRect, IsDarkInk);
    EXPECT_TRUE(InkWidthLooksBold(titleInk.bounds.right - titleInk.bounds.left, Title,
                                  {"Arial", scaled(-16)}));
    PressOkWith(window, VK_RETURN);
}

} // namespace
