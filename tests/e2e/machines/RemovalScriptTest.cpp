// The removal script meets an updater it cannot delete yet (read-only here): it pauses between
// tries instead of spinning, keeps trying, and once the file can go, removes it and itself.
#include "tests/e2e/update/UpdateFixture.h"

#include <cstdio>

using namespace update_e2e;

namespace {

std::uint64_t ProcessorMs(HANDLE process) {
    FILETIME created{}, ended{}, kernel{}, user{};
    GetProcessTimes(process, &created, &ended, &kernel, &user);
    const auto ticks = [](FILETIME time) {
        return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000; // 100-nanosecond ticks
}

TEST_F(UpdateEndToEnd, RemovalScriptPausesBetweenTriesAndKeepsTrying) {
    Installation install(root / "read-only updater");
    WriteSettings("C:\\nowhere", "1.0020");
    ASSERT_TRUE(SetFileAttributesA(install.Updater().c_str(), FILE_ATTRIBUTE_READONLY));
    auto program = StartProgramAsking(install, 0);
    ASSERT_TRUE(program.has_value());
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    OwnerProcess updater(form);
    ExpectReplaced(form, install);

    PressOk(form);
    EXPECT_TRUE(updater.HasExited(kSlowMs));
    HWND started = WaitForTitle(kNewTitle);
    ASSERT_NE(started, nullptr) << "the new build was not started";
    OwnerProcess newProgram(started);
    const auto interpreterId = ProcessStartedBy(updater.Id(), "cmd.exe");
    ASSERT_TRUE(interpreterId.has_value()) << "no removal script running";
    UniqueHandle interpreter(
        OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, *interpreterId));
    ASSERT_TRUE(interpreter.Valid());

    // A script that spun would use a processor all along, and give up within moments.
    constexpr DWORD kWatchMs = 6000;
    const std::uint64_t processorBefore = ProcessorMs(interpreter.Get());
    EXPECT_EQ(WaitForSingleObject(interpreter.Get(), kWatchMs), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the script stopped trying";
    const std::uint64_t processor = ProcessorMs(interpreter.Get()) - processorBefore;
    std::printf("removal script: %llu ms of processor in %lu ms of waiting\n",
                static_cast<unsigned long long>(processor), static_cast<unsigned long>(kWatchMs));
    EXPECT_LT(processor, kWatchMs / 2) << "the script spins instead of pausing";
    EXPECT_TRUE(Exists(install.Updater()));
    EXPECT_TRUE(Exists(install.Script()));

    SetFileAttributesA(install.Updater().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(wd::WaitUntil(
        [&] { return !Exists(install.Updater()) && !Exists(install.Script()); }, kSlowMs))
        << "the script did not try again";
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
    PostMessageA(started, WM_CLOSE, 0, 0);
    EXPECT_TRUE(newProgram.HasExited(kSlowMs));
}

} // namespace
