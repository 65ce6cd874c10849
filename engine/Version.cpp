#include "engine/Version.h"

#include <limits>

namespace {

constexpr std::uint64_t kMaxValue = std::numeric_limits<std::int64_t>::max();
constexpr int kDecimals = 4;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// value * 10 + digit, unless that passes the signed 64-bit range.
bool AppendDigit(std::uint64_t& value, char digit) {
    const auto d = static_cast<std::uint64_t>(digit - '0');
    if (value > (kMaxValue - d) / 10) {
        return false;
    }
    value = value * 10 + d;
    return true;
}

// Whether the dropped decimals (the fifth onwards) round the kept value up.
bool RoundsUp(std::string_view dropped, std::uint64_t kept) {
    if (dropped.empty() || dropped[0] < '5') {
        return false;
    }
    if (dropped[0] > '5') {
        return true;
    }
    for (char c : dropped.substr(1)) {
        if (c != '0') {
            return true;
        }
    }
    return kept % 2 != 0; // exactly halfway: to the even neighbour
}

} // namespace

std::optional<Version> ParseVersion(std::string_view text, char decimalSeparator) {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto separator = text.find(decimalSeparator);
    if (separator != std::string_view::npos &&
        text.find(decimalSeparator, separator + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    const auto integerPart = text.substr(0, separator);
    const auto fraction =
        separator == std::string_view::npos ? std::string_view{} : text.substr(separator + 1);
    for (std::string_view part : {integerPart, fraction}) {
        for (char c : part) {
            if (!IsDigit(c)) {
                return std::nullopt;
            }
        }
    }

    std::uint64_t value = 0;
    for (char c : integerPart) {
        if (!AppendDigit(value, c)) {
            return std::nullopt;
        }
    }
    for (int i = 0; i < kDecimals; ++i) {
        const char digit = i < static_cast<int>(fraction.size()) ? fraction[i] : '0';
        if (!AppendDigit(value, digit)) {
            return std::nullopt;
        }
    }
    const auto dropped = fraction.size() > kDecimals ? fraction.substr(kDecimals) : "";
    if (RoundsUp(dropped, value)) {
        if (value == kMaxValue) {
            return std::nullopt;
        }
        ++value;
    }
    return Version{static_cast<std::int64_t>(value)};
}

std::string ShowVersion(Version version, char decimalSeparator) {
    const bool negative = version.tenThousandths < 0;
    // Unsigned magnitude, so the smallest value does not overflow on negation.
    std::uint64_t magnitude = static_cast<std::uint64_t>(version.tenThousandths);
    if (negative) {
        magnitude = ~magnitude + 1;
    }
    std::string decimals = std::to_string(magnitude % 10000);
    decimals.insert(0, kDecimals - decimals.size(), '0');
    return (negative ? "-" : "") + std::to_string(magnitude / 10000) + decimalSeparator + decimals;
}
