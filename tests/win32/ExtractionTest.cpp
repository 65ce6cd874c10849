// Extraction from this executable's own resource: a multi-megabyte build, type "AF", name
// "UPGRADE", Romanian, as the updater carries it.
#include <gtest/gtest.h>

#include "engine/UpdateEngine.h"
#include "os/win32/Win32OsServices.h"
#include "tests/e2e/driver/WindowDriver.h"
#include "tests/win32/NoQuestions.h"
#include "tests/win32/TestFiles.h"

using namespace test_files;

namespace {

class ExtractionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        carried = new std::string(ReadWholeFile(FromBuildPath(CARRIED_PAYLOAD)).value_or(""));
    }
    static void TearDownTestSuite() { delete carried; }

    bool Extract(const std::string& destination, const std::string& name = "UpGrade") {
        return engine.ExtractPayload("AF", name, destination);
    }

    static inline std::string* carried = nullptr;
    Win32OsServices os;
    NoQuestions dialog;
    UpdateEngine engine{os, dialog};
    ScratchFolder scratch{TemporaryFolder("extraction test")};
    const std::string temp = scratch / "TmpUp";
};

TEST_F(ExtractionTest, WritesTheCarriedBuildByteForByteWhateverTheNameCase) {
    ASSERT_EQ(carried->size(), CARRIED_PAYLOAD_SIZE);
    for (const char* name : {"UpGrade", "upgrade", "UPGRADE"}) {
        ASSERT_TRUE(Extract(temp, name)) << name;
        const auto written = ReadWholeFile(temp);
        ASSERT_TRUE(written.has_value()) << name;
        EXPECT_EQ(written->size(), CARRIED_PAYLOAD_SIZE) << name;
        EXPECT_TRUE(*written == *carried) << name << ": bytes differ";
        ASSERT_TRUE(DeleteFileA(temp.c_str()));
    }
}

TEST_F(ExtractionTest, TheExtractedBuildRuns) {
    const std::string exe = scratch / "ZentorCalvex.exe";
    ASSERT_TRUE(Extract(exe));
    // Asked for its update with no updater beside it, the program just ends.
    auto program = window_driver::Program::Start("\"" + exe + "\" /update 0");
    ASSERT_TRUE(program.has_value());
    EXPECT_EQ(program->WaitForExit(60000), 0u);
}

TEST_F(ExtractionTest, OverwritesAnExistingLargerFileToTheExactSize) {
    WriteWholeFile(temp, std::string(CARRIED_PAYLOAD_SIZE + 123'457, 'x'));
    ASSERT_TRUE(Extract(temp));
    EXPECT_TRUE(ReadWholeFile(temp) == *carried);
}

TEST_F(ExtractionTest, ADestinationThatCannotBeCreatedReportsFalseAndCreatesNothing) {
    const std::string folder = scratch / "TmpUp folder";
    MakeFolder(folder);
    EXPECT_FALSE(Extract(scratch / "missing folder\\TmpUp"));
    EXPECT_FALSE(Exists(scratch / "missing folder"));
    EXPECT_FALSE(Extract(folder));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{});
}

TEST_F(ExtractionTest, AReadOnlyDestinationIsLeftAlone) {
    if (!ReadOnlyStopsWriting()) {
        GTEST_SKIP() << kReadOnlyNotEnforced;
    }
    WriteWholeFile(temp, "kept");
    SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(Extract(temp));
    EXPECT_TRUE(ReadWholeFile(temp) == "kept");
}

TEST_F(ExtractionTest, AnotherNameOrTypeFindsNothingAndCreatesNoFile) {
    EXPECT_FALSE(Extract(temp, "UPGRADE2"));
    EXPECT_FALSE(engine.ExtractPayload("AG", "UpGrade", temp));
    EXPECT_FALSE(Exists(temp));
}

} // namespace
