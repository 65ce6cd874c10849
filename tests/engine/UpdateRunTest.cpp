#include "EngineFixture.h"
#include "ReportMatchers.h"

namespace {

using Operation = FakeOsServices::Operation;
using Strings = std::vector<std::string>;

const std::string kInstalled = "  Aveti instalata versiunea 1.0020";
const std::string kUpdating = "  Actualizam programul la versiunea 1.0029";
const std::string kSuccess = "  Actualizare incheiata cu succes!";

class UpdateRunTest : public EngineFixture {
  protected:
    Strings Run() {
        engine.RunUpdate();
        return Lines(engine.Report);
    }
};

// Each outcome of the run from a fresh world: what it shows and what it leaves on disk.
struct OutcomeCase {
    const char* name;
    std::function<void(UpdaterWorld&)> arrange;
    Strings expected;
    bool replaced;
    bool keepsTemp = false;
};

TEST_F(UpdateRunTest, TitleNamesTheCarriedVersion) {
    Run();
    EXPECT_EQ(engine.Report.Title, "Actualizare Zentor - Calvex la ver.1.0029");
}

TEST(UpdateRun, OutcomeTable) {
    const OutcomeCase cases[] = {
        {"not installed: no version",
         [](UpdaterWorld& t) { t.SetVersion(""); },
         {"-", "! Programul Zentor - Calvex nu este instalat!", "-", "-"},
         false},
        {"not installed: exactly 1.0000",
         [](UpdaterWorld& t) { t.SetVersion("1.0000"); },
         {"-", "! Programul Zentor - Calvex nu este instalat!", "-", "-"},
         false},
        {"not installed: empty folder",
         [](UpdaterWorld& t) { t.SetInstallFolder("  \\ "); },
         {"-", "! Programul Zentor - Calvex nu este instalat!", "-", "-"},
         false},
        {"up to date",
         [](UpdaterWorld& t) { t.SetVersion("1.0029"); },
         {"  Aveti instalata versiunea 1.0029", "! Aveti deja ultima versiune!", "-", "-"},
         false},
        {"newer installed",
         [](UpdaterWorld& t) { t.SetVersion("2"); },
         {"  Aveti instalata versiunea 2.0000", "! Aveti deja ultima versiune!", "-", "-"},
         false},
        {"folder not writable",
         [](UpdaterWorld& t) {
             t.os.AddFile(UpdaterWorld::kTemp);
             t.os.HoldForever(UpdaterWorld::kTemp);
         },
         {kInstalled, kUpdating, "! Nu pot scrie in D:\\Apps\\Prog!", "-"},
         false},
        {"read-only leftover is not made writable",
         [](UpdaterWorld& t) {
             t.os.AddFile(UpdaterWorld::kTemp);
             t.os.SetReadOnly(UpdaterWorld::kTemp);
         },
         {kInstalled, kUpdating, "! Nu pot scrie in D:\\Apps\\Prog!", "-"},
         false},
        {"extraction failed",
         [](UpdaterWorld& t) { t.os.Fail(Operation::LookUpResource); },
         {kInstalled, kUpdating, "! Eroare la extragere fisiere!", "-"},
         false},
        {"folder named TmpUp",
         [](UpdaterWorld& t) { t.os.AddFolder(UpdaterWorld::kTemp); },
         {kInstalled, kUpdating, "! Eroare la extragere fisiere!", "-"},
         false},
        {"flush failed",
         [](UpdaterWorld& t) { t.os.Fail(Operation::Flush); },
         {kInstalled, kUpdating, "! Eroare la extragere fisiere!", "-"},
         false,
         true},
        {"user gave up",
         [](UpdaterWorld& t) {
             t.os.HoldForever(UpdaterWorld::kExe);
             t.dialog.answers = {mrCancel};
         },
         {kInstalled, kUpdating, "! Nu pot modifica vechiul executabil!", "-"},
         false},
        {"replaced without parameter",
         [](UpdaterWorld&) {},
         {kInstalled, kUpdating, "-", kSuccess},
         true},
        {"replaced with parameter",
         [](UpdaterWorld& t) { t.StartWithParameter(UpdaterWorld::kExe); },
         {kInstalled, kUpdating, "-", kSuccess},
         true},
        {"deletable leftover replaced silently",
         [](UpdaterWorld& t) { t.os.AddFile(UpdaterWorld::kTemp, "old"); },
         {kInstalled, kUpdating, "-", kSuccess},
         true},
        {"read-only executable replaced without asking",
         [](UpdaterWorld& t) { t.os.SetReadOnly(UpdaterWorld::kExe); },
         {kInstalled, kUpdating, "-", kSuccess},
         true},
        {"equal version, executable missing",
         [](UpdaterWorld& t) {
             t.SetVersion("1.0029");
             t.os.RemoveFile(UpdaterWorld::kExe);
         },
         {"  Aveti instalata versiunea 1.0029", kUpdating, "-", kSuccess},
         true},
        {"newer version, executable missing",
         [](UpdaterWorld& t) {
             t.SetVersion("2.0000");
             t.os.RemoveFile(UpdaterWorld::kExe);
         },
         {"  Aveti instalata versiunea 2.0000", kUpdating, "-", kSuccess},
         true},
        {"with parameter, no executable: no waiting",
         [](UpdaterWorld& t) {
             t.StartWithParameter(UpdaterWorld::kUpdater);
             t.os.RemoveFile(UpdaterWorld::kExe);
         },
         {kInstalled, kUpdating, "-", kSuccess},
         true},
        {"installation folder the code page cannot spell",
         [](UpdaterWorld& t) {
             t.os.SetProfileString(UpdaterWorld::kSettings, "94", "CALE", "D:\\Apps\\Prog", false);
         },
         {kInstalled, "! Dosarul D:\\Apps\\Prog are in nume litere nesuportate!", "-", "-"},
         false},
        {"parameter the code page cannot spell",
         [](UpdaterWorld& t) {
             t.StartWithParameter(UpdaterWorld::kExe);
             t.os.commandLineExact = false;
         },
         {kInstalled, "! Dosarul D:\\Apps\\Prog are in nume litere nesuportate!", "-", "-"},
         false},
        {"updater's own path the code page cannot spell, with a parameter",
         [](UpdaterWorld& t) {
             t.StartWithParameter(UpdaterWorld::kExe);
             t.os.moduleFileNameExact = false;
         },
         {kInstalled, "! Dosarul D:\\Apps\\Prog are in nume litere nesuportate!", "-", "-"},
         false},
        {"updater's own path the code page cannot spell, the folder from the settings",
         [](UpdaterWorld& t) { t.os.moduleFileNameExact = false; },
         {kInstalled, kUpdating, "-", kSuccess},
         true},
        {"rename failed",
         [](UpdaterWorld& t) { t.os.Fail(Operation::Move); },
         {kInstalled, kUpdating, "! Eroare la inlocuirea executabilului!", "-"},
         false,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UpdaterWorld world;
        c.arrange(world);
        const bool hadTemp = world.os.HasFile(UpdaterWorld::kTemp);
        world.engine.RunUpdate();
        EXPECT_EQ(Lines(world.engine.Report), c.expected);
        EXPECT_EQ(world.Installed() == world.payload, c.replaced);
        if (!hadTemp) {
            EXPECT_EQ(world.os.HasFile(UpdaterWorld::kTemp), c.keepsTemp);
        }
        if (c.replaced) {
            EXPECT_EQ(world.engine.TargetExe, UpdaterWorld::kExe);
        }
    }
}

} // namespace

namespace {

TEST_F(UpdateRunTest, AsksUntilTheProgramIsClosed) {
    os.HoldForever(kExe);
    dialog.answers = {mrOk, mrOk};
    int presses = 0;
    dialog.onAnswer = [&](std::uint16_t) {
        if (++presses == 2) {
            os.Release(kExe); // the user closed the program, then pressed OK
        }
    };
    EXPECT_EQ(Run(), (Strings{kInstalled, kUpdating, "-", kSuccess}));
    ASSERT_EQ(dialog.questions.size(), 2u);
    const auto& question = dialog.questions.front();
    EXPECT_EQ(question.heading, "Actualizare Zentor - Calvex");
    EXPECT_EQ(question.text, " Inchideti mai intai programul Zentor - Calvex!");
    EXPECT_EQ(question.kind, mkWarning);
    EXPECT_EQ(question.buttons, bfOk | bfCancel);
    EXPECT_EQ(dialog.messagePumps, 1);
    EXPECT_EQ(Installed(), payload);
}

TEST_F(UpdateRunTest, GivingUpRemovesTheTemporaryFileAndKeepsTheProgram) {
    os.HoldForever(kExe);
    dialog.answers = {mrOk, mrCancel};
    Run();
    EXPECT_EQ(dialog.questions.size(), 2u);
    EXPECT_FALSE(os.HasFile(kTemp));
    EXPECT_EQ(Installed(), "MZ old build");
    EXPECT_EQ(dialog.messagePumps, 0);
}

TEST_F(UpdateRunTest, AttributesThatCannotBeClearedAreAskedAboutWithoutDeleting) {
    os.Fail(Operation::ClearAttributes, 1);
    dialog.answers = {mrOk};
    EXPECT_EQ(Run(), (Strings{kInstalled, kUpdating, "-", kSuccess}));
    EXPECT_EQ(dialog.questions.size(), 1u);
    EXPECT_EQ(os.calls[Operation::Remove], 1); // only the second, successful attempt
}

TEST_F(UpdateRunTest, WaitsWithPausesWhileTheProgramShutsDown) {
    StartWithParameter(kExe);
    os.HoldUntil(kExe, 3'000);
    EXPECT_EQ(Run(), (Strings{kInstalled, kUpdating, "-", kSuccess}));
    EXPECT_TRUE(dialog.questions.empty());
    EXPECT_EQ(os.pauses, 30); // one attempt each 100 ms
    EXPECT_EQ(Installed(), payload);
}

// A program that closes slower than the bounded wait: the user is asked as when they started the
// updater, and only a program that has let go is ever started again.
TEST_F(UpdateRunTest, AfterTheBoundedWaitAsksTheUser) {
    StartWithParameter(kExe);
    os.HoldForever(kExe);
    dialog.answers = {mrOk, mrCancel};
    EXPECT_EQ(Run(),
              (Strings{kInstalled, kUpdating, "! Nu pot modifica vechiul executabil!", "-"}));
    EXPECT_EQ(os.now, 60'000u);
    ASSERT_EQ(dialog.questions.size(), 2u);
    EXPECT_EQ(dialog.questions[0].heading, "Actualizare Zentor - Calvex");
    EXPECT_EQ(dialog.questions[0].text, " Inchideti mai intai programul Zentor - Calvex!");
    EXPECT_EQ(dialog.questions[0].kind, mkWarning);
    EXPECT_EQ(dialog.questions[0].buttons, bfOk | bfCancel);
    EXPECT_FALSE(os.HasFile(kTemp));
    EXPECT_EQ(Installed(), "MZ old build");

    // OK then keeps the updater, to be run again, and starts nothing.
    EXPECT_EQ(engine.HandBack().Action, HandBackAction::QuitApplication);
    EXPECT_FALSE(os.HasFile("D:\\Apps\\Prog\\suicide.bat"));
    EXPECT_TRUE(os.started.empty());
}

TEST_F(UpdateRunTest, ProgramClosedAfterTheQuestionIsReplacedAndStartedAgain) {
    StartWithParameter(kExe);
    os.HoldForever(kExe);
    dialog.answers = {mrOk};
    dialog.onAnswer = [&](std::uint16_t) { os.Release(kExe); };
    EXPECT_EQ(Run(), (Strings{kInstalled, kUpdating, "-", kSuccess}));
    EXPECT_EQ(Installed(), payload);
    EXPECT_EQ(engine.HandBack().Action, HandBackAction::EndProcess);
    ASSERT_EQ(os.started.size(), 2u);
    EXPECT_EQ(os.started[1].application, kExe);
}

// The fault seen in a Japanese locale: the trailing byte of "ソ" taken for a "\" put the new
// build into the parent folder and reported success over the old program.
TEST_F(UpdateRunTest, DoubleByteFolderIsUpdatedInPlace) {
    const std::string folder = "C:\\Apps\\\x83\x5C\x83t\x83g\\\x83\x5C"; // C:\Apps\ソフト\ソ
    os.ansiCodePage = 932;
    os.AddFile(folder + "\\ZentorCalvex.exe", "MZ old build");
    SetInstallFolder(folder);
    EXPECT_EQ(Run(), (Strings{kInstalled, kUpdating, "-", kSuccess}));
    EXPECT_EQ(os.FindFile(folder + "\\ZentorCalvex.exe")->bytes, payload);
    // The settings, the updater, the other installation's program and this one: nothing beside.
    EXPECT_EQ(os.FilePaths().size(), 4u);
}

// A scanner opens the new file the moment it is written: the flush through the writing handle
// is done by then, and the move waits for the scanner.
TEST_F(UpdateRunTest, ScannerOpeningTheNewFileSpoilsNothing) {
    os.beforeOperation = [&](Operation operation, const std::string& path) {
        if (operation == Operation::Flush && path == kTemp) {
            os.HoldUntil(kTemp, os.now + 1'000);
        }
    };
    EXPECT_EQ(Run(), (Strings{kInstalled, kUpdating, "-", kSuccess}));
    EXPECT_EQ(Installed(), payload);
}

TEST_F(UpdateRunTest, RetriesAMoveThatAScannerBlocksForAWhile) {
    os.Fail(Operation::Move, 20);
    EXPECT_EQ(Run(), (Strings{kInstalled, kUpdating, "-", kSuccess}));
    EXPECT_EQ(os.calls[Operation::Move], 21);
}

TEST_F(UpdateRunTest, FailedMoveKeepsTheNewBuildAsTmpUp) {
    os.Fail(Operation::Move);
    Run();
    EXPECT_TRUE(engine.ReplacementFailed);
    EXPECT_FALSE(os.HasFile(kExe));
    EXPECT_EQ(os.FindFile(kTemp)->bytes, payload);
    EXPECT_EQ(os.now, 5'000u);
}

TEST_F(UpdateRunTest, NextRunAfterAFailedExtractionCompletesTheUpdate) {
    os.ShortenNextWrite(5);
    Run();
    ASSERT_TRUE(os.HasFile(kTemp));
    UpdateEngine second{os, dialog};
    second.RunUpdate();
    EXPECT_EQ(Lines(second.Report), (Strings{kInstalled, kUpdating, "-", kSuccess}));
    EXPECT_EQ(Installed(), payload);
}

TEST_F(UpdateRunTest, NothingIsWrittenBeforeTheDecision) {
    SetVersion("1.0029");
    Run();
    EXPECT_EQ(os.calls[Operation::Create], 0);
    EXPECT_EQ(os.calls[Operation::Remove], 0);
    EXPECT_EQ(engine.TargetExe, "");
}

} // namespace
