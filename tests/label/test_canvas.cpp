#include "syscolors.h"
#include "tbevel.h"
#include "tcanvas.h"
#include "tpaintbox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtTest>

#include <memory>

// A paint box that counts its paints.
class CountingPaintBox : public TPaintBox {
public:
    using TPaintBox::TPaintBox;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override {
        ++paints;
        TPaintBox::paintEvent(event);
    }
};

// A bevel that counts its paint messages.
class CountingBevel : public TBevel {
public:
    using TBevel::TBevel;
    int paints = 0;

protected:
    void WMPaint() override {
        ++paints;
        TBevel::WMPaint();
    }
};

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void paintBoxStartsAsButtonFace();
    void fillRectEdges_data();
    void fillRectEdges();
    void clearBrushFillsNothing();
    void systemColourResolvedWhenDrawn();
    void imageCopyStaysAsItWas();
    void drawingSurvivesRepaint();
    void fillsAreBatchedIntoOnePaint();
    void paintBoxFollowsItsSize();

    void textMeasures();
    void textOutBackground_data();
    void textOutBackground();

    void bevelEdges();
    void boundsAndVisibility();
    void repaintIsImmediate();

private:
    std::unique_ptr<QWidget> window;
    QFont font;
};

// Palette colours may be stored in another colour model; compare them as plain RGB.
static QColor resolved(TColor color) {
    return QColor(ResolveColor(color).rgb());
}

static QColor pixel(const QImage &image, int x, int y) {
    return QColor(image.pixel(x, y));
}

void TestCanvas::init() {
    window = std::make_unique<QWidget>();
    window->resize(200, 200);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 0));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    font = QFont("DejaVu Sans");
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
}

void TestCanvas::cleanup() {
    window.reset();
}

void TestCanvas::paintBoxStartsAsButtonFace() {
    TPaintBox box(window.get());
    box.setGeometry(3, 4, 150, 150);
    const QImage image = box.Image();
    QCOMPARE(image.size(), QSize(150, 150));
    const QColor face = resolved(clBtnFace);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x)
            QCOMPARE(pixel(image, x, y), face);
}

void TestCanvas::fillRectEdges_data() {
    QTest::addColumn<QRect>("edges"); // left, top as x, y; right, bottom as width, height
    QTest::addColumn<QRect>("filled");

    QTest::newRow("first cell") << QRect(0, 0, 5, 5) << QRect(0, 0, 5, 5);
    QTest::newRow("a middle cell") << QRect(35, 10, 40, 15) << QRect(35, 10, 5, 5);
    QTest::newRow("last cell") << QRect(145, 145, 150, 150) << QRect(145, 145, 5, 5);
    QTest::newRow("whole box") << QRect(0, 0, 150, 150) << QRect(0, 0, 150, 150);
    QTest::newRow("past right and bottom") << QRect(148, 140, 160, 155) << QRect(148, 140, 2, 10);
    QTest::newRow("past left and top") << QRect(-10, -3, 2, 1) << QRect(0, 0, 2, 1);
    QTest::newRow("wholly outside") << QRect(150, 0, 160, 10) << QRect();
    QTest::newRow("no width") << QRect(10, 10, 10, 20) << QRect();
    QTest::newRow("no height") << QRect(10, 10, 20, 10) << QRect();
    QTest::newRow("inverted") << QRect(20, 20, 10, 10) << QRect();
}

void TestCanvas::fillRectEdges() {
    QFETCH(QRect, edges);
    QFETCH(QRect, filled);

    TPaintBox box(window.get());
    box.setGeometry(0, 0, 150, 150);
    box.Canvas()->SetBrushColor(0x00563412);
    box.Canvas()->FillRect(edges.x(), edges.y(), edges.width(), edges.height());

    const QImage image = box.Image();
    const QColor face = resolved(clBtnFace);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x) {
            const QColor expected = filled.contains(x, y) ? QColor(0x12, 0x34, 0x56) : face;
            if (pixel(image, x, y) != expected)
                QFAIL(qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
        }
}

void TestCanvas::clearBrushFillsNothing() {
    TPaintBox box(window.get());
    box.setGeometry(0, 0, 20, 20);
    const QImage before = box.Image().copy();
    box.Canvas()->SetBrushColor(clBlack);
    box.Canvas()->SetBrushStyle(bsClear);
    box.Canvas()->FillRect(0, 0, 20, 20);
    QCOMPARE(box.Image(), before);
    box.Canvas()->SetBrushStyle(bsSolid);
    box.Canvas()->FillRect(0, 0, 20, 20);
    QCOMPARE(pixel(box.Image(), 10, 10), QColor(Qt::black));
}

void TestCanvas::systemColourResolvedWhenDrawn() {
    TPaintBox box(window.get());
    box.setGeometry(0, 0, 10, 10);
    box.Canvas()->SetBrushColor(clBlack);
    box.Canvas()->FillRect(0, 0, 10, 10);
    box.Canvas()->SetBrushColor(clBtnShadow);
    box.Canvas()->FillRect(0, 0, 5, 10);
    QCOMPARE(pixel(box.Image(), 2, 2), resolved(clBtnShadow));
    QVERIFY(resolved(clBtnShadow) != QColor(0x10, 0, 0));
    box.Canvas()->SetBrushColor(clBtnFace);
    box.Canvas()->FillRect(5, 0, 10, 10);
    QCOMPARE(pixel(box.Image(), 7, 2), resolved(clBtnFace));
}

void TestCanvas::imageCopyStaysAsItWas() {
    TPaintBox box(window.get());
    box.setGeometry(0, 0, 10, 10);
    box.Canvas()->SetBrushColor(clWhite);
    box.Canvas()->FillRect(0, 0, 10, 10);
    const QImage copy = box.Image();
    box.Canvas()->SetBrushColor(clBlack);
    box.Canvas()->FillRect(0, 0, 10, 10);
    QCOMPARE(pixel(copy, 5, 5), QColor(Qt::white));
    QCOMPARE(pixel(box.Image(), 5, 5), QColor(Qt::black));
}

void TestCanvas::drawingSurvivesRepaint() {
    TPaintBox box(window.get());
    box.setGeometry(30, 20, 150, 150);
    box.Canvas()->SetBrushColor(0x000000FF);
    box.Canvas()->FillRect(0, 0, 5, 5);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    box.Repaint();
    window->repaint();
    const QImage shown = window->grab().toImage();
    QCOMPARE(pixel(shown, 30, 20), QColor(255, 0, 0));
    QCOMPARE(pixel(shown, 34, 24), QColor(255, 0, 0));
    QCOMPARE(pixel(shown, 35, 24), resolved(clBtnFace));
    QCOMPARE(pixel(shown, 29, 20), QColor(0, 128, 0));
    QCOMPARE(pixel(box.Image(), 4, 4), QColor(255, 0, 0));
}

void TestCanvas::fillsAreBatchedIntoOnePaint() {
    CountingPaintBox box(window.get());
    box.setGeometry(0, 0, 150, 150);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    const int before = box.paints;
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 30; ++c) {
            box.Canvas()->SetBrushColor(RGBToColor(r * 8, c * 8, 0));
            box.Canvas()->FillRect(5 * c, 5 * r, 5 * c + 5, 5 * r + 5);
        }
    QCOMPARE(box.paints, before);
    QTRY_VERIFY(box.paints > before);
    QVERIFY(box.paints <= before + 2);
    const QImage shown = box.grab().toImage();
    QCOMPARE(pixel(shown, 149, 149), QColor(29 * 8, 29 * 8, 0));
    QCOMPARE(pixel(shown, 5, 145), QColor(29 * 8, 8, 0));
}

void TestCanvas::paintBoxFollowsItsSize() {
    TPaintBox box(window.get());
    box.setGeometry(0, 0, 10, 10);
    box.Canvas()->SetBrushColor(clBlack);
    box.Canvas()->FillRect(0, 0, 10, 10);
    // Hidden, the box gets no resize event; drawing must still reach the new area.
    box.SetWidth(20);
    box.Canvas()->FillRect(15, 0, 16, 1);
    const QImage image = box.Image();
    QCOMPARE(image.size(), QSize(20, 10));
    QCOMPARE(pixel(image, 9, 9), QColor(Qt::black));
    QCOMPARE(pixel(image, 12, 0), resolved(clBtnFace));
    QCOMPARE(pixel(image, 15, 0), QColor(Qt::black));
}

void TestCanvas::textMeasures() {
    TCanvas canvas;
    canvas.SetFont(font);
    const QFontMetrics metrics(font);
    QCOMPARE(canvas.TextWidth("Marovel"), metrics.horizontalAdvance("Marovel"));
    QCOMPARE(canvas.TextWidth("\x82\xA0"), metrics.horizontalAdvance(QStringLiteral("あ")));
    QCOMPARE(canvas.TextWidth(""), 0);
    QCOMPARE(canvas.TextHeight("Marovel"), metrics.height());
    QVERIFY(canvas.TextHeight("Marovel") > 0);

    QImage image(50, 50, QImage::Format_RGB32);
    canvas.SetDevice(&image);
    const QFontMetrics onImage(font, &image);
    QCOMPARE(canvas.TextWidth("Marovel"), onImage.horizontalAdvance("Marovel"));
    canvas.SetDevice(nullptr);
}

void TestCanvas::textOutBackground_data() {
    QTest::addColumn<bool>("solid");
    QTest::newRow("solid") << true;
    QTest::newRow("clear") << false;
}

void TestCanvas::textOutBackground() {
    QFETCH(bool, solid);

    QImage image(80, 40, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 0));
    TCanvas canvas;
    canvas.SetDevice(&image);
    canvas.SetFont(font);
    canvas.SetFontColor(0x00FF0000);
    canvas.SetBrushColor(clWhite);
    canvas.SetBrushStyle(solid ? bsSolid : bsClear);
    canvas.TextOut(7, 5, "W");
    canvas.Release();

    const int w = canvas.TextWidth("W");
    const int h = canvas.TextHeight("W");
    const QRect cell(7, 5, w, h);
    const QColor green(0, 128, 0);
    const QColor blue(0, 0, 255);
    int strokes = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = pixel(image, x, y);
            if (c == blue) {
                ++strokes;
                QVERIFY(cell.contains(x, y));
            } else if (cell.contains(x, y)) {
                QCOMPARE(c, solid ? QColor(Qt::white) : green);
            } else {
                QCOMPARE(c, green);
            }
        }
    QVERIFY(strokes > 10);
}

void TestCanvas::bevelEdges() {
    TBevel bevel(window.get());
    bevel.setGeometry(10, 20, 16, 12);
    bevel.setToolTip("hint");
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QImage shown = window->grab().toImage();
    const QColor shadow = resolved(clBtnShadow);
    const QColor light = resolved(clBtnHighlight);
    const QColor inside(0, 128, 0);
    QVERIFY(shadow != light && shadow != inside && light != inside);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) {
            QColor expected = inside;
            if (x == 0 || (y == 0 && x < 15))
                expected = shadow;
            else if (x == 15 || y == 11)
                expected = light;
            if (pixel(shown, 10 + x, 20 + y) != expected)
                QFAIL(qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
        }
    QCOMPARE(pixel(shown, 9, 20), inside);
    QCOMPARE(pixel(shown, 26, 32), inside);
    // A hint must be able to show, so the bevel takes hover events.
    QVERIFY(!bevel.testAttribute(Qt::WA_TransparentForMouseEvents));
}

void TestCanvas::boundsAndVisibility() {
    TBevel bevel(window.get());
    QCOMPARE(QRect(bevel.Left(), bevel.Top(), bevel.Width(), bevel.Height()), QRect());
    bevel.SetLeft(245);
    bevel.SetTop(4);
    bevel.SetWidth(157);
    bevel.SetHeight(150);
    QCOMPARE(bevel.geometry(), QRect(245, 4, 157, 150));
    QCOMPARE(QRect(bevel.Left(), bevel.Top(), bevel.Width(), bevel.Height()),
             QRect(245, 4, 157, 150));
    QCOMPARE(bevel.focusPolicy(), Qt::NoFocus);
    QVERIFY(!bevel.autoFillBackground());
    QVERIFY(!bevel.testAttribute(Qt::WA_OpaquePaintEvent));

    // The flag is the control's own, not whether its window is on screen yet.
    QVERIFY(bevel.Visible());
    bevel.SetVisible(false);
    QVERIFY(!bevel.Visible());
    bevel.SetVisible(true);
    QVERIFY(bevel.Visible());
}

void TestCanvas::repaintIsImmediate() {
    CountingBevel bevel(window.get());
    bevel.setGeometry(0, 0, 20, 20);
    bevel.Repaint();
    QCOMPARE(bevel.paints, 0); // its window is not shown yet

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    const int before = bevel.paints;
    bevel.Repaint();
    QCOMPARE(bevel.paints, before + 1);

    bevel.SetVisible(false);
    bevel.Repaint();
    QCOMPARE(bevel.paints, before + 1);
}

QTEST_MAIN(TestCanvas)
#include "test_canvas.moc"
