#pragma once

// Process-wide number formatting. It starts from the regional settings, as any Windows program's
// would; the status window then fixes "." so versions read and show the same on every machine.
struct FormatSettings {
    char DecimalSeparator = '.';
    // Whether a settings-changed announcement from the system reloads the regional settings.
    bool UpdateFormatSettings = true;
};

FormatSettings& ProcessFormatSettings();

// Loads the regional separator, at start or when the system announces a change (if allowed).
void LoadRegionalFormatSettings(char regionalDecimalSeparator);
void OnSystemSettingsChanged(char regionalDecimalSeparator);

// No more reloading for the rest of the run, then "." as the decimal separator.
void ApplyNumberSettings();
