// The real updater under Wine, attacked: a second copy started beside a running one, and the
// process killed at chosen moments. Afterwards the installed program is intact under its name, or
// the complete new build is on disk as "TmpUp", and the next run completes the update.
#include "tests/e2e/update/UpdateFixture.h"

using namespace update_e2e;

namespace {

// Long enough that only the test ends the program's hold on its executable.
constexpr int kProgramHoldsOnMs = 600000;

// Where the second updater lies: the first one's own file, or a copy elsewhere that finds the
// same installation through "CALE".
struct SecondUpdater {
    const char* label;
    bool copyElsewhere;
};

class SecondUpdaterWhileOneAsks : public StartedByTheUser,
                                  public ::testing::WithParamInterface<SecondUpdater> {};

TEST_P(SecondUpdaterWhileOneAsks, EndsAtOnceTouchingNothingAndTheFirstCarriesOn) {
    ScratchFolder elsewhere{root / "elsewhere"};
    std::string second = install.Updater();
    if (GetParam().copyElsewhere) {
        second = elsewhere / kUpdaterName;
        CopyExisting(FromBuildPath(UPDATER_EXE), second);
    }
    const auto entries = FolderEntries(install.Folder());
    const auto temp = ReadWholeFile(install.Temp());
    ASSERT_TRUE(temp == newBuild) << "the first updater has not extracted";

    // Started while the first one asks. Without the claim it would extract and ask too, and
    // never end by itself.
    ASSERT_TRUE(IsWindowVisible(dialog));
    SetForegroundWindow(programWindow); // the user went back to the program meanwhile
    auto secondRun = wd::Program::Start(Quoted(second));
    ASSERT_TRUE(secondRun.has_value());
    EXPECT_EQ(secondRun->WaitForExit(kSlowMs), 0u);
    // The user who started it sees the running one: its question comes to the front.
    EXPECT_TRUE(wd::WaitUntil([&] { return GetForegroundWindow() == dialog; }, kSlowMs));
    EXPECT_EQ(FolderEntries(install.Folder()), entries);
    EXPECT_TRUE(ReadWholeFile(install.Temp()) == temp);
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
    if (GetParam().copyElsewhere) {
        EXPECT_EQ(FolderEntries(elsewhere.Path()), (std::vector<std::string>{kUpdaterName}));
    }
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the first updater's question went";

    // The first one, answered with "&Renunt", ends as it always does.
    HWND giveUp = wd::ChildById(dialog, BE3);
    ASSERT_NE(giveUp, nullptr);
    EXPECT_EQ(wd::WindowText(giveUp), "&Renunt");
    ASSERT_TRUE(wd::ClickControl(dialog, giveUp));
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(ReadLines(form)[2], (Line{"Nu pot modifica vechiul executabil!", true}));
    EXPECT_FALSE(Exists(install.Temp()));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
    CloseStatusWindow(form);
    EXPECT_TRUE(program->Running());
}

INSTANTIATE_TEST_SUITE_P(Places, SecondUpdaterWhileOneAsks,
                         ::testing::Values(SecondUpdater{"SameFile", false},
                                           SecondUpdater{"CopyElsewhere", true}),
                         [](const auto& info) { return std::string{info.param.label}; });

// Killed while it asks the user to close the program, the new build already written.
TEST_F(StartedByTheUser, KilledWhileAskingLeavesTheProgramIntactAndTheNextRunCompletes) {
    OwnerProcess(dialog).Terminate();
    ASSERT_FALSE(updater->Running());
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild) << "the installed program was hurt";
    const auto temp = ReadWholeFile(install.Temp());
    EXPECT_TRUE(!temp || *temp == newBuild) << "a partial new build";
    EXPECT_TRUE(Exists(install.Updater()));
    EXPECT_FALSE(Exists(install.Script()));

    // The user closes the program and starts the updater again: "CALE" leads it to the folder.
    PostMessageA(programWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(program->WaitForExit(kSlowMs), 0u);
    updater = wd::Program::Start(Quoted(install.Updater()));
    ASSERT_TRUE(updater.has_value());
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    ExpectReplaced(form, install);
    CloseStatusWindow(form);
}

using KilledUpdater = UpdateEndToEnd;

TEST_F(KilledUpdater, WhileWaitingForTheProgramLeavesItIntactAndTheNextRunCompletes) {
    Installation install(root / "killed waiting");
    WriteSettings("C:\\nowhere", "1.0020");
    {
        auto program = StartProgramAsking(install, kProgramHoldsOnMs);
        ASSERT_TRUE(program.has_value());
        // Killed once the new build is wholly written, while it waits for the program to go.
        ASSERT_TRUE(
            wd::WaitUntil([&] { return ReadWholeFile(install.Temp()) == newBuild; }, kSlowMs));
        const auto updaterId = ProcessStartedBy(program->Id(), kUpdaterName);
        ASSERT_TRUE(updaterId.has_value()) << "no updater started by the program";
        OwnerProcess updater(*updaterId);
        updater.Terminate();
        ASSERT_TRUE(updater.HasExited(0));

        EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild) << "the installed program was hurt";
        const auto temp = ReadWholeFile(install.Temp());
        EXPECT_TRUE(!temp || *temp == newBuild) << "a partial new build";
        EXPECT_TRUE(Exists(install.Updater()));
        EXPECT_FALSE(Exists(install.Script()));
        program->Terminate(); // the user closes the program some other way
    }

    // Started again, the old program asks again, and this time the road goes through.
    ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install));
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
}

TEST_F(KilledUpdater, WithTheStatusWindowShowingLeavesTheNewBuildAndItself) {
    Installation install(root / "killed showing");
    WriteSettings("C:\\nowhere", "1.0020");
    auto program = StartProgramAsking(install, 0);
    ASSERT_TRUE(program.has_value());
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(ReadLines(form)[3], (Line{"Actualizare incheiata cu succes!", true}));
    OwnerProcess updater(form);
    updater.Terminate();
    ASSERT_TRUE(updater.HasExited(0));

    // Killed before OK: replaced, but no script ran and nothing was started.
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild);
    EXPECT_EQ(FolderEntries(install.Folder()),
              (std::vector<std::string>{kUpdaterName, "DATA", "ZentorCalvex.exe"}));
    EXPECT_EQ(FindWindowA(nullptr, kNewTitle), nullptr);

    // The next run started by the user, once the settings name the new version, finds nothing
    // to do and keeps the program.
    WriteSettings(install.Folder(), "1.0029");
    auto next = wd::Program::Start(Quoted(install.Updater()));
    ASSERT_TRUE(next.has_value());
    form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(VisibleTexts(ReadLines(form)),
              (std::vector<std::string>{"Aveti instalata versiunea 1.0029",
                                        "Aveti deja ultima versiune!"}));
    PressOk(form);
    EXPECT_EQ(next->WaitForExit(kSlowMs), 0u);
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild);
    EXPECT_EQ(FolderEntries(install.Folder()),
              (std::vector<std::string>{kUpdaterName, "DATA", "ZentorCalvex.exe"}));
}

} // namespace
