#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/Paths.h"
#include "os/fake/FakeOsServices.h"
#include "tests/engine/EngineFixture.h"
#include "tests/engine/ReportMatchers.h"

// An installation of the program as a user's machine holds it, for runs that go wrong.
struct Installation {
    static constexpr const char* kProgramFiles = "C:\\Program Files\\Zentor Calvex";

    std::string folder = kProgramFiles;
    std::string updaterFolder; // empty: beside the program, next to "DATA"
    bool present = true;       // the folder and the old program exist
    bool settings = true;      // "CALE" and "VER" as the installation leaves them

    static Installation In(std::string folder) {
        Installation installation;
        installation.folder = std::move(folder);
        return installation;
    }
    static Installation WithoutSettings() {
        Installation installation;
        installation.settings = false;
        return installation;
    }
    // The updater run from where it was downloaded, away from the program.
    static Installation UpdaterAway(bool present = true, std::string folder = kProgramFiles) {
        Installation installation = In(std::move(folder));
        installation.updaterFolder = "C:\\Users\\Ana\\Downloads";
        installation.present = present;
        return installation;
    }
};

class FaultWorld {
  public:
    static constexpr const char* kSettings = "C:\\WINDOWS\\XQZ.dII";
    static constexpr const char* kSuccess = "  Actualizare incheiata cu succes!";
    const std::string payload = std::string("MZ\x90\0new build 1.0029", 21);
    const std::string oldBuild = "MZ old build 1.0020";

    explicit FaultWorld(Installation installation = {})
        : installDir(installation.folder),
          updaterDir(installation.updaterFolder.empty() ? installation.folder
                                                        : installation.updaterFolder) {
        ProcessFormatSettings() = FormatSettings{};
        ApplyNumberSettings();
        os.AddFolder("C:\\WINDOWS\\system32");
        os.AddFile(kSettings, "[94]");
        if (installation.present) {
            os.AddFolder(installDir + "\\DATA");
            os.AddFile(Exe(), oldBuild);
        }
        os.moduleFileName = updaterDir + "\\ActualizareCalvex.exe";
        os.AddFile(os.moduleFileName, "MZ updater");
        os.commandLine = "\"" + os.moduleFileName + "\"";
        os.AddResource("AF", "UPGRADE", payload);
        if (installation.settings) {
            Set("CALE", installDir);
            Set("VER", "1.0020");
        }
    }

    void Set(const std::string& key, const std::string& value, const std::string& section = "94") {
        os.SetProfileString(kSettings, section, key, value);
    }
    // As the ANSI reading gives a value holding a character the code page lacks.
    void SetInexact(const std::string& key, const std::string& value) {
        os.SetProfileString(kSettings, "94", key, value, false);
    }
    // As the program starts its updater: its own path, quoted, after the updater's.
    void StartWithParameter() { StartWithParameters("\"" + Exe() + "\""); }
    void StartWithParameters(const std::string& parameters) {
        os.commandLine = "\"" + os.moduleFileName + "\" " + parameters;
    }

    std::string Exe() const { return installDir + "\\ZentorCalvex.exe"; }
    std::string Temp() const { return installDir + "\\TmpUp"; }
    const FakeOsServices::File* FindFile(const std::string& path) const {
        return os.FindFile(path);
    }

    const std::string installDir;
    const std::string updaterDir;
    FakeOsServices os;
    ScriptedDialog dialog;
};

// Every file by lower-cased path, with its bytes.
using Disk = std::map<std::string, std::string>;

inline std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

inline Disk Snapshot(const FakeOsServices& os) {
    Disk disk;
    for (const auto& path : os.FilePaths()) {
        disk[Lower(path)] = os.FindFile(path)->bytes;
    }
    return disk;
}

// The line that tells how the run ended: its one red line, or the success line. Fails the test
// when the report still shows a text from before the run or does not end in exactly one way.
inline std::string Outcome(const StatusReport& report) {
    EXPECT_EQ(report.Title, "Actualizare Zentor - Calvex la ver.1.0029");
    std::string outcome;
    int endings = 0;
    for (const auto& line : report.Lines) {
        if (!line.Visible) {
            continue;
        }
        EXPECT_NE(line.Text.rfind("Linia ", 0), 0u) << "left from before the run: " << line.Text;
        if (line.Red || ("  " + line.Text) == FaultWorld::kSuccess) {
            outcome = (line.Red ? "! " : "  ") + line.Text;
            ++endings;
        }
    }
    EXPECT_EQ(endings, 1) << testing::PrintToString(Lines(report));
    return outcome;
}

// What any run must leave, even one cut short (then without a report): the installed program
// under its name, old or new, or the complete new build as "TmpUp" with the red replacement line;
// and no file changed outside the installation folder and the updater's own folder.
inline void ExpectNothingLost(const FaultWorld& world, const Disk& before,
                              const UpdateEngine* engine) {
    const StatusReport* report = engine != nullptr ? &engine->Report : nullptr;
    const Disk after = Snapshot(world.os);
    const auto* exe = world.FindFile(world.Exe());
    const auto* temp = world.FindFile(world.Temp());
    const auto old = before.find(Lower(world.Exe()));
    const bool programInPlace =
        old == before.end()
            ? (exe == nullptr || exe->bytes == world.payload)
            : (exe != nullptr && (exe->bytes == old->second || exe->bytes == world.payload));
    const bool newBuildAsTemp =
        exe == nullptr && temp != nullptr && temp->bytes == world.payload &&
        (report == nullptr || Lines(*report)[2] == "! Eroare la inlocuirea executabilului!");
    EXPECT_TRUE(programInPlace || newBuildAsTemp)
        << "executable: " << (exe ? exe->bytes : "missing")
        << "; TmpUp: " << (temp ? temp->bytes : "missing");
    if (report != nullptr && Lines(*report)[3] == FaultWorld::kSuccess) {
        const auto* placed = world.FindFile(engine->TargetExe);
        EXPECT_TRUE(placed != nullptr && placed->bytes == world.payload)
            << "success without the build in " << engine->TargetExe;
    }

    const std::string allowed[] = {Lower(world.installDir) + "\\", Lower(world.updaterDir) + "\\"};
    auto checkUnchangedOrAllowed = [&](const std::string& path) {
        const auto was = before.find(path);
        const auto is = after.find(path);
        const bool changed = (was == before.end()) != (is == after.end()) ||
                             (was != before.end() && was->second != is->second);
        const std::string folder =
            FolderPartOf(path, FakeOsServices::LeadBytesOf(world.os.ansiCodePage));
        EXPECT_TRUE(!changed || folder == allowed[0] || folder == allowed[1])
            << "changed outside the installation: " << path;
    };
    for (const auto& [path, bytes] : before) {
        checkUnchangedOrAllowed(path);
    }
    for (const auto& [path, bytes] : after) {
        checkUnchangedOrAllowed(path);
    }
}

// The run, then OK pressed: the outcome it shows, checked against what it left on disk. A
// program it starts again must be there to start.
inline std::string RunAndPressOk(FaultWorld& world) {
    const Disk before = Snapshot(world.os);
    UpdateEngine engine{world.os, world.dialog};
    engine.RunUpdate();
    const std::string outcome = Outcome(engine.Report);
    ExpectNothingLost(world, before, &engine);
    engine.HandBack();
    ExpectNothingLost(world, before, &engine);
    for (const auto& started : world.os.started) {
        if (started.show == ShowState::Normal) {
            EXPECT_TRUE(world.os.HasFile(started.application)) << started.application;
        }
    }
    return outcome;
}

// A named arrangement of the world and the outcome it must end in.
struct FaultCase {
    const char* name;
    Installation installation;
    std::function<void(FaultWorld&)> arrange;
    std::string expected;
};

inline void RunTable(const std::vector<FaultCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaultWorld world(c.installation);
        c.arrange(world);
        EXPECT_EQ(RunAndPressOk(world), c.expected);
    }
}
