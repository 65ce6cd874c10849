// The real updater with the stand-in program under Wine: started the way the program starts it,
// driven the way a user does, judged by what is on disk afterwards.
#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "tests/e2e/driver/WindowDriver.h"
#include "tests/win32/TestFiles.h"
#include "ui/ControlIds.h"

namespace wd = window_driver;
using namespace test_files;
using namespace control_ids;

namespace {

constexpr int kSlowMs = 120000; // Wine under load takes its time
// Long enough for the updater to start and extract before the program lets go of its file.
constexpr int kProgramLingersMs = 8000;
constexpr const char* kOldTitle = "Zentor - Calvex 1.0020";
constexpr const char* kNewTitle = "Zentor - Calvex 1.0029";
constexpr const char* kUpdaterName = "ActualizareCalvex.exe";

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

struct Line {
    std::string text;
    bool visible = false;
    friend bool operator==(const Line&, const Line&) = default;
};
std::ostream& operator<<(std::ostream& out, const Line& line) {
    return out << (line.visible ? "visible \"" : "hidden \"") << line.text << "\"";
}
using Lines = std::array<Line, 4>;

Lines ReadLines(HWND form) {
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
std::vector<std::string> VisibleTexts(const Lines& lines) {
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
    explicit OwnerProcess(HWND window) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process_.Reset(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id));
    }
    ~OwnerProcess() {
        if (process_.Valid() && !HasExited(0)) {
            TerminateProcess(process_.Get(), 1);
            HasExited(5000); // its files can then be removed
        }
    }
    OwnerProcess(const OwnerProcess&) = delete;
    OwnerProcess& operator=(const OwnerProcess&) = delete;
    bool HasExited(int timeoutMs) const {
        return process_.Valid() &&
               WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
    }

  private:
    UniqueHandle process_;
};

HWND WaitForTitle(const char* title) {
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
HWND ButtonCaptioned(HWND dialog, const std::string& caption) {
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
    explicit Installation(std::string folder) : folder_(std::move(folder)) {
        CopyExisting(FromBuildPath(STANDIN_OLD_EXE), Exe());
        CopyExisting(FromBuildPath(UPDATER_EXE), Updater());
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
        OwnerProcess updater(form);
        const Lines lines = ReadLines(form);
        EXPECT_EQ(VisibleTexts(lines),
                  (std::vector<std::string>{"Aveti instalata versiunea 1.0020",
                                            "Actualizam programul la versiunea 1.0029",
                                            "Actualizare incheiata cu succes!"}));
        EXPECT_TRUE(lines[3].visible);
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild) << "not the carried build";
        EXPECT_FALSE(Exists(install.Temp()));

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

    const std::string oldBuild = ReadWholeFile(FromBuildPath(STANDIN_OLD_EXE)).value_or("");
    const std::string newBuild = ReadWholeFile(FromBuildPath(STANDIN_NEW_EXE)).value_or("");
    const std::string settingsPath = WindowsDirectory() + "\\XQZ.dII";
    RestoredFile settings{settingsPath};
    ScratchFolder root{"C:\\e2e"};
};

const std::vector<std::string> kReplacedInstallation = {"DATA", "ZentorCalvex.exe"};

TEST_F(UpdateEndToEnd, ProgramAskingGetsItsExecutableReplacedAndTheNewBuildStarted) {
    Installation install(root / "replace");
    WriteSettings("C:\\nowhere", "1.0020"); // the parameter names the folder, not "CALE"
    ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install));
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
}

TEST_F(UpdateEndToEnd, UnderProgramFilesAPlantedProgramExeIsNeverStarted) {
    // What a search for the unquoted path would try before the real program.
    RestoredFile plantedAtRoot{"C:\\Program.exe"};
    RestoredFile rootMarker{"C:\\Program.exe.ran"};
    RestoredFile plantedInProgramFiles{"C:\\Program Files\\Zentor.exe"};
    RestoredFile innerMarker{"C:\\Program Files\\Zentor.exe.ran"};
    CopyExisting(FromBuildPath(MARKER_PROGRAM), "C:\\Program.exe");
    CopyExisting(FromBuildPath(MARKER_PROGRAM), "C:\\Program Files\\Zentor.exe");

    Installation install("C:\\Program Files\\Zentor Calvex");
    WriteSettings("C:\\nowhere", "1.0020");
    ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install));
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
    EXPECT_FALSE(Exists("C:\\Program.exe.ran"));
    EXPECT_FALSE(Exists("C:\\Program Files\\Zentor.exe.ran"));
}

// Folders whose names the command interpreter could misread. The trap is the folder a misread
// script would delete from instead; it is made through the wide API, since its name need not
// exist in the ANSI code page.
struct OddFolder {
    const char* label;
    std::wstring name;
    std::wstring trap;
};

class TrapFolder {
  public:
    explicit TrapFolder(std::wstring path) : path_(std::move(path)) {
        CreateDirectoryW(path_.c_str(), nullptr);
        const std::string updater = FromBuildPath(UPDATER_EXE);
        EXPECT_TRUE(CopyFileW(std::wstring(updater.begin(), updater.end()).c_str(), // ASCII
                              Updater().c_str(), FALSE));
    }
    ~TrapFolder() {
        DeleteFileW(Updater().c_str());
        RemoveDirectoryW(path_.c_str());
    }
    TrapFolder(const TrapFolder&) = delete;
    TrapFolder& operator=(const TrapFolder&) = delete;
    bool Intact() const { return GetFileAttributesW(Updater().c_str()) != INVALID_FILE_ATTRIBUTES; }

  private:
    std::wstring Updater() const { return path_ + L"\\ActualizareCalvex.exe"; }
    std::wstring path_;
};

class OddFolderEndToEnd : public UpdateEndToEnd, public ::testing::WithParamInterface<OddFolder> {};

TEST_P(OddFolderEndToEnd, UpdaterRemovesItselfAndNothingElse) {
    const auto name = ToAnsi(GetParam().name);
    if (!name) {
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " cannot spell the folder name";
    }
    TrapFolder trap(L"C:\\e2e\\" + GetParam().trap);
    Installation install(root / *name);
    WriteWholeFile(install.Folder() + "\\notes.txt", "kept");
    WriteSettings("C:\\nowhere", "1.0020");

    ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install));
    EXPECT_EQ(FolderEntries(install.Folder()),
              (std::vector<std::string>{"DATA", "ZentorCalvex.exe", "notes.txt"}));
    EXPECT_TRUE(trap.Intact()) << "the script deleted from the wrong folder";
}

INSTANTIATE_TEST_SUITE_P(
    Names, OddFolderEndToEnd,
    ::testing::Values(
        // Undoubled, "%sigur%" expands to nothing and the script names "100x".
        OddFolder{"Percent", L"100%sigur%x", L"100x"},
        // A defined variable: the interpreter's own command line would expand it, so the
        // script must be started without its folder on that line.
        OddFolder{"PercentVariable", L"x%OS%y", L"xWindows_NTy"},
        // Written in the ANSI code page 1252, the console code page 437 would read a theta.
        OddFolder{"NonAscii", L"Calvex caf\u00e9", L"Calvex caf\u0398"}),
    [](const auto& info) { return std::string{info.param.label}; });

// Outcomes that change nothing: the program stays as it was, and the updater still goes.
struct Unchanged {
    const char* label;
    const char* ver;
    Lines lines; // only the visible ones are compared
};

class UnchangedEndToEnd : public UpdateEndToEnd, public ::testing::WithParamInterface<Unchanged> {};

TEST_P(UnchangedEndToEnd, LeavesTheExecutableAndNoTemporaryFile) {
    Installation install(root / "unchanged");
    WriteSettings("C:\\nowhere", GetParam().ver);
    auto program = StartProgramAsking(install, 0);
    ASSERT_TRUE(program.has_value());

    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    OwnerProcess updater(form);
    EXPECT_EQ(VisibleTexts(ReadLines(form)), VisibleTexts(GetParam().lines));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
    EXPECT_FALSE(Exists(install.Temp()));

    PressOk(form);
    EXPECT_TRUE(updater.HasExited(kSlowMs));
    EXPECT_TRUE(wd::WaitUntil(
        [&] { return !Exists(install.Updater()) && !Exists(install.Script()); }, kSlowMs));
    EXPECT_EQ(FindWindowA(nullptr, kOldTitle), nullptr) << "nothing is started";
    EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, UnchangedEndToEnd,
    ::testing::Values(Unchanged{"UpToDate",
                                "1.0029",
                                {{{"Aveti instalata versiunea 1.0029", true},
                                  {"Aveti deja ultima versiune!", true}}}},
                      Unchanged{"NotInstalled",
                                "",
                                {{{}, {"Programul Zentor - Calvex nu este instalat!", true}}}},
                      Unchanged{"NotInstalledAtOne",
                                "1.0000",
                                {{{}, {"Programul Zentor - Calvex nu este instalat!", true}}}}),
    [](const auto& info) { return std::string{info.param.label}; });

// A script that cannot be created (here a folder holds its name): the error is shown over the
// status window, which stays, and nothing is started or removed.
TEST_F(UpdateEndToEnd, ScriptThatCannotBeCreatedIsReportedAndNothingStarts) {
    Installation install(root / "no script");
    MakeFolder(install.Script());
    WriteSettings("C:\\nowhere", "1.0020");
    auto program = StartProgramAsking(install, 0);
    ASSERT_TRUE(program.has_value());
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    OwnerProcess updater(form);
    DWORD updaterId = 0;
    GetWindowThreadProcessId(form, &updaterId);

    PressOk(form);
    HWND box = wd::WaitForWindow("#32770", kSlowMs, updaterId);
    ASSERT_NE(box, nullptr) << "no error shown";
    EXPECT_EQ(wd::WindowText(box), "Actualizare Zentor - Calvex");
    constexpr int kMessageBoxTextId = 0xFFFF;
    const std::string text = wd::WindowText(wd::ChildById(box, kMessageBoxTextId));
    const std::string named = "Nu pot crea fisierul \"" + install.Script() + "\". ";
    EXPECT_EQ(text.substr(0, named.size()), named) << text;
    EXPECT_GT(text.size(), named.size()) << "without the system's reason";

    ASSERT_TRUE(wd::ClickControl(box, wd::ChildById(box, IDOK)));
    EXPECT_TRUE(wd::WaitForNoWindow("#32770", kSlowMs, updaterId));
    EXPECT_TRUE(IsWindowVisible(form)) << "the status window stays open";
    EXPECT_FALSE(updater.HasExited(0));
    EXPECT_EQ(FindWindowA(nullptr, kNewTitle), nullptr) << "nothing is started";
    EXPECT_TRUE(Exists(install.Updater()));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild);
}

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

        // "&OK" while the program still runs: the same question again, nothing replaced.
        Answer("&OK");
        dialog = wd::WaitForWindow(DialogWindowClass, kSlowMs);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(wd::FindWindowOfClass(StatusWindowClass), nullptr);
        EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);
    }

    void Answer(const std::string& caption) {
        HWND button = ButtonCaptioned(dialog, caption);
        ASSERT_NE(button, nullptr) << caption;
        ASSERT_TRUE(wd::ClickControl(dialog, button));
    }

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

TEST_F(StartedByTheUser, GivingUpLeavesTheProgramAsItWas) {
    Answer("&Renunt");
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    const Lines lines = ReadLines(form);
    EXPECT_EQ(lines[2], (Line{"Nu pot modifica vechiul executabil!", true}));
    EXPECT_FALSE(lines[3].visible);
    EXPECT_FALSE(Exists(install.Temp()));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == oldBuild);

    CloseStatusWindow(form);
    EXPECT_TRUE(program->Running());
}

TEST_F(StartedByTheUser, ClosingTheProgramThenOkReplacesIt) {
    PostMessageA(programWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(program->WaitForExit(kSlowMs), 0u);
    Answer("&OK");
    HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(ReadLines(form)[3], (Line{"Actualizare incheiata cu succes!", true}));
    EXPECT_TRUE(ReadWholeFile(install.Exe()) == newBuild);
    EXPECT_FALSE(Exists(install.Temp()));

    CloseStatusWindow(form);
    EXPECT_EQ(FindWindowA(nullptr, kNewTitle), nullptr) << "started by the user, it starts nothing";
}

} // namespace
