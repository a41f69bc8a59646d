#pragma once

#include <optional>
#include <string_view>

// The number a spin edit's text stands for: leading spaces, an optional "+" or
// "-", then decimal digits up to the end; "$" introduces hexadecimal digits,
// either in place of the sign or right after it ("-$1F" is -31). The result must
// fit a 32-bit signed integer. Anything else (empty text, a lone sign, a
// trailing blank, any other character) is no number at all.
std::optional<int> ParseSpinEditText(std::string_view text);

// The spin edit's Value: the number of its text, or minValue when the text is
// not a number. Not limited to any range, so a half-typed "45" reads as 45.
int SpinEditValue(std::string_view text, int minValue);
