#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Flags for a conversion that refuses what the code page cannot spell instead of putting "?" or
// a look-alike letter in its place. UTF-8, GB18030 and the stateful code pages accept fewer
// flags, and with them no report of a default character: a call with more fails outright.
struct StrictConversionFlags {
    DWORD toWide;
    DWORD fromWide;
    bool reportsDefaultCharacter;
};
StrictConversionFlags StrictConversionFlagsFor(UINT codePage);

// The text in UTF-16; nothing when a byte sequence is not valid in the code page.
std::optional<std::wstring> ToWideExactly(UINT codePage, std::string_view text);

// The text in the code page; nothing when a character is missing from it.
std::optional<std::string> FromWideExactly(UINT codePage, std::wstring_view wide);
