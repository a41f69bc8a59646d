#pragma once

#include "tcolor.h"

#include <limits>

// A colour run steps each channel from a start colour towards an end colour in n entries.
// Offsets come from x87 extended arithmetic (64-bit significand, round to nearest, ties to
// even): the quotient |d| / (n - 1) is rounded, then multiplied by j and rounded again, then
// truncated. That double rounding decides the last digit of many cells, so it is reproduced
// exactly rather than approximated with double.

// True where long double is the 80-bit extended format and can do the arithmetic natively.
inline constexpr bool kNativeExtended =
    std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::radix == 2;

// Offset of entry j (1..n-1) of a run of n entries over a channel difference of absDiff.
// Returns 0 for n < 2 or j < 1.
unsigned ChannelOffset(unsigned absDiff, int n, int j);

// The same result from integer arithmetic only; used where long double is not the extended
// format, and always built so the two can be compared.
unsigned ChannelOffsetEmulated(unsigned absDiff, int n, int j);

// Writes n entries (n >= 1; nothing for n < 1) of the run from start to end into out[0..n-1].
// Each entry is computed from start afresh; the last is not forced to end.
void ColorRun(TColor start, TColor end, int n, TColor *out);

// ColorRun on the integer emulation, whatever the platform.
void ColorRunEmulated(TColor start, TColor end, int n, TColor *out);
