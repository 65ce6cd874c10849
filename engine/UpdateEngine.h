#pragma once

#include <cstdint>
#include <string>

#include "engine/StatusReport.h"
#include "engine/UserDialog.h"
#include "engine/Version.h"
#include "os/OsServices.h"

// What the OK button does once the hand-back has run.
enum class HandBackAction {
    QuitApplication, // end the event loop; the normal shutdown follows
    EndProcess,      // the script and the program are started: end the process at once
    ShowError,       // nothing was started; show ErrorMessage and keep the window open
};

struct HandBackResult {
    HandBackAction Action = HandBackAction::QuitApplication;
    std::string ErrorMessage;
};

// Waits and retries, named so the bounds are easy to find and to change.
struct UpdateTimings {
    std::uint32_t RetryPauseMs = 100;
    std::uint32_t OldExecutableWaitMs = 60'000; // the program normally closes in seconds
    std::uint32_t MoveRetryMs = 5'000;          // scanners hold a just-written file for a while
};

// One update run and its hand-back. The state is that of one process: located once, read by the
// run and by the hand-back.
class UpdateEngine {
  public:
    UpdateEngine(OsServices& os, UserDialog& dialog, UpdateTimings timings = {})
        : os_(os), dialog_(dialog), timings_(timings) {}

    void LocateInstallation();
    std::string ReadSetting(const std::string& key);
    bool ExtractPayload(const std::string& type, const std::string& name,
                        const std::string& destination);
    void RunUpdate();
    HandBackResult HandBack();

    std::string WindowsDir;
    bool StartedWithParameter = false;
    std::string InstallDir;
    // False when the ANSI code page cannot spell the folder: a look-alike names another one.
    bool InstallDirExact = true;
    Version InstalledVersion{};
    std::string TargetExe;
    // The old executable is gone but "TmpUp" could not take its name: "TmpUp" is then the only
    // copy of the new build, and the updater must not remove itself.
    bool ReplacementFailed = false;
    // The program did not close and the user gave up: the updater must stay, to be run again.
    bool OldProgramStillRuns = false;

    StatusReport Report;

  private:
    AnsiText ReadSettingText(const std::string& key);
    void ShowNotInstalled();
    void StopWithRedLine(int line, const std::string& text);
    bool WaitForOldExecutableToGo();
    bool AskUntilOldExecutableIsGone();
    bool MoveIntoPlace(const std::string& temp);
    void StartRemovalScript(const std::string& scriptFolder, const std::string& scriptPath);
    template <class Attempt> bool RetryFor(std::uint32_t milliseconds, Attempt attempt);

    OsServices& os_;
    UserDialog& dialog_;
    UpdateTimings timings_;
};
