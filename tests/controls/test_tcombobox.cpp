#include "tcombobox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

// A unit box as the window builds it, beside another control for the focus.
struct UnitWindow {
    QWidget window;
    QLineEdit *other = new QLineEdit(&window);
    TComboBox *box = new TComboBox(&window);

    UnitWindow() {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(box);
        box->addItem(QStringLiteral("％"));
        box->addItem(QStringLiteral("ﾋﾟｸｾﾙ"));
    }
    // Tabs into the box, which selects its text, ready for typing over it.
    bool tabIntoBox() {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        other->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return box->hasFocus();
    }
};

// QTest::keyClicks takes Latin-1 only; kana and full-width signs come as text.
static void typeText(QWidget *widget, const QString &text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class TestTComboBox : public QObject {
    Q_OBJECT

private slots:
    void startsWithFirstItem();
    void pickRaisesOnceWithNewText_data();
    void pickRaisesOnceWithNewText();
    void typedTextIsKept_data();
    void typedTextIsKept();
    void enterAddsNoItem();
    void typingIsLimited();
    void programWrite();
};

void TestTComboBox::startsWithFirstItem() {
    UnitWindow w;
    QCOMPARE(w.box->Text(), AnsiString("\x81\x93"));
    QCOMPARE(w.box->count(), 2);
}

void TestTComboBox::pickRaisesOnceWithNewText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("picked");

    QTest::newRow("the item already shown") << QString() << 0 << QStringLiteral("％");
    QTest::newRow("the other item") << QString() << 1 << QStringLiteral("ﾋﾟｸｾﾙ");
    QTest::newRow("an item after typing") << QStringLiteral("px") << 0 << QStringLiteral("％");
}

void TestTComboBox::pickRaisesOnceWithNewText() {
    QFETCH(QString, typed);
    QFETCH(int, row);
    QFETCH(QString, picked);

    UnitWindow w;
    QVERIFY(w.tabIntoBox());
    QTest::keyClicks(QApplication::focusWidget(), typed);
    QStringList seen;
    connect(w.box, &TComboBox::OnChange, w.box, [&](QObject *sender) {
        QCOMPARE(sender, w.box);
        seen << w.box->currentText();
    });

    w.box->showPopup();
    QAbstractItemView *list = w.box->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);

    QCOMPARE(seen, QStringList{picked});
    QCOMPARE(w.box->count(), 2);
}

void TestTComboBox::typedTextIsKept_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("px") << QStringLiteral("px") << QStringList{"p", "px"};
    // The first letter of an item is not completed to the item.
    QTest::newRow("no completion") << QStringLiteral("ﾋ") << QStringList{"ﾋ"};
    QTest::newRow("first letter of the shown item") << QStringLiteral("％") << QStringList{"％"};
}

void TestTComboBox::typedTextIsKept() {
    QFETCH(QString, typed);
    QFETCH(QStringList, texts);

    UnitWindow w;
    QVERIFY(w.tabIntoBox());
    QStringList seen;
    connect(w.box, &TComboBox::OnChange, w.box, [&] { seen << w.box->currentText(); });

    typeText(QApplication::focusWidget(), typed);

    QCOMPARE(seen, texts);
    QCOMPARE(w.box->currentText(), typed);
}

void TestTComboBox::enterAddsNoItem() {
    UnitWindow w;
    QVERIFY(w.tabIntoBox());
    QTest::keyClicks(QApplication::focusWidget(), "abc");
    QSignalSpy spy(w.box, &TComboBox::OnChange);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QCOMPARE(w.box->count(), 2);
    QCOMPARE(w.box->itemText(0), QStringLiteral("％"));
    QCOMPARE(w.box->itemText(1), QStringLiteral("ﾋﾟｸｾﾙ"));
    QCOMPARE(w.box->currentText(), QStringLiteral("abc"));
    QCOMPARE(spy.count(), 0);
}

void TestTComboBox::typingIsLimited() {
    UnitWindow w;
    QVERIFY(w.tabIntoBox());
    QTest::keyClicks(QApplication::focusWidget(), QString(TComboBox::TypedLengthLimit + 5, u'9'));
    QCOMPARE(w.box->currentText(), QString(TComboBox::TypedLengthLimit, u'9'));
}

void TestTComboBox::programWrite() {
    UnitWindow w;
    QStringList seen;
    connect(w.box, &TComboBox::OnChange, w.box, [&] { seen << w.box->currentText(); });

    w.box->SetText("\x81\x93"); // "％", already shown
    QCOMPARE(seen, QStringList{});
    w.box->SetText("px");
    QCOMPARE(seen, QStringList{"px"});
    QCOMPARE(w.box->count(), 2);
}

QTEST_MAIN(TestTComboBox)
#include "test_tcombobox.moc"
