#include "colorrun.h"
#include "tablegenerator.h"

#include <QtTest>

#include <climits>
#include <string_view>
#include <vector>

// The default window: 5 x 5, yellow, fuchsia, blue, aqua, border 1, "☆" in data cells.
static const char kDefaultTable[] = "<TABLE border=\"1\">\r\n"
                                    "<TR>\r\n"
                                    " <TD bgcolor=\"#FFFF00\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#FFC03F\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#FF807F\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#FF40BF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#FF00FF\">\x81\x99</TD>\r\n"
                                    "</TR>\r\n"
                                    "<TR>\r\n"
                                    " <TD bgcolor=\"#C0C03F\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#C0A06F\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#C0809F\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#C060CF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#C03FFF\">\x81\x99</TD>\r\n"
                                    "</TR>\r\n"
                                    "<TR>\r\n"
                                    " <TD bgcolor=\"#80807F\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#80809F\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#8080BF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#8080DF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#807FFF\">\x81\x99</TD>\r\n"
                                    "</TR>\r\n"
                                    "<TR>\r\n"
                                    " <TD bgcolor=\"#4040BF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#405FCF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#407FDF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#409FEF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#40BFFF\">\x81\x99</TD>\r\n"
                                    "</TR>\r\n"
                                    "<TR>\r\n"
                                    " <TD bgcolor=\"#0000FF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#003FFF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#007FFF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#00BFFF\">\x81\x99</TD>\r\n"
                                    " <TD bgcolor=\"#00FFFF\">\x81\x99</TD>\r\n"
                                    "</TR>\r\n"
                                    "</TABLE>";

static const char kEmptyTable[] = "<TABLE border=\"1\">\r\n</TABLE>";

static QByteArray Bytes(const AnsiString &s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

static QByteArray HexColor(TColor c) {
    return QByteArray::number(RGBToColor(BlueOf(c), GreenOf(c), RedOf(c)), 16)
        .rightJustified(6, '0')
        .toUpper();
}

// Splits the text into its lines and checks the frame every table shares: the opening tag
// line, per row "<TR>", cols cell lines and "</TR>", and a final "</TABLE>" without CR LF.
// Returns the colours written in the cell lines, row by row, for comparing with cellColors.
static QList<QByteArray> CellColorsOfText(const GeneratedTable &t, const QByteArray &cellText,
                                          bool header) {
    const QByteArray html = Bytes(t.html);
    const QList<QByteArray> lines = html.split('\n');
    const qsizetype expectedLines = 2 + qsizetype(t.rows) * (t.cols + 2);
    if (lines.size() != expectedLines) {
        qWarning("expected %lld lines, got %lld", qlonglong(expectedLines),
                 qlonglong(lines.size()));
        return {};
    }
    const QByteArray open = header ? " <TH bgcolor=\"#" : " <TD bgcolor=\"#";
    const QByteArray close = (header ? QByteArray("</TH>\r") : QByteArray("</TD>\r"));
    QList<QByteArray> colors;
    qsizetype at = 1;
    for (int r = 0; r < t.rows; ++r) {
        if (lines[at++] != "<TR>\r") {
            return {};
        }
        for (int c = 0; c < t.cols; ++c) {
            const QByteArray &line = lines[at++];
            if (!line.startsWith(open) || line.mid(open.size() + 6, 2) != "\">" ||
                line.mid(open.size() + 8) != cellText + close) {
                qWarning("bad cell line: %s", line.constData());
                return {};
            }
            colors.append(line.mid(open.size(), 6));
        }
        if (lines[at++] != "</TR>\r") {
            return {};
        }
    }
    if (!lines.first().startsWith("<TABLE border=\"") || !lines.first().endsWith(">\r") ||
        lines.last() != "</TABLE>") {
        return {};
    }
    return colors;
}

class TestGenerator : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void workedExampleColors();
    void singleRowOrColumn_data();
    void singleRowOrColumn();
    void edgesFallShortLikeRows();
    void openingTag_data();
    void openingTag();
    void cells_data();
    void cells();
    void withoutRows_data();
    void withoutRows();
    void largeCounts_data();
    void largeCounts();
    void reusedBuffersLeaveNothingBehind();
    void previewSquare_data();
    void previewSquare();
};

void TestGenerator::workedExample() {
    const GeneratedTable t = GenerateTable(TableSettings{});
    QCOMPARE(Bytes(t.html), QByteArray(kDefaultTable));
    QCOMPARE(t.html.size(), std::size_t(893));
    QCOMPARE(Bytes(t.html).count("\r\n") + 1, 37);
}

void TestGenerator::workedExampleColors() {
    const GeneratedTable t = GenerateTable(TableSettings{});
    QCOMPARE(t.rows, 5);
    QCOMPARE(t.cols, 5);
    QCOMPARE(t.cellColors.size(), std::size_t(25));
    // The text and the colours for the preview come from the same cells.
    const QList<QByteArray> written = CellColorsOfText(t, "\x81\x99", false);
    QCOMPARE(written.size(), 25);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(HexColor(t.cellColor(r, c)), written[r * 5 + c]);
        }
    }
    QCOMPARE(t.cellColor(1, 1), RGBToColor(0xC0, 0xA0, 0x6F));
    QCOMPARE(t.cellColor(4, 4), clAqua);
}

void TestGenerator::singleRowOrColumn_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QByteArrayList>("colors");

    QTest::newRow("one row is the top row")
        << 1 << 5 << QByteArrayList{"FFFF00", "FFC03F", "FF807F", "FF40BF", "FF00FF"};
    QTest::newRow("one column is the left edge")
        << 5 << 1 << QByteArrayList{"FFFF00", "C0C03F", "80807F", "4040BF", "0000FF"};
    QTest::newRow("one cell") << 1 << 1 << QByteArrayList{"FFFF00"};
}

void TestGenerator::singleRowOrColumn() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QByteArrayList, colors);

    TableSettings s;
    s.rows = rows;
    s.cols = cols;
    const GeneratedTable t = GenerateTable(s);
    QCOMPARE(CellColorsOfText(t, "\x81\x99", false), colors);

    // The corners that a single row or column does not reach have no effect.
    s.bottomLeft = rows == 1 ? clWhite : s.bottomLeft;
    s.bottomRight = clWhite;
    s.topRight = cols == 1 ? clWhite : s.topRight;
    QCOMPARE(GenerateTable(s).html, t.html);
}

void TestGenerator::edgesFallShortLikeRows() {
    TableSettings s;
    s.rows = 8;
    s.cols = 1;
    s.topLeft = clBlack;
    s.bottomLeft = RGBToColor(0x3B, 0, 0);
    const GeneratedTable t = GenerateTable(s);
    QCOMPARE(HexColor(t.cellColor(7, 0)), QByteArray("3A0000"));
    QCOMPARE(CellColorsOfText(t, "\x81\x99", false).last(), QByteArray("3A0000"));

    s.rows = 1;
    s.cols = 8;
    s.topRight = RGBToColor(0x3B, 0, 0);
    QCOMPARE(HexColor(GenerateTable(s).cellColor(0, 7)), QByteArray("3A0000"));
}

void TestGenerator::openingTag_data() {
    QTest::addColumn<QByteArray>("border");
    QTest::addColumn<QByteArray>("width");
    QTest::addColumn<QByteArray>("widthUnit");
    QTest::addColumn<QByteArray>("height");
    QTest::addColumn<QByteArray>("heightUnit");
    QTest::addColumn<QByteArray>("spacing");
    QTest::addColumn<QByteArray>("padding");
    QTest::addColumn<QByteArray>("line");

    const QByteArray percent = "\x81\x93";            // ％
    const QByteArray pixels = "\xCB\xDF\xB8\xBE\xD9"; // ﾋﾟｸｾﾙ

    QTest::newRow("border only") << QByteArray("1") << QByteArray() << percent << QByteArray()
                                 << percent << QByteArray() << QByteArray()
                                 << QByteArray("<TABLE border=\"1\">");
    QTest::newRow("empty border") << QByteArray() << QByteArray() << percent << QByteArray()
                                  << percent << QByteArray() << QByteArray()
                                  << QByteArray("<TABLE border=\"\">");
    QTest::newRow("width in percent")
        << QByteArray("1") << QByteArray("100") << percent << QByteArray() << percent
        << QByteArray() << QByteArray() << QByteArray("<TABLE border=\"1\" width=\"100%\">");
    QTest::newRow("width in pixels")
        << QByteArray("1") << QByteArray("100") << pixels << QByteArray() << percent << QByteArray()
        << QByteArray() << QByteArray("<TABLE border=\"1\" width=\"100\">");
    QTest::newRow("half-width percent is no unit")
        << QByteArray("1") << QByteArray("100") << QByteArray("%") << QByteArray() << percent
        << QByteArray() << QByteArray() << QByteArray("<TABLE border=\"1\" width=\"100\">");
    QTest::newRow("empty unit") << QByteArray("1") << QByteArray("100") << QByteArray()
                                << QByteArray() << percent << QByteArray() << QByteArray()
                                << QByteArray("<TABLE border=\"1\" width=\"100\">");
    QTest::newRow("percent with a blank is no unit")
        << QByteArray("1") << QByteArray("100") << percent + " " << QByteArray() << percent
        << QByteArray() << QByteArray() << QByteArray("<TABLE border=\"1\" width=\"100\">");
    QTest::newRow("height units apart from width")
        << QByteArray("1") << QByteArray("80") << pixels << QByteArray("50") << percent
        << QByteArray() << QByteArray()
        << QByteArray("<TABLE border=\"1\" width=\"80\" height=\"50%\">");
    QTest::newRow("blank and zero are values")
        << QByteArray("0") << QByteArray(" ") << percent << QByteArray("0") << pixels
        << QByteArray(" ") << QByteArray("0")
        << QByteArray("<TABLE border=\"0\" width=\" %\" height=\"0\" cellspacing=\" \" "
                      "cellpadding=\"0\">");
    QTest::newRow("fixed order")
        << QByteArray("99") << QByteArray("1") << percent << QByteArray("2") << percent
        << QByteArray("3") << QByteArray("4")
        << QByteArray("<TABLE border=\"99\" width=\"1%\" height=\"2%\" cellspacing=\"3\" "
                      "cellpadding=\"4\">");
    QTest::newRow("padding without spacing")
        << QByteArray("1") << QByteArray() << percent << QByteArray() << percent << QByteArray()
        << QByteArray("7") << QByteArray("<TABLE border=\"1\" cellpadding=\"7\">");
    QTest::newRow("not escaped") << QByteArray("a\"b") << QByteArray("<&>") << percent
                                 << QByteArray() << percent << QByteArray("\x81\x99")
                                 << QByteArray()
                                 << QByteArray("<TABLE border=\"a\"b\" width=\"<&>%\" "
                                               "cellspacing=\"\x81\x99\">");
}

void TestGenerator::openingTag() {
    QFETCH(QByteArray, border);
    QFETCH(QByteArray, width);
    QFETCH(QByteArray, widthUnit);
    QFETCH(QByteArray, height);
    QFETCH(QByteArray, heightUnit);
    QFETCH(QByteArray, spacing);
    QFETCH(QByteArray, padding);
    QFETCH(QByteArray, line);

    TableSettings s;
    s.border = border.toStdString();
    s.width = width.toStdString();
    s.widthUnit = widthUnit.toStdString();
    s.height = height.toStdString();
    s.heightUnit = heightUnit.toStdString();
    s.spacing = spacing.toStdString();
    s.padding = padding.toStdString();
    const QByteArray html = Bytes(GenerateTable(s).html);

    QCOMPARE(html.left(html.indexOf("\r\n")), line);
    // The rest of the text does not depend on the opening tag.
    QCOMPARE(html.mid(html.indexOf("\r\n")),
             QByteArray(kDefaultTable).mid(QByteArray(kDefaultTable).indexOf("\r\n")));
}

void TestGenerator::cells_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("header");

    QTest::newRow("default") << QByteArray("\x81\x99") << false;
    QTest::newRow("header cells") << QByteArray("\x81\x99") << true;
    QTest::newRow("markup not escaped") << QByteArray("<b>&amp;</b> & <") << false;
    QTest::newRow("empty text") << QByteArray() << false;
    QTest::newRow("empty text in header cells") << QByteArray() << true;
    QTest::newRow("long text") << QByteArray(1000, 'x') << true;
}

void TestGenerator::cells() {
    QFETCH(QByteArray, text);
    QFETCH(bool, header);

    TableSettings s;
    s.cellText = text.toStdString();
    s.UseHeaderCells = header;
    const GeneratedTable t = GenerateTable(s);

    // Same frame and colours as the worked example; only the cell text and tag change.
    QByteArray expected(kDefaultTable);
    expected.replace("\x81\x99", text);
    if (header) {
        expected.replace(" <TD ", " <TH ").replace("</TD>", "</TH>");
    }
    QCOMPARE(Bytes(t.html), expected);
    QCOMPARE(CellColorsOfText(t, text, header).size(), 25);
    QCOMPARE(Bytes(t.html).contains(header ? "<TD" : "<TH"), false);
}

void TestGenerator::withoutRows_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");

    QTest::newRow("no rows") << 0 << 5;
    QTest::newRow("no columns") << 5 << 0;
    QTest::newRow("neither") << 0 << 0;
    QTest::newRow("negative rows") << -1 << 5;
    QTest::newRow("negative columns") << 30 << -30;
    QTest::newRow("lowest int") << INT_MIN << INT_MIN;
    QTest::newRow("no rows, many columns") << 0 << INT_MAX;
}

void TestGenerator::withoutRows() {
    QFETCH(int, rows);
    QFETCH(int, cols);

    TableSettings s;
    s.rows = rows;
    s.cols = cols;
    const GeneratedTable t = GenerateTable(s);
    QCOMPARE(Bytes(t.html), QByteArray(kEmptyTable));
    QCOMPARE(t.rows, 0);
    QCOMPARE(t.cols, 0);
    QVERIFY(t.cellColors.empty());
}

void TestGenerator::largeCounts_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("emittedRows");
    QTest::addColumn<int>("emittedCols");

    QTest::newRow("31 columns") << 5 << 31 << 5 << 31;
    QTest::newRow("31 rows") << 31 << 5 << 31 << 5;
    QTest::newRow("99 rows") << 99 << 1 << 99 << 1;
    QTest::newRow("99 x 99") << 99 << 99 << 99 << 99;
    QTest::newRow("100 rows held to 99") << 100 << 3 << 99 << 3;
    QTest::newRow("highest int held to 99") << INT_MAX << INT_MAX << 99 << 99;
}

void TestGenerator::largeCounts() {
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, emittedRows);
    QFETCH(int, emittedCols);

    TableSettings s;
    s.rows = rows;
    s.cols = cols;
    s.topLeft = RGBToColor(0x00, 0x10, 0xFF);
    s.topRight = RGBToColor(0xFF, 0x3B, 0x00);
    s.bottomLeft = RGBToColor(0x76, 0xFF, 0x3D);
    s.bottomRight = RGBToColor(0x3B, 0x00, 0x80);
    const GeneratedTable t = GenerateTable(s);
    QCOMPARE(t.rows, emittedRows);
    QCOMPARE(t.cols, emittedCols);
    QCOMPARE(t.cellColors.size(), std::size_t(emittedRows) * std::size_t(emittedCols));

    const QList<QByteArray> written = CellColorsOfText(t, "\x81\x99", false);
    QCOMPARE(written.size(), qsizetype(emittedRows) * emittedCols);

    // Every row steps from its left-edge entry to its right-edge entry, both edges being runs
    // of as many entries as there are rows.
    std::vector<TColor> left(static_cast<std::size_t>(emittedRows));
    std::vector<TColor> right(static_cast<std::size_t>(emittedRows));
    std::vector<TColor> row(static_cast<std::size_t>(emittedCols));
    ColorRun(s.topLeft, s.bottomLeft, emittedRows, left.data());
    ColorRun(s.topRight, s.bottomRight, emittedRows, right.data());
    for (int r = 0; r < emittedRows; ++r) {
        ColorRun(left[r], right[r], emittedCols, row.data());
        for (int c = 0; c < emittedCols; ++c) {
            QCOMPARE(t.cellColor(r, c), row[c]);
            QCOMPARE(written[r * emittedCols + c], HexColor(row[c]));
        }
    }
}

void TestGenerator::reusedBuffersLeaveNothingBehind() {
    TableSettings big;
    big.rows = 99;
    big.cols = 99;
    big.cellText = std::string(300, 'y');
    GeneratedTable out;
    GenerateTable(big, out);

    TableSettings small;
    small.rows = 2;
    small.cols = 3;
    GenerateTable(small, out);
    const GeneratedTable fresh = GenerateTable(small);
    QCOMPARE(Bytes(out.html), Bytes(fresh.html));
    QCOMPARE(out.rows, 2);
    QCOMPARE(out.cols, 3);
    QCOMPARE(out.cellColors, fresh.cellColors);

    small.rows = 0;
    GenerateTable(small, out);
    QCOMPARE(Bytes(out.html), QByteArray(kEmptyTable));
    QVERIFY(out.cellColors.empty());
}

void TestGenerator::previewSquare_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<bool>("visible");

    QTest::newRow("first cell") << 1 << 1 << 0 << 0 << 5 << 5 << true;
    QTest::newRow("row 2, column 3") << 2 << 3 << 10 << 5 << 15 << 10 << true;
    QTest::newRow("last that fits") << 30 << 30 << 145 << 145 << 150 << 150 << true;
    QTest::newRow("column 31") << 1 << 31 << 150 << 0 << 155 << 5 << false;
    QTest::newRow("row 31") << 31 << 30 << 145 << 150 << 150 << 155 << false;
    QTest::newRow("99 x 99") << 99 << 99 << 490 << 490 << 495 << 495 << false;
}

void TestGenerator::previewSquare() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, right);
    QFETCH(int, bottom);
    QFETCH(bool, visible);

    const CellSquare sq = PreviewSquare(row, col);
    QCOMPARE(sq.left, left);
    QCOMPARE(sq.top, top);
    QCOMPARE(sq.right, right);
    QCOMPARE(sq.bottom, bottom);
    QCOMPARE(PreviewSquareVisible(row, col), visible);
}

QTEST_APPLESS_MAIN(TestGenerator)
#include "test_generator.moc"
