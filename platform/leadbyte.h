#pragma once

// Whether a byte opens a two-byte character in code page 932 (Shift-JIS).
constexpr bool IsDBCSLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
