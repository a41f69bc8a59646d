#include "ansistring.h"

#include "leadbyte.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace {

// One converter per direction and thread; iconv_open is far dearer than a conversion.
class Converter {
public:
    Converter(const char *to, const char *from)
        : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts as much as it can; returns false at the first byte it cannot take.
    // inBuf and inLeft advance past what was converted.
    bool convert(const char *&inBuf, size_t &inLeft, std::string &out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[1024];
        while (inLeft > 0) {
            char *outBuf = buffer;
            size_t outLeft = sizeof buffer;
            char *in = const_cast<char *>(inBuf);
            const size_t rc = iconv(cd_, &in, &inLeft, &outBuf, &outLeft);
            inBuf = in;
            out.append(buffer, static_cast<size_t>(outBuf - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

Converter &toAnsi() {
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

Converter &fromAnsi() {
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}

void appendUtf16Le(std::u16string &out, const std::string &le) {
    for (size_t k = 0; k + 1 < le.size(); k += 2)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(le[k]) |
                                            (static_cast<unsigned char>(le[k + 1]) << 8)));
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

AnsiString AnsiFromUtf16(std::u16string_view text) {
    AnsiString out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        // ASCII maps to itself; convert it directly and hand iconv only the rest.
        if (text[i] < 0x80) {
            out.push_back(static_cast<char>(text[i]));
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && text[end] >= 0x80)
            ++end;
        std::u16string_view run = text.substr(i, end - i);
        const char *in = reinterpret_cast<const char *>(run.data());
        size_t inLeft = run.size() * sizeof(char16_t);
        while (!toAnsi().convert(in, inLeft, out)) {
            // Skip the one character iconv could not map, a surrogate pair being one.
            const char16_t *at = reinterpret_cast<const char16_t *>(in);
            size_t units = 1;
            if (isHighSurrogate(at[0]) && inLeft >= 4 && isLowSurrogate(at[1]))
                units = 2;
            out.push_back('?');
            in += units * sizeof(char16_t);
            inLeft -= units * sizeof(char16_t);
        }
        i = end;
    }
    return out;
}

std::u16string Utf16FromAnsi(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::string converted;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        // A run of non-ASCII characters; a trail byte may be ASCII, so walk by characters.
        size_t end = i;
        while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x80)
            end += IsDBCSLeadByte(static_cast<unsigned char>(bytes[end])) ? 2 : 1;
        end = std::min(end, bytes.size());
        const char *in = bytes.data() + i;
        size_t inLeft = end - i;
        converted.clear();
        while (!fromAnsi().convert(in, inLeft, converted)) {
            // Keep what came before the bad byte, mark it, and go on after it.
            appendUtf16Le(out, converted);
            converted.clear();
            out.push_back(u'\uFFFD');
            ++in;
            --inLeft;
        }
        appendUtf16Le(out, converted);
        i = end;
    }
    return out;
}
