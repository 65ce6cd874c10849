#include "app/NumberSettings.h"

FormatSettings& ProcessFormatSettings() {
    static FormatSettings settings;
    return settings;
}

void LoadRegionalFormatSettings(char regionalDecimalSeparator) {
    ProcessFormatSettings().DecimalSeparator = regionalDecimalSeparator;
}

void OnSystemSettingsChanged(char regionalDecimalSeparator) {
    if (ProcessFormatSettings().UpdateFormatSettings) {
        LoadRegionalFormatSettings(regionalDecimalSeparator);
    }
}

void ApplyNumberSettings() {
    ProcessFormatSettings().UpdateFormatSettings = false;
    ProcessFormatSettings().DecimalSeparator = '.';
}
