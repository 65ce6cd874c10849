#include "EngineFixture.h"

namespace {

class HandBackTest : public EngineFixture {
  protected:
    static constexpr const char* kScript = "D:\\Apps\\Prog\\suicide.bat";
    static constexpr const char* kCmd = "C:\\WINDOWS\\system32\\cmd.exe";
    static constexpr const char* kInterpreterLine = "cmd.exe /D /V:OFF /C \"\".\\suicide.bat\"\"";
    static constexpr const char* kNetworkInterpreterLine =
        "cmd.exe /D /V:OFF /C \"\"%ZENTOR_CALVEX_SCRIPT%\"\"";

    HandBackResult UpdateThenHandBack() {
        engine.RunUpdate();
        return engine.HandBack();
    }
    std::string Script() const { return os.FindFile(kScript) ? os.FindFile(kScript)->bytes : ""; }
};

TEST_F(HandBackTest, WithoutParameterTheApplicationJustQuits) {
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::QuitApplication);
    EXPECT_FALSE(os.HasFile(kScript));
    EXPECT_TRUE(os.started.empty());
}

TEST_F(HandBackTest, WritesTheScriptThenStartsItAndTheUpdatedProgram) {
    StartWithParameter(kExe);
    os.AddFile(kScript, std::string(5000, 'x')); // an old script is overwritten
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::EndProcess);
    // It pauses and counts its attempts; the four lines that delete stay as they always were.
    EXPECT_EQ(Script(), "@set /a ZentorCalvexTries=0\r\n"
                        ":redo\r\n"
                        "@del \"D:\\Apps\\Prog\\Actualizare.exe\"\r\n"
                        "@set /a ZentorCalvexTries+=1\r\n"
                        "@if %ZentorCalvexTries% GEQ 120 GOTO giveup\r\n"
                        "@if EXIST \"D:\\Apps\\Prog\\Actualizare.exe\" ping -n 2 127.0.0.1 >nul\r\n"
                        "if EXIST \"D:\\Apps\\Prog\\Actualizare.exe\" GOTO redo\r\n"
                        ":giveup\r\n"
                        "@del \"D:\\Apps\\Prog\\suicide.bat\"\r\n");
    ASSERT_EQ(os.started.size(), 2u);
    EXPECT_EQ(os.started[0].application, kCmd);
    EXPECT_EQ(os.started[0].commandLine, kInterpreterLine);
    EXPECT_EQ(os.started[0].variableName, "");
    EXPECT_EQ(os.started[0].currentFolder, "D:\\Apps\\Prog\\");
    EXPECT_EQ(os.started[0].show, ShowState::Hidden);
    EXPECT_EQ(os.started[1].application, kExe);
    EXPECT_EQ(os.started[1].commandLine, "\"D:\\Apps\\Prog\\ZentorCalvex.exe\"");
    EXPECT_EQ(os.started[1].show, ShowState::Normal);
    EXPECT_EQ(os.started[1].currentFolder, ""); // the program inherits the updater's
}

TEST_F(HandBackTest, PathsWithSpacesAndPercentSigns) {
    const std::string folder = "E:\\100% Sigur\\Program Files";
    os.AddFolder(folder + "\\DATA");
    os.moduleFileName = folder + "\\Actualizare %PATH%.exe";
    StartWithParameter("\"" + folder + "\\ZentorCalvex.exe\"");
    os.AddFile(folder + "\\ZentorCalvex.exe");
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::EndProcess);
    const std::string script = os.FindFile(folder + "\\suicide.bat")->bytes;
    const std::string updater = "\"E:\\100%% Sigur\\Program Files\\Actualizare %%PATH%%.exe\"";
    EXPECT_NE(script.find("\r\n@del " + updater + "\r\n"), std::string::npos) << script;
    EXPECT_NE(script.find("\r\nif EXIST " + updater + " GOTO redo\r\n"), std::string::npos);
    EXPECT_NE(script.find("\r\n@del \"E:\\100%% Sigur\\Program Files\\suicide.bat\"\r\n"),
              std::string::npos);
    // The interpreter's command line holds no path it could expand.
    EXPECT_EQ(os.started[0].commandLine, kInterpreterLine);
    EXPECT_EQ(os.started[0].currentFolder, folder + "\\");
    EXPECT_EQ(os.started[1].application, folder + "\\ZentorCalvex.exe");
}

TEST_F(HandBackTest, RunsThatStoppedEarlyStillRemoveTheUpdaterButStartNothing) {
    StartWithParameter(kExe);
    SetVersion("1.0029");
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::EndProcess);
    EXPECT_TRUE(os.HasFile(kScript));
    ASSERT_EQ(os.started.size(), 1u);
    EXPECT_EQ(os.started[0].application, kCmd);
}

TEST_F(HandBackTest, AfterAFailedRenameTheUpdaterStaysAndStartsNothing) {
    StartWithParameter(kExe);
    os.Fail(FakeOsServices::Operation::Move);
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::QuitApplication);
    EXPECT_FALSE(os.HasFile(kScript));
    EXPECT_TRUE(os.started.empty());
}

TEST_F(HandBackTest, ScriptThatCannotBeCreatedIsReportedAndNothingStarts) {
    StartWithParameter(kExe);
    engine.RunUpdate();
    os.AddFile(kScript, "old");
    os.SetReadOnly(kScript);
    const auto result = engine.HandBack();
    EXPECT_EQ(result.Action, HandBackAction::ShowError);
    EXPECT_EQ(result.ErrorMessage,
              "Nu pot crea fisierul \"D:\\Apps\\Prog\\suicide.bat\". Eroare de sistem 5.");
    EXPECT_TRUE(os.started.empty());

    os.SetReadOnly(kScript, false); // pressing OK again starts over
    EXPECT_EQ(engine.HandBack().Action, HandBackAction::EndProcess);
    EXPECT_EQ(os.started.size(), 2u);
}

TEST_F(HandBackTest, UpdaterOnANetworkShareNamesItsScriptThroughTheEnvironment) {
    const std::string folder = "\\\\server\\share & co\\Zentor";
    os.AddFolder(folder + "\\DATA");
    os.AddFile(folder + "\\ZentorCalvex.exe");
    os.moduleFileName = folder + "\\ActualizareCalvex.exe";
    StartWithParameter("\"" + folder + "\\ZentorCalvex.exe\"");
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::EndProcess);
    EXPECT_TRUE(os.HasFile(folder + "\\suicide.bat"));
    // A network folder cannot be the interpreter's current one; the variable's value is expanded
    // once, as it stands.
    EXPECT_EQ(os.started[0].commandLine, kNetworkInterpreterLine);
    EXPECT_EQ(os.started[0].variableName, "ZENTOR_CALVEX_SCRIPT");
    EXPECT_EQ(os.started[0].variableValue, folder + "\\suicide.bat");
    EXPECT_EQ(os.started[0].currentFolder, "C:\\WINDOWS\\system32");
}

TEST_F(HandBackTest, ShortScriptWriteGivesTheRealReason) {
    StartWithParameter(kExe);
    engine.RunUpdate();
    os.ShortenNextWrite(3);
    const auto result = engine.HandBack();
    EXPECT_EQ(result.Action, HandBackAction::ShowError);
    EXPECT_EQ(result.ErrorMessage,
              "Nu pot crea fisierul \"D:\\Apps\\Prog\\suicide.bat\". Eroare de sistem 112.");
    EXPECT_TRUE(os.started.empty());
}

TEST_F(HandBackTest, UpdaterPathTheAnsiCodePageCannotSpellWritesNoScript) {
    os.moduleFileNameExact = false; // "D:\Apps\Prog" read back with a look-alike letter
    os.AddFile(kExe);
    StartWithParameter(kExe);
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::EndProcess);
    EXPECT_FALSE(os.HasFile(kScript));
    EXPECT_TRUE(os.started.empty());
}

TEST_F(HandBackTest, ScriptBesideAnUpdaterInADoubleByteFolder) {
    // "C:\Apps\ソ" in code page 932: the katakana's second byte is 0x5C, the code of "\".
    const std::string folder = "C:\\Apps\\\x83\x5C";
    os.ansiCodePage = 932;
    os.AddFolder(folder + "\\DATA");
    os.AddFile(folder + "\\ZentorCalvex.exe");
    os.moduleFileName = folder + "\\ActualizareCalvex.exe";
    StartWithParameter("\"" + folder + "\\ZentorCalvex.exe\"");
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::EndProcess);
    EXPECT_EQ(os.started[0].currentFolder, folder + "\\");
    EXPECT_TRUE(os.HasFile(folder + "\\suicide.bat"));
    EXPECT_EQ(os.FindFile(folder + "\\ZentorCalvex.exe")->bytes, payload);
}

TEST_F(HandBackTest, PathTheConsoleCodePageCannotSpellKeepsTheUpdater) {
    StartWithParameter(kExe);
    os.oemUnspellable = "D"; // every path here begins with the drive D
    EXPECT_EQ(UpdateThenHandBack().Action, HandBackAction::EndProcess);
    EXPECT_FALSE(os.HasFile(kScript));
    ASSERT_EQ(os.started.size(), 1u);
    EXPECT_EQ(os.started[0].application, kExe);
}

} // namespace
