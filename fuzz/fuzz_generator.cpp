// The table generator with arbitrary settings: any bytes in every text, counts from -99 to
// 99, any 32-bit colours. Its text must match a plain one built piece by piece, with the
// colours taken from the integer colour run.
#include "colorrun.h"
#include "fuzzcheck.h"
#include "tablegenerator.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string Hex(TColor c) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned channel : {c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu}) {
        out += digits[channel >> 4];
        out += digits[channel & 15];
    }
    return out;
}

struct Expected {
    std::string html;
    int rows = 0, cols = 0;
    std::vector<TColor> colors;
};

Expected Build(const TableSettings &s) {
    Expected e;
    const auto clamp = [](int n) { return n < 1 ? 0 : std::min(n, kMaxTableCount); };
    e.rows = clamp(s.rows);
    e.cols = clamp(s.cols);
    if (e.rows == 0 || e.cols == 0)
        e.rows = e.cols = 0;

    const std::string percent = "\x81\x93";
    e.html = "<TABLE border=\"" + s.border + "\"";
    const auto attribute = [&](const char *name, const std::string &value, bool inPercent) {
        if (!value.empty())
            e.html += std::string(" ") + name + "=\"" + value + (inPercent ? "%\"" : "\"");
    };
    attribute("width", s.width, s.widthUnit == percent);
    attribute("height", s.height, s.heightUnit == percent);
    attribute("cellspacing", s.spacing, false);
    attribute("cellpadding", s.padding, false);
    e.html += ">\r\n";

    const std::string cell = s.UseHeaderCells ? "TH" : "TD";
    std::vector<TColor> left(static_cast<std::size_t>(e.rows)), right(left.size()),
        row(static_cast<std::size_t>(e.cols));
    if (e.rows > 0) {
        ColorRunEmulated(s.topLeft, s.bottomLeft, e.rows, left.data());
        ColorRunEmulated(s.topRight, s.bottomRight, e.rows, right.data());
    }
    for (int r = 0; r < e.rows; ++r) {
        ColorRunEmulated(left[std::size_t(r)], right[std::size_t(r)], e.cols, row.data());
        e.html += "<TR>\r\n";
        for (const TColor c : row) {
            e.colors.push_back(c);
            e.html +=
                " <" + cell + " bgcolor=\"#" + Hex(c) + "\">" + s.cellText + "</" + cell + ">\r\n";
        }
        e.html += "</TR>\r\n";
    }
    e.html += "</TABLE>";
    return e;
}

void Compare(const GeneratedTable &got, const Expected &want) {
    Require(got.rows == want.rows && got.cols == want.cols, "grid size");
    Require(got.cellColors == want.colors, "cell colours");
    Require(got.html == want.html, "html text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    TableSettings s;
    s.topLeft = in.ConsumeIntegral<TColor>();
    s.topRight = in.ConsumeIntegral<TColor>();
    s.bottomLeft = in.ConsumeIntegral<TColor>();
    s.bottomRight = in.ConsumeIntegral<TColor>();
    s.rows = in.ConsumeIntegralInRange(-99, 99);
    s.cols = in.ConsumeIntegralInRange(-99, 99);
    s.UseHeaderCells = in.ConsumeBool();
    for (AnsiString *text : {&s.border, &s.width, &s.widthUnit, &s.height, &s.heightUnit,
                             &s.spacing, &s.padding, &s.cellText})
        *text = in.ConsumeRandomLengthString(64);

    const Expected want = Build(s);
    Compare(GenerateTable(s), want);

    // Buffers left over from another table, larger or smaller, must not show through.
    static GeneratedTable reused;
    GenerateTable(s, reused);
    Compare(reused, want);
    return 0;
}
