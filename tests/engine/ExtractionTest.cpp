#include "EngineFixture.h"

namespace {

using Operation = FakeOsServices::Operation;

class ExtractionTest : public EngineFixture {
  protected:
    bool Extract(const std::string& name = "UpGrade") {
        return engine.ExtractPayload("AF", name, kTemp);
    }
};

TEST_F(ExtractionTest, WritesTheResourceBytesUnchanged) {
    ASSERT_TRUE(Extract());
    EXPECT_EQ(os.FindFile(kTemp)->bytes, payload);
    EXPECT_EQ(os.calls[Operation::Create], 1);
}

TEST_F(ExtractionTest, NameComparesWithoutCase) {
    EXPECT_TRUE(Extract("upgrade"));
    EXPECT_TRUE(Extract("UPGRADE"));
}

TEST_F(ExtractionTest, OverwritesAnExistingFile) {
    os.AddFile(kTemp, std::string(100000, 'x'));
    ASSERT_TRUE(Extract());
    EXPECT_EQ(os.FindFile(kTemp)->bytes, payload);
}

TEST_F(ExtractionTest, EmptyResourceLeavesAnEmptyFile) {
    os.AddResource("AF", "UPGRADE", "");
    ASSERT_TRUE(Extract());
    EXPECT_EQ(os.FindFile(kTemp)->bytes, "");
}

TEST_F(ExtractionTest, MissingResourceCreatesNoFile) {
    EXPECT_FALSE(Extract("Other"));
    os.Fail(Operation::LookUpResource);
    EXPECT_FALSE(Extract());
    EXPECT_FALSE(os.HasFile(kTemp));
    EXPECT_EQ(os.calls[Operation::Create], 0);
}

TEST_F(ExtractionTest, CreationFailuresReportFalse) {
    os.SetUnwritableFolder(kInstall);
    EXPECT_FALSE(Extract());
    EXPECT_FALSE(os.HasFile(kTemp));

    EXPECT_FALSE(engine.ExtractPayload("AF", "UpGrade", "D:\\Missing\\TmpUp"));
    EXPECT_FALSE(os.HasFile("D:\\Missing\\TmpUp"));
}

TEST_F(ExtractionTest, ShortOrFailedWriteReportsFalseAndLeavesWhatWasWritten) {
    os.ShortenNextWrite(3);
    EXPECT_FALSE(Extract());
    EXPECT_EQ(os.FindFile(kTemp)->bytes, payload.substr(0, payload.size() - 3));

    os.Fail(Operation::Write, 1);
    EXPECT_FALSE(Extract());
}

} // namespace
