// Prints the table the generator builds for the settings given as key=value
// arguments (colours as RRGGBB, texts as CP932 bytes), for the end-to-end test.
// With MAROVEL_PRINT_COLORS set it also lists "row col red green blue" on stderr.
#include "tablegenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TColor color(const std::string &rrggbb) {
    const unsigned long v = std::strtoul(rrggbb.c_str(), nullptr, 16);
    return RGBToColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

} // namespace

int main(int argc, char *argv[]) {
    TableSettings s;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "usage: %s key=value...\n", argv[0]);
            return 2;
        }
        const std::string key = arg.substr(0, eq), value = arg.substr(eq + 1);
        if (key == "rows")
            s.rows = std::atoi(value.c_str());
        else if (key == "cols")
            s.cols = std::atoi(value.c_str());
        else if (key == "topLeft")
            s.topLeft = color(value);
        else if (key == "topRight")
            s.topRight = color(value);
        else if (key == "bottomLeft")
            s.bottomLeft = color(value);
        else if (key == "bottomRight")
            s.bottomRight = color(value);
        else if (key == "border")
            s.border = value;
        else if (key == "width")
            s.width = value;
        else if (key == "widthUnit")
            s.widthUnit = value;
        else if (key == "height")
            s.height = value;
        else if (key == "heightUnit")
            s.heightUnit = value;
        else if (key == "spacing")
            s.spacing = value;
        else if (key == "padding")
            s.padding = value;
        else if (key == "cellText")
            s.cellText = value;
        else if (key == "header")
            s.UseHeaderCells = value == "1";
        else {
            std::fprintf(stderr, "unknown setting %s\n", key.c_str());
            return 2;
        }
    }
    const GeneratedTable table = GenerateTable(s);
    std::fwrite(table.html.data(), 1, table.html.size(), stdout);
    if (std::getenv("MAROVEL_PRINT_COLORS") != nullptr) {
        for (int r = 0; r < table.rows; ++r)
            for (int c = 0; c < table.cols; ++c) {
                const TColor cell = table.cellColor(r, c);
                std::fprintf(stderr, "%d %d %u %u %u\n", r, c, RedOf(cell), GreenOf(cell),
                             BlueOf(cell));
            }
    }
    return 0;
}
