#include "syscolors.h"
#include "tbutton.h"
#include "tcheckbox.h"
#include "tlabel.h"
#include "tpanel.h"
#include "tupdown.h"

#include <QLineEdit>
#include <QStyleOptionButton>
#include <QtTest>

#include <memory>

namespace {

// A window that counts its own paint events.
class PaintCountingWindow : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

// Counts the paint events another object receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QObject *watched)
        : QObject(watched) {
        watched->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestBasicControls : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonClick_data();
    void buttonClick();
    void checkBoxToggle_data();
    void checkBoxToggle();
    void checkBoxSetFromCodeRaisesNothing();
    void panelPaintsColourAndEdge_data();
    void panelPaintsColourAndEdge();
    void labelShowsPlainText();
    void labelFitsItsText_data();
    void labelFitsItsText();
    void controlRepaintLeavesWindowAlone_data();
    void controlRepaintLeavesWindowAlone();
    void tabSkipsStaticControls();

private:
    void showWindow();

    std::unique_ptr<PaintCountingWindow> m_window;
};

void TestBasicControls::init() {
    m_window = std::make_unique<PaintCountingWindow>();
    m_window->resize(200, 120);
}

void TestBasicControls::cleanup() {
    m_window.reset();
}

void TestBasicControls::showWindow() {
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestBasicControls::buttonClick_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("expectedClicks");

    QTest::newRow("mouse") << "mouse" << 1;
    QTest::newRow("Space") << "space" << 1;
    QTest::newRow("Return") << "return" << 1;
    QTest::newRow("Enter on the keypad") << "enter" << 1;
    QTest::newRow("pressed, released elsewhere") << "drag-off" << 0;
    QTest::newRow("another key") << "letter" << 0;
}

void TestBasicControls::buttonClick() {
    QFETCH(QString, input);
    QFETCH(int, expectedClicks);

    auto *button = new TButton(m_window.get());
    button->setGeometry(21, 6, 36, 17);
    button->setText(QStringLiteral("左上"));
    QList<QObject *> senders;
    connect(button, &TButton::OnClick, this, [&](QObject *sender) { senders.append(sender); });
    showWindow();
    button->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), button);

    if (input == "mouse") {
        QTest::mouseClick(button, Qt::LeftButton);
    } else if (input == "space") {
        QTest::keyClick(button, Qt::Key_Space);
    } else if (input == "return") {
        QTest::keyClick(button, Qt::Key_Return);
    } else if (input == "enter") {
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    } else if (input == "drag-off") {
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(button->width() + 20, 5));
    } else {
        QTest::keyClick(button, Qt::Key_A);
    }

    QCOMPARE(senders.size(), expectedClicks);
    for (QObject *sender : senders)
        QCOMPARE(sender, button);
}

void TestBasicControls::checkBoxToggle_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("start");

    QTest::newRow("box, from clear") << "box" << false;
    QTest::newRow("box, from checked") << "box" << true;
    QTest::newRow("caption, from clear") << "caption" << false;
    QTest::newRow("caption, from checked") << "caption" << true;
    QTest::newRow("Space, from clear") << "space" << false;
    QTest::newRow("Space, from checked") << "space" << true;
}

void TestBasicControls::checkBoxToggle() {
    QFETCH(QString, input);
    QFETCH(bool, start);

    auto *box = new TCheckBox(m_window.get());
    box->setGeometry(8, 104, 80, 17);
    box->setText(QStringLiteral("見出し"));
    box->setChecked(start);
    QList<bool> seen;
    QList<QObject *> senders;
    connect(box, &TCheckBox::OnClick, this, [&](QObject *sender) {
        senders.append(sender);
        seen.append(box->Checked());
    });
    showWindow();
    box->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), box);

    if (input == "space") {
        QTest::keyClick(box, Qt::Key_Space);
    } else {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        const auto element =
            input == "box" ? QStyle::SE_CheckBoxIndicator : QStyle::SE_CheckBoxContents;
        const QRect area = box->style()->subElementRect(element, &option, box);
        QVERIFY(!area.isEmpty());
        QTest::mouseClick(box, Qt::LeftButton, {}, area.center());
    }

    QCOMPARE(box->Checked(), !start);
    QCOMPARE(seen, QList<bool>{!start}); // once, reading the new state
    QCOMPARE(senders.first(), box);
}

void TestBasicControls::checkBoxSetFromCodeRaisesNothing() {
    auto *box = new TCheckBox(m_window.get());
    int clicks = 0;
    connect(box, &TCheckBox::OnClick, this, [&] { ++clicks; });
    box->setChecked(true);
    box->setChecked(false);
    QCOMPARE(clicks, 0);
}

void TestBasicControls::panelPaintsColourAndEdge_data() {
    QTest::addColumn<TColor>("color");

    QTest::newRow("yellow") << clYellow;
    QTest::newRow("aqua") << clAqua;
    QTest::newRow("black") << clBlack;
    QTest::newRow("odd channels") << TColor(0x00123456);
    QTest::newRow("button face, a system colour") << clBtnFace;
}

void TestBasicControls::panelPaintsColourAndEdge() {
    QFETCH(TColor, color);

    auto *panel = new TPanel(m_window.get());
    panel->setGeometry(4, 6, 17, 16);
    panel->setColor(clWhite);
    showWindow();
    auto *counter = new PaintCounter(panel);

    panel->setColor(color);
    QCOMPARE(counter->paints, 1); // painted before the write returned
    QCOMPARE(panel->Color(), color);

    const QImage image = panel->grab().toImage();
    QCOMPARE(image.size(), QSize(17, 16));
    const QRgb fill = ResolveColor(color).rgb();
    const QRgb shadow = ResolveColor(clBtnShadow).rgb();
    const QRgb highlight = ResolveColor(clBtnHighlight).rgb();
    QVERIFY(shadow != highlight);
    const int r = 16;
    const int b = 15;
    QCOMPARE(image.pixel(1, 1), fill);
    QCOMPARE(image.pixel(8, 8), fill);
    QCOMPARE(image.pixel(r - 1, b - 1), fill);
    for (int x = 0; x < r; ++x)
        QCOMPARE(image.pixel(x, 0), shadow);
    for (int y = 0; y < b; ++y)
        QCOMPARE(image.pixel(0, y), shadow);
    for (int y = 0; y <= b; ++y)
        QCOMPARE(image.pixel(r, y), highlight);
    for (int x = 0; x <= r; ++x)
        QCOMPARE(image.pixel(x, b), highlight);
}

void TestBasicControls::labelShowsPlainText() {
    auto *tagged = new TLabel(m_window.get());
    tagged->setText(QStringLiteral("<TH>で出力"));
    auto *plain = new TLabel(m_window.get());
    plain->setText(QStringLiteral("で出力"));

    // Read as markup the tag would vanish and both labels would be equally wide.
    const int tagWidth = QFontMetrics(tagged->font()).horizontalAdvance(QStringLiteral("<TH>"));
    QVERIFY(tagWidth > 0);
    QVERIFY2(tagged->width() - plain->width() >= tagWidth - 1,
             qPrintable(QString("%1 vs %2").arg(tagged->width()).arg(plain->width())));
    QCOMPARE(tagged->text(), QStringLiteral("<TH>で出力"));
}

void TestBasicControls::labelFitsItsText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wrap");
    QTest::addColumn<bool>("wrapFirst");
    QTest::addColumn<int>("givenWidth");

    QTest::newRow("one line grows") << "仮文字列" << false << false << 12;
    QTest::newRow("one line shrinks") << "縦" << false << false << 80;
    QTest::newRow("wrapped, text before wrap") << "枠線の太さ" << true << false << 38;
    QTest::newRow("wrapped, wrap before text") << "枠線の太さ" << true << true << 38;
    QTest::newRow("wrapped, narrow") << "内部余白" << true << false << 27;
}

void TestBasicControls::labelFitsItsText() {
    QFETCH(QString, text);
    QFETCH(bool, wrap);
    QFETCH(bool, wrapFirst);
    QFETCH(int, givenWidth);

    auto *label = new TLabel(m_window.get());
    label->setGeometry(11, 76, givenWidth, 12);
    if (wrapFirst)
        label->setWordWrap(wrap);
    label->setText(text);
    if (!wrapFirst)
        label->setWordWrap(wrap);

    const QFontMetrics metrics(label->font());
    const int lineWidth = metrics.horizontalAdvance(text);
    if (!wrap) {
        QVERIFY(qAbs(label->width() - lineWidth) <= 1);
        QCOMPARE(label->height(), metrics.height());
    } else {
        QCOMPARE(label->width(), givenWidth);
        const int lines = label->height() / metrics.height();
        QVERIFY2(lines >= 2, qPrintable(QString::number(label->height())));
        QCOMPARE(label->height() % metrics.height(), 0);
    }
    QCOMPARE(label->pos(), QPoint(11, 76)); // fitting keeps the top left corner
}

void TestBasicControls::controlRepaintLeavesWindowAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("button") << "button";
    QTest::newRow("check box") << "checkbox";
    QTest::newRow("label") << "label";
    QTest::newRow("swatch panel") << "panel";
    QTest::newRow("up-down arrow") << "updown";
}

void TestBasicControls::controlRepaintLeavesWindowAlone() {
    QFETCH(QString, kind);

    QWidget *control = nullptr;
    if (kind == "button") {
        auto *button = new TButton(m_window.get());
        button->setText(QStringLiteral("右上"));
        control = button;
    } else if (kind == "checkbox") {
        auto *box = new TCheckBox(m_window.get());
        box->setText(QStringLiteral("見出し"));
        control = box;
    } else if (kind == "label") {
        auto *label = new TLabel(m_window.get());
        label->setText(QStringLiteral("高さ"));
        control = label;
    } else if (kind == "panel") {
        control = new TPanel(m_window.get());
    } else {
        control = new TUpDown(m_window.get());
    }
    control->move(20, 20);
    showWindow();
    QTRY_VERIFY(m_window->paints > 0);
    QCoreApplication::processEvents();

    // What a hover, a press or a focus mark does: the control (or its arrow) repaints.
    QWidget *part = control->childAt(control->width() / 2, 2);
    QWidget *target = part ? part : control;
    auto *counter = new PaintCounter(target);
    m_window->paints = 0;
    target->update();
    QTRY_VERIFY(counter->paints > 0);
    QCOMPARE(m_window->paints, 0);
}

void TestBasicControls::tabSkipsStaticControls() {
    auto *first = new QLineEdit(m_window.get());
    auto *label = new TLabel(m_window.get());
    label->setText(QStringLiteral("縦"));
    new TPanel(m_window.get());
    new TUpDown(m_window.get());
    auto *last = new QLineEdit(m_window.get());
    showWindow();
    first->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), first);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), last);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), first);
}

QTEST_MAIN(TestBasicControls)
#include "test_basic_controls.moc"
