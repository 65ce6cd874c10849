#include "engine/UpdateEngine.h"

#include "app/NumberSettings.h"
#include "app/ProductConstants.h"
#include "engine/CommandLine.h"
#include "engine/Paths.h"
#include "engine/RemovalScript.h"

using namespace product;

namespace {

constexpr Version kNotInstalledUpTo{10000}; // 1.0000 and below count as not installed
constexpr const char* kTempName = "TmpUp";
constexpr const char* kScriptName = "suicide.bat";

std::string Shown(Version version) {
    return ShowVersion(version, ProcessFormatSettings().DecimalSeparator);
}

// Every character other than a digit or the decimal separator becomes the separator.
std::string ReplaceForeignCharacters(std::string text, char separator) {
    for (char& c : text) {
        if ((c < '0' || c > '9') && c != separator) {
            c = separator;
        }
    }
    return text;
}

// On a network share the script's full path reaches the interpreter through this variable of its
// environment.
constexpr const char* kScriptVariable = "ZENTOR_CALVEX_SCRIPT";

} // namespace

std::string UpdateEngine::ReadSetting(const std::string& key) {
    return ReadSettingText(key).text;
}

AnsiText UpdateEngine::ReadSettingText(const std::string& key) {
    return os_.ReadProfileString(JoinPath(WindowsDir, SettingsFileName), SettingsSection, key);
}

void UpdateEngine::LocateInstallation() {
    WindowsDir = os_.WindowsDirectory();
    const LeadBytes leadBytes = os_.AnsiLeadBytes();
    const AnsiText commandLine = os_.RawCommandLine();
    const auto parameters = SplitParameters(commandLine.text);
    StartedWithParameter = !parameters.empty();

    // The parameter counts only from an updater placed in the installation folder, which the
    // "DATA" folder beside it shows; otherwise the updater's own folder is the installation.
    const AnsiText ownPath = os_.ModulePath();
    const std::string ownFolder = FolderPartOf(ownPath.text, leadBytes);
    std::string candidate = StartedWithParameter ? parameters.front() : std::string{};
    if (!(os_.FileExists(candidate) && os_.FolderExists(ownFolder + "DATA"))) {
        candidate = ownFolder + ProductExeName;
    }

    const AnsiText folder = StartedWithParameter ? AnsiText{FolderPartOf(candidate, leadBytes),
                                                            commandLine.exact && ownPath.exact}
                                                 : ReadSettingText("CALE");
    InstallDir = WithoutTrailingBackslash(TrimControlAndSpace(folder.text, leadBytes), leadBytes);
    InstallDirExact = folder.exact;

    const char separator = ProcessFormatSettings().DecimalSeparator;
    const auto text =
        ReplaceForeignCharacters(TrimControlAndSpace(ReadSetting("VER"), leadBytes), separator);
    InstalledVersion = ParseVersion(text, separator).value_or(Version{0});
}

bool UpdateEngine::ExtractPayload(const std::string& type, const std::string& name,
                                  const std::string& destination) {
    const ResourceBytes resource = os_.FindModuleResource(type, name);
    if (!resource.found) {
        return false;
    }
    // Straight from the module's image, in one write: no copy of the payload in memory.
    // Flushed before the old executable goes, so a power cut cannot leave a truncated program;
    // through the writing handle, so a scanner opening the new file cannot make the flush fail.
    const WriteResult written =
        os_.WriteNewFile(destination, resource.data, resource.size, Durability::FlushedToDisk);
    return written.created && written.bytesWritten == resource.size && written.flushed;
}

template <class Attempt> bool UpdateEngine::RetryFor(std::uint32_t milliseconds, Attempt attempt) {
    const std::uint64_t start = os_.MillisecondsSinceStart();
    while (!attempt()) {
        if (os_.MillisecondsSinceStart() - start >= milliseconds) {
            return false;
        }
        os_.Pause(timings_.RetryPauseMs);
    }
    return true;
}

void UpdateEngine::StopWithRedLine(int line, const std::string& text) {
    auto& status = Report.Lines[line - 1];
    status.Text = text;
    status.Red = true;
    status.Visible = true;
    for (std::size_t later = line; later < Report.Lines.size(); ++later) {
        Report.Lines[later].Visible = false;
    }
}

void UpdateEngine::ShowNotInstalled() {
    StopWithRedLine(2, std::string{"Programul "} + ProductDisplayName + " nu este instalat!");
    Report.Lines[0].Visible = false;
}

// The program is shutting down: wait, pausing, while it still holds its executable.
bool UpdateEngine::WaitForOldExecutableToGo() {
    return RetryFor(timings_.OldExecutableWaitMs, [this] {
        if (!os_.FileExists(TargetExe)) {
            return true;
        }
        // Results not examined: only whether the file is gone counts.
        os_.ClearAttributes(TargetExe);
        os_.RemoveFile(TargetExe);
        return !os_.FileExists(TargetExe);
    });
}

// The user started the updater: ask them to close the program until it lets go or they give up.
bool UpdateEngine::AskUntilOldExecutableIsGone() {
    while (os_.FileExists(TargetExe) &&
           !(os_.ClearAttributes(TargetExe) && os_.RemoveFile(TargetExe))) {
        const auto answer =
            dialog_.Mesaj(std::string{"Actualizare "} + ProductDisplayName,
                          std::string{" Inchideti mai intai programul "} + ProductDisplayName + "!",
                          mkWarning, bfOk | bfCancel);
        if (answer == mrCancel) {
            return false;
        }
    }
    dialog_.ProcessPendingMessages();
    return true;
}

bool UpdateEngine::MoveIntoPlace(const std::string& temp) {
    return RetryFor(timings_.MoveRetryMs,
                    [&] { return os_.MoveFileWriteThrough(temp, TargetExe); });
}

void UpdateEngine::RunUpdate() {
    LocateInstallation();
    Report.Title =
        std::string{"Actualizare "} + ProductDisplayName + " la ver." + Shown(CarriedVersion);

    // An empty folder would put every path at the root of the current drive.
    if (InstalledVersion <= kNotInstalledUpTo || InstallDir.empty()) {
        ShowNotInstalled();
        return;
    }
    Report.Lines[0] = {"Aveti instalata versiunea " + Shown(InstalledVersion)};

    // A path with "?" or a look-alike letter in place of a character names another folder, or
    // none: nothing is touched.
    if (!InstallDirExact) {
        StopWithRedLine(2, "Dosarul " + InstallDir + " are in nume litere nesuportate!");
        return;
    }

    const std::string exe = JoinPath(InstallDir, ProductExeName);
    if (CarriedVersion <= InstalledVersion && os_.FileExists(exe)) {
        StopWithRedLine(2, "Aveti deja ultima versiune!");
        return;
    }
    Report.Lines[1] = {"Actualizam programul la versiunea " + Shown(CarriedVersion)};

    const std::string temp = JoinPath(InstallDir, kTempName);
    if (os_.FileExists(temp) && !os_.RemoveFile(temp)) {
        StopWithRedLine(3, "Nu pot scrie in " + InstallDir + "!");
        return;
    }
    if (!ExtractPayload(PayloadResourceType, PayloadResourceName, temp)) {
        StopWithRedLine(3, "Eroare la extragere fisiere!");
        return;
    }
    TargetExe = exe;

    // A program that takes longer to close (a save question, a backup on exit) is still running:
    // the user is then asked, as when they started the updater themselves.
    const bool oldGone =
        (StartedWithParameter && WaitForOldExecutableToGo()) || AskUntilOldExecutableIsGone();
    if (!oldGone) {
        OldProgramStillRuns = true;
        os_.RemoveFile(temp); // result not examined: the old program is still in place
        StopWithRedLine(3, "Nu pot modifica vechiul executabil!");
        return;
    }
    if (!MoveIntoPlace(temp)) {
        ReplacementFailed = true;
        StopWithRedLine(3, "Eroare la inlocuirea executabilului!");
        return;
    }
    Report.Lines[2].Visible = false;
    Report.Lines[3] = {"Actualizare incheiata cu succes!"};
}

// The interpreter runs the script from its own folder, so no path passes through its command line.
// It refuses a network folder as its current one, though: there it runs from the system folder and
// finds the script through its environment, whose value it expands once, as it stands.
void UpdateEngine::StartRemovalScript(const std::string& scriptFolder,
                                      const std::string& scriptPath) {
    const std::string systemDirectory = os_.SystemDirectory();
    ProcessStart interpreter{.application = JoinPath(systemDirectory, "cmd.exe"),
                             .commandLine =
                                 InterpreterCommandLine(std::string{".\\"} + kScriptName),
                             .show = ShowState::Hidden,
                             .currentFolder = scriptFolder};
    if (scriptFolder.starts_with("\\\\")) {
        interpreter.commandLine = InterpreterCommandLine(std::string{"%"} + kScriptVariable + "%");
        interpreter.currentFolder = systemDirectory;
        interpreter.variableName = kScriptVariable;
        interpreter.variableValue = scriptPath;
    }
    os_.StartProcess(interpreter);
}

HandBackResult UpdateEngine::HandBack() {
    // The updater stays on disk, to be run again, while it is the only way to finish the update.
    if (!StartedWithParameter || ReplacementFailed || OldProgramStillRuns) {
        return {HandBackAction::QuitApplication, {}};
    }
    const LeadBytes leadBytes = os_.AnsiLeadBytes();
    const AnsiText updaterPath = os_.ModulePath();
    const std::string updaterFolder = FolderPartOf(updaterPath.text, leadBytes);
    const std::string scriptPath =
        JoinPath(WithoutTrailingBackslash(updaterFolder, leadBytes), kScriptName);

    // The interpreter reads the script in the console code page. A path that code page, or the
    // ANSI one, cannot spell could make the script delete another file: the updater then stays.
    const auto oemUpdater = os_.ToConsoleCodePage(updaterPath.text);
    const auto oemScript = os_.ToConsoleCodePage(scriptPath);
    const bool scriptCanNameFiles =
        updaterPath.exact && oemUpdater.has_value() && oemScript.has_value();
    if (scriptCanNameFiles) {
        const std::string script = RemovalScript(*oemUpdater, *oemScript);
        const WriteResult written =
            os_.WriteNewFile(scriptPath, script.data(), script.size(), Durability::Cached);
        if (!written.created || written.bytesWritten != script.size()) {
            return {HandBackAction::ShowError, "Nu pot crea fisierul \"" + scriptPath + "\". " +
                                                   os_.ErrorDescription(written.errorCode)};
        }
        StartRemovalScript(updaterFolder, scriptPath);
    }
    if (!TargetExe.empty()) {
        os_.StartProcess({.application = TargetExe,
                          .commandLine = "\"" + TargetExe + "\"",
                          .show = ShowState::Normal});
    }
    return {HandBackAction::EndProcess, {}};
}
