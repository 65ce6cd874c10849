#include "app/NumberSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberSettings, RegionalChangesAreIgnoredOnceApplied) {
    ProcessFormatSettings() = FormatSettings{};
    LoadRegionalFormatSettings(',');
    EXPECT_EQ(ProcessFormatSettings().DecimalSeparator, ',');
    OnSystemSettingsChanged(';');
    EXPECT_EQ(ProcessFormatSettings().DecimalSeparator, ';');

    ApplyNumberSettings();
    EXPECT_EQ(ProcessFormatSettings().DecimalSeparator, '.');
    OnSystemSettingsChanged(',');
    EXPECT_EQ(ProcessFormatSettings().DecimalSeparator, '.');
}

} // namespace
