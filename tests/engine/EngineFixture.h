#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "app/NumberSettings.h"
#include "engine/UpdateEngine.h"
#include "os/fake/FakeOsServices.h"

// Answers the dialog from a script and records every question.
class ScriptedDialog : public UserDialog {
  public:
    struct Question {
        std::string heading;
        std::string text;
        MessageKind kind;
        ButtonSet buttons;
    };

    std::uint16_t Mesaj(const std::string& heading, const std::string& text, MessageKind kind,
                        ButtonSet buttons) override {
        questions.push_back({heading, text, kind, buttons});
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return mrCancel;
        }
        const auto answer = answers.front();
        answers.pop_front();
        if (onAnswer) {
            onAnswer(answer);
        }
        return answer;
    }
    void ProcessPendingMessages() override { ++messagePumps; }

    std::deque<std::uint16_t> answers;
    std::function<void(std::uint16_t)> onAnswer; // the user acts before pressing the button
    std::vector<Question> questions;
    int messagePumps = 0;
};

// A typical world: the updater in D:\Apps\Prog beside "DATA", the settings in C:\WINDOWS.
class UpdaterWorld {
  public:
    static constexpr const char* kSettings = "C:\\WINDOWS\\XQZ.dII";
    static constexpr const char* kInstall = "D:\\Apps\\Prog";
    static constexpr const char* kExe = "D:\\Apps\\Prog\\ZentorCalvex.exe";
    static constexpr const char* kTemp = "D:\\Apps\\Prog\\TmpUp";
    static constexpr const char* kUpdater = "D:\\Apps\\Prog\\Actualizare.exe";
    const std::string payload = std::string("MZ\x90\0new build", 13);

    UpdaterWorld() {
        ProcessFormatSettings() = FormatSettings{};
        ApplyNumberSettings();
        os.AddFolder("C:\\WINDOWS\\system32");
        os.AddFile(kSettings, "[94]");
        os.AddFolder("D:\\Apps\\Prog\\DATA");
        os.AddFile(kUpdater, "MZ updater");
        os.AddFile(kExe, "MZ old build");
        os.AddResource("AF", "UPGRADE", payload);
        SetVersion("1.0020");
        SetInstallFolder(kInstall);
    }

    void SetVersion(const std::string& value) {
        os.SetProfileString(kSettings, "94", "VER", value);
    }
    void SetInstallFolder(const std::string& value) {
        os.SetProfileString(kSettings, "94", "CALE", value);
    }
    void StartWithParameter(const std::string& parameter) {
        os.commandLine = std::string{"\""} + kUpdater + "\" " + parameter;
    }

    FakeOsServices os;
    ScriptedDialog dialog;
    UpdateEngine engine{os, dialog};

    std::string Installed() const { return os.FindFile(kExe) ? os.FindFile(kExe)->bytes : ""; }
};

class EngineFixture : public testing::Test, public UpdaterWorld {};
