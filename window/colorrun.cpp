#include "colorrun.h"

#include <bit>
#include <cstdint>
#include <type_traits>

namespace {

// A non-negative value in the extended format: significand * 2^exponent, the significand
// normalised so that bit 63 is set (zero stands for the value zero).
struct Extended {
    std::uint64_t significand = 0;
    int exponent = 0;
};

// Rounds significand * 2^exponent, given the bits below it, to nearest, ties to even.
void RoundToNearestEven(Extended &x, bool roundBit, bool sticky) {
    if (roundBit && (sticky || (x.significand & 1u) != 0)) {
        ++x.significand;
        if (x.significand == 0) { // carried out of bit 63
            x.significand = std::uint64_t{1} << 63;
            ++x.exponent;
        }
    }
}

// a / b rounded to a 64-bit significand, by binary long division. The remainder stays below
// b < 2^32, so doubling it never overflows.
Extended RoundedQuotient(std::uint32_t a, std::uint32_t b) {
    Extended q;
    if (a == 0) {
        return q;
    }
    std::uint64_t m = a / b;
    std::uint64_t r = a % b;
    int exponent = 0;
    while (std::bit_width(m) < 64) {
        r <<= 1;
        m <<= 1;
        if (r >= b) {
            r -= b;
            m |= 1u;
        }
        --exponent;
    }
    r <<= 1;
    const bool roundBit = r >= b;
    if (roundBit) {
        r -= b;
    }
    q = {m, exponent};
    RoundToNearestEven(q, roundBit, r != 0);
    return q;
}

// trunc(round64(q * j)). The product of a 64-bit significand and j < 2^32 has at most 96
// bits; it is formed exactly in two words before rounding.
unsigned TruncatedProduct(Extended q, std::uint32_t j) {
    if (q.significand == 0 || j == 0) {
        return 0;
    }
    const std::uint64_t low = (q.significand & 0xFFFFFFFFu) * j;
    const std::uint64_t high = (q.significand >> 32) * j;
    const std::uint64_t lo = low + (high << 32);
    const std::uint64_t hi = (high >> 32) + (lo < low ? 1u : 0u);

    Extended p{lo, q.exponent};
    if (hi != 0) {
        const int shift = std::bit_width(hi); // 1..32
        p.significand = (hi << (64 - shift)) | (lo >> shift);
        p.exponent += shift;
        const std::uint64_t dropped = lo & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        RoundToNearestEven(p, dropped >= half, dropped > half);
    }
    if (p.exponent >= 0) { // an integer of 64 bits or more: beyond any offset we meet
        return p.exponent == 0 ? static_cast<unsigned>(p.significand) : ~0u;
    }
    if (p.exponent <= -64) {
        return 0;
    }
    return static_cast<unsigned>(p.significand >> -p.exponent);
}

// The step of one run and channel, computed once and applied to every entry.
class EmulatedStep {
public:
    EmulatedStep(unsigned absDiff, int steps)
        : quotient_(RoundedQuotient(absDiff, static_cast<std::uint32_t>(steps))) {}
    unsigned offset(int j) const {
        return TruncatedProduct(quotient_, static_cast<std::uint32_t>(j));
    }

private:
    Extended quotient_;
};

class NativeStep {
public:
    NativeStep(unsigned absDiff, int steps)
        : quotient_(static_cast<long double>(absDiff) / static_cast<long double>(steps)) {}
    unsigned offset(int j) const {
        return static_cast<unsigned>(quotient_ * static_cast<long double>(j));
    }

private:
    long double quotient_;
};

using PlatformStep = std::conditional_t<kNativeExtended, NativeStep, EmulatedStep>;

template <class Step> unsigned Offset(unsigned absDiff, int n, int j) {
    if (n < 2 || j < 1) {
        return 0;
    }
    if (j > n - 1) { // outside the run: its last entry is as far as it goes
        j = n - 1;
    }
    return Step(absDiff, n - 1).offset(j);
}

template <class Step> void Run(TColor start, TColor end, int n, TColor *out) {
    if (n < 1) {
        return;
    }
    out[0] = start;
    for (int j = 1; j < n; ++j) {
        out[j] = 0;
    }
    for (int shift = 0; shift < 24; shift += 8) {
        const int s = static_cast<int>((start >> shift) & 0xFFu);
        const int d = s - static_cast<int>((end >> shift) & 0xFFu);
        const unsigned absDiff = static_cast<unsigned>(d >= 0 ? d : -d);
        if (absDiff == 0 || n == 1) {
            for (int j = 1; j < n; ++j) {
                out[j] |= static_cast<TColor>(s) << shift;
            }
            continue;
        }
        const Step step(absDiff, n - 1);
        for (int j = 1; j < n; ++j) {
            const int offset = static_cast<int>(step.offset(j));
            const int channel = d >= 0 ? s - offset : s + offset;
            out[j] |= static_cast<TColor>(channel) << shift;
        }
    }
}

} // namespace

unsigned ChannelOffset(unsigned absDiff, int n, int j) {
    return Offset<PlatformStep>(absDiff, n, j);
}

unsigned ChannelOffsetEmulated(unsigned absDiff, int n, int j) {
    return Offset<EmulatedStep>(absDiff, n, j);
}

void ColorRun(TColor start, TColor end, int n, TColor *out) {
    Run<PlatformStep>(start, end, n, out);
}

void ColorRunEmulated(TColor start, TColor end, int n, TColor *out) {
    Run<EmulatedStep>(start, end, n, out);
}
