#pragma once

#include <string>
#include <string_view>

// The program's own strings: code page 932 (Shift-JIS) bytes. std::string keeps
// a zero byte after its data, which the label's character copier relies on.
using AnsiString = std::string;

// Unicode (UTF-16) to CP932. A character without a CP932 form becomes one "?",
// as on a CP932 system; a lone surrogate counts as such a character.
AnsiString AnsiFromUtf16(std::u16string_view text);

// CP932 to Unicode (UTF-16). A byte that starts no valid character becomes
// U+FFFD and the next byte is tried afresh, so nothing after it is lost.
std::u16string Utf16FromAnsi(std::string_view bytes);
