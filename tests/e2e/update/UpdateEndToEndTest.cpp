// The real updater with the stand-in program under Wine: started the way the program starts it,
// driven the way a user does, judged by what is on disk afterwards.
#include "tests/e2e/update/UpdateFixture.h"

using namespace update_e2e;

namespace {

TEST_F(UpdateEndToEnd, ProgramAskingGetsItsExecutableReplacedAndTheNewBuildStarted) {
    Installation install(root / "replace");
    WriteSettings("C:\\nowhere", "1.0020"); // the parameter names the folder, not "CALE"
    ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install));
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
}

TEST_F(UpdateEndToEnd, UnderProgramFilesAPlantedProgramExeIsNeverStarted) {
    // What a search for the unquoted path would try before the real program.
    RestoredFile plantedAtRoot{"C:\\Program.exe"};
    RestoredFile rootMarker{"C:\\Program.exe.ran"};
    RestoredFile plantedInProgramFiles{"C:\\Program Files\\Zentor.exe"};
    RestoredFile innerMarker{"C:\\Program Files\\Zentor.exe.ran"};
    CopyExisting(FromBuildPath(MARKER_PROGRAM), "C:\\Program.exe");
    CopyExisting(FromBuildPath(MARKER_PROGRAM), "C:\\Program Files\\Zentor.exe");

    Installation install("C:\\Program Files\\Zentor Calvex");
    WriteSettings("C:\\nowhere", "1.0020");
    ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install));
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
    EXPECT_FALSE(Exists("C:\\Program.exe.ran"));
    EXPECT_FALSE(Exists("C:\\Program Files\\Zentor.exe.ran"));
}

// Folders whose names the command interpreter could misread. The trap is the folder a misread
// script would delete from instead; it is made through the wide API, since its name need not
// exist in the ANSI code page.
struct OddFolder {
    const char* label;
    std::wstring name;
    std::wstring trap;
};

class TrapFolder {
  public:
    explicit TrapFolder(std::wstring path) : path_(std::move(path)) {
        CreateDirectoryW(path_.c_str(), nullptr);
        const std::string updater = FromBuildPath(UPDATER_EXE);
        EXPECT_TRUE(CopyFileW(std::wstring(updater.begin(), updater.end()).c_str(), // ASCII
                              Updater().c_str(), FALSE));
    }
    ~TrapFolder() {
        DeleteFileW(Updater().c_str());
        RemoveDirectoryW(path_.c_str());
    }
    TrapFolder(const TrapFolder&) = delete;
    TrapFolder& operator=(const TrapFolder&) = delete;
    bool Intact() const { return GetFileAttributesW(Updater().c_str()) != INVALID_FILE_ATTRIBUTES; }

  private:
    std::wstring Updater() const { return path_ + L"\\ActualizareCalvex.exe"; }
    std::wstring path_;
};

class OddFolderEndToEnd : public UpdateEndToEnd, public ::testing::WithParamInterface<OddFolder> {};

TEST_P(OddFolderEndToEnd, UpdaterRemovesItselfAndNothingElse) {
    const auto name = ToAnsi(GetParam().name);
    if (!name) {
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " cannot spell the folder name";
    }
    TrapFolder trap(L"C:\\e2e\\" + GetParam().trap);
    Installation install(root / *name);
    WriteWholeFile(install.Folder() + "\\notes.txt", "kept");
    WriteSettings("C:\\nowhere", "1.0020");

    ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install));
    EXPECT_EQ(FolderEntries(install.Folder()),
              (std::vector<std::string>{"DATA", "ZentorCalvex.exe", "notes.txt"}));
    EXPECT_TRUE(trap.Intact()) << "the script deleted from the wrong folder";
}

INSTANTIATE_TEST_SUITE_P(
    Names, OddFolderEndToEnd,
    ::testing::Values(
        // Undoubled, "%sigur%" expands to nothing and the script names "100x".
        OddFolder{"Percent", L"100%sigur%x", L"100x"},
        // A defined variable: the interpreter's own command line would expand it, so the
        // script must be started without its folder on that line.
        OddFolder{"PercentVariable", L"x%OS%y", L"xWindows_NTy"},
        // Written in the ANSI code page 1252, the console code page 437 would read a theta.
        OddFolder{"NonAscii", L"Calvex caf\u00e9", L"Calvex caf\u0398"}),
    [](const auto& info) { return std::string{info.param.label}; });

// Outcomes that change nothing: the program stays as it was, and the updater still goes.
struct Unchanged {
    const char* label;
    const char* ver;
    Lines lines; // only the visible ones are compared
};

class UnchangedEndToEnd : public UpdateEndToEnd, public ::testing::WithParamInterface<Unchanged> {};

TEST_P(UnchangedEndToEnd, LeavesTheExecutableAndNoTemporaryFile) {
    Installation install(root / "unchanged");
    WriteSettings("C:\\nowhere", GetParam().ver);
    auto program = StartProgramAsking(install, 0);
    ASSERT_TRUE(program.has_value());

    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    OwnerProcess updater(form);
    EXPECT_EQ(VisibleTexts(ReadLines(form)), VisibleTexts(GetParam().lines));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
    EXPECT_FALSE(Exists(install.Temp()));

    PressOk(form);
    EXPECT_TRUE(updater.HasExited(kSlowMs));
    EXPECT_TRUE(wd::WaitUntil(
        [&] { return !Exists(install.Updater()) && !Exists(install.Script()); }, kSlowMs));
    EXPECT_EQ(FindWindowA(nullptr, kOldTitle), nullptr) << "nothing is started";
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, UnchangedEndToEnd,
    ::testing::Values(Unchanged{"UpToDate",
                                "1.0029",
                                {{{"Aveti instalata versiunea 1.0029", true},
                                  {"Aveti deja ultima versiune!", true}}}},
                      Unchanged{"NotInstalled",
                                "",
                                {{{}, {"Programul Zentor - Calvex nu este instalat!", true}}}},
                      Unchanged{"NotInstalledAtOne",
                                "1.0000",
                                {{{}, {"Programul Zentor - Calvex nu este instalat!", true}}}}),
    [](const auto& info) { return std::string{info.param.label}; });

// A script that cannot be created (here a folder holds its name): the error is shown over the
// status window, which stays, and nothing is started or removed.
TEST_F(UpdateEndToEnd, ScriptThatCannotBeCreatedIsReportedAndNothingStarts) {
    Installation install(root / "no script");
    MakeFolder(install.Script());
    WriteSettings("C:\\nowhere", "1.0020");
    auto program = StartProgramAsking(install, 0);
    ASSERT_TRUE(program.has_value());
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    OwnerProcess updater(form);

    PressOk(form);
    HWND box = wd::WaitForWindow("#32770", kSlowMs, updater.Id());
    ASSERT_NE(box, nullptr) << "no error shown";
    EXPECT_EQ(wd::WindowText(box), "Actualizare Zentor - Calvex");
    constexpr int kMessageBoxTextId = 0xFFFF;
    const std::string text = wd::WindowText(wd::ChildById(box, kMessageBoxTextId));
    const std::string named = "Nu pot crea fisierul \"" + install.Script() + "\". ";
    EXPECT_EQ(text.substr(0, named.size()), named) << text;
    EXPECT_GT(text.size(), named.size()) << "without the system's reason";

    ASSERT_TRUE(wd::ClickControl(box, wd::ChildById(box, IDOK)));
    EXPECT_TRUE(wd::WaitForNoWindow("#32770", kSlowMs, updater.Id()));
    EXPECT_TRUE(IsWindowVisible(form)) << "the status window stays open";
    EXPECT_FALSE(updater.HasExited(0));
    EXPECT_EQ(FindWindowA(nullptr, kNewTitle), nullptr) << "nothing is started";
    EXPECT_TRUE(Exists(install.Updater()));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild);
}

TEST_F(StartedByTheUser, GivingUpLeavesTheProgramAsItWas) {
    Answer("&Renunt");
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    const Lines lines = ReadLines(form);
    EXPECT_EQ(lines[2], (Line{"Nu pot modifica vechiul executabil!", true}));
    EXPECT_FALSE(lines[3].visible);
    EXPECT_FALSE(Exists(install.Temp()));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);

    CloseStatusWindow(form);
    EXPECT_TRUE(program->Running());
}

TEST_F(StartedByTheUser, ClosingTheProgramThenOkReplacesIt) {
    PostMessageA(programWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(program->WaitForExit(kSlowMs), 0u);
    Answer("&OK");
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    ExpectReplaced(form, install);

    CloseStatusWindow(form);
    EXPECT_EQ(FindWindowA(nullptr, kNewTitle), nullptr) << "started by the user, it starts nothing";
}

// A program slower to close than the updater's bound on its wait (three seconds in this test
// build): the updater then asks, as when the user started it, and never starts a second copy
// beside the one still running.
class SlowProgram : public UpdateEndToEnd {
  protected:
    void SetUp() override {
        WriteSettings("C:\\nowhere", "1.0020");
        program = StartProgramAsking(install, 10 * kSlowMs);
        ASSERT_TRUE(program.has_value());
        dialog = wd::WaitForWindow(DialogWindowClass, kSlowMs);
        ASSERT_NE(dialog, nullptr) << "not asked once the wait is over";
        EXPECT_TRUE(program->Running());
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
    }
    void Answer(const std::string& caption) { UpdateEndToEnd::Answer(dialog, caption); }

    Installation install{root / "slow", UPDATER_SHORT_WAIT_EXE};
    std::optional<wd::Program> program;
    HWND dialog = nullptr;
};

TEST_F(SlowProgram, GivingUpKeepsTheUpdaterAndStartsNothing) {
    Answer("&Renunt");
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    OwnerProcess updater(form);
    EXPECT_EQ(ReadLines(form)[2], (Line{"Nu pot modifica vechiul executabil!", true}));
    EXPECT_FALSE(Exists(install.Temp()));

    PressOk(form);
    EXPECT_TRUE(updater.HasExited(kSlowMs));
    EXPECT_EQ(FindWindowA(nullptr, kNewTitle), nullptr) << "started beside the running program";
    EXPECT_TRUE(Exists(install.Updater())) << "it must stay, to be run again";
    EXPECT_FALSE(Exists(install.Script()));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
}

TEST_F(SlowProgram, ProgramClosedThenOkCompletesTheUpdate) {
    program->Terminate(); // it finally closes
    Answer("&OK");
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    ExpectReplaced(form, install);
    HandBackAfterUpdate(form, install);
}

} // namespace
