// The real services under Wine: what the engine relies on from each call.
#include <gtest/gtest.h>

#include "engine/RemovalScript.h"
#include "os/win32/CodePageConversion.h"
#include "os/win32/UniqueHandle.h"
#include "os/win32/Win32OsServices.h"
#include "tests/e2e/driver/WindowDriver.h"
#include "tests/win32/TestFiles.h"

using namespace test_files;
using window_driver::WaitUntil;

namespace {

class Win32OsServicesTest : public ::testing::Test {
  protected:
    std::string File(const std::string& name, const std::string& content = "old content") {
        const std::string path = scratch / name;
        WriteWholeFile(path, content);
        return path;
    }
    std::string ReadOnlyFile(const std::string& name) {
        const std::string path = File(name);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        return path;
    }

    Win32OsServices os;
    ScratchFolder scratch{TemporaryFolder("services test")};
};

TEST_F(Win32OsServicesTest, FileAndFolderExistenceTellTheKindsApart) {
    const std::string file = File("a file");
    const std::string folder = scratch / "a folder";
    MakeFolder(folder);
    const struct {
        std::string path;
        bool file, folder;
    } cases[] = {
        {file, true, false},          {folder, false, true},
        {folder + "\\", false, true}, {scratch / "missing", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(os.FileExists(c.path), c.file) << c.path;
        EXPECT_EQ(os.FolderExists(c.path), c.folder) << c.path;
    }
}

TEST_F(Win32OsServicesTest, ClearAttributesMakesAReadOnlyFileDeletable) {
    const std::string path = File("locked");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

    EXPECT_TRUE(os.ClearAttributes(path));
    const DWORD attributes = GetFileAttributesA(path.c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
    EXPECT_TRUE(os.RemoveFile(path));
    EXPECT_FALSE(os.ClearAttributes(scratch / "missing"));
}

TEST_F(Win32OsServicesTest, RemoveFileFailsOnReadOnlyHeldAndMissingFiles) {
    const std::string plain = File("plain");
    EXPECT_TRUE(os.RemoveFile(plain));
    EXPECT_FALSE(Exists(plain));

    const std::string readOnly = ReadOnlyFile("read-only");
    EXPECT_FALSE(os.RemoveFile(readOnly));
    EXPECT_TRUE(Exists(readOnly));

    // As a running program holds its executable: open, without delete sharing.
    const std::string held = File("held");
    UniqueHandle holder(CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.Valid());
    EXPECT_FALSE(os.RemoveFile(held));
    EXPECT_TRUE(Exists(held));
    holder.Reset();
    EXPECT_TRUE(os.RemoveFile(held));

    EXPECT_FALSE(os.RemoveFile(scratch / "missing"));
}

TEST_F(Win32OsServicesTest, MoveFileWriteThroughRenamesButNeverOverwrites) {
    const std::string from = File("TmpUp", "new build");
    const std::string to = scratch / "ZentorCalvex.exe";
    ASSERT_TRUE(os.MoveFileWriteThrough(from, to));
    EXPECT_FALSE(Exists(from));
    EXPECT_EQ(ReadWholeFile(to), "new build");

    const std::string second = File("TmpUp", "newer build");
    EXPECT_FALSE(os.MoveFileWriteThrough(second, to));
    EXPECT_EQ(ReadWholeFile(second), "newer build");
    EXPECT_EQ(ReadWholeFile(to), "new build");
}

TEST_F(Win32OsServicesTest, WriteNewFileFlushesThroughItsOwnHandleWhenAsked) {
    const std::string path = scratch / "TmpUp";
    const WriteResult flushed = os.WriteNewFile(path, "MZ", 2, Durability::FlushedToDisk);
    EXPECT_TRUE(flushed.flushed);
    EXPECT_EQ(flushed.errorCode, 0u);
    EXPECT_EQ(ReadWholeFile(path), "MZ");
    EXPECT_FALSE(os.WriteNewFile(path, "MZ", 2, Durability::Cached).flushed);
}

TEST_F(Win32OsServicesTest, WriteNewFileCreatesOrTruncatesAndWritesEverything) {
    const std::string bytes("MZ\0\x90 payload", 12);
    const std::string fresh = scratch / "fresh";
    const std::string existing = File("existing", std::string(100'000, 'x'));
    for (const auto& path : {fresh, existing}) {
        const WriteResult result =
            os.WriteNewFile(path, bytes.data(), bytes.size(), Durability::Cached);
        EXPECT_TRUE(result.created) << path;
        EXPECT_EQ(result.bytesWritten, bytes.size()) << path;
        EXPECT_EQ(ReadWholeFile(path), bytes) << path;
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    }
    const WriteResult empty = os.WriteNewFile(existing, "", 0, Durability::Cached);
    EXPECT_TRUE(empty.created);
    EXPECT_EQ(ReadWholeFile(existing), "");
}

TEST_F(Win32OsServicesTest, WriteNewFileReportsWhyItCouldNotCreate) {
    const std::string folder = scratch / "a folder";
    MakeFolder(folder);
    const struct {
        std::string path;
        DWORD error;
    } cases[] = {
        {scratch / "missing folder\\file", ERROR_PATH_NOT_FOUND},
        {folder, ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases) {
        const WriteResult result = os.WriteNewFile(c.path, "x", 1, Durability::Cached);
        EXPECT_FALSE(result.created) << c.path;
        EXPECT_EQ(result.bytesWritten, 0u) << c.path;
        EXPECT_EQ(result.errorCode, c.error) << c.path;
    }
    EXPECT_FALSE(Exists(scratch / "missing folder"));
    EXPECT_TRUE(os.FolderExists(folder));
}

TEST_F(Win32OsServicesTest, WriteNewFileLeavesAReadOnlyFileAlone) {
    if (!ReadOnlyStopsWriting()) {
        GTEST_SKIP() << kReadOnlyNotEnforced;
    }
    const std::string readOnly = ReadOnlyFile("read-only");
    const WriteResult result = os.WriteNewFile(readOnly, "x", 1, Durability::Cached);
    EXPECT_FALSE(result.created);
    EXPECT_EQ(result.errorCode, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadWholeFile(readOnly), "old content");
}

TEST_F(Win32OsServicesTest, ErrorDescriptionIsOneTrimmedText) {
    for (const DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
        const std::string text = os.ErrorDescription(code);
        ASSERT_FALSE(text.empty()) << code;
        EXPECT_GT(static_cast<unsigned char>(text.back()), ' ') << code;
        EXPECT_GT(static_cast<unsigned char>(text.front()), ' ') << code;
    }
}

TEST_F(Win32OsServicesTest, ToConsoleCodePageSpellsWhatItCanAndRefusesTheRest) {
    EXPECT_EQ(os.ToConsoleCodePage(""), "");
    EXPECT_EQ(os.ToConsoleCodePage("C:\\Program Files\\100%\\a.exe"),
              "C:\\Program Files\\100%\\a.exe");

    const auto ansiLetter = ToAnsi(L"C:\\caf\u00e9\\a.exe");
    if (!ansiLetter) {
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " has no e acute";
    }
    const auto oem = os.ToConsoleCodePage(*ansiLetter);
    ASSERT_TRUE(oem.has_value());
    wchar_t wide[64] = {};
    const int length =
        MultiByteToWideChar(CP_OEMCP, 0, oem->data(), static_cast<int>(oem->size()), wide, 64);
    EXPECT_EQ(std::wstring(wide, length), L"C:\\caf\u00e9\\a.exe") << "OEM " << GetOEMCP();

    // The euro sign is in the Western ANSI code page but in no DOS one.
    if (const auto euro = ToAnsi(L"C:\\\u20ac\\a.exe"); euro && GetOEMCP() != CP_UTF8) {
        EXPECT_EQ(os.ToConsoleCodePage(*euro), std::nullopt);
    }
}

// UTF-8, GB18030 and the stateful code pages refuse the flags that the others need to report a
// missing character: a conversion asked with them fails for every text.
TEST(StrictConversionFlags, FollowTheDocumentedContractOfEachCodePage) {
    const struct {
        UINT codePage;
        DWORD toWide, fromWide;
        bool reportsDefault;
    } cases[] = {
        {1250, MB_ERR_INVALID_CHARS, WC_NO_BEST_FIT_CHARS, true},
        {932, MB_ERR_INVALID_CHARS, WC_NO_BEST_FIT_CHARS, true},
        {437, MB_ERR_INVALID_CHARS, WC_NO_BEST_FIT_CHARS, true},
        {CP_UTF8, MB_ERR_INVALID_CHARS, 0x80 /* WC_ERR_INVALID_CHARS */, false},
        {54936, MB_ERR_INVALID_CHARS, 0x80, false},
        {50220, 0, 0, false},
        {52936, 0, 0, false},
        {57006, 0, 0, false},
        {42, 0, 0, false},
    };
    for (const auto& c : cases) {
        const StrictConversionFlags flags = StrictConversionFlagsFor(c.codePage);
        EXPECT_EQ(flags.toWide, c.toWide) << c.codePage;
        EXPECT_EQ(flags.fromWide, c.fromWide) << c.codePage;
        EXPECT_EQ(flags.reportsDefaultCharacter, c.reportsDefault) << c.codePage;
    }
}

TEST(StrictConversion, SpellsInUtf8AndRefusesWhatACodePageLacks) {
    const std::wstring path =
        L"C:\\Apps\\\u0219\u021b\u0939\\a.exe"; // s, t comma below; Devanagari ha
    const auto utf8 = FromWideExactly(CP_UTF8, path);
    ASSERT_TRUE(utf8.has_value());
    EXPECT_EQ(*utf8, "C:\\Apps\\\xC8\x99\xC8\x9B\xE0\xA4\xB9\\a.exe");
    EXPECT_EQ(ToWideExactly(CP_UTF8, *utf8), path);
    EXPECT_EQ(FromWideExactly(CP_UTF8, L"\xD800"), std::nullopt); // a lone surrogate
    EXPECT_EQ(FromWideExactly(1250, path), std::nullopt);         // no look-alike "s" and "t"
    EXPECT_EQ(FromWideExactly(1250, L"C:\\Apps\\\u0161"), "C:\\Apps\\\x9A");
}

// Under "Use Unicode UTF-8" both code pages are 65001; there every path has a removal script.
TEST_F(Win32OsServicesTest, ToConsoleCodePageWorksInTheSystemsCodePages) {
    EXPECT_EQ(os.ToConsoleCodePage("C:\\Apps\\Prog\\a.exe"), "C:\\Apps\\Prog\\a.exe")
        << "ANSI " << GetACP() << ", OEM " << GetOEMCP();
    if (GetACP() == CP_UTF8 && GetOEMCP() == CP_UTF8) {
        const std::string devanagari = "C:\\\xE0\xA4\xB9\\a.exe";
        EXPECT_EQ(os.ToConsoleCodePage(devanagari), devanagari);
    }
}

TEST_F(Win32OsServicesTest, AnsiLeadBytesMatchTheSystemsTest) {
    const LeadBytes leadBytes = os.AnsiLeadBytes();
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(leadBytes.Contains(static_cast<char>(byte)),
                  IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(byte)) != FALSE)
            << byte << " in " << GetACP();
    }
}

TEST_F(Win32OsServicesTest, PathsOfTheSystemAndTheProcessAreUsable) {
    const std::string windows = os.WindowsDirectory();
    EXPECT_EQ(windows, WindowsDirectory());
    EXPECT_TRUE(os.FolderExists(windows));
    EXPECT_NE(windows.back(), '\\');

    const std::string system = os.SystemDirectory();
    EXPECT_TRUE(os.FileExists(system + "\\cmd.exe")) << system;

    const AnsiText module = os.ModulePath();
    EXPECT_TRUE(os.FileExists(module.text)) << module.text;
    EXPECT_NE(module.text.find(":\\"), std::string::npos) << module.text;
    EXPECT_TRUE(module.exact); // the build folder's name is plain ASCII

    const std::string name = module.text.substr(module.text.find_last_of('\\') + 1);
    const AnsiText commandLine = os.RawCommandLine();
    EXPECT_NE(commandLine.text.find(name.substr(0, name.size() - 4)), std::string::npos)
        << commandLine.text;
    EXPECT_TRUE(commandLine.exact);
}

TEST_F(Win32OsServicesTest, ClaimSingleInstanceIsHeldUntilTheClaimerGoes) {
    const std::string name = "Win32OsServicesTest.SingleInstance";
    {
        Win32OsServices first;
        Win32OsServices second;
        EXPECT_TRUE(first.ClaimSingleInstance(name));
        EXPECT_FALSE(second.ClaimSingleInstance(name));
    }
    EXPECT_TRUE(os.ClaimSingleInstance(name));
}

// A folder "with space" holding the program, and a planted "with.exe" that a search for the
// unquoted command line would start first.
class StartProcessTest : public Win32OsServicesTest {
  protected:
    StartProcessTest() {
        MakeFolder(folder);
        CopyExisting(FromBuildPath(MARKER_PROGRAM), program);
        CopyExisting(FromBuildPath(MARKER_PROGRAM), planted);
    }
    const std::string folder = scratch / "with space";
    const std::string program = folder + "\\marker.exe";
    const std::string planted = scratch / "with.exe";
};

TEST_F(StartProcessTest, StartsExactlyTheNamedProgramWithItsCommandLine) {
    os.StartProcess({program, program, ShowState::Normal, {}, {}, {}});
    ASSERT_TRUE(WaitUntil([&] { return Exists(program + ".ran"); }));
    EXPECT_EQ(ReadWholeFile(program + ".ran"), program);
    EXPECT_FALSE(Exists(planted + ".ran"));
}

TEST_F(StartProcessTest, MissingProgramStartsNothing) {
    os.StartProcess(
        {folder + "\\missing.exe", folder + "\\missing.exe", ShowState::Normal, {}, {}, {}});
    os.StartProcess({});
    Sleep(500);
    EXPECT_FALSE(Exists(planted + ".ran"));
}

// The interpreter as the hand-back starts it: in the script's own folder, the script named by
// its bare name; or, on a network share, from the system folder, the script named by a variable
// of its environment. The script leaves "ran.txt" beside itself.
class InterpreterTest : public Win32OsServicesTest {
  protected:
    bool RunsScriptIn(const std::string& folder) {
        WriteWholeFile(folder + "\\run me.bat", "@echo ran> ran.txt\r\n");
        os.StartProcess({os.SystemDirectory() + "\\cmd.exe",
                         InterpreterCommandLine(".\\run me.bat"),
                         ShowState::Hidden,
                         folder,
                         {},
                         {}});
        return Ran(folder);
    }
    bool RunsScriptThroughTheEnvironmentIn(const std::string& folder) {
        const std::string script = folder + "\\run me.bat";
        WriteWholeFile(script, "@echo ran> \"%~dp0ran.txt\"\r\n");
        const std::string systemDirectory = os.SystemDirectory();
        os.StartProcess({systemDirectory + "\\cmd.exe", InterpreterCommandLine("%ZC_TEST_SCRIPT%"),
                         ShowState::Hidden, systemDirectory, "ZC_TEST_SCRIPT", script});
        return Ran(folder);
    }
    bool Ran(const std::string& folder) {
        return WaitUntil([&] { return Exists(folder + "\\ran.txt"); }) &&
               ReadWholeFile(folder + "\\ran.txt") == "ran\r\n";
    }
};

TEST_F(InterpreterTest, RunsAScriptWhoseFolderHoldsSpacesAndSymbols) {
    // "%OS%" is defined everywhere: expanded twice, it would name another folder.
    std::vector<std::string> folders = {scratch / "a b&c(1)%OS%", scratch / "100% ^sigur! ;x"};
    if (const auto letters = ToAnsi(L"Caf\u00e9 \u0161")) {
        folders.push_back(scratch / *letters);
    }
    for (const auto& folder : folders) {
        MakeFolder(folder);
        EXPECT_TRUE(RunsScriptIn(folder)) << folder;
    }
}

// Wine maps "\\SERVER\SHARE" to the prefix's "dosdevices/unc/SERVER/SHARE".
std::optional<std::string> WineNetworkShare() {
    char prefix[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::nullopt;
    }
    const std::string unc = FromBuildPath(std::string(prefix) + "/dosdevices/unc");
    CreateDirectoryA(unc.c_str(), nullptr);
    CreateDirectoryA((unc + "\\zentortest").c_str(), nullptr);
    CreateDirectoryA((unc + "\\zentortest\\share").c_str(), nullptr);
    const std::string share = "\\\\zentortest\\share";
    if (GetFileAttributesA(share.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return share;
}

TEST_F(InterpreterTest, RunsAScriptOnANetworkShare) {
    const auto share = WineNetworkShare();
    if (!share) {
        GTEST_SKIP() << "no network share to try (outside Wine, or WINEPREFIX not set)";
    }
    const ScratchFolder folder(*share + "\\updater & co");
    EXPECT_TRUE(RunsScriptThroughTheEnvironmentIn(folder.Path()));
}

class ReadProfileStringTest : public Win32OsServicesTest {
  protected:
    ReadProfileStringTest() {
        WriteWholeFile(ini, "[other]\r\n"
                            "CALE=C:\\Elsewhere\r\n"
                            "[94]\r\n"
                            "CALE=  C:\\Apps\\Prog\\  \r\n"
                            "VER=\"1.0029\"\r\n"
                            "SINGLE='1.0029'\r\n"
                            "EMPTY=\r\n"
                            "LONG=" +
                                std::string(3000, 'x') + "\r\n");
    }
    std::string Read(const std::string& key, const std::string& section = "94") {
        const AnsiText value = os.ReadProfileString(ini, section, key);
        EXPECT_TRUE(value.exact) << key;
        return value.text;
    }
    const std::string ini = scratch / "XQZ.dII";
};

TEST_F(ReadProfileStringTest, ReadsValuesAsTheSystemDoes) {
    // The system strips the spaces around a value and one pair of enclosing quotes.
    EXPECT_EQ(Read("CALE"), "C:\\Apps\\Prog\\");
    EXPECT_EQ(Read("cale"), "C:\\Apps\\Prog\\");
    EXPECT_EQ(Read("VER"), "1.0029");
    EXPECT_EQ(Read("SINGLE"), "1.0029");
    EXPECT_EQ(Read("CALE", "other"), "C:\\Elsewhere");
    EXPECT_EQ(Read("LONG"), std::string(2047, 'x'));
}

TEST_F(ReadProfileStringTest, MissingFileSectionOrKeyGivesEmpty) {
    EXPECT_EQ(Read("EMPTY"), "");
    EXPECT_EQ(Read("NONE"), "");
    EXPECT_EQ(Read("CALE", "95"), "");
    EXPECT_EQ(os.ReadProfileString(scratch / "missing.ini", "94", "CALE").text, "");
}

// A settings file in UTF-16 names a folder the ANSI code page may lack letters for.
TEST_F(ReadProfileStringTest, ValueTheAnsiCodePageCannotSpellIsNotExact) {
    const std::wstring text = L"\xFEFF[94]\r\nCALE=C:\\Apps\\\u0219\u021b\\Prog\r\nVER=1.0020\r\n";
    WriteWholeFile(ini, std::string(reinterpret_cast<const char*>(text.data()),
                                    text.size() * sizeof(wchar_t)));
    EXPECT_TRUE(os.ReadProfileString(ini, "94", "VER").exact);
    const AnsiText folder = os.ReadProfileString(ini, "94", "CALE");
    EXPECT_EQ(folder.exact, ToAnsi(L"C:\\Apps\\\u0219\u021b\\Prog").has_value()) << folder.text;
}

} // namespace
