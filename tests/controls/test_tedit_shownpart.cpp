// An edit box that holds only the shown part of a long text must look, read, copy and edit
// exactly like one that holds the whole text.

#include "ansiqt.h"
#include "tedit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A 30 x 30 table's worth of lines with the given cell text.
QString Table(const QString &cell, int cells = 900) {
    QString html = QStringLiteral("<TABLE border=\"1\">\r\n<TR>\r\n");
    for (int i = 0; i < cells; ++i)
        html +=
            QStringLiteral(" <TD bgcolor=\"#%1\">").arg(i * 2731 % 0x1000000, 6, 16, QChar(u'0')) +
            cell + QStringLiteral("</TD>\r\n");
    return html + QStringLiteral("</TABLE>");
}

// Two boxes of the window's output size side by side: one written the fast way, one the
// plain way, and a third control to take the focus.
struct Boxes {
    QWidget window;
    TEdit *fast = new TEdit(&window);
    TEdit *plain = new TEdit(&window);
    TEdit *other = new TEdit(&window);

    Boxes() {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(12);
        window.setFont(font);
        for (TEdit *edit : {fast, plain, other})
            edit->setFixedSize(166, 20);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(fast);
        layout->addWidget(plain);
    }
    bool show() {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        other->setFocus();
        return QTest::qWaitForWindowActive(&window);
    }
    void write(const QString &text) {
        fast->SetTextShowingStart(ToAnsiString(text));
        plain->SetText(ToAnsiString(text));
        plain->ShowStart();
    }
    bool lookAlike() const { return fast->grab().toImage() == plain->grab().toImage(); }
};

} // namespace

class TestShownPart : public QObject {
    Q_OBJECT

private slots:
    void looksAndReadsAsTheWhole_data();
    void looksAndReadsAsTheWhole();
    void writeAnnouncesTheWholeOnce();
    void focusHoldsTheWholeForEditing();
    void clickPlacesCursorAsInTheWhole();
    void copyTakesTheWhole();
    void wideningHoldsTheWhole();
};

void TestShownPart::looksAndReadsAsTheWhole_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("partOnly");

    QTest::newRow("30 x 30 stars") << Table(QStringLiteral("☆")) << true;
    QTest::newRow("1,000-character cells") << Table(QString(1000, u'x')) << true;
    QTest::newRow("Japanese and tabs") << Table(QStringLiteral("見本\tｶﾅ かな")) << true;
    QTest::newRow("short: whole") << Table(QStringLiteral("☆"), 3) << false;
    // Scripts left out of the plain set are drawn from fonts of their own; the box then
    // holds the whole text, also when they stand far out of sight.
    QTest::newRow("Greek: whole") << Table(QStringLiteral("αβγ")) << false;
    QTest::newRow("Cyrillic far out: whole") << QString(5000, u'x') + QStringLiteral("Ж") << false;
}

void TestShownPart::looksAndReadsAsTheWhole() {
    QFETCH(QString, text);
    QFETCH(bool, partOnly);

    Boxes b;
    QVERIFY(b.show());
    b.write(text);

    QCOMPARE(b.fast->HoldsShownPartOnly(), partOnly);
    QCOMPARE(b.fast->text(), text);
    QCOMPARE(b.fast->Text(), b.plain->Text());
    QCOMPARE(b.fast->property("text").toString(), text);
    QCOMPARE(b.fast->cursorPosition(), 0);
    QVERIFY(b.lookAlike());
}

void TestShownPart::writeAnnouncesTheWholeOnce() {
    Boxes b;
    QVERIFY(b.show());
    QStringList seen;
    connect(b.fast, &TEdit::OnChange, b.fast, [&] { seen << b.fast->text(); });
    const QString first = Table(QStringLiteral("☆"));
    const QString second = Table(QStringLiteral("★"));

    b.fast->SetTextShowingStart(ToAnsiString(first));
    b.fast->SetTextShowingStart(ToAnsiString(first)); // the same again: nothing
    b.fast->SetTextShowingStart(ToAnsiString(second));

    QCOMPARE(seen, (QStringList{first, second}));
    QVERIFY(b.fast->HoldsShownPartOnly());
}

void TestShownPart::focusHoldsTheWholeForEditing() {
    Boxes b;
    QVERIFY(b.show());
    const QString text = Table(QStringLiteral("☆"));
    b.write(text);
    QVERIFY(b.fast->HoldsShownPartOnly());
    QSignalSpy changes(b.fast, &TEdit::OnChange);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // from `other` into `fast`

    QVERIFY(b.fast->hasFocus());
    QVERIFY(!b.fast->HoldsShownPartOnly());
    QCOMPARE(b.fast->QLineEdit::text(), text);
    QCOMPARE(b.fast->selectedText(), text); // keyboard focus selects all, as ever
    QCOMPARE(changes.count(), 0);
    QVERIFY(!b.fast->isUndoAvailable());

    // Edits reach the real end of the text, and undo brings the program's text back.
    QTest::keyClick(b.fast, Qt::Key_End);
    QTest::keyClicks(b.fast, "!");
    QCOMPARE(b.fast->text(), text + "!");
    QTest::keyClick(b.fast, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(b.fast->text(), text);
}

void TestShownPart::clickPlacesCursorAsInTheWhole() {
    Boxes b;
    QVERIFY(b.show());
    b.write(Table(QString(1000, u'x')));
    const QPoint inside(100, b.fast->height() / 2);

    QTest::mouseClick(b.fast, Qt::LeftButton, {}, inside);
    QTest::mouseClick(b.plain, Qt::LeftButton, {}, inside);

    QVERIFY(!b.fast->HoldsShownPartOnly());
    QVERIFY(b.fast->cursorPosition() > 0);
    QCOMPARE(b.fast->cursorPosition(), b.plain->cursorPosition());
}

void TestShownPart::copyTakesTheWhole() {
    Boxes b;
    QVERIFY(b.show());
    const QString text = Table(QString(1000, u'x'));
    b.write(text);
    QApplication::clipboard()->setText(QStringLiteral("before"));

    b.fast->SelectAll();
    b.fast->CopyToClipboard();
    b.plain->SelectAll();
    b.plain->CopyToClipboard();

    QCOMPARE(QApplication::clipboard()->text(), text);
    QVERIFY(b.other->hasFocus());
    QVERIFY(b.lookAlike()); // both now show the end, where select-all left the cursor
}

void TestShownPart::wideningHoldsTheWhole() {
    Boxes b;
    QVERIFY(b.show());
    b.write(Table(QStringLiteral("☆")));
    QVERIFY(b.fast->HoldsShownPartOnly());

    b.fast->setFixedWidth(3000);
    b.plain->setFixedWidth(3000);

    QVERIFY(!b.fast->HoldsShownPartOnly());
    QVERIFY(b.lookAlike());
}

QTEST_MAIN(TestShownPart)
#include "test_tedit_shownpart.moc"
