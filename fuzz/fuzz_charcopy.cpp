// CharCount and CharCopy on arbitrary byte strings and arbitrary positions, against a
// walk that first splits the string into its characters.
#include "charcopy.h"
#include "fuzzcheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// CP932 lead bytes; a lead byte that ends the string takes the zero byte after it.
std::vector<std::string> Characters(const std::string &s) {
    std::vector<std::string> chars;
    for (std::size_t p = 0; p < s.size();) {
        const auto b = static_cast<unsigned char>(s[p]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            chars.push_back({s[p], p + 1 < s.size() ? s[p + 1] : '\0'});
            p += 2;
        } else {
            chars.push_back({s[p]});
            p += 1;
        }
    }
    return chars;
}

// Characters Index to Index + Count - 1; the first character is always looked at, so an
// Index of 1 or less yields it even for a Count below 1.
std::string Copy(const std::vector<std::string> &chars, int index, int count) {
    if (chars.empty())
        return {};
    const std::int64_t n = static_cast<std::int64_t>(chars.size());
    const std::int64_t last =
        std::min(n, std::max<std::int64_t>(1, std::int64_t{index} + count - 1));
    std::string out;
    for (std::int64_t j = std::max<std::int64_t>(index, 1); j <= last; ++j)
        out += chars[static_cast<std::size_t>(j - 1)];
    return out;
}

int Position(FuzzedDataProvider &in) {
    // Mostly near the string, now and then anywhere in the int range.
    return in.ConsumeBool() ? in.ConsumeIntegralInRange(-3, 40) : in.ConsumeIntegral<int>();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int index = Position(in);
    const int count = Position(in);
    const AnsiString s = in.ConsumeRemainingBytesAsString();

    const std::vector<std::string> chars = Characters(s);
    Require(CharCount(s) == static_cast<int>(chars.size()), "CharCount");
    Require(CharCopy(s, index, count) == Copy(chars, index, count), "CharCopy");

    // The whole string comes back in one copy, with the zero byte of a lone final lead byte.
    std::string whole;
    for (const std::string &c : chars)
        whole += c;
    Require(CharCopy(s, 1, CharCount(s)) == whole, "CharCopy of every character");
    return 0;
}
