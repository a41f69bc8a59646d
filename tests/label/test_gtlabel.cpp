#include "ansiqt.h"
#include "gtlabel.h"
#include "syscolors.h"

#include <QFontMetrics>
#include <QtTest>

#include <map>
#include <memory>

// A label that counts its paint messages.
class CountingLabel : public TGTextLabel {
public:
    using TGTextLabel::TGTextLabel;
    int paints = 0;

protected:
    void WMPaint() override {
        ++paints;
        TGTextLabel::WMPaint();
    }
};

class TestGTextLabel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void constructorValues();
    void propertiesByName();
    void characterColours_data();
    void characterColours();
    void background_data();
    void background();
    void emptyCaption_data();
    void emptyCaption();
    void topByteOfStartColourStays();
    void autoSizeFitsCaption();
    void autoSizeChainEnds();
    void setterRepaintsAtOnce_data();
    void setterRepaintsAtOnce();
    void hiddenLabelIsNotPainted();
    void fontChangeRepaintsAtNextPaint();

private:
    CountingLabel *makeLabel(const QByteArray &caption, int width = 280, int height = 24);
    QImage shown() const { return window->grab().toImage(); }

    std::unique_ptr<QWidget> window;
    QFont font;
};

static const QColor parentColour(0, 128, 0);

static AnsiString ansi(const QByteArray &bytes) {
    return AnsiString(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// Palette colours may be stored in another colour model; compare them as plain RGB.
static QColor resolved(TColor color) {
    return QColor(ResolveColor(color).rgb());
}

static QColor pixel(const QImage &image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// The colour most pixels of the area have, leaving out the background: a glyph's
// neighbours may reach into its cell by a pixel or two, but never dominate it.
static QColor strokeColour(const QImage &image, const QRect &area, const QColor &background) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y) | 0xFF000000u;
            if (p != background.rgb())
                ++counts[p];
        }
    QRgb best = background.rgb();
    int most = 0;
    for (const auto &[colour, count] : counts)
        if (count > most) {
            best = colour;
            most = count;
        }
    return QColor(best);
}

void TestGTextLabel::init() {
    window = std::make_unique<QWidget>();
    window->resize(320, 60);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, parentColour);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    font = QFont("IPAPGothic");
    font.setPixelSize(20);
    font.setStyleStrategy(QFont::NoAntialias);
    window->setFont(font);
}

void TestGTextLabel::cleanup() {
    window.reset();
}

CountingLabel *TestGTextLabel::makeLabel(const QByteArray &caption, int width, int height) {
    auto *label = new CountingLabel(window.get());
    label->SetLeft(10);
    label->SetTop(5);
    label->SetWidth(width);
    label->SetHeight(height);
    label->setCaption(ansi(caption));
    return label;
}

void TestGTextLabel::constructorValues() {
    CountingLabel label(window.get());
    QCOMPARE(label.Caption(), AnsiString("GradationText!"));
    QCOMPARE(label.StartColor(), TColor(0x00FF0000));
    QCOMPARE(label.EndColor(), TColor(0x00FF00FF));
    QCOMPARE(label.Color(), TColor(0x00FFFFFF));
    QCOMPARE(label.Transparent(), false);
    QCOMPARE(label.AutoSize(), false);
    QCOMPARE(QRect(label.Left(), label.Top(), label.Width(), label.Height()), QRect());
    QVERIFY(label.Visible());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    QCOMPARE(label.paints, 0); // nothing to paint at size 0
}

void TestGTextLabel::propertiesByName() {
    CountingLabel label(window.get());
    QVERIFY(label.setProperty("Caption", QStringLiteral("Aあ")));
    QVERIFY(label.setProperty("StartColor", 0x00FF00FFu));
    QVERIFY(label.setProperty("EndColor", 0x80000010u));
    QVERIFY(label.setProperty("Color", 0x00123456u));
    QVERIFY(label.setProperty("Transparent", true));
    QVERIFY(label.setProperty("AutoSize", true));
    QCOMPARE(label.Caption(), AnsiString("A\x82\xA0"));
    QCOMPARE(label.property("Caption").toString(), QStringLiteral("Aあ"));
    QCOMPARE(label.StartColor(), TColor(0x00FF00FF));
    QCOMPARE(label.EndColor(), TColor(0x80000010));
    QCOMPARE(label.property("EndColor").toUInt(), 0x80000010u);
    QCOMPARE(label.Color(), TColor(0x00123456));
    QVERIFY(label.Transparent());
    QVERIFY(label.AutoSize());

    label.setCaption(QStringLiteral("☆"));
    QCOMPARE(label.Caption(), AnsiString("\x81\x99"));
}

void TestGTextLabel::characterColours_data() {
    QTest::addColumn<QByteArray>("caption");
    QTest::addColumn<uint>("start");
    QTest::addColumn<uint>("end");
    QTest::addColumn<QList<uint>>("colours"); // 0x00RRGGBB per character

    QTest::newRow("defaults") << QByteArray("GradationText!") << 0x00FF0000u << 0x00FF00FFu
                              << QList<uint>{0x0000FF, 0x1300FF, 0x2600FF, 0x3900FF, 0x4C00FF,
                                             0x5F00FF, 0x7200FF, 0x8500FF, 0x9800FF, 0xAB00FF,
                                             0xBE00FF, 0xD100FF, 0xE400FF, 0xF700FF};
    QTest::newRow("defaults exchanged")
        << QByteArray("GradationText!") << 0x00FF00FFu << 0x00FF0000u
        << QList<uint>{0xFF00FF, 0xEC00FF, 0xD900FF, 0xC600FF, 0xB300FF, 0xA000FF, 0x8D00FF,
                       0x7A00FF, 0x6700FF, 0x5400FF, 0x4100FF, 0x2E00FF, 0x1B00FF, 0x0800FF};
    QTest::newRow("three channels moving")
        << QByteArray("HEMWK") << 0x0000FFFFu << 0x00808000u
        << QList<uint>{0xFFFF00, 0xC0E020, 0x81C140, 0x42A260, 0x038380};
    QTest::newRow("one character")
        << QByteArray("W") << 0x00123456u << 0x00FFFFFFu << QList<uint>{0x563412};
    QTest::newRow("two characters end on the end colour")
        << QByteArray("HW") << 0x00102030u << 0x00F0E0D0u << QList<uint>{0x302010, 0xD0E0F0};
    QTest::newRow("equal colours") << QByteArray("MEW") << 0x00336699u << 0x00336699u
                                   << QList<uint>{0x996633, 0x996633, 0x996633};
    QTest::newRow("double-byte character")
        << QByteArray("A\x82\xA0"
                      "H")
        << 0x00FF0000u << 0x00FF00FFu << QList<uint>{0x0000FF, 0x7F00FF, 0xFE00FF};
    QTest::newRow("lone lead byte at the end") << QByteArray("HM\x82") << 0x00FF0000u << 0x00FF00FFu
                                               << QList<uint>{0x0000FF, 0x7F00FF, 0xFE00FF};
}

void TestGTextLabel::characterColours() {
    QFETCH(QByteArray, caption);
    QFETCH(uint, start);
    QFETCH(uint, end);
    QFETCH(QList<uint>, colours);

    CountingLabel *label = makeLabel(caption);
    label->setStartColor(start);
    label->setEndColor(end);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QImage image = shown();

    const AnsiString text = ansi(caption);
    QCOMPARE(CharCount(text), int(colours.size()));
    const QFontMetrics metrics(label->font(), label);
    QCOMPARE(label->Canvas()->Font(), label->font());
    int x = 0;
    for (int k = 1; k <= colours.size(); ++k) {
        // Each character is one piece, measured on its own.
        const int width = metrics.horizontalAdvance(ToQString(CharCopy(text, k, 1)));
        const QRect cell(10 + x, 5, width, metrics.height());
        const QColor drawn = strokeColour(image, cell, Qt::white);
        QVERIFY2(drawn == QColor(QRgb(colours[k - 1])),
                 qPrintable(QString("character %1: %2 instead of #%3")
                                .arg(k)
                                .arg(drawn.name())
                                .arg(colours[k - 1], 6, 16, QChar('0'))));
        x += width;
    }
    // Past the last piece only the background is left.
    QCOMPARE(strokeColour(image, QRect(10 + x + 2, 5, 280 - x - 2, 24), Qt::white),
             QColor(Qt::white));
}

void TestGTextLabel::background_data() {
    QTest::addColumn<bool>("transparent");
    QTest::newRow("opaque") << false;
    QTest::newRow("transparent") << true;
}

void TestGTextLabel::background() {
    QFETCH(bool, transparent);

    CountingLabel *label = makeLabel("HEM");
    label->setColor(0x00C0A080);
    label->setStartColor(0x00FF0000);
    label->setEndColor(0x00FF0000);
    label->setTransparent(transparent);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QImage image = shown();

    const QColor background = transparent ? parentColour : QColor(0x80, 0xA0, 0xC0);
    const QColor glyph(0, 0, 255);
    int strokes = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = pixel(image, x, y);
            const bool inLabel = label->geometry().contains(x, y);
            if (inLabel && c == glyph)
                ++strokes;
            else if (inLabel)
                QCOMPARE(c, background);
            else
                QCOMPARE(c, parentColour);
        }
    QVERIFY(strokes > 30);
}

void TestGTextLabel::emptyCaption_data() {
    QTest::addColumn<bool>("transparent");
    QTest::newRow("opaque") << false;
    QTest::newRow("transparent") << true;
}

void TestGTextLabel::emptyCaption() {
    QFETCH(bool, transparent);

    CountingLabel *label = makeLabel("", 117, 13);
    label->setTransparent(transparent);
    label->setAutoSize(true);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    label->Repaint();
    QCoreApplication::processEvents();
    QVERIFY(label->paints > 0);
    QCOMPARE(label->geometry(), QRect(10, 5, 117, 13));

    const QImage image = shown();
    const QColor inside = transparent ? parentColour : QColor(Qt::white);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 117; ++x)
            QCOMPARE(pixel(image, 10 + x, 5 + y), inside);
}

void TestGTextLabel::topByteOfStartColourStays() {
    // The end colour's top byte is ignored; the start colour's, a system colour here,
    // is kept in every character and resolved when drawn.
    CountingLabel *label = makeLabel("HH");
    label->setStartColor(clBtnShadow);
    label->setEndColor(clBtnShadow & 0x00FFFFFF);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QImage image = shown();
    const QFontMetrics metrics(label->font(), label);
    const int w = metrics.horizontalAdvance("H");
    QCOMPARE(strokeColour(image, QRect(10, 5, w, 24), Qt::white), resolved(clBtnShadow));
    QCOMPARE(strokeColour(image, QRect(10 + w, 5, w, 24), Qt::white), resolved(clBtnShadow));
    QVERIFY(resolved(clBtnShadow) != QColor(0x10, 0, 0));
}

void TestGTextLabel::autoSizeFitsCaption() {
    CountingLabel *label = makeLabel("Marovel", 117, 13);
    label->setTransparent(true);
    label->setAutoSize(true);
    QCOMPARE(label->geometry(), QRect(10, 5, 117, 13)); // not painted yet
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QFontMetrics metrics(label->font(), label);
    QTRY_COMPARE(label->Width(), metrics.horizontalAdvance("Marovel"));
    QCOMPARE(label->Height(), metrics.height());
    QVERIFY(label->Height() > 13);

    // The paint after the size change drew the caption at the new size.
    QTRY_VERIFY(label->paints >= 2);
    const QImage image = shown();
    int x = 10;
    for (char c : QByteArray("Marovel")) {
        const int w = metrics.horizontalAdvance(QChar(c));
        QVERIFY(strokeColour(image, QRect(x, 5, w, label->Height()), parentColour) != parentColour);
        x += w;
    }
}

void TestGTextLabel::autoSizeChainEnds() {
    CountingLabel *label = makeLabel("GradationText!", 20, 5);
    label->setAutoSize(true);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(label->Width() > 20);
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents();
    const int settled = label->paints;

    // A repaint at the fitted size changes nothing and asks for no further paint.
    label->Repaint();
    QCOMPARE(label->paints, settled + 1);
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents();
    QTest::qWait(50);
    QCOMPARE(label->paints, settled + 1);

    // A size change during a paint asks for exactly one more.
    label->setCaption(AnsiString("Gr"));
    QCOMPARE(label->paints, settled + 2);
    QTRY_COMPARE(label->paints, settled + 3);
    QTest::qWait(50);
    QCOMPARE(label->paints, settled + 3);
    QCOMPARE(label->Width(), QFontMetrics(label->font(), label).horizontalAdvance("Gr"));
}

void TestGTextLabel::setterRepaintsAtOnce_data() {
    QTest::addColumn<QString>("setter");
    for (const char *name :
         {"Caption", "StartColor", "EndColor", "Color", "Transparent", "AutoSize"})
        QTest::newRow(name) << QString(name);
}

void TestGTextLabel::setterRepaintsAtOnce() {
    QFETCH(QString, setter);

    CountingLabel *label = makeLabel("GradationText!");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    const int before = label->paints;

    // The value the label already holds: no comparison, the paint happens anyway.
    if (setter == "Caption")
        label->setCaption(label->Caption());
    else if (setter == "StartColor")
        label->setStartColor(label->StartColor());
    else if (setter == "EndColor")
        label->setEndColor(label->EndColor());
    else if (setter == "Color")
        label->setColor(label->Color());
    else if (setter == "Transparent")
        label->setTransparent(label->Transparent());
    else if (setter == "AutoSize")
        label->setAutoSize(label->AutoSize());
    QCOMPARE(label->paints, before + 1);
}

void TestGTextLabel::hiddenLabelIsNotPainted() {
    CountingLabel *label = makeLabel("GradationText!");
    label->setColor(clBlack);
    QCOMPARE(label->paints, 0); // window not shown yet
    label->SetVisible(false);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    label->setCaption(AnsiString("x"));
    label->setAutoSize(true);
    QCoreApplication::processEvents();
    QCOMPARE(label->paints, 0);
    QCOMPARE(label->Width(), 280); // a label that is not painted keeps its size
}

void TestGTextLabel::fontChangeRepaintsAtNextPaint() {
    CountingLabel *label = makeLabel("Marovel", 117, 13);
    label->setAutoSize(true);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(label->Height(), QFontMetrics(label->font(), label).height());
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents();
    const int before = label->paints;
    const int oldHeight = label->Height();

    QFont bigger = font;
    bigger.setPixelSize(30);
    label->SetFont(bigger);
    QCOMPARE(label->paints, before);
    QCOMPARE(label->Height(), oldHeight); // sized only when painted
    QTRY_VERIFY(label->paints > before);
    QTRY_COMPARE(label->Height(), QFontMetrics(bigger, label).height());
    QVERIFY(label->Height() > oldHeight);
}

QTEST_MAIN(TestGTextLabel)
#include "test_gtlabel.moc"
