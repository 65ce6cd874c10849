#include "engine/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Parameters = std::vector<std::string>;

struct SplitCase {
    const char* commandLine;
    Parameters expected;
};

class SplitParametersTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitParametersTest, FollowsTheQuotingRules) {
    EXPECT_EQ(SplitParameters(GetParam().commandLine), GetParam().expected)
        << GetParam().commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitParametersTest,
    testing::Values(SplitCase{"", {}}, SplitCase{"updater.exe", {}},
                    SplitCase{"\"C:\\My Apps\\updater.exe\"", {}},
                    SplitCase{"\"C:\\My Apps\\updater.exe\"   ", {}},
                    SplitCase{"updater.exe D:\\Apps\\Prog\\ZentorCalvex.exe",
                              {"D:\\Apps\\Prog\\ZentorCalvex.exe"}},
                    SplitCase{"updater.exe D:\\My Apps\\ZentorCalvex.exe",
                              {"D:\\My", "Apps\\ZentorCalvex.exe"}},
                    SplitCase{"updater.exe \"D:\\My Apps\\ZentorCalvex.exe\"",
                              {"D:\\My Apps\\ZentorCalvex.exe"}},
                    // Quotes group from anywhere in a parameter and are removed.
                    SplitCase{"updater.exe D:\\\"My Apps\"\\x.exe", {"D:\\My Apps\\x.exe"}},
                    SplitCase{"updater.exe \"\"", {""}}, SplitCase{"updater.exe \"\" b", {"", "b"}},
                    SplitCase{"updater.exe\ta\r\nb", {"a", "b"}},
                    SplitCase{"updater.exe \"unterminated path", {"unterminated path"}},
                    SplitCase{"\"C:\\a b\\u.exe\"x y", {"y"}}),
    [](const testing::TestParamInfo<SplitCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST(SplitParameters, KeepsLongParametersWhole) {
    const std::string path(2000, 'a');
    EXPECT_EQ(SplitParameters("u.exe " + path), Parameters{path});
}

} // namespace
