#include "charcopy.h"

#include "leadbyte.h"

#include <cstdint>

namespace {

// The byte at 1-based position p; position L + 1 is the zero byte after the data,
// which std::string guarantees.
unsigned char byteAt(const AnsiString &s, std::size_t p) {
    return static_cast<unsigned char>(s[p - 1]);
}

} // namespace

int CharCount(const AnsiString &S) {
    // The walk reads the first byte before any length test: an empty string has none.
    if (S.empty())
        return 0;
    const std::size_t length = S.size();
    std::size_t p = 1;
    int count = 0;
    do {
        if (IsDBCSLeadByte(byteAt(S, p)))
            ++p;
        ++count;
        ++p;
    } while (p <= length);
    return count;
}

AnsiString CharCopy(const AnsiString &S, int Index, int Count) {
    AnsiString result;
    if (S.empty())
        return result;
    const std::size_t length = S.size();
    // Index + Count in 64 bits: both come from outside and must not overflow.
    const std::int64_t end = static_cast<std::int64_t>(Index) + Count;
    std::size_t p = 1;
    std::int64_t j = 1;
    do {
        if (j < Index) {
            if (IsDBCSLeadByte(byteAt(S, p)))
                ++p;
        } else {
            const unsigned char b = byteAt(S, p);
            result.push_back(static_cast<char>(b));
            if (IsDBCSLeadByte(b)) {
                ++p;
                // At p = L + 1 this is the terminating zero byte.
                result.push_back(static_cast<char>(byteAt(S, p)));
            }
        }
        ++j;
        ++p;
    } while (!(p > length || j >= end));
    return result;
}
