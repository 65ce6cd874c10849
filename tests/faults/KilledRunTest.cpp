// The process killed at every step of a run, before each operation on the disk and halfway
// through each write: what is left keeps the program, and the next run completes the update.
#include "FaultWorld.h"

namespace {

using Operation = FakeOsServices::Operation;

struct Killed {};

struct Step {
    Operation operation;
    std::string path;
};

enum class Start { ByTheProgram, ByTheUser };

void PrintTo(Start start, std::ostream* out) {
    *out << (start == Start::ByTheProgram ? "started by the program" : "started by the user");
}

const char* NameOf(Operation operation) {
    switch (operation) {
    case Operation::ClearAttributes:
        return "clearing the attributes of";
    case Operation::Remove:
        return "removing";
    case Operation::Move:
        return "moving";
    case Operation::Flush:
        return "flushing";
    case Operation::LookUpResource:
        return "looking up the resource";
    case Operation::Create:
        return "creating";
    case Operation::Write:
        return "writing";
    }
    return "?";
}

// A world in which the old program lets go of its executable only after a while, so the run
// meets every kind of step: leftover removal, extraction, waiting, replacement, hand-back.
void Arrange(FaultWorld& world, Start start) {
    world.os.AddFile(world.Temp(), "MZ half of an earlier try");
    world.os.SetReadOnly(world.Exe());
    world.os.HoldUntil(world.Exe(), 300);
    if (start == Start::ByTheProgram) {
        world.StartWithParameter();
    } else {
        world.dialog.answers = {mrOk};
        world.dialog.onAnswer = [&world](std::uint16_t) { world.os.now += 1'000; };
    }
}

void RunToTheEnd(FaultWorld& world) {
    UpdateEngine engine{world.os, world.dialog};
    engine.RunUpdate();
    engine.HandBack();
}

std::vector<Step> StepsOfAWholeRun(Start start) {
    FaultWorld world;
    Arrange(world, start);
    std::vector<Step> steps;
    world.os.beforeOperation = [&](Operation operation, const std::string& path) {
        steps.push_back({operation, path});
    };
    RunToTheEnd(world);
    return steps;
}

class KilledRunTest : public testing::TestWithParam<Start> {};

TEST_P(KilledRunTest, KeepsTheProgramAndTheNextRunCompletesTheUpdate) {
    const auto steps = StepsOfAWholeRun(GetParam());
    ASSERT_GT(steps.size(), 8u);
    for (std::size_t k = 0; k < steps.size(); ++k) {
        for (const bool halfWritten : {false, true}) {
            if (halfWritten && steps[k].operation != Operation::Write) {
                continue;
            }
            SCOPED_TRACE("killed at step " + std::to_string(k + 1) + " of " +
                         std::to_string(steps.size()) +
                         (halfWritten ? ", halfway through " : ", ") + NameOf(steps[k].operation) +
                         " " + steps[k].path);
            FaultWorld world;
            Arrange(world, GetParam());
            const Disk before = Snapshot(world.os);
            std::size_t step = 0;
            world.os.beforeOperation = [&](Operation, const std::string& path) {
                if (step++ != k) {
                    return;
                }
                if (halfWritten) {
                    const std::string& bytes = Lower(path) == Lower(world.Temp())
                                                   ? world.payload
                                                   : std::string("partial script");
                    world.os.AddFile(path, bytes.substr(0, bytes.size() / 2));
                }
                throw Killed{};
            };
            EXPECT_THROW(RunToTheEnd(world), Killed);
            ExpectNothingLost(world, before, nullptr);

            // Started again, as the user or the program would.
            world.os.beforeOperation = nullptr;
            world.dialog.answers = {mrOk};
            const Disk beforeNext = Snapshot(world.os);
            UpdateEngine next{world.os, world.dialog};
            next.RunUpdate();
            EXPECT_EQ(Outcome(next.Report), FaultWorld::kSuccess);
            ExpectNothingLost(world, beforeNext, &next);
            EXPECT_EQ(world.FindFile(world.Exe())->bytes, world.payload);
            EXPECT_FALSE(world.os.HasFile(world.Temp()));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Starts, KilledRunTest,
                         testing::Values(Start::ByTheProgram, Start::ByTheUser),
                         [](const testing::TestParamInfo<Start>& info) {
                             return info.param == Start::ByTheProgram ? "ByTheProgram"
                                                                      : "ByTheUser";
                         });

} // namespace
