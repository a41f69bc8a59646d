#include "spinvalue.h"
#include "tedit.h"
#include "tspinedit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLocale>
#include <QSignalSpy>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>

#include <climits>

// The three spin edits of the window, after another control, in tab order.
struct SpinWindow {
    QWidget window;
    QLineEdit *other = new QLineEdit(&window);
    TSpinEdit *tate = new TSpinEdit(&window);   // rows, 1..30
    TSpinEdit *keisen = new TSpinEdit(&window); // border, 0..99

    SpinWindow() {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(tate);
        layout->addWidget(keisen);
        setUp(tate, 1, 30, 5);
        setUp(keisen, 0, 99, 1);
    }
    static void setUp(TSpinEdit *spin, int min, int max, int value) {
        spin->setMinValue(min);
        spin->setMaxValue(max);
        spin->setMaxLength(2);
        spin->setValue(value);
    }
    bool activate() {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }
    // Focuses `spin` with the cursor at the end of its text.
    bool focus(TSpinEdit *spin) {
        if (!activate())
            return false;
        spin->editor()->setFocus(Qt::MouseFocusReason);
        spin->editor()->end(false);
        return QApplication::focusWidget() == spin->editor();
    }
    // Tabs from `other` into tate, which selects its whole text.
    bool tabIntoTate() {
        if (!activate())
            return false;
        other->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget() == tate->editor();
    }
};

class TestTSpinEdit : public QObject {
    Q_OBJECT

private slots:
    void value_data();
    void value();
    void propertiesFromDescription();
    void focusLeaveCorrects_data();
    void focusLeaveCorrects();
    void windowDeactivationDoesNotCorrect();
    void step_data();
    void step();
    void refusedKeys_data();
    void refusedKeys();
    void acceptedKeys_data();
    void acceptedKeys();
    void maxLengthBindsTypingAndPaste();
    void arrowStepsOnRelease_data();
    void arrowStepsOnRelease();
    void holdingRepeatsWhileOnArrow();
    void pressingArrowFocusesBox();
    void tabOrderThroughProxy();
    void tooltipCoversParts();
    void arrowsInsideRightEdge();
};

void TestTSpinEdit::value_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << QByteArray("45") << 1 << 45;
    QTest::newRow("leading zero") << QByteArray("07") << 1 << 7;
    QTest::newRow("empty") << QByteArray("") << 1 << 1;
    QTest::newRow("empty, other minimum") << QByteArray("") << -7 << -7;
    QTest::newRow("leading blanks") << QByteArray("  5") << 1 << 5;
    QTest::newRow("trailing blank") << QByteArray("5 ") << 1 << 1;
    QTest::newRow("blank after sign") << QByteArray("- 5") << 0 << 0;
    QTest::newRow("tab is no blank") << QByteArray("\t5") << 0 << 0;
    QTest::newRow("minus") << QByteArray("-5") << 0 << -5;
    QTest::newRow("plus") << QByteArray("+5") << 0 << 5;
    QTest::newRow("blanks then minus") << QByteArray(" -12") << 0 << -12;
    QTest::newRow("lone minus") << QByteArray("-") << 1 << 1;
    QTest::newRow("lone plus") << QByteArray("+") << 1 << 1;
    QTest::newRow("two signs") << QByteArray("--5") << 1 << 1;
    QTest::newRow("hex") << QByteArray("$1F") << 0 << 31;
    QTest::newRow("hex lower case") << QByteArray("$1f") << 0 << 31;
    QTest::newRow("negative hex") << QByteArray("-$1F") << 0 << -31;
    QTest::newRow("lone dollar") << QByteArray("$") << 1 << 1;
    QTest::newRow("sign after dollar") << QByteArray("$-1") << 1 << 1;
    QTest::newRow("hex digit without dollar") << QByteArray("1F") << 1 << 1;
    QTest::newRow("decimal point") << QByteArray("1.5") << 1 << 1;
    QTest::newRow("letter") << QByteArray("abc") << 0 << 0;
    QTest::newRow("full-width digit") << QByteArray("\x82\x54") << 1 << 1;
    QTest::newRow("largest") << QByteArray("2147483647") << 0 << INT_MAX;
    QTest::newRow("smallest") << QByteArray("-2147483648") << 0 << INT_MIN;
    QTest::newRow("above 32 bits") << QByteArray("2147483648") << 1 << 1;
    QTest::newRow("below 32 bits") << QByteArray("-2147483649") << 1 << 1;
    QTest::newRow("far above") << QByteArray("99999999999") << 1 << 1;
    QTest::newRow("largest hex") << QByteArray("$7FFFFFFF") << 0 << INT_MAX;
    QTest::newRow("hex above 32 bits") << QByteArray("$80000000") << 1 << 1;
}

void TestTSpinEdit::value() {
    QFETCH(QByteArray, text);
    QFETCH(int, minValue);
    QFETCH(int, expected);

    const std::string_view bytes(text.constData(), size_t(text.size()));
    QCOMPARE(SpinEditValue(bytes, minValue), expected);

    TSpinEdit spin;
    spin.setMinValue(minValue);
    spin.setMaxValue(30);
    spin.SetText(AnsiString(bytes));
    QCOMPARE(spin.Value(), expected); // unlimited by MaxValue
}

void TestTSpinEdit::propertiesFromDescription() {
    TSpinEdit spin;
    QSignalSpy spy(&spin, &TSpinEdit::OnChange);
    QVERIFY(spin.setProperty("MinValue", 1));
    QVERIFY(spin.setProperty("MaxValue", 30));
    QVERIFY(spin.setProperty("MaxLength", 2));
    QVERIFY(spin.setProperty("Value", 5));
    QCOMPARE(spin.Text(), AnsiString("5"));
    QCOMPARE(spin.property("Value").toInt(), 5);
    QCOMPARE(spin.MaxLength(), 2);
    QCOMPARE(spin.Increment(), 1);

    spin.setValue(5);
    QCOMPARE(spy.count(), 1); // the first write only
}

void TestTSpinEdit::focusLeaveCorrects_data() {
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<QString>("typed"); // over the selected text; empty: Backspace
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("changesOnLeaving");

    QTest::newRow("above the range") << 1 << 30 << "45"
                                     << "30" << 1;
    QTest::newRow("below the range") << 0 << 99 << "-5"
                                     << "0" << 1;
    QTest::newRow("zero rows") << 1 << 30 << "0"
                               << "1" << 1;
    QTest::newRow("in range as typed") << 1 << 30 << "07"
                                       << "07" << 0;
    QTest::newRow("emptied") << 1 << 30 << ""
                             << "" << 0;
    QTest::newRow("lone sign") << 1 << 30 << "-"
                               << "-" << 0;
    QTest::newRow("decimal point") << 1 << 30 << "5."
                                   << "5." << 0;
}

void TestTSpinEdit::focusLeaveCorrects() {
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    QFETCH(int, changesOnLeaving);

    SpinWindow w;
    w.tate->setMinValue(minValue);
    w.tate->setMaxValue(maxValue);
    QVERIFY(w.tabIntoTate());
    QSignalSpy spy(w.tate, &TSpinEdit::OnChange);
    if (typed.isEmpty())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    else
        QTest::keyClicks(QApplication::focusWidget(), typed);
    const int changesTyping = spy.count();
    QCOMPARE(changesTyping, qMax<qsizetype>(1, typed.size()));
    QCOMPARE(w.tate->Value(), SpinEditValue(typed.toStdString(), minValue)); // not limited yet

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

    QCOMPARE(QApplication::focusWidget(), w.keisen->editor());
    QCOMPARE(w.tate->editor()->text(), left);
    QCOMPARE(spy.count() - changesTyping, changesOnLeaving);
}

void TestTSpinEdit::windowDeactivationDoesNotCorrect() {
    SpinWindow w;
    QVERIFY(w.tabIntoTate());
    QTest::keyClicks(QApplication::focusWidget(), "45");

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QApplication::setActiveWindow(&elsewhere);
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QCOMPARE(w.tate->Text(), AnsiString("45"));

    // Back in the window the box still holds the focus; leaving it corrects.
    QVERIFY(w.activate());
    QCOMPARE(QApplication::focusWidget(), w.tate->editor());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(w.tate->Text(), AnsiString("30"));
}

void TestTSpinEdit::step_data() {
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("byArrow");
    QTest::addColumn<QByteArray>("expected");

    struct Row {
        const char *name;
        int min, max;
        const char *start;
        bool up;
        const char *expected;
    };
    const Row rows[] = {
        {"at the maximum", 1, 30, "30", true, "30"},
        {"over the maximum, up", 1, 30, "45", true, "30"},
        {"over the maximum, down", 1, 30, "45", false, "30"},
        {"empty, up", 0, 99, "", true, "1"},
        {"empty, down to the minimum", 1, 30, "", false, "1"},
        {"down", 1, 30, "5", false, "4"},
        {"at the minimum", 1, 30, "1", false, "1"},
        {"leading zero", 1, 30, "07", true, "8"},
        {"no number, down", 1, 30, "x", false, "1"},
        {"top of int", 0, INT_MAX, "2147483647", true, "2147483647"},
        {"bottom of int", INT_MIN, 0, "-2147483648", false, "-2147483648"},
    };
    for (const Row &row : rows) {
        for (const bool byArrow : {false, true}) {
            QTest::addRow("%s, %s", row.name, byArrow ? "arrow" : "key")
                << row.min << row.max << QByteArray(row.start) << row.up << byArrow
                << QByteArray(row.expected);
        }
    }
}

void TestTSpinEdit::step() {
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(QByteArray, start);
    QFETCH(bool, up);
    QFETCH(bool, byArrow);
    QFETCH(QByteArray, expected);

    SpinWindow w;
    w.tate->setMinValue(minValue);
    w.tate->setMaxValue(maxValue);
    w.tate->SetText(start.toStdString());
    QVERIFY(w.focus(w.tate));
    QSignalSpy spy(w.tate, &TSpinEdit::OnChange);

    if (byArrow)
        QTest::mouseClick(up ? w.tate->upButton() : w.tate->downButton(), Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), up ? Qt::Key_Up : Qt::Key_Down);

    QCOMPARE(QByteArray::fromStdString(w.tate->Text()), expected);
    QCOMPARE(spy.count(), expected == start ? 0 : 1);
}

void TestTSpinEdit::refusedKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");

    QTest::newRow("letter") << int(Qt::Key_A) << "a";
    QTest::newRow("capital") << int(Qt::Key_A) << "A";
    QTest::newRow("Return") << int(Qt::Key_Return) << "\r";
    QTest::newRow("Enter") << int(Qt::Key_Enter) << "\r";
    QTest::newRow("blank") << int(Qt::Key_Space) << " ";
    QTest::newRow("dollar") << int(Qt::Key_Dollar) << "$";
    QTest::newRow("kana") << int(Qt::Key_unknown) << QStringLiteral("ｱ");
    QTest::newRow("full-width digit") << int(Qt::Key_unknown) << QStringLiteral("５");
}

void TestTSpinEdit::refusedKeys() {
    QFETCH(int, key);
    QFETCH(QString, text);

    SpinWindow w;
    w.tate->SetText("9");
    w.tate->setMaxValue(3); // Enter must not correct it either
    QVERIFY(w.focus(w.tate));
    QSignalSpy spy(w.tate, &TSpinEdit::OnChange);

    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(key), text,
                        Qt::NoModifier);

    QCOMPARE(w.tate->Text(), AnsiString("9"));
    QCOMPARE(spy.count(), 0);
}

void TestTSpinEdit::acceptedKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString point = QLocale().decimalPoint();
    QTest::newRow("digit") << int(Qt::Key_7) << "7"
                           << "97";
    QTest::newRow("zero") << int(Qt::Key_0) << "0"
                          << "90";
    QTest::newRow("plus") << int(Qt::Key_Plus) << "+"
                          << "9+";
    QTest::newRow("minus") << int(Qt::Key_Minus) << "-"
                           << "9-";
    QTest::newRow("decimal point") << int(Qt::Key_unknown) << point << "9" + point;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "\b"
                               << "";
}

void TestTSpinEdit::acceptedKeys() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    SpinWindow w;
    w.tate->SetText("9");
    QVERIFY(w.focus(w.tate));
    QSignalSpy spy(w.tate, &TSpinEdit::OnChange);

    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(key), text,
                        Qt::NoModifier);

    QCOMPARE(w.tate->editor()->text(), expected);
    QCOMPARE(spy.count(), 1);
}

void TestTSpinEdit::maxLengthBindsTypingAndPaste() {
    SpinWindow w;
    QVERIFY(w.tabIntoTate());
    QSignalSpy spy(w.tate, &TSpinEdit::OnChange);
    QWidget *box = QApplication::focusWidget();

    QTest::keyClicks(box, "123");
    QCOMPARE(w.tate->Text(), AnsiString("12"));
    QCOMPARE(spy.count(), 2);

    // A paste is not filtered, only cut to the room left.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("a7bc"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.tate->Text(), AnsiString("a7"));
    QCOMPARE(spy.count(), 4);
    QCOMPARE(w.tate->Value(), 1);
}

void TestTSpinEdit::arrowStepsOnRelease_data() {
    QTest::addColumn<bool>("releasedOver");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("released over the arrow") << true << QByteArray("6");
    QTest::newRow("released elsewhere") << false << QByteArray("5");
}

void TestTSpinEdit::arrowStepsOnRelease() {
    QFETCH(bool, releasedOver);
    QFETCH(QByteArray, expected);

    SpinWindow w;
    QVERIFY(w.activate());
    QAbstractButton *up = w.tate->upButton();
    QTest::mousePress(up, Qt::LeftButton);
    QCOMPARE(w.tate->Text(), AnsiString("5")); // nothing yet on the press
    const QPoint at = releasedOver ? up->rect().center() : QPoint(-20, -20);
    QTest::mouseRelease(up, Qt::LeftButton, {}, at);
    QCOMPARE(QByteArray::fromStdString(w.tate->Text()), expected);
}

void TestTSpinEdit::holdingRepeatsWhileOnArrow() {
    SpinWindow w;
    QVERIFY(w.activate());
    QAbstractButton *up = w.tate->upButton();
    up->setAutoRepeatDelay(10);
    up->setAutoRepeatInterval(10);

    QTest::mousePress(up, Qt::LeftButton);
    QTRY_VERIFY(w.tate->Value() >= 8);

    // Off the arrow the repeat stops, though the button is still held.
    QTest::mouseMove(up, QPoint(-20, -20));
    QVERIFY(!up->isDown());
    const AnsiString held = w.tate->Text();
    QTest::qWait(100);
    QCOMPARE(w.tate->Text(), held);
    QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(w.tate->Text(), held);
}

void TestTSpinEdit::pressingArrowFocusesBox() {
    SpinWindow w;
    QVERIFY(w.focus(w.keisen));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "-5");

    QTest::mousePress(w.tate->downButton(), Qt::LeftButton);

    QCOMPARE(QApplication::focusWidget(), w.tate->editor());
    QCOMPARE(w.keisen->Text(), AnsiString("0")); // the box it left was corrected
    QTest::mouseRelease(w.tate->downButton(), Qt::LeftButton);
    QCOMPARE(w.tate->Text(), AnsiString("4"));
}

void TestTSpinEdit::tabOrderThroughProxy() {
    SpinWindow w;
    QWidget::setTabOrder(w.other, w.keisen);
    QWidget::setTabOrder(w.keisen, w.tate);
    QVERIFY(w.activate());
    w.other->setFocus();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.keisen->editor());
    QCOMPARE(w.keisen->editor()->selectedText(), QStringLiteral("1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.tate->editor());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), w.keisen->editor());
    QCOMPARE(w.tate->upButton()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w.tate->downButton()->focusPolicy(), Qt::NoFocus);
}

void TestTSpinEdit::tooltipCoversParts() {
    SpinWindow w;
    w.tate->setToolTip(QStringLiteral("縦の桁数"));
    QVERIFY(w.activate());

    for (QWidget *part :
         {static_cast<QWidget *>(w.tate->editor()), static_cast<QWidget *>(w.tate->downButton())}) {
        QToolTip::hideText();
        const QPoint at = part->rect().center();
        QHelpEvent help(QEvent::ToolTip, at, part->mapToGlobal(at));
        QApplication::sendEvent(part, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("縦の桁数"));
    }
    QToolTip::hideText();
}

void TestTSpinEdit::arrowsInsideRightEdge() {
    QWidget window;
    auto *tate = new TSpinEdit(&window);
    tate->setGeometry(18, 27, 35, 21);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect up = tate->upButton()->geometry();
    const QRect down = tate->downButton()->geometry();

    QCOMPARE(tate->editor()->geometry(), QRect(0, 0, 35, 21));
    QCOMPARE(up.width(), TSpinEdit::ButtonWidth);
    QCOMPARE(down.width(), TSpinEdit::ButtonWidth);
    QCOMPARE(up.left(), down.left());
    QVERIFY(up.right() < 35 && up.left() > 35 - TSpinEdit::ButtonWidth - 4);
    QCOMPARE(down.top(), up.bottom() + 1);
    QVERIFY(up.top() >= 0 && down.bottom() < 21);
    QCOMPARE(tate->editor()->textMargins().right(), TSpinEdit::ButtonWidth);
}

QTEST_MAIN(TestTSpinEdit)
#include "test_tspinedit.moc"
