// The user, not seeing the updater's question behind another window, starts the updater again:
// the second one ends and the first one's question comes to the front.
#include "tests/e2e/update/UpdateFixture.h"

using namespace update_e2e;

namespace {

TEST_F(StartedByTheUser, ASecondUpdaterBringsTheQuestionToTheFront) {
    ASSERT_TRUE(wd::BringToForeground(programWindow));
    ASSERT_NE(GetForegroundWindow(), dialog);

    auto second = wd::Program::Start(Quoted(install.Updater()));
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->WaitForExit(kSlowMs), 0u);
    EXPECT_TRUE(wd::WaitUntil([&] { return GetForegroundWindow() == dialog; }, kSlowMs))
        << "the question stayed behind";
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
}

} // namespace
