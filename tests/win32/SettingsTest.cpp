// The settings file as the installation leaves it: "XQZ.dII" in the prefix's Windows directory,
// read by LocateInstallation through the real services.
#include <gtest/gtest.h>

#include "app/NumberSettings.h"
#include "engine/UpdateEngine.h"
#include "os/win32/Win32OsServices.h"
#include "tests/win32/NoQuestions.h"
#include "tests/win32/TestFiles.h"

using namespace test_files;

namespace {

// Started by the user: whatever the test runner passes, the updater sees no parameter.
class StartedWithoutParameters : public Win32OsServices {
  public:
    std::string RawCommandLine() override { return "\"" + ModuleFileName() + "\""; }
};

// Owns an open registry key.
class RegistryKey {
  public:
    RegistryKey(HKEY root, const char* path) {
        if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

// A user's regional setting, changed for one test and put back afterwards.
class RegionalSetting {
  public:
    explicit RegionalSetting(const char* name) : name_(name) {
        char value[64] = {};
        DWORD size = sizeof value;
        DWORD type = 0;
        had_ = RegQueryValueExA(key_.Get(), name_, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                &size) == ERROR_SUCCESS;
        saved_ = had_ ? std::string(value) : std::string{};
    }
    ~RegionalSetting() {
        if (had_) {
            Set(saved_);
        } else {
            RegDeleteValueA(key_.Get(), name_);
        }
    }
    RegionalSetting(const RegionalSetting&) = delete;
    RegionalSetting& operator=(const RegionalSetting&) = delete;

    void Set(const std::string& value) {
        ASSERT_NE(key_.Get(), nullptr);
        ASSERT_EQ(RegSetValueExA(key_.Get(), name_, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
        // Tells the locale functions, as the Control Panel does, that the setting changed.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"),
                            SMTO_ABORTIFHUNG, 2000, &ignored);
    }

  private:
    RegistryKey key_{HKEY_CURRENT_USER, "Control Panel\\International"};
    const char* name_;
    bool had_ = false;
    std::string saved_;
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
    RegionalSetting decimal("sDecimal");
    decimal.Set(",");
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
