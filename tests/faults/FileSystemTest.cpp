// Files that resist: a leftover "TmpUp" that cannot go, an executable that is held or read-only,
// a folder that is missing. Each run ends clearly and keeps the program.
#include "FaultWorld.h"

namespace {

using Operation = FakeOsServices::Operation;

const std::string kCannotWrite = "! Nu pot scrie in C:\\Program Files\\Zentor Calvex!";
const std::string kExtractionFailed = "! Eroare la extragere fisiere!";
const std::string kCannotModify = "! Nu pot modifica vechiul executabil!";
const std::string kSuccess = FaultWorld::kSuccess;

void LeftoverTemp(FaultWorld& w) {
    w.os.AddFile(w.Temp(), "MZ half a build");
}

// The user presses OK a few seconds later, once the program has let go or not.
void AnswerAfterAWhile(FaultWorld& w, std::deque<std::uint16_t> answers) {
    w.dialog.answers = std::move(answers);
    w.dialog.onAnswer = [&w](std::uint16_t) { w.os.now += 4'000; };
}

TEST(ResistingFiles, EndClearlyAndLoseNothing) {
    const Installation kMissingFolder =
        Installation::UpdaterAway(false, "D:\\Lipsa\\Zentor Calvex");
    RunTable({
        {"TmpUp read-only",
         {},
         [](FaultWorld& w) {
             LeftoverTemp(w);
             w.os.SetReadOnly(w.Temp());
         },
         kCannotWrite},
        {"TmpUp held by another process",
         {},
         [](FaultWorld& w) {
             LeftoverTemp(w);
             w.os.HoldForever(w.Temp());
         },
         kCannotWrite},
        {"TmpUp held, started by the program",
         {},
         [](FaultWorld& w) {
             LeftoverTemp(w);
             w.os.HoldForever(w.Temp());
             w.StartWithParameter();
         },
         kCannotWrite},
        {"TmpUp a folder", {}, [](FaultWorld& w) { w.os.AddFolder(w.Temp()); }, kExtractionFailed},
        {"installation folder unwritable",
         {},
         [](FaultWorld& w) { w.os.SetUnwritableFolder(w.installDir); },
         kExtractionFailed},
        {"executable read-only", {}, [](FaultWorld& w) { w.os.SetReadOnly(w.Exe()); }, kSuccess},
        {"executable read-only, started by the program",
         {},
         [](FaultWorld& w) {
             w.os.SetReadOnly(w.Exe());
             w.StartWithParameter();
         },
         kSuccess},
        {"executable held, released after 3 s, started by the program",
         {},
         [](FaultWorld& w) {
             w.os.HoldUntil(w.Exe(), 3'000);
             w.StartWithParameter();
         },
         kSuccess},
        {"executable held, released after 3 s, the user asked",
         {},
         [](FaultWorld& w) {
             w.os.HoldUntil(w.Exe(), 3'000);
             AnswerAfterAWhile(w, {mrOk});
         },
         kSuccess},
        {"executable never released, started by the program: asked after the wait",
         {},
         [](FaultWorld& w) {
             w.os.HoldForever(w.Exe());
             w.StartWithParameter();
             AnswerAfterAWhile(w, {mrOk, mrCancel});
         },
         kCannotModify},
        {"executable released after 62 s, started by the program: asked once",
         {},
         [](FaultWorld& w) {
             w.os.HoldUntil(w.Exe(), 62'000);
             w.StartWithParameter();
             AnswerAfterAWhile(w, {mrOk});
         },
         kSuccess},
        {"executable never released, the user gives up",
         {},
         [](FaultWorld& w) {
             w.os.HoldForever(w.Exe());
             AnswerAfterAWhile(w, {mrOk, mrOk, mrCancel});
         },
         kCannotModify},
        {"TmpUp cannot take the executable's name",
         {},
         [](FaultWorld& w) { w.os.Fail(Operation::Move); },
         "! Eroare la inlocuirea executabilului!"},
        {"installation folder missing", kMissingFolder, [](FaultWorld&) {}, kExtractionFailed},
        {"installation folder missing, started by the program", kMissingFolder,
         [](FaultWorld& w) { w.StartWithParameter(); }, kSuccess},
    });
}

// Giving up leaves the old program alone and starts no second copy beside it; the updater stays,
// to be run again.
TEST(ResistingFiles, GivingUpLeavesNoTemporaryFileAndStartsNothing) {
    for (const bool startedByProgram : {false, true}) {
        FaultWorld world;
        world.os.HoldForever(world.Exe());
        if (startedByProgram) {
            world.StartWithParameter();
        }
        AnswerAfterAWhile(world, {mrCancel});
        EXPECT_EQ(RunAndPressOk(world), kCannotModify);
        EXPECT_FALSE(world.os.HasFile(world.Temp())) << startedByProgram;
        EXPECT_EQ(world.FindFile(world.Exe())->bytes, world.oldBuild);
        EXPECT_TRUE(world.os.HasFile(world.os.moduleFileName));
        EXPECT_TRUE(world.os.started.empty());
    }
}

TEST(ResistingFiles, NewBuildLeftAsTmpUpIsNotRemovedWithTheUpdater) {
    FaultWorld world;
    world.os.Fail(Operation::Move);
    world.StartWithParameter();
    RunAndPressOk(world);
    EXPECT_EQ(world.FindFile(world.Temp())->bytes, world.payload);
    EXPECT_TRUE(world.os.started.empty()) << "the updater must stay to finish the job";
}

} // namespace
