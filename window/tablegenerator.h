#pragma once

#include "ansistring.h"
#include "tcolor.h"

#include <array>
#include <vector>

// The most rows or columns a table can have: the count boxes take two characters. Counts
// above this are treated as this many, so no count can overrun the edge arrays or make the
// text grow without bound.
inline constexpr int kMaxTableCount = 99;

// Everything the generator reads, as plain values.
struct TableSettings {
    TColor topLeft = clYellow, topRight = clFuchsia, bottomLeft = clBlue,
           bottomRight = clAqua; // sc, tc1, tc2, ec
    int rows = 5, cols = 5;      // tate_b and yoko_b values
    AnsiString border = "1";     // keisen text
    AnsiString width, widthUnit = "\x81\x93", height, heightUnit = "\x81\x93"; // "％"
    AnsiString spacing, padding;                                               // k_haba, yohaku
    AnsiString cellText = "\x81\x99";                                          // kari, "☆"
    bool UseHeaderCells = false;                                               // TH instead of TD
};

// The left and right edge of the gradient, one colour per row.
struct EdgeColors {
    std::array<TColor, kMaxTableCount> left;
    std::array<TColor, kMaxTableCount> right;
};

struct GeneratedTable {
    AnsiString html;                // the whole text, CP932
    int rows = 0, cols = 0;         // the cell grid emitted; 0 x 0 when a count is 0 or below
    std::vector<TColor> cellColors; // rows * cols, row by row

    TColor cellColor(int row, int col) const { // 0-based
        return cellColors[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) +
                          static_cast<std::size_t>(col)];
    }
};

GeneratedTable GenerateTable(const TableSettings &settings);

// Same, reusing out's buffers so repeated calls allocate nothing once they are large enough.
void GenerateTable(const TableSettings &settings, GeneratedTable &out);

// The preview paints each cell as a 5 x 5 square in a 150 x 150 box.
inline constexpr int kPreviewCellSize = 5;
inline constexpr int kPreviewSize = 150;

// Pixel square of the cell in row `row`, column `col` (both from 1); right and bottom are
// exclusive.
struct CellSquare {
    int left, top, right, bottom;
};
CellSquare PreviewSquare(int row, int col);

// Whether that square lies inside the preview box (rows and columns 1 to 30).
bool PreviewSquareVisible(int row, int col);
