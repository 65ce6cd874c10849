#pragma once

// What the end-to-end tests of the real updater share: an installation of the stand-in program,
// the settings file, and the ways to start, read and answer the updater's windows.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/driver/WindowDriver.h"
#include "tests/win32/TestFiles.h"
#include "ui/ControlIds.h"

#include <tlhelp32.h> // after <windows.h>, which it needs

namespace update_e2e {

namespace wd = window_driver;
using namespace test_files;
using namespace control_ids;

constexpr int kSlowMs = 120000; // Wine under load takes its time
// Long enough for the updater to start and extract before the program lets go of its file.
constexpr int kProgramLingersMs = 8000;
constexpr const char* kOldTitle = "Zentor - Calvex 1.0020";
constexpr const char* kNewTitle = "Zentor - Calvex 1.0029";
constexpr const char* kUpdaterName = "ActualizareCalvex.exe";

inline std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

struct Line {
    std::string text;
    bool visible = false;
    friend bool operator==(const Line&, const Line&) = default;
};
inline std::ostream& operator<<(std::ostream& out, const Line& line) {
    return out << (line.visible ? "visible \"" : "hidden \"") << line.text << "\"";
}
using Lines = std::array<Line, 4>;

inline Lines ReadLines(HWND form) {
    const wd::WindowInfo info = wd::Describe(form);
    Lines lines;
    int index = 0;
    for (const int id : {Linia1, Linia2, Linia3, Linia4}) {
        if (const wd::ChildInfo* child = info.Child(id)) {
            lines[index] = {child->text, child->visible};
        }
        ++index;
    }
    return lines;
}

// Only the lines a user can see, in order: hidden lines keep old text nobody reads.
inline std::vector<std::string> VisibleTexts(const Lines& lines) {
    std::vector<std::string> texts;
    for (const auto& line : lines) {
        if (line.visible) {
            texts.push_back(line.text);
        }
    }
    return texts;
}

// The process behind a window, so its end can be awaited; ended if the test leaves it running.
class OwnerProcess {
  public:
    explicit OwnerProcess(HWND window) : OwnerProcess(ProcessIdOf(window)) {}
    explicit OwnerProcess(DWORD processId)
        : id_(processId), process_(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId)) {
    }
    ~OwnerProcess() {
        if (process_.Valid() && !HasExited(0)) {
            TerminateProcess(process_.Get(), 1);
            HasExited(5000); // its files can then be removed
        }
    }
    OwnerProcess(const OwnerProcess&) = delete;
    OwnerProcess& operator=(const OwnerProcess&) = delete;
    // Ends it at once, as a crash or a shutdown would, and waits until it has gone.
    void Terminate() {
        if (process_.Valid()) {
            TerminateProcess(process_.Get(), 1);
            HasExited(kSlowMs);
        }
    }
    DWORD Id() const { return id_; }
    bool HasExited(int timeoutMs) const {
        return process_.Valid() &&
               WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
    }

  private:
    static DWORD ProcessIdOf(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        return id;
    }
    DWORD id_;
    UniqueHandle process_;
};

// A program the process started, found among the processes by its parent and its file name;
// the parent may have ended since.
inline std::optional<DWORD> ProcessStartedBy(DWORD parentId, const char* exeName) {
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid()) {
        return std::nullopt;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID == parentId && lstrcmpiA(entry.szExeFile, exeName) == 0) {
            return entry.th32ProcessID;
        }
    }
    return std::nullopt;
}

inline HWND WaitForTitle(const char* title) {
    HWND found = nullptr;
    wd::WaitUntil(
        [&] {
            found = FindWindowA(nullptr, title);
            return found != nullptr && IsWindowVisible(found);
        },
        kSlowMs);
    return found;
}

// The button of the dialog that carries the caption, among those shown.
inline HWND ButtonCaptioned(HWND dialog, const std::string& caption) {
    for (const auto& child : wd::Describe(dialog).children) {
        if (child.visible && child.text == caption) {
            return child.handle;
        }
    }
    return nullptr;
}

// An installation as the program's installer leaves it, with the updater downloaded beside the
// executable, and with the "DATA" folder that marks the updater as lying in the installation.
class Installation {
  public:
    // updaterBuild: the build of the updater placed there, the product's unless a test asks.
    explicit Installation(std::string folder, const char* updaterBuild = UPDATER_EXE)
        : folder_(std::move(folder)) {
        CopyExisting(FromBuildPath(STANDIN_OLD_EXE), Exe());
        CopyExisting(FromBuildPath(updaterBuild), Updater());
        MakeFolder(folder_ / "DATA");
    }
    const std::string& Folder() const { return folder_.Path(); }
    std::string Exe() const { return folder_ / "ZentorCalvex.exe"; }
    std::string Updater() const { return folder_ / kUpdaterName; }
    std::string Temp() const { return folder_ / "TmpUp"; }
    std::string Script() const { return folder_ / "suicide.bat"; }

  private:
    ScratchFolder folder_;
};

class UpdateEndToEnd : public ::testing::Test {
  protected:
    void WriteSettings(const std::string& cale, const std::string& ver) {
        WriteWholeFile(settingsPath, "[94]\r\nCALE=" + cale + "\r\nVER=" + ver + "\r\n");
    }

    // The program asks for its update: it starts the updater beside it with its own path as the
    // only parameter, lingers while it shuts down, and exits.
    std::optional<wd::Program> StartProgramAsking(const Installation& install, int lingerMs) {
        return wd::Program::Start(Quoted(install.Exe()) + " /update " + std::to_string(lingerMs));
    }

    static void Answer(HWND dialog, const std::string& caption) {
        HWND button = ButtonCaptioned(dialog, caption);
        ASSERT_NE(button, nullptr) << caption;
        ASSERT_TRUE(wd::ClickControl(dialog, button));
    }

    void PressOk(HWND form) {
        HWND ok = wd::ChildById(form, Button1);
        ASSERT_NE(ok, nullptr);
        ASSERT_TRUE(wd::ClickControl(form, ok));
    }

    // The whole typical road: the program asks, the updater waits for it to let go, replaces
    // the executable, and on OK starts the new build and removes itself.
    void ReplaceAndHandBack(const Installation& install) {
        auto program = StartProgramAsking(install, kProgramLingersMs);
        ASSERT_TRUE(program.has_value());

        // While the program still runs it holds its executable: the new build waits as "TmpUp".
        ASSERT_TRUE(wd::WaitUntil([&] { return Exists(install.Temp()); }, kSlowMs));
        ASSERT_TRUE(program->Running()) << "the program ended before the updater got going";
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild) << "replaced under a running program";
        EXPECT_EQ(wd::FindWindowOfClass(StatusWindowClass), nullptr);
        EXPECT_EQ(program->WaitForExit(kSlowMs), 0u);

        HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
        ASSERT_NE(form, nullptr) << "no status window";
        const Lines lines = ReadLines(form);
        EXPECT_EQ(VisibleTexts(lines),
                  (std::vector<std::string>{"Aveti instalata versiunea 1.0020",
                                            "Actualizam programul la versiunea 1.0029",
                                            "Actualizare incheiata cu succes!"}));
        EXPECT_TRUE(lines[3].visible);
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild) << "not the carried build";
        EXPECT_FALSE(Exists(install.Temp()));
        ASSERT_NO_FATAL_FAILURE(HandBackAfterUpdate(form, install));
    }

    // OK on the status window of a run the program started and that replaced its executable:
    // the new build starts and the updater removes itself.
    void HandBackAfterUpdate(HWND form, const Installation& install) {
        OwnerProcess updater(form);
        PressOk(form);
        EXPECT_TRUE(updater.HasExited(kSlowMs));
        HWND started = WaitForTitle(kNewTitle);
        ASSERT_NE(started, nullptr) << "the new build was not started";
        OwnerProcess newProgram(started);
        EXPECT_TRUE(wd::WaitUntil(
            [&] { return !Exists(install.Updater()) && !Exists(install.Script()); }, kSlowMs))
            << "the updater did not remove itself";
        PostMessageA(started, WM_CLOSE, 0, 0);
        EXPECT_TRUE(newProgram.HasExited(kSlowMs));
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild);
    }

    // The status window says the update is done, and the disk agrees.
    void ExpectReplaced(HWND form, const Installation& install) {
        EXPECT_EQ(ReadLines(form)[3], (Line{"Actualizare incheiata cu succes!", true}));
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild) << "not the carried build";
        EXPECT_FALSE(Exists(install.Temp()));
    }

    const std::string oldBuild = ReadWholeFile(FromBuildPath(STANDIN_OLD_EXE)).value_or("");
    const std::string newBuild = ReadWholeFile(FromBuildPath(STANDIN_NEW_EXE)).value_or("");
    const std::string settingsPath = WindowsDirectory() + "\\XQZ.dII";
    RestoredFile settings{settingsPath};
    ScratchFolder root{"C:\\e2e"};
};

inline const std::vector<std::string> kReplacedInstallation = {"DATA", "ZentorCalvex.exe"};

// Started by the user while the program runs: the dialog asks, before the status window shows.
class StartedByTheUser : public UpdateEndToEnd {
  protected:
    void SetUp() override {
        WriteSettings(install.Folder(), "1.0020");
        program = wd::Program::Start(Quoted(install.Exe()));
        ASSERT_TRUE(program.has_value());
        programWindow = WaitForTitle(kOldTitle);
        ASSERT_NE(programWindow, nullptr);
        updater = wd::Program::Start(Quoted(install.Updater()));
        ASSERT_TRUE(updater.has_value());

        dialog = wd::WaitForWindow(DialogWindowClass, kSlowMs);
        ASSERT_NE(dialog, nullptr) << "no question while the program holds its executable";
        EXPECT_EQ(wd::FindWindowOfClass(StatusWindowClass), nullptr);
        EXPECT_TRUE(Exists(install.Temp()));

        // "&OK" while the program still runs: the same question again, nothing replaced. It comes
        // back only after another try at the file, so the showing that follows is awaited.
        {
            const wd::ShowingCounter showings(dialog);
            Answer("&OK");
            ASSERT_TRUE(showings.WaitForShowings(1, kSlowMs)) << "not asked again";
        }
        dialog = wd::WaitForWindow(DialogWindowClass, kSlowMs);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(wd::FindWindowOfClass(StatusWindowClass), nullptr);
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
    }

    void Answer(const std::string& caption) { UpdateEndToEnd::Answer(dialog, caption); }

    // OK on the status window: the updater simply closes, stays on disk and starts nothing.
    void CloseStatusWindow(HWND form) {
        PressOk(form);
        EXPECT_EQ(updater->WaitForExit(kSlowMs), 0u);
        EXPECT_TRUE(Exists(install.Updater()));
        EXPECT_FALSE(Exists(install.Script()));
    }

    Installation install{root / "interactive"};
    std::optional<wd::Program> program;
    std::optional<wd::Program> updater;
    HWND programWindow = nullptr;
    HWND dialog = nullptr;
};

} // namespace update_e2e
