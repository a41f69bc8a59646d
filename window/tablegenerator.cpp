#include "tablegenerator.h"

#include "colorrun.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

using namespace std::string_view_literals;

constexpr std::string_view kFullWidthPercent = "\x81\x93"sv;
constexpr std::string_view kCrLf = "\r\n"sv;
constexpr std::string_view kRowOpen = "<TR>\r\n"sv;
constexpr std::string_view kRowClose = "</TR>\r\n"sv;
constexpr std::string_view kTableClose = "</TABLE>"sv;
constexpr std::string_view kDataCellOpen = " <TD bgcolor=\"#"sv;
constexpr std::string_view kHeaderCellOpen = " <TH bgcolor=\"#"sv;
constexpr std::string_view kDataCellClose = "</TD>\r\n"sv;
constexpr std::string_view kHeaderCellClose = "</TH>\r\n"sv;
constexpr std::size_t kHexDigits = 6;

// "00" to "FF", two characters per byte value.
constexpr std::array<char, 512> MakeHexPairs() {
    constexpr char digits[] = "0123456789ABCDEF";
    std::array<char, 512> pairs{};
    for (int v = 0; v < 256; ++v) {
        pairs[static_cast<std::size_t>(2 * v)] = digits[v >> 4];
        pairs[static_cast<std::size_t>(2 * v + 1)] = digits[v & 15];
    }
    return pairs;
}
constexpr std::array<char, 512> kHexPairs = MakeHexPairs();

// Writes pieces into a buffer sized beforehand, so nothing is reallocated or checked per cell.
class Writer {
public:
    explicit Writer(char *at)
        : at_(at) {}
    void put(std::string_view text) {
        std::memcpy(at_, text.data(), text.size());
        at_ += text.size();
    }
    // #RRGGBB order: red first, though TColor holds red in the low byte.
    void putColor(TColor color) {
        putHex(RedOf(color));
        putHex(GreenOf(color));
        putHex(BlueOf(color));
    }
    char *position() const { return at_; }

private:
    void putHex(unsigned byte) {
        std::memcpy(at_, &kHexPairs[2 * byte], 2);
        at_ += 2;
    }
    char *at_;
};

// Pieces 2 to 5: a dimension attribute, left out when its text is empty.
struct Attribute {
    std::string_view name; // " width=\"" and so on
    std::string_view value;
    bool percent;

    bool present() const { return !value.empty(); }
    std::size_t size() const {
        return present() ? name.size() + value.size() + (percent ? 2 : 1) : 0;
    }
    void write(Writer &w) const {
        if (!present()) {
            return;
        }
        w.put(name);
        w.put(value);
        w.put(percent ? "%\""sv : "\""sv);
    }
};

int ClampCount(int count) {
    return count < 1 ? 0 : std::min(count, kMaxTableCount);
}

} // namespace

GeneratedTable GenerateTable(const TableSettings &settings) {
    GeneratedTable table;
    GenerateTable(settings, table);
    return table;
}

void GenerateTable(const TableSettings &settings, GeneratedTable &out) {
    int rows = ClampCount(settings.rows);
    int cols = ClampCount(settings.cols);
    if (rows == 0 || cols == 0) {
        rows = cols = 0;
    }

    const std::string_view borderOpen = "<TABLE border=\""sv;
    const Attribute attributes[] = {
        {" width=\""sv, settings.width, settings.widthUnit == kFullWidthPercent},
        {" height=\""sv, settings.height, settings.heightUnit == kFullWidthPercent},
        {" cellspacing=\""sv, settings.spacing, false},
        {" cellpadding=\""sv, settings.padding, false},
    };
    const std::string_view cellOpen = settings.UseHeaderCells ? kHeaderCellOpen : kDataCellOpen;
    const std::string_view cellClose = settings.UseHeaderCells ? kHeaderCellClose : kDataCellClose;
    const std::string_view cellText = settings.cellText;

    std::size_t size = borderOpen.size() + settings.border.size() + 1;
    for (const Attribute &a : attributes) {
        size += a.size();
    }
    size += 1 + kCrLf.size(); // ">" CR LF
    const std::size_t cellLine =
        cellOpen.size() + kHexDigits + 2 + cellText.size() + cellClose.size();
    const std::size_t rowSize =
        kRowOpen.size() + static_cast<std::size_t>(cols) * cellLine + kRowClose.size();
    size += static_cast<std::size_t>(rows) * rowSize + kTableClose.size();

    out.rows = rows;
    out.cols = cols;
    out.cellColors.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    out.html.resize(size);

    Writer w(out.html.data());
    w.put(borderOpen);
    w.put(settings.border);
    w.put("\""sv);
    for (const Attribute &a : attributes) {
        a.write(w);
    }
    w.put(">"sv);
    w.put(kCrLf);

    if (rows > 0) {
        EdgeColors edges;
        ColorRun(settings.topLeft, settings.bottomLeft, rows, edges.left.data());
        ColorRun(settings.topRight, settings.bottomRight, rows, edges.right.data());
        for (int r = 0; r < rows; ++r) {
            TColor *rowColors = out.cellColors.data() + static_cast<std::size_t>(r) * cols;
            ColorRun(edges.left[r], edges.right[r], cols, rowColors);
            w.put(kRowOpen);
            for (int i = 0; i < cols; ++i) {
                w.put(cellOpen);
                w.putColor(rowColors[i]);
                w.put("\">"sv);
                w.put(cellText);
                w.put(cellClose);
            }
            w.put(kRowClose);
        }
    }
    w.put(kTableClose);
}

CellSquare PreviewSquare(int row, int col) {
    return {kPreviewCellSize * (col - 1), kPreviewCellSize * (row - 1), kPreviewCellSize * col,
            kPreviewCellSize * row};
}

bool PreviewSquareVisible(int row, int col) {
    constexpr int cellsAcross = kPreviewSize / kPreviewCellSize;
    return row >= 1 && col >= 1 && row <= cellsAcross && col <= cellsAcross;
}
