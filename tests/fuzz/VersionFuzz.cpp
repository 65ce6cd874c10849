// Fuzzes the version reader: every input is read with "." and with ",", and the result is
// checked against an independent reading in 128-bit arithmetic and against the shown form.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "FuzzCheck.h"
#include "engine/Version.h"

namespace {

constexpr unsigned __int128 kLargest = std::numeric_limits<std::int64_t>::max();

// What the reader must return: digits with at most one separator, rounded half to even beyond
// the fourth decimal, within the signed 64-bit range; nothing otherwise.
std::optional<std::int64_t> Expected(std::string_view text, char separator) {
    if (text.empty()) {
        return std::nullopt;
    }
    unsigned __int128 value = 0; // saturates far above the range, so the verdict stays right
    int separators = 0;
    int decimals = 0;
    int firstDropped = -1;
    bool laterDroppedNonZero = false;
    for (char c : text) {
        if (c == separator) {
            if (++separators > 1) {
                return std::nullopt;
            }
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const int digit = c - '0';
        if (separators == 1 && ++decimals > 4) {
            if (firstDropped < 0) {
                firstDropped = digit;
            } else if (digit != 0) {
                laterDroppedNonZero = true;
            }
            continue;
        }
        value = value > kLargest ? kLargest + 1 : value * 10 + digit;
    }
    for (; decimals < 4; ++decimals) {
        value = value > kLargest ? kLargest + 1 : value * 10;
    }
    const bool roundsUp =
        firstDropped > 5 || (firstDropped == 5 && (laterDroppedNonZero || value % 2 == 1));
    if (roundsUp) {
        ++value;
    }
    if (value > kLargest) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(value);
}

void CheckWith(std::string_view text, char separator) {
    const auto parsed = ParseVersion(text, separator);
    const auto expected = Expected(text, separator);
    FUZZ_CHECK(parsed.has_value() == expected.has_value());
    if (!parsed) {
        return;
    }
    FUZZ_CHECK(parsed->tenThousandths == *expected);
    FUZZ_CHECK(parsed->tenThousandths >= 0);

    // The shown form reads back as the same value and shows the same way again.
    const std::string shown = ShowVersion(*parsed, separator);
    const auto reread = ParseVersion(shown, separator);
    FUZZ_CHECK(reread.has_value() && *reread == *parsed);
    FUZZ_CHECK(ShowVersion(*reread, separator) == shown);
    FUZZ_CHECK(shown.size() >= 6 && shown[shown.size() - 5] == separator);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckWith(text, '.');
    CheckWith(text, ',');
    return 0;
}
