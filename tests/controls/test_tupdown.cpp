#include "tupdown.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

// One OnClick as the handler saw it.
struct UpDownClick {
    QObject *sender;
    TUDBtnType button;
    int position;
};

class TestTUpDown : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void arrowClicks_data();
    void arrowClicks();
    void heldArrowRepeatsByOne_data();
    void heldArrowRepeatsByOne();
    void clickKeepsFocusInTheBox();
    void positionStaysInRange_data();
    void positionStaysInRange();

private:
    // The widget under a point of the up-down: each arrow is a button of its own.
    QWidget *arrowAt(TUDBtnType arrow) const;
    QPoint arrowPoint(TUDBtnType arrow) const;

    std::unique_ptr<QWidget> m_window;
    QLineEdit *m_box = nullptr;
    TUpDown *m_upDown = nullptr;
    QList<UpDownClick> m_clicks;
};

void TestTUpDown::init() {
    m_window = std::make_unique<QWidget>();
    m_window->resize(120, 40);
    m_box = new QLineEdit(m_window.get());
    m_box->setGeometry(4, 4, 40, 20);
    m_upDown = new TUpDown(m_window.get());
    m_upDown->setGeometry(44, 4, 15, 20);
    m_clicks.clear();
    connect(m_upDown, &TUpDown::OnClick, this, [this](QObject *sender, TUDBtnType button) {
        m_clicks.append({sender, button, m_upDown->Position()});
    });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestTUpDown::cleanup() {
    m_window.reset();
}

QPoint TestTUpDown::arrowPoint(TUDBtnType arrow) const {
    // The upper half is the up arrow, the lower half the down arrow.
    return arrow == btNext ? QPoint(7, 4) : QPoint(7, 15);
}

QWidget *TestTUpDown::arrowAt(TUDBtnType arrow) const {
    QWidget *child = m_upDown->childAt(arrowPoint(arrow));
    return child ? child : m_upDown;
}

void TestTUpDown::arrowClicks_data() {
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("arrow");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("expectedEvents");

    QTest::newRow("up from 0") << 0 << 99 << 0 << int(btNext) << 1 << 1;
    QTest::newRow("down three times") << 0 << 99 << 5 << int(btPrev) << 3 << 3;
    QTest::newRow("up at Max 99 is ignored") << 0 << 99 << 99 << int(btNext) << 1 << 0;
    QTest::newRow("down at Min 0 is ignored") << 0 << 99 << 0 << int(btPrev) << 1 << 0;
    QTest::newRow("up runs into Max, no wrap") << 0 << 99 << 97 << int(btNext) << 5 << 2;
    QTest::newRow("down runs into Min, no wrap") << 0 << 9999 << 2 << int(btPrev) << 4 << 2;
    QTest::newRow("up at Max 9999") << 0 << 9999 << 9999 << int(btNext) << 2 << 0;
    QTest::newRow("negative range") << -3 << 3 << -2 << int(btPrev) << 2 << 1;
}

void TestTUpDown::arrowClicks() {
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(int, arrow);
    QFETCH(int, clicks);
    QFETCH(int, expectedEvents);
    const auto button = TUDBtnType(arrow);
    const int step = button == btNext ? 1 : -1;

    m_upDown->setMin(min);
    m_upDown->setMax(max);
    m_upDown->setPosition(start);
    QVERIFY(m_clicks.isEmpty()); // setting up raises nothing

    QWidget *target = arrowAt(button);
    for (int i = 0; i < clicks; ++i)
        QTest::mouseClick(target, Qt::LeftButton, {},
                          target->mapFrom(m_upDown, arrowPoint(button)));

    QCOMPARE(m_clicks.size(), expectedEvents);
    QCOMPARE(m_upDown->Position(), start + step * expectedEvents);
    for (int i = 0; i < m_clicks.size(); ++i) {
        QCOMPARE(m_clicks[i].sender, m_upDown);
        QCOMPARE(m_clicks[i].button, button);
        // Position already reads the new value while the handler runs.
        QCOMPARE(m_clicks[i].position, start + step * (i + 1));
    }
}

void TestTUpDown::heldArrowRepeatsByOne_data() {
    QTest::addColumn<int>("arrow");
    QTest::newRow("up arrow") << int(btNext);
    QTest::newRow("down arrow") << int(btPrev);
}

void TestTUpDown::heldArrowRepeatsByOne() {
    QFETCH(int, arrow);
    const auto button = TUDBtnType(arrow);
    const int step = button == btNext ? 1 : -1;
    const int start = 5000;
    m_upDown->setMin(0);
    m_upDown->setMax(9999);
    m_upDown->setPosition(start);

    QWidget *target = arrowAt(button);
    const QPoint at = target->mapFrom(m_upDown, arrowPoint(button));
    QTest::mousePress(target, Qt::LeftButton, {}, at);
    QTRY_VERIFY_WITH_TIMEOUT(m_clicks.size() >= 5, 10000);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);

    const auto held = m_clicks.size();
    for (int i = 0; i < held; ++i) {
        QCOMPARE(m_clicks[i].button, button);
        QCOMPARE(m_clicks[i].position, start + step * (i + 1)); // never a larger step
    }
    QCOMPARE(m_upDown->Position(), start + step * int(held));
}

void TestTUpDown::clickKeepsFocusInTheBox() {
    m_window->activateWindow();
    m_box->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), m_box);
    QTest::keyClicks(m_box, "45");

    for (const TUDBtnType button : {btNext, btPrev, btNext}) {
        QWidget *target = arrowAt(button);
        QTest::mouseClick(target, Qt::LeftButton, {},
                          target->mapFrom(m_upDown, arrowPoint(button)));
    }

    QCOMPARE(m_clicks.size(), 3);
    QCOMPARE(QApplication::focusWidget(), m_box);
    QCOMPARE(m_box->text(), QStringLiteral("45")); // the up-down writes nothing into the box
}

void TestTUpDown::positionStaysInRange_data() {
    QTest::addColumn<QString>("order"); // the order in which a window description sets them
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("expected");

    QTest::newRow("inside") << "min max position" << 0 << 9999 << 42 << 42;
    QTest::newRow("above Max") << "min max position" << 0 << 99 << 150 << 99;
    QTest::newRow("below Min") << "min max position" << 0 << 99 << -1 << 0;
    QTest::newRow("range set after position") << "position min max" << 0 << 99 << 500 << 99;
    QTest::newRow("16-bit upper end") << "min max position" << 0 << 40000 << 40000 << 32767;
    QTest::newRow("16-bit lower end") << "min max position" << -40000 << 0 << -40000 << -32768;
}

void TestTUpDown::positionStaysInRange() {
    QFETCH(QString, order);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, position);
    QFETCH(int, expected);

    // Through the property system, as a compiled window description may.
    for (const QString &name : order.split(' ')) {
        const int value = name == "min" ? min : name == "max" ? max : position;
        const char *property = name == "min" ? "Min" : name == "max" ? "Max" : "Position";
        QVERIFY(m_upDown->setProperty(property, value));
    }
    QCOMPARE(m_upDown->Position(), expected);
    QVERIFY(m_upDown->Min() <= m_upDown->Position());
    QVERIFY(m_upDown->Position() <= m_upDown->Max());
    QVERIFY(m_clicks.isEmpty());
}

QTEST_MAIN(TestTUpDown)
#include "test_tupdown.moc"
