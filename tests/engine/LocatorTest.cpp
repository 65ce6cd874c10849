#include "EngineFixture.h"

namespace {

class LocatorTest : public EngineFixture {
  protected:
    std::string Located() {
        engine.LocateInstallation();
        return engine.InstallDir;
    }
};

TEST_F(LocatorTest, InstallFolderFromTheSettingsIsTrimmedOfOneBackslash) {
    const struct {
        std::string cale;
        std::string expected;
    } cases[] = {
        {"D:\\Apps\\Prog", "D:\\Apps\\Prog"},
        {"D:\\Apps\\Prog\\ ", "D:\\Apps\\Prog"},
        {"D:\\Apps\\Prog\\\\", "D:\\Apps\\Prog\\"},
        {" \t D:\\Apps\\Prog\t\r", "D:\\Apps\\Prog"},
        {"\\", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SetInstallFolder(c.cale);
        EXPECT_EQ(Located(), c.expected) << c.cale;
        EXPECT_FALSE(engine.StartedWithParameter);
    }
}

TEST_F(LocatorTest, LongSettingIsCutBeforeItIsTrimmed) {
    // 2046 characters, then a space and more: the read keeps 2047, the trim drops the space.
    SetInstallFolder(std::string(2046, 'a') + " \\tail");
    EXPECT_EQ(Located(), std::string(2046, 'a'));
}

TEST_F(LocatorTest, SettingsComeFromTheWindowsDirectoryOnly) {
    os.windowsDirectory = "E:\\Win";
    os.SetProfileString("D:\\Apps\\Prog\\XQZ.dII", "94", "CALE", "D:\\Beside");
    EXPECT_EQ(Located(), "");
    EXPECT_EQ(engine.InstalledVersion.tenThousandths, 0);
    EXPECT_EQ(engine.WindowsDir, "E:\\Win");
}

TEST_F(LocatorTest, ParameterCases) {
    os.AddFile("D:\\Other\\ZentorCalvex.exe");
    os.AddFile("D:\\My Apps\\ZentorCalvex.exe");
    os.AddFile("ZentorCalvex.exe"); // in the current folder
    os.AddFile("D:ZentorCalvex.exe");
    SetInstallFolder("E:\\Elsewhere");
    const struct {
        std::string parameters;
        std::string expected;
    } cases[] = {
        {"D:\\Other\\ZentorCalvex.exe", "D:\\Other"},
        {"\"D:\\Other\\ZentorCalvex.exe\" more and more", "D:\\Other"},
        {"D:\\Missing\\ZentorCalvex.exe", "D:\\Apps\\Prog"}, // not a file: own folder
        {"D:\\Other", "D:\\Apps\\Prog"},                     // a folder does not count
        {"D:\\My Apps\\ZentorCalvex.exe", "D:\\Apps\\Prog"}, // split at the space
        {"\"D:\\My Apps\\ZentorCalvex.exe\"", "D:\\My Apps"},
        {"ZentorCalvex.exe", ""},
        {"D:ZentorCalvex.exe", "D:"},
        {"\"\"", "D:\\Apps\\Prog"},
    };
    for (const auto& c : cases) {
        StartWithParameter(c.parameters);
        EXPECT_EQ(Located(), c.expected) << c.parameters;
        EXPECT_TRUE(engine.StartedWithParameter) << c.parameters;
    }
}

TEST_F(LocatorTest, ParameterCountsOnlyBesideDataFolder) {
    os.AddFile("D:\\Other\\ZentorCalvex.exe");
    os.moduleFileName = "E:\\Downloads\\Actualizare.exe";
    os.AddFolder("E:\\Downloads");
    StartWithParameter("D:\\Other\\ZentorCalvex.exe");
    EXPECT_EQ(Located(), "E:\\Downloads");

    os.AddFile("E:\\Downloads\\DATA"); // a file named DATA is not the folder
    EXPECT_EQ(Located(), "E:\\Downloads");
}

// Code page 932: "ソ" is 0x83 0x5C, its second byte the code of "\".
TEST_F(LocatorTest, DoubleByteFoldersKeepTheirLastCharacter) {
    const std::string so = "\x83\x5C";
    const std::string folder = "C:\\Apps\\" + so + "\x83t\x83g\\" + so; // C:\Apps\ソフト\ソ
    os.ansiCodePage = 932;
    os.AddFolder(folder + "\\DATA");
    os.AddFile(folder + "\\ZentorCalvex.exe");

    SetInstallFolder(folder);
    EXPECT_EQ(Located(), folder);
    SetInstallFolder(" " + folder + "\\ ");
    EXPECT_EQ(Located(), folder);

    os.moduleFileName = folder + "\\Actualizare.exe";
    StartWithParameter("\"" + folder + "\\ZentorCalvex.exe\"");
    EXPECT_EQ(Located(), folder); // the parameter's folder, beside "DATA"
    StartWithParameter("\"" + folder + "\\Missing.exe\"");
    EXPECT_EQ(Located(), folder); // the updater's own folder
}

TEST_F(LocatorTest, VersionFromTheSettings) {
    const struct {
        std::string ver;
        std::int64_t expected;
    } cases[] = {
        {"1.0029", 10029},
        {"1,0029", 10029},
        {"  2  ", 20000},
        {".5", 5000},
        {"1.", 10000},
        {".", 0},
        {"v1.2", 0},
        {"1.0029a", 0},
        {"1e3", 13000},
        {"", 0},
        {"\t1.0020\r", 10020},
        {"1.00295", 10030},
        {"1234567890123456", 0},
        {"000000000000000001.5", 15000},
        {"\"1.0029\"", 0}, // quotes become separators
    };
    for (const auto& c : cases) {
        SetVersion(c.ver);
        engine.LocateInstallation();
        EXPECT_EQ(engine.InstalledVersion.tenThousandths, c.expected) << c.ver;
    }
}

TEST_F(LocatorTest, MissingVersionKeyOrFileGivesZero) {
    FakeOsServices bare;
    UpdateEngine fresh{bare, dialog};
    fresh.LocateInstallation();
    EXPECT_EQ(fresh.InstalledVersion.tenThousandths, 0);
    EXPECT_EQ(fresh.InstallDir, "");
}

TEST_F(LocatorTest, RegionalCommaDoesNotMatterOnceSettingsAreApplied) {
    LoadRegionalFormatSettings(',');
    ApplyNumberSettings();
    SetVersion("1.0029");
    engine.LocateInstallation();
    EXPECT_EQ(engine.InstalledVersion.tenThousandths, 10029);
}

} // namespace
