// CP932 conversion both ways on arbitrary input: the bytes as CP932, and the same bytes as
// UTF-16 units (lone surrogates included).
#include "ansistring.h"
#include "fuzzcheck.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Code points, a well-formed surrogate pair being one and a lone surrogate one of its own.
std::vector<char32_t> CodePoints(std::u16string_view text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            out.push_back(0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void FromBytes(std::string_view bytes) {
    const std::u16string text = Utf16FromAnsi(bytes);
    Require(text.size() <= bytes.size(), "no more characters than bytes");
    for (const char16_t c : text)
        Require(!IsSurrogate(c), "CP932 decodes to the basic plane only");

    // Everything decoded has a CP932 form that decodes to it again (the replacement
    // character aside, which has none).
    std::u16string marked = text;
    for (char16_t &c : marked)
        if (c == u'\uFFFD')
            c = u'?';
    const AnsiString encoded = AnsiFromUtf16(text);
    Require(Utf16FromAnsi(encoded) == marked, "decoded text encodes back");
}

void FromUnits(std::u16string_view text) {
    const AnsiString encoded = AnsiFromUtf16(text);
    const std::u16string decoded = Utf16FromAnsi(encoded);
    const std::vector<char32_t> points = CodePoints(text);

    // One CP932 character per code point: itself, or "?" when it has no CP932 form.
    Require(decoded.size() == points.size(), "one character per code point");
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (points[k] < 0x80)
            Require(decoded[k] == points[k], "ASCII stays itself");
        Require(decoded[k] != u'\uFFFD', "the encoder writes only valid CP932");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FromBytes(std::string_view(reinterpret_cast<const char *>(data), size));

    std::u16string units(size / 2, u'\0');
    for (std::size_t k = 0; k < units.size(); ++k)
        units[k] = static_cast<char16_t>(data[2 * k] | (data[2 * k + 1] << 8));
    FromUnits(units);
    return 0;
}
