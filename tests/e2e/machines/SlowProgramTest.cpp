// A program that takes longer to close than the updater waits for it. The updater tried here is
// the test build with a three-second wait; the program holds its executable until the test ends
// it, so the question always comes.
#include "tests/e2e/update/UpdateFixture.h"

using namespace update_e2e;

namespace {

class SlowProgram : public UpdateEndToEnd {
  protected:
    void SetUp() override {
        CopyExisting(FromBuildPath(UPDATER_SHORT_WAIT_EXE), install.Updater());
        WriteSettings("C:\\nowhere", "1.0020");
        program = StartProgramAsking(install, kProgramHoldsOnMs);
        ASSERT_TRUE(program.has_value());
        dialog = wd::WaitForWindow(DialogWindowClass, kSlowMs);
        ASSERT_NE(dialog, nullptr) << "no question once the wait ran out";
        EXPECT_EQ(wd::FindWindowOfClass(StatusWindowClass), nullptr);
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
    }

    Installation install{root / "slow program"};
    std::optional<wd::Program> program;
    HWND dialog = nullptr;
};

TEST_F(SlowProgram, GivingUpKeepsTheUpdaterAndStartsNothing) {
    OwnerProcess updater(dialog);
    Answer(dialog, "&Renunt");
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    ExpectGaveUp(form, install);

    PressOk(form);
    EXPECT_TRUE(updater.HasExited(kSlowMs));
    // Whatever it would start or remove has had its chance by then.
    EXPECT_FALSE(wd::WaitUntil(
        [&] {
            return FindWindowA(nullptr, kNewTitle) != nullptr ||
                   FindWindowA(nullptr, kOldTitle) != nullptr || !Exists(install.Updater());
        },
        5000))
        << "a program was started or the updater removed";
    EXPECT_TRUE(Exists(install.Updater()));
    EXPECT_FALSE(Exists(install.Script()));
    EXPECT_TRUE(program->Running());
}

TEST_F(SlowProgram, OkOnceTheProgramHasClosedReplacesIt) {
    OwnerProcess updater(dialog);
    program->Terminate(); // it closes at last
    Answer(dialog, "&OK");
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    ExpectReplaced(form, install);
    ASSERT_NO_FATAL_FAILURE(HandBackOnOk(form, updater, install));
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
}

} // namespace
