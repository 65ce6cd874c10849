#include "engine/Version.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct ParseCase {
    const char* text;
    std::optional<std::int64_t> expected;
};

class ParseVersionTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseVersionTest, ReadsTenThousandths) {
    const auto& c = GetParam();
    const auto parsed = ParseVersion(c.text, '.');
    if (c.expected) {
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(parsed->tenThousandths, *c.expected) << c.text;
    } else {
        EXPECT_FALSE(parsed.has_value()) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseVersionTest,
    testing::Values(ParseCase{"1.0029", 10029}, ParseCase{"2", 20000}, ParseCase{".5", 5000},
                    ParseCase{"1.", 10000}, ParseCase{".", 0}, ParseCase{"00001.0029", 10029},
                    ParseCase{"1.3", 13000}, ParseCase{"", std::nullopt},
                    ParseCase{".1.2", std::nullopt}, ParseCase{"1.0029.", std::nullopt},
                    ParseCase{"..", std::nullopt},
                    // Rounding at the fifth decimal, halfway cases to even.
                    ParseCase{"1.00284999", 10028}, ParseCase{"1.00295", 10030},
                    ParseCase{"1.00285", 10028}, ParseCase{"1.99995", 20000},
                    ParseCase{"1.000250000000000000001", 10003}, ParseCase{"0.00005", 0},
                    ParseCase{"0.00015", 2},
                    // The signed 64-bit range: 922337203685477.5807 is the largest value.
                    ParseCase{"922337203685477.5807", 9223372036854775807},
                    ParseCase{"922337203685477.58074", 9223372036854775807},
                    ParseCase{"922337203685477.58075", std::nullopt}, // rounds past the range
                    ParseCase{"922337203685477.58076", std::nullopt},
                    ParseCase{"922337203685477.5808", std::nullopt},
                    ParseCase{"1000000000000000", std::nullopt},
                    ParseCase{"0000000000000000000000001.5", 15000},
                    ParseCase{"999999999999999999999999999999", std::nullopt}),
    [](const testing::TestParamInfo<ParseCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST(ParseVersion, UsesTheGivenSeparatorOnly) {
    EXPECT_EQ(ParseVersion("1,0029", ',')->tenThousandths, 10029);
    EXPECT_FALSE(ParseVersion("1.0029", ',').has_value());
}

TEST(ShowVersion, FourDecimalsAtLeastOneIntegerDigit) {
    EXPECT_EQ(ShowVersion(Version{10029}, '.'), "1.0029");
    EXPECT_EQ(ShowVersion(Version{20000}, '.'), "2.0000");
    EXPECT_EQ(ShowVersion(Version{125000}, '.'), "12.5000");
    EXPECT_EQ(ShowVersion(Version{5}, '.'), "0.0005");
    EXPECT_EQ(ShowVersion(Version{0}, '.'), "0.0000");
    EXPECT_EQ(ShowVersion(Version{9223372036854775807}, '.'), "922337203685477.5807");
    EXPECT_EQ(ShowVersion(Version{-10029}, '.'), "-1.0029");
}

} // namespace
