#include "tedit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

// A window with two edit boxes, so the focus has somewhere to go.
struct EditWindow {
    QWidget window;
    TEdit *edit = new TEdit(&window);
    TEdit *other = new TEdit(&window);

    EditWindow() {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(edit);
    }
    bool activate() {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }
    // Tabs into `edit` from `other`, as a user would.
    bool tabIntoEdit() {
        if (!activate())
            return false;
        other->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget() == edit;
    }
};

class TestTEdit : public QObject {
    Q_OBJECT

private slots:
    void programWriteIsNeverCut_data();
    void programWriteIsNeverCut();
    void writeRaisesOnceBeforeReturning();
    void sameTextChangesNothing();
    void loweringMaxLengthKeepsText();
    void typingIsLimited_data();
    void typingIsLimited();
    void pasteIsCutToRoomLeft_data();
    void pasteIsCutToRoomLeft();
    void userEditsRaiseOnChange();
    void keyboardFocusSelectsAll();
    void copyToClipboard();
    void emptyBoxLeavesClipboard();
    void showStart();
    void textIsCp932();
};

void TestTEdit::programWriteIsNeverCut_data() {
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("text");

    QTest::newRow("over the user's limit") << 4 << QStringLiteral("123456789");
    QTest::newRow("100,000 characters, limit 4") << 4 << QString(100000, u'x');
    QTest::newRow("over Qt's default limit") << 0 << QString(40000, u'y');
    QTest::newRow("megabytes, no limit") << 0 << QString(1'000'000, u'z');
}

void TestTEdit::programWriteIsNeverCut() {
    QFETCH(int, maxLength);
    QFETCH(QString, text);

    TEdit edit;
    edit.setMaxLength(maxLength);
    edit.SetText(AnsiString(text.toStdString()));
    QCOMPARE(edit.text(), text);

    // The start-value path of the window description as well.
    TEdit fromDescription;
    fromDescription.setMaxLength(maxLength);
    fromDescription.setText(text);
    QCOMPARE(fromDescription.text(), text);
    QCOMPARE(fromDescription.MaxLength(), maxLength);
}

void TestTEdit::writeRaisesOnceBeforeReturning() {
    TEdit edit;
    QStringList seen;
    connect(&edit, &TEdit::OnChange, &edit, [&](QObject *sender) {
        QCOMPARE(sender, &edit);
        seen << edit.text();
    });
    edit.SetText("3");
    QCOMPARE(seen, QStringList{"3"});
    edit.SetText("");
    QCOMPARE(seen, (QStringList{"3", ""}));
}

void TestTEdit::sameTextChangesNothing() {
    EditWindow w;
    QVERIFY(w.activate());
    w.edit->setFocus();
    w.edit->SetText("345");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace); // "34", undo possible
    w.edit->setSelection(1, 1);
    QSignalSpy spy(w.edit, &TEdit::OnChange);

    w.edit->SetText("34");
    w.edit->setText(QStringLiteral("34"));

    QCOMPARE(spy.count(), 0);
    QCOMPARE(w.edit->selectedText(), QStringLiteral("4"));
    QVERIFY(w.edit->isUndoAvailable());
}

void TestTEdit::loweringMaxLengthKeepsText() {
    TEdit edit;
    edit.SetText("abcdef");
    QSignalSpy spy(&edit, &TEdit::OnChange);
    edit.setMaxLength(2);
    QCOMPARE(edit.text(), QStringLiteral("abcdef"));
    QCOMPARE(spy.count(), 0);
}

void TestTEdit::typingIsLimited_data() {
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("changes");

    QTest::newRow("stops at the limit") << 4 << ""
                                        << "123456"
                                        << "1234" << 4;
    QTest::newRow("full box refuses") << 4 << "1234"
                                      << "5"
                                      << "1234" << 0;
    QTest::newRow("no limit") << 0 << ""
                              << "123456"
                              << "123456" << 6;
    QTest::newRow("beyond Qt's default")
        << 0 << QString(40000, u'a') << "bc" << QString(40000, u'a') + "bc" << 2;
    QTest::newRow("program text over the limit") << 4 << "123456"
                                                 << "7"
                                                 << "123456" << 0;
}

void TestTEdit::typingIsLimited() {
    QFETCH(int, maxLength);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, changes);

    EditWindow w;
    w.edit->setMaxLength(maxLength);
    w.edit->setText(start);
    QVERIFY(w.activate());
    w.edit->setFocus();
    w.edit->end(false);
    QSignalSpy spy(w.edit, &TEdit::OnChange);

    QTest::keyClicks(QApplication::focusWidget(), typed);

    QCOMPARE(w.edit->text(), expected);
    QCOMPARE(spy.count(), changes);
}

void TestTEdit::pasteIsCutToRoomLeft_data() {
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("selectFrom");
    QTest::addColumn<int>("selectLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");

    // selectLength 0: the cursor stands at selectFrom.
    QTest::newRow("fits") << 4 << "1" << 1 << 0 << "ab"
                          << "1ab";
    QTest::newRow("cut at the end") << 4 << "1" << 1 << 0 << "abcdef"
                                    << "1abc";
    QTest::newRow("cut in the middle") << 4 << "12" << 1 << 0 << "abcdef"
                                       << "1ab2";
    QTest::newRow("over a selection") << 4 << "1234" << 1 << 2 << "abcdef"
                                      << "1ab4";
    QTest::newRow("paste starting like the selection") << 4 << "abc" << 1 << 1 << "bxyz"
                                                       << "abxc";
    QTest::newRow("no room") << 4 << "1234" << 4 << 0 << "ab"
                             << "1234";
    QTest::newRow("no half character") << 3 << "1" << 1 << 0 << QStringLiteral("a😀b") << "1a";
    QTest::newRow("no limit, past Qt's default")
        << 0 << QString(32767, u'a') << 32767 << 0 << "xyz" << QString(32767, u'a') + "xyz";
}

void TestTEdit::pasteIsCutToRoomLeft() {
    QFETCH(int, maxLength);
    QFETCH(QString, start);
    QFETCH(int, selectFrom);
    QFETCH(int, selectLength);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);

    EditWindow w;
    w.edit->setMaxLength(maxLength);
    w.edit->setText(start);
    QVERIFY(w.activate());
    w.edit->setFocus();
    if (selectLength > 0)
        w.edit->setSelection(selectFrom, selectLength);
    else
        w.edit->setCursorPosition(selectFrom);
    QApplication::clipboard()->setText(clipboard);
    QSignalSpy spy(w.edit, &TEdit::OnChange);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(w.edit->text(), expected);
    QCOMPARE(spy.count(), expected == start ? 0 : 1);
    QCOMPARE(w.edit->MaxLength(), maxLength);
}

void TestTEdit::userEditsRaiseOnChange() {
    EditWindow w;
    w.edit->setMaxLength(4);
    QVERIFY(w.activate());
    w.edit->setFocus();
    QStringList seen;
    connect(w.edit, &TEdit::OnChange, w.edit, [&] { seen << w.edit->text(); });
    QWidget *focus = QApplication::focusWidget();

    QTest::keyClicks(focus, "abc");
    w.edit->setSelection(0, 2);
    QTest::keyClick(focus, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(focus, Qt::Key_End);
    QTest::keyClick(focus, Qt::Key_Backspace);

    QCOMPARE(seen, (QStringList{"a", "ab", "abc", "c", "abc", "ab"}));
}

void TestTEdit::keyboardFocusSelectsAll() {
    EditWindow w;
    w.edit->setText(QStringLiteral("☆☆☆"));
    w.edit->setCursorPosition(1);
    QVERIFY(w.tabIntoEdit());
    QCOMPARE(w.edit->selectedText(), QStringLiteral("☆☆☆"));

    // Leaving for another control leaves no selection behind.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(!w.edit->hasFocus());
    QVERIFY(!w.edit->hasSelectedText());
}

void TestTEdit::copyToClipboard() {
    EditWindow w;
    const QString html = QStringLiteral("<TABLE border=\"1\">\r\n<TR>☆");
    w.edit->setText(html);
    QVERIFY(w.activate());
    w.other->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("before"));

    w.edit->SelectAll();
    w.edit->CopyToClipboard();

    QCOMPARE(QApplication::clipboard()->text(), html);
    QVERIFY(!w.edit->hasSelectedText());
    QVERIFY(w.other->hasFocus());
}

void TestTEdit::emptyBoxLeavesClipboard() {
    TEdit edit;
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    edit.SelectAll();
    edit.CopyToClipboard();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
}

void TestTEdit::showStart() {
    TEdit edit;
    edit.SetText(std::string(500, 'x'));
    QCOMPARE(edit.cursorPosition(), 500);
    edit.ShowStart();
    QCOMPARE(edit.cursorPosition(), 0);
}

void TestTEdit::textIsCp932() {
    TEdit edit;
    edit.setText(QStringLiteral("☆ﾋ"));
    QCOMPARE(edit.Text(), AnsiString("\x81\x99\xCB"));
    edit.SetText("\x81\x93");
    QCOMPARE(edit.text(), QStringLiteral("％"));
}

QTEST_MAIN(TestTEdit)
#include "test_tedit.moc"
