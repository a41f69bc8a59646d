#include "spinvalue.h"

#include <cstdint>
#include <limits>

namespace {

int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16) {
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::optional<int> ParseSpinEditText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    if (i == text.size())
        return std::nullopt;

    // The magnitude may reach 2^31 for the most negative value; any more is out.
    const std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int SpinEditValue(std::string_view text, int minValue) {
    return ParseSpinEditText(text).value_or(minValue);
}
