#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A program version as a count of ten-thousandths: 1.0029 is 10029.
struct Version {
    std::int64_t tenThousandths = 0;

    friend constexpr auto operator<=>(const Version&, const Version&) = default;
};

// Reads digits with at most one decimal separator, rounding beyond the fourth decimal half to
// even. Anything else, or a value past the signed 64-bit range, is not accepted.
std::optional<Version> ParseVersion(std::string_view text, char decimalSeparator);

// At least one integer digit, no grouping, the separator, exactly four decimals.
std::string ShowVersion(Version version, char decimalSeparator);
