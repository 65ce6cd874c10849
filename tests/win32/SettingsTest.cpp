// The settings file as the installation leaves it: "XQZ.dII" in the prefix's Windows directory,
// read by LocateInstallation through the real services.
#include <gtest/gtest.h>

#include "app/NumberSettings.h"
#include "engine/UpdateEngine.h"
#include "os/win32/Win32OsServices.h"
#include "tests/e2e/driver/WindowDriver.h"
#include "tests/win32/NoQuestions.h"
#include "tests/win32/TestFiles.h"

using namespace test_files;

namespace {

// Started by the user: whatever the test runner passes, the updater sees no parameter.
class StartedWithoutParameters : public Win32OsServices {
  public:
    AnsiText RawCommandLine() override { return {"\"" + ModulePath().text + "\""}; }
};

// Tells the locale functions, as the Control Panel does, that a regional setting changed.
void AnnounceRegionalChange() {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"),
                        SMTO_ABORTIFHUNG, 2000, &ignored);
}

struct AnnounceOnExit {
    ~AnnounceOnExit() { AnnounceRegionalChange(); }
};

// The user's regional decimal separator, changed for one test and put back afterwards.
class RegionalDecimalSeparator {
  public:
    explicit RegionalDecimalSeparator(char separator)
        : override_("Control Panel\\International", "sDecimal", REG_SZ,
                    {static_cast<BYTE>(separator), 0}) {
        AnnounceRegionalChange();
    }

  private:
    AnnounceOnExit announceRestored_; // runs after the override has put the old value back
    window_driver::UserSettingOverride override_;
};

class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() {
        ProcessFormatSettings() = FormatSettings{};
        ApplyNumberSettings();
    }
    ~SettingsTest() override { ProcessFormatSettings() = FormatSettings{}; }

    void WriteSettings(const std::string& body) { WriteWholeFile(settingsPath, "[94]\r\n" + body); }

    StartedWithoutParameters os;
    NoQuestions dialog;
    UpdateEngine engine{os, dialog};
    const std::string settingsPath = WindowsDirectory() + "\\XQZ.dII";
    RestoredFile settings{settingsPath};
};

TEST_F(SettingsTest, ComeFromTheWindowsDirectory) {
    WriteSettings("CALE=C:\\Apps\\Prog\r\nVER=1.0020\r\n");
    engine.LocateInstallation();
    EXPECT_EQ(engine.WindowsDir, WindowsDirectory());
    EXPECT_FALSE(engine.StartedWithParameter);
    EXPECT_EQ(engine.InstallDir, "C:\\Apps\\Prog");
    EXPECT_EQ(engine.InstalledVersion, Version{10020});
}

TEST_F(SettingsTest, FolderAndVersionAreTrimmed) {
    const struct {
        std::string cale, ver;
        std::string installDir;
        Version version;
    } cases[] = {
        {"C:\\Apps\\Prog\\ ", "1.0029", "C:\\Apps\\Prog", Version{10029}},
        {"\t C:\\Apps\\Prog\\\\", " 2 ", "C:\\Apps\\Prog\\", Version{20000}},
        {"\"C:\\My Apps\\Prog\\\"", "\t1,0029\t", "C:\\My Apps\\Prog", Version{10029}},
        {"C:\\" + std::string(2100, 'a'), "", "C:\\" + std::string(2044, 'a'), Version{0}},
    };
    for (const auto& c : cases) {
        WriteSettings("CALE=" + c.cale + "\r\nVER=" + c.ver + "\r\n");
        engine.LocateInstallation();
        EXPECT_EQ(engine.InstallDir, c.installDir) << c.cale;
        EXPECT_EQ(engine.InstalledVersion, c.version) << c.ver;
    }
}

TEST_F(SettingsTest, MissingFileGivesNoFolderAndNoVersion) {
    DeleteFileA(settingsPath.c_str());
    engine.LocateInstallation();
    EXPECT_EQ(engine.InstallDir, "");
    EXPECT_EQ(engine.InstalledVersion, Version{0});
}

TEST_F(SettingsTest, VersionReadsWithADotWhateverTheRegionalSeparator) {
    const RegionalDecimalSeparator comma(',');
    ProcessFormatSettings() = FormatSettings{};
    LoadRegionalFormatSettings(os.RegionalDecimalSeparator());
    ASSERT_EQ(ProcessFormatSettings().DecimalSeparator, ',') << "the regional setting took no hold";

    ApplyNumberSettings();
    OnSystemSettingsChanged(os.RegionalDecimalSeparator());
    WriteSettings("VER=1.0029\r\n");
    engine.LocateInstallation();
    EXPECT_EQ(engine.InstalledVersion, Version{10029});
}

// Files the installer never writes but a damaged disk or an editor may leave. What the system's
// reader makes of them is its own affair (noted per case as Wine's reader sees it); the run must
// only get a folder and a version it can act on or refuse.
TEST_F(SettingsTest, OddLineEndsAndJunkGiveWhatTheSystemReaderSees) {
    using namespace std::string_literals;
    const struct {
        const char* label;
        std::string bytes;
        std::string installDir;
        Version version;
    } cases[] = {
        // A lone CR ends a line as CR LF does.
        {"CR-only line ends", "[94]\rCALE=C:\\Apps\\Prog\rVER=1.0020\r", "C:\\Apps\\Prog",
         Version{10020}},
        // Lines that are neither a section nor a key are passed over.
        {"junk around the section",
         "\x01\x02\xfe\x7f junk\r\n[94]\r\nCALE=C:\\Apps\\Prog\r\nVER=1.0020\r\n\x03\xff\x80\r\n"s,
         "C:\\Apps\\Prog", Version{10020}},
        {"junk with NUL bytes",
         "\x01\x00\xfe\r\n[94]\r\nCALE=C:\\Apps\\Prog\r\nVER=1.0020\r\n\x00\x00\xff\r\n"s,
         "C:\\Apps\\Prog", Version{10020}},
        // Control characters inside the folder stay: no such folder can exist, so the run stops
        // at its first write there. Inside the version they split it, and it reads as none.
        {"junk inside the values",
         "[94]\r\nCALE=C:\\Apps\x01\x02\\Prog\r\nVER=1.00\x7f"
         "20\r\n"s,
         "C:\\Apps\x01\x02\\Prog", Version{0}},
    };
    for (const auto& c : cases) {
        WriteWholeFile(settingsPath, c.bytes);
        engine.LocateInstallation();
        EXPECT_EQ(engine.InstallDir, c.installDir) << c.label;
        EXPECT_EQ(engine.InstalledVersion, c.version) << c.label;
    }
}

} // namespace
