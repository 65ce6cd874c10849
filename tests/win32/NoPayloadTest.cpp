// An executable built without the carried build: extraction fails before touching the disk.
#include <gtest/gtest.h>

#include "engine/UpdateEngine.h"
#include "os/win32/Win32OsServices.h"
#include "tests/win32/NoQuestions.h"
#include "tests/win32/TestFiles.h"

using namespace test_files;

TEST(NoPayloadTest, ExtractionReportsFalseAndLeavesNoFile) {
    Win32OsServices os;
    NoQuestions dialog;
    UpdateEngine engine{os, dialog};
    ScratchFolder scratch{TemporaryFolder("no payload test")};

    EXPECT_FALSE(engine.ExtractPayload("AF", "UpGrade", scratch / "TmpUp"));
    EXPECT_EQ(FolderEntries(scratch.Path()), std::vector<std::string>{});
}
