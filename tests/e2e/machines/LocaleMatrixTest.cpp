// Both roads of the real updater in folders spelt with the letters of the ANSI code page the run
// is in, on a local disk and on a network share. The same program runs once per locale (see
// Locales.txt); each folder below is tried in the run of its own code page.
#include "tests/e2e/update/UpdateFixture.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

using namespace update_e2e;

namespace {

// The run must be in the code pages it was started for, or it proves nothing.
TEST(CodePages, AreTheOnesThisRunIsFor) {
    const char* expected = std::getenv("UPDATER_EXPECTED_CODE_PAGES"); // "ANSI/OEM"
    if (expected == nullptr) {
        GTEST_SKIP() << "not started for a chosen locale";
    }
    EXPECT_EQ(std::to_string(GetACP()) + "/" + std::to_string(GetOEMCP()), expected);
}

// Wine serves "\\calvex\share" from this folder of its prefix.
std::string NetworkShare() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix == nullptr) {
        return {};
    }
    std::string folder = FromBuildPath(prefix) + "\\dosdevices";
    for (const char* part : {"unc", "calvex", "share"}) {
        folder += std::string{"\\"} + part;
        MakeFolder(folder);
    }
    return "\\\\calvex\\share";
}

// Whether a program lying on the share can be started at all: Wine 8 reads and writes files
// there but starts no program from it, so the road cannot be walked on such a Wine.
bool StartsProgramsFrom(const std::string& share) {
    const std::string marker = share + "\\marker.exe";
    CopyExisting(FromBuildPath(MARKER_PROGRAM), marker);
    const auto started = wd::Program::Start(Quoted(marker));
    // A started program leaves its mark within seconds, even on a loaded machine.
    const bool ran =
        started.has_value() && wd::WaitUntil([&] { return Exists(marker + ".ran"); }, 15000);
    DeleteFileA((marker + ".ran").c_str());
    wd::WaitUntil([&] { return DeleteFileA(marker.c_str()) != FALSE; }, kSlowMs);
    return ran;
}

enum class Road {
    ProgramAsks,        // the program starts the updater beside it with its own path
    UserStarts,         // the user starts it while the program is closed; "CALE" names the folder
    ProgramAsksOnShare, // the first road, the installation in a network folder
};

struct LocaleFolder {
    const char* label;
    UINT codePage;
    // "%", "&" and spaces too, which the removal script's interpreter could misread.
    std::wstring name;
};

// The second byte of "\u8868" and "\u30bd" in code page 932 is a backslash.
const LocaleFolder kFolders[] = {
    {"Western", 1252, L"Calvex 100% & caf\u00e9"},
    {"Romanian", 1250, L"Actualiz\u0103ri 100% & \u0163ar\u0103 \u015fi \u00eencerc\u0103ri"},
    {"Japanese", 932, L"\u8868 100% & \u30bd\u30d5\u30c8\u30bd"},
    {"Utf8", 65001, L"\u0939\u093f\u0928\u094d\u0926\u0940 100% & \u0103\u30bd"},
};

const char* ToString(Road road) {
    switch (road) {
    case Road::ProgramAsks:
        return "ProgramAsks";
    case Road::UserStarts:
        return "UserStarts";
    case Road::ProgramAsksOnShare:
        return "ProgramAsksOnShare";
    }
    return "";
}

class LocaleMatrix : public UpdateEndToEnd,
                     public ::testing::WithParamInterface<std::tuple<LocaleFolder, Road>> {
  protected:
    // Started by the user, the program closed: replaced at once, and the updater stays.
    void ReplaceWhenTheUserStarts(const Installation& install) {
        WriteSettings(install.Folder(), "1.0020");
        auto updater = wd::Program::Start(Quoted(install.Updater()));
        ASSERT_TRUE(updater.has_value());
        HWND form = wd::WaitForWindow(StatusWindowClass, kSlowMs);
        ASSERT_NE(form, nullptr) << "no status window";
        EXPECT_EQ(wd::FindWindowOfClass(DialogWindowClass), nullptr) << "asked with no program";
        ExpectReplaced(form, install);
        PressOk(form);
        EXPECT_EQ(updater->WaitForExit(kSlowMs), 0u);
        EXPECT_EQ(FindWindowA(nullptr, kNewTitle), nullptr)
            << "started by the user, it starts nothing";
        EXPECT_EQ(FolderEntries(install.Folder()),
                  (std::vector<std::string>{kUpdaterName, "DATA", "ZentorCalvex.exe"}));
    }
};

TEST_P(LocaleMatrix, ReplacesTheProgramAndWritesNothingBesideTheFolder) {
    const auto& [folder, road] = GetParam();
    if (GetACP() != folder.codePage) {
        GTEST_SKIP() << "a folder for the code page " << folder.codePage << ", not " << GetACP();
    }
    const auto name = ToAnsi(folder.name);
    ASSERT_TRUE(name.has_value()) << "the code page " << GetACP() << " cannot spell the folder";

    const std::string parent = road == Road::ProgramAsksOnShare ? NetworkShare() : root.Path();
    if (parent.empty()) {
        GTEST_SKIP() << "no Wine prefix to serve the network share from";
    }
    if (road == Road::ProgramAsksOnShare && !StartsProgramsFrom(parent)) {
        GTEST_SKIP() << "this system starts no program from the network share " << parent;
    }
    const auto entriesBefore = FolderEntries(parent);
    {
        Installation install(parent + "\\" + *name);
        if (road == Road::UserStarts) {
            ASSERT_NO_FATAL_FAILURE(ReplaceWhenTheUserStarts(install));
        } else {
            WriteSettings("C:\\nowhere", "1.0020");
            ASSERT_NO_FATAL_FAILURE(ReplaceAndHandBack(install)); // the updater and script gone
            EXPECT_EQ(FolderEntries(install.Folder()), kReplacedInstallation);
        }
        auto entries = entriesBefore;
        entries.push_back(*name);
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(FolderEntries(parent), entries) << "written beside the installation";
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, LocaleMatrix,
                         ::testing::Combine(::testing::ValuesIn(kFolders),
                                            ::testing::Values(Road::ProgramAsks, Road::UserStarts,
                                                              Road::ProgramAsksOnShare)),
                         [](const auto& info) {
                             return std::string{std::get<0>(info.param).label} + "_" +
                                    ToString(std::get<1>(info.param));
                         });

} // namespace
