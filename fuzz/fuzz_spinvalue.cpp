// The spin edit's reading of its text: any bytes, against a parser built on std::from_chars.
#include "fuzzcheck.h"
#include "spinvalue.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace {

std::optional<int> Reference(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    for (const char c : text) {
        const bool digit = (c >= '0' && c <= '9') ||
                           (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
        if (!digit)
            return std::nullopt;
    }
    const std::size_t nonZero = text.find_first_not_of('0');
    text.remove_prefix(nonZero == std::string_view::npos ? text.size() - 1 : nonZero);
    if (text.size() > 10)
        return std::nullopt;
    std::int64_t magnitude = 0;
    std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::optional<int> value = ParseSpinEditText(text);
    Require(value == Reference(text), "ParseSpinEditText");
    Require(SpinEditValue(text, -7) == value.value_or(-7), "SpinEditValue");

    if (value) {
        // What the box writes back reads as the same number, in decimal and in hex.
        Require(ParseSpinEditText(std::to_string(*value)) == value, "decimal round trip");
        const std::int64_t v = *value;
        char hex[32];
        std::snprintf(hex, sizeof hex, "%s$%llX", v < 0 ? "-" : "",
                      static_cast<unsigned long long>(v < 0 ? -v : v));
        Require(ParseSpinEditText(hex) == value, "hexadecimal round trip");
    }
    return 0;
}
