// The committed PNG icons against the pixel art they are made from, and the art against
// the look the icon must keep at every size.
#include <QImage>
#include <QtTest>

namespace {

QString iconPath(const QString &relative) {
    return QStringLiteral(MAROVEL_ICON_DIR "/") + relative;
}

QImage loadRgb(const QString &relative) {
    QImage image(iconPath(relative));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32);
}

constexpr QRgb black = qRgb(0x00, 0x00, 0x00);
constexpr QRgb navy = qRgb(0x00, 0x00, 0x80);
constexpr QRgb purple = qRgb(0x80, 0x00, 0x80);
constexpr QRgb fuchsia = qRgb(0xFF, 0x00, 0xFF);
constexpr QRgb yellow = qRgb(0xFF, 0xFF, 0x00);
constexpr QRgb grey = qRgb(0x80, 0x80, 0x80);
constexpr QRgb silver = qRgb(0xC0, 0xC0, 0xC0);
constexpr QRgb white = qRgb(0xFF, 0xFF, 0xFF);

const QList<QRgb> vgaColours = {
    black,
    qRgb(0x80, 0x00, 0x00),
    qRgb(0x00, 0x80, 0x00),
    qRgb(0x80, 0x80, 0x00),
    navy,
    purple,
    qRgb(0x00, 0x80, 0x80),
    silver,
    grey,
    qRgb(0xFF, 0x00, 0x00),
    qRgb(0x00, 0xFF, 0x00),
    yellow,
    qRgb(0x00, 0x00, 0xFF),
    fuchsia,
    qRgb(0x00, 0xFF, 0xFF),
    white,
};

QString hicolor(int size) {
    return QStringLiteral("hicolor/%1x%1/apps/marovel.png").arg(size);
}

QString describe(QRgb c) {
    return QStringLiteral("#%1").arg(c & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
}

} // namespace

class TestIcons : public QObject {
    Q_OBJECT

private slots:
    void pngMatchesArt_data();
    void pngMatchesArt();
    void keepsTheLook_data();
    void keepsTheLook();
};

void TestIcons::pngMatchesArt_data() {
    QTest::addColumn<QString>("png");
    QTest::addColumn<QString>("art");
    QTest::addColumn<int>("factor");
    QTest::newRow("window icon") << "mainicon-32.png"
                                 << "mainicon-32.xpm" << 1;
    QTest::newRow("16") << hicolor(16) << "mainicon-16.xpm" << 1;
    QTest::newRow("32") << hicolor(32) << "mainicon-32.xpm" << 1;
    QTest::newRow("48") << hicolor(48) << "mainicon-48.xpm" << 1;
    QTest::newRow("64") << hicolor(64) << "mainicon-32.xpm" << 2;
    QTest::newRow("128") << hicolor(128) << "mainicon-32.xpm" << 4;
    QTest::newRow("256") << hicolor(256) << "mainicon-32.xpm" << 8;
}

// A PNG left behind after the art changed shows up here: every pixel must be the art's
// pixel, blown up by whole multiples without smoothing.
void TestIcons::pngMatchesArt() {
    QFETCH(QString, png);
    QFETCH(QString, art);
    QFETCH(int, factor);
    const QImage image = loadRgb(png);
    const QImage source = loadRgb(art);
    QVERIFY2(!image.isNull(), qPrintable(iconPath(png)));
    QVERIFY2(!source.isNull(), qPrintable(iconPath(art)));
    QCOMPARE(image.size(), source.size() * factor);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb got = image.pixel(x, y);
            const QRgb want = source.pixel(x / factor, y / factor);
            if (got != want)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3, the art has %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(describe(got), describe(want))));
        }
    }
}

void TestIcons::keepsTheLook_data() {
    QTest::addColumn<QString>("png");
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d", size) << hicolor(size) << size;
    QTest::newRow("window icon") << "mainicon-32.png" << 32;
}

// Opaque, VGA colours only, a sunken grey and white frame, and four bars from top to
// bottom (black, navy, purple, fuchsia) each with a yellow letter at its left end.
void TestIcons::keepsTheLook() {
    QFETCH(QString, png);
    QFETCH(int, size);
    const QImage image = loadRgb(png);
    QVERIFY2(!image.isNull(), qPrintable(iconPath(png)));
    QCOMPARE(image.size(), QSize(size, size));

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) != 255 || !vgaColours.contains(c))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is %3 (alpha %4)")
                                     .arg(x)
                                     .arg(y)
                                     .arg(describe(c))
                                     .arg(qAlpha(c))));
        }
    }

    // Sunken: shadow along the top and left edges, light along the bottom and right (the
    // light edge takes the corners; blown-up sizes draw it several pixels wide).
    const int light = qMax(1, size / 32);
    for (int i = 0; i < size - light; ++i) {
        QCOMPARE(image.pixel(i, 0), grey);
        QCOMPARE(image.pixel(0, i), grey);
    }
    for (int i = 0; i < size; ++i) {
        QCOMPARE(image.pixel(i, size - 1), white);
        QCOMPARE(image.pixel(size - 1, i), white);
    }

    // Walk down a column near the right end, where no letter reaches, to find the bars.
    const int probe = size - 1 - size / 8;
    struct Bar {
        QRgb colour;
        int top;
        int bottom;
    };
    QList<Bar> bars;
    for (int y = 0; y < size; ++y) {
        const QRgb c = image.pixel(probe, y);
        if (c == grey || c == silver || c == white)
            continue;
        if (!bars.isEmpty() && bars.last().colour == c && bars.last().bottom == y - 1)
            bars.last().bottom = y;
        else
            bars.append({c, y, y});
    }
    const QList<QRgb> barColours = {black, navy, purple, fuchsia};
    QCOMPARE(bars.size(), barColours.size());
    for (int i = 0; i < bars.size(); ++i)
        QCOMPARE(describe(bars[i].colour), describe(barColours[i]));
    QVERIFY(bars.first().top <= size / 8);
    QVERIFY(bars.last().bottom >= size - 1 - size / 8);

    // Every yellow pixel belongs to a bar's letter, in the left part of that bar.
    QList<int> letterPixels(bars.size(), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (image.pixel(x, y) != yellow)
                continue;
            QVERIFY2(
                5 * x < 2 * size,
                qPrintable(
                    QStringLiteral("yellow at (%1, %2) is not near the left end").arg(x).arg(y)));
            int bar = 0;
            while (bar < bars.size() && !(bars[bar].top <= y && y <= bars[bar].bottom))
                ++bar;
            QVERIFY2(bar < bars.size(),
                     qPrintable(
                         QStringLiteral("yellow at (%1, %2) is outside every bar").arg(x).arg(y)));
            ++letterPixels[bar];
        }
    }
    for (int i = 0; i < bars.size(); ++i)
        QVERIFY2(letterPixels[i] >= 5, qPrintable(QStringLiteral("bar %1 has no letter").arg(i)));
}

QTEST_GUILESS_MAIN(TestIcons)
#include "test_icons.moc"
