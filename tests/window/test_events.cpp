#include "ansiqt.h"
#include "syscolors.h"
#include "tab.h"
#include "tablegenerator.h"
#include "tcolordialog.h"
#include "windowtestmain.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDirIterator>
#include <QTimer>

#include <functional>

// The window's behaviour through real key and mouse events: what regenerates,
// with which rows and preview, the colour dialog, the arrows and the copy.
class TestEvents : public QObject {
    Q_OBJECT

public:
    explicit TestEvents(const QString &home)
        : home_(home) {}

private slots:
    void init();
    void cleanup();
    void rowsTypedFourThenFive();
    void zeroOrNegativeCounts_data();
    void zeroOrNegativeCounts();
    void loneSignCountsAsOne();
    void emptiedRowsBoxRegeneratesNothing();
    void emptiedBorder();
    void upDownWritesItsOwnPosition();
    void spacingAndPaddingShareHandlerAndLeavePreview_data();
    void spacingAndPaddingShareHandlerAndLeavePreview();
    void unitPickRegenerates();
    void headerCellsSurviveRepaint();
    void cancelledDialogChangesNothing();
    void confirmedUnchangedColourRegenerates();
    void eachButtonOpensWithItsSwatch();
    void confirmedColourReachesTable();
    void copyPutsWholeTextWithCrLf();
    void copyOfEmptiedBoxKeepsClipboard();
    void handTypedTextIsCopiedUntilExposed();
    void blinkingCaretNeverRegenerates();
    void nothingWrittenToHome();

private:
    void showActive();
    void typeInto(QWidget *control, const QString &keys);
    void clearBox(QWidget *control);
    void focusAway();
    int rowsInHtml() const;
    int cellsInFirstRow() const;
    QString html() const { return ToQString(form_->html_e->Text()); }
    QColor previewPixel(int x, int y) const { return form_->mihon->Image().pixelColor(x, y); }
    void markPreview();
    void runDialog(QObject *button, const std::function<void(QColorDialog *)> &inside);
    static void clickArrow(QWidget *updown, bool up);

    QString home_;
    TForm1 *form_ = nullptr;
};

void TestEvents::init() {
    form_ = new TForm1;
    Form1 = form_;
    showActive();
}

void TestEvents::cleanup() {
    delete form_;
    form_ = nullptr;
    Form1 = nullptr;
}

void TestEvents::showActive() {
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
}

void TestEvents::typeInto(QWidget *control, const QString &keys) {
    if (!control->hasFocus() && !(control->focusProxy() && control->focusProxy()->hasFocus()))
        control->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(QApplication::focusWidget(), keys);
}

void TestEvents::clearBox(QWidget *control) {
    control->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
}

void TestEvents::focusAway() {
    // The focus moves on to another control, as a click on a button would move it.
    form_->CheckBox1->setFocus(Qt::MouseFocusReason);
}

int TestEvents::rowsInHtml() const {
    return html().count(QStringLiteral("<TR>"));
}

int TestEvents::cellsInFirstRow() const {
    const QString h = html();
    const qsizetype start = h.indexOf("<TR>");
    const qsizetype end = h.indexOf("</TR>");
    if (start < 0 || end < 0)
        return 0;
    return h.mid(start, end - start).count(QStringLiteral("bgcolor"));
}

void TestEvents::markPreview() {
    TCanvas *canvas = form_->mihon->Canvas();
    canvas->SetBrushColor(0x00123456);
    canvas->FillRect(0, 0, 150, 150);
    QCOMPARE(previewPixel(2, 2), QColor(0x56, 0x34, 0x12));
}

void TestEvents::runDialog(QObject *button, const std::function<void(QColorDialog *)> &inside) {
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QColorDialog *>(top); dialog && dialog->isVisible()) {
                seen = true;
                inside(dialog);
                return;
            }
        }
    });
    QTest::mouseClick(qobject_cast<QWidget *>(button), Qt::LeftButton);
    QVERIFY2(seen, "the colour dialog did not open");
}

void TestEvents::clickArrow(QWidget *updown, bool up) {
    const QPoint at(updown->width() / 2, up ? updown->height() / 4 : updown->height() * 3 / 4);
    QWidget *target = updown->childAt(at) ? updown->childAt(at) : updown;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(updown, at));
}

void TestEvents::rowsTypedFourThenFive() {
    clearBox(form_->tate_b);
    QCOMPARE(ToQString(form_->tate_b->Text()), QString());
    QCOMPARE(rowsInHtml(), 5); // an empty box regenerates nothing
    typeInto(form_->tate_b, "4");
    QCOMPARE(rowsInHtml(), 4);
    typeInto(form_->tate_b, "5");
    QCOMPARE(form_->tate_b->Value(), 45);
    QCOMPARE(rowsInHtml(), 4); // 45 is above 30: skipped
    focusAway();
    QCOMPARE(ToQString(form_->tate_b->Text()), QStringLiteral("30"));
    QCOMPARE(rowsInHtml(), 30);
    QCOMPARE(previewPixel(2, 147), ResolveColor(0x00FF0000)); // row 30, bottom-left blue
}

void TestEvents::zeroOrNegativeCounts_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::newRow("rows 0") << "tate_b"
                            << "0";
    QTest::newRow("rows -3") << "tate_b"
                             << "-3";
    QTest::newRow("columns 0") << "yoko_b"
                               << "0";
    QTest::newRow("columns -3") << "yoko_b"
                                << "-3";
}

void TestEvents::zeroOrNegativeCounts() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    auto *spin = form_->findChild<TSpinEdit *>(box);
    clearBox(spin);
    typeInto(spin, typed);
    QCOMPARE(html(), QStringLiteral("<TABLE border=\"1\">\r\n</TABLE>"));
    QCOMPARE(previewPixel(2, 2), ResolveColor(clBtnFace));
    focusAway();
    QCOMPARE(ToQString(spin->Text()), QStringLiteral("1"));
    if (box == "tate_b") {
        QCOMPARE(rowsInHtml(), 1);
        QCOMPARE(cellsInFirstRow(), 5);
    } else {
        QCOMPARE(rowsInHtml(), 5);
        QCOMPARE(cellsInFirstRow(), 1);
    }
}

void TestEvents::loneSignCountsAsOne() {
    clearBox(form_->tate_b);
    typeInto(form_->tate_b, "+");
    QCOMPARE(rowsInHtml(), 1);
    focusAway();
    QCOMPARE(ToQString(form_->tate_b->Text()), QStringLiteral("+"));
    QCOMPARE(rowsInHtml(), 1);
}

void TestEvents::emptiedRowsBoxRegeneratesNothing() {
    typeInto(form_->kari, "x");
    const QString before = html();
    clearBox(form_->tate_b);
    QCOMPARE(html(), before);
    focusAway();
    QCOMPARE(ToQString(form_->tate_b->Text()), QString());
    typeInto(form_->kari, "y");
    QCOMPARE(rowsInHtml(), 1);
}

void TestEvents::emptiedBorder() {
    typeInto(form_->kari, "z");
    const QString before = html();
    clearBox(form_->keisen);
    QCOMPARE(html(), before);
    typeInto(form_->keisen, "3");
    QVERIFY(html().startsWith("<TABLE border=\"3\">\r\n"));
    // Another event regenerates with the border text as it stands, empty or not.
    clearBox(form_->keisen);
    typeInto(form_->kari, "w");
    QVERIFY(html().startsWith("<TABLE border=\"\">\r\n"));
}

void TestEvents::upDownWritesItsOwnPosition() {
    typeInto(form_->haba, "50");
    QVERIFY(html().contains("width=\"50%\""));
    clickArrow(form_->haba_ud, true);
    QCOMPARE(ToQString(form_->haba->Text()), QStringLiteral("1"));
    QVERIFY(html().contains("width=\"1%\""));
    clickArrow(form_->haba_ud, true);
    QCOMPARE(ToQString(form_->haba->Text()), QStringLiteral("2"));
    clickArrow(form_->haba_ud, false);
    clickArrow(form_->haba_ud, false);
    clickArrow(form_->haba_ud, false); // at 0: nothing moves, nothing is written
    QCOMPARE(ToQString(form_->haba->Text()), QStringLiteral("0"));
    QCOMPARE(form_->haba_ud->Position(), 0);

    // An up-down never takes the focus: a typed 45 stays unclamped.
    clearBox(form_->tate_b);
    typeInto(form_->tate_b, "45");
    clickArrow(form_->takasa_ud, true);
    QCOMPARE(ToQString(form_->tate_b->Text()), QStringLiteral("45"));
    QCOMPARE(ToQString(form_->takasa->Text()), QStringLiteral("1"));
}

void TestEvents::spacingAndPaddingShareHandlerAndLeavePreview_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("attribute");
    QTest::newRow("spacing") << "k_haba"
                             << " cellspacing=\"7\"";
    QTest::newRow("padding") << "yohaku"
                             << " cellpadding=\"7\"";
    QTest::newRow("cell text") << "kari"
                               << "7</TD>";
    QTest::newRow("width") << "haba"
                           << " width=\"7%\"";
    QTest::newRow("height") << "takasa"
                            << " height=\"7%\"";
}

void TestEvents::spacingAndPaddingShareHandlerAndLeavePreview() {
    QFETCH(QString, box);
    QFETCH(QString, attribute);
    markPreview();
    auto *edit = form_->findChild<TEdit *>(box);
    clearBox(edit);
    typeInto(edit, "7");
    QVERIFY2(html().contains(attribute), qPrintable(html().left(200)));
    QCOMPARE(previewPixel(2, 2), QColor(0x56, 0x34, 0x12));
    QCOMPARE(RedrawPreview, false);
}

void TestEvents::unitPickRegenerates() {
    typeInto(form_->haba, "100");
    QVERIFY(html().contains("width=\"100%\""));
    form_->haba_tani->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "%");
    QVERIFY(html().contains("width=\"100\""));
    QCOMPARE(form_->haba_tani->count(), 2);
}

void TestEvents::headerCellsSurviveRepaint() {
    markPreview();
    QTest::mouseClick(form_->CheckBox1, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(form_->CheckBox1->Checked());
    QVERIFY(UseHeaderCells);
    QVERIFY(html().contains(" <TH bgcolor=\"#FFFF00\">"));
    QCOMPARE(previewPixel(2, 2), QColor(255, 255, 0));

    // The window's surface is exposed again: the table is rebuilt, still with TH.
    form_->hide();
    markPreview();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QTRY_COMPARE(previewPixel(2, 2), QColor(255, 255, 0));
    QVERIFY(html().contains("</TH>"));
    QVERIFY(!html().contains("<TD"));

    QTest::mouseClick(form_->CheckBox1, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(!UseHeaderCells);
    QVERIFY(html().contains("</TD>"));
}

void TestEvents::cancelledDialogChangesNothing() {
    markPreview();
    const QString before = html();
    runDialog(form_->tc2b, [](QColorDialog *d) {
        d->setCurrentColor(QColor(1, 2, 3));
        d->reject();
    });
    QCOMPARE(form_->tc2->Color(), clBlue);
    QCOMPARE(html(), before);
    QCOMPARE(previewPixel(2, 2), QColor(0x56, 0x34, 0x12));
}

void TestEvents::confirmedUnchangedColourRegenerates() {
    markPreview();
    form_->html_e->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "typed");
    QCOMPARE(html(), QStringLiteral("typed"));
    runDialog(form_->scb, [](QColorDialog *d) { d->accept(); });
    QCOMPARE(form_->sc->Color(), clYellow);
    QVERIFY(html().startsWith("<TABLE"));
    QCOMPARE(previewPixel(2, 2), QColor(255, 255, 0));
}

void TestEvents::eachButtonOpensWithItsSwatch() {
    struct Corner {
        TButton *button;
        TPanel *swatch;
    };
    const Corner corners[] = {{form_->scb, form_->sc},
                              {form_->tc1b, form_->tc1},
                              {form_->tc2b, form_->tc2},
                              {form_->ecb, form_->ec}};
    int step = 0;
    for (const Corner &c : corners) {
        const QColor expected = ResolveColor(c.swatch->Color());
        QColor opened;
        const QColor chosen(10 * step, 20 * step, 30 * step);
        runDialog(c.button, [&](QColorDialog *d) {
            opened = d->currentColor();
            d->setCurrentColor(chosen);
            d->accept();
        });
        QCOMPARE(opened, expected);
        QCOMPARE(ResolveColor(c.swatch->Color()), chosen);
        ++step;
    }
    // Right after another button set a colour, each still opens with its own.
    QColor opened;
    runDialog(form_->tc1b, [&](QColorDialog *d) {
        opened = d->currentColor();
        d->reject();
    });
    QCOMPARE(opened, QColor(10, 20, 30));
}

void TestEvents::confirmedColourReachesTable() {
    runDialog(form_->ecb, [](QColorDialog *d) {
        d->setCurrentColor(QColor(0x12, 0x34, 0x56));
        d->accept();
    });
    QCOMPARE(form_->ec->Color(), TColor(0x00563412));
    TableSettings settings;
    settings.bottomRight = 0x00563412;
    QCOMPARE(form_->html_e->Text(), GenerateTable(settings).html);
    QCOMPARE(previewPixel(22, 22), QColor(0x12, 0x34, 0x56));
}

void TestEvents::copyPutsWholeTextWithCrLf() {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(form_->Button2, Qt::LeftButton);
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied, html());
    QCOMPARE(copied.size(), 868); // 893 bytes, each of the 25 stars being two of them
    QVERIFY(copied.contains("\r\n<TR>\r\n"));
    QVERIFY(!form_->html_e->hasSelectedText() || form_->html_e->hasFocus());
}

void TestEvents::copyOfEmptiedBoxKeepsClipboard() {
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    clearBox(form_->html_e);
    QCOMPARE(html(), QString());
    QTest::mouseClick(form_->Button2, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

void TestEvents::handTypedTextIsCopiedUntilExposed() {
    clearBox(form_->html_e);
    typeInto(form_->html_e, "by hand");
    QTest::mouseClick(form_->Button2, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("by hand"));
    form_->hide();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QTRY_VERIFY(html().startsWith("<TABLE")); // the expose arrives as an event of its own
    QTest::mouseClick(form_->Button2, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text().size(), 868);
}

void TestEvents::blinkingCaretNeverRegenerates() {
    clearBox(form_->html_e);
    typeInto(form_->html_e, "caret");
    QTest::qWait(2 * QApplication::cursorFlashTime() + 200);
    QCOMPARE(html(), QStringLiteral("caret"));
}

void TestEvents::nothingWrittenToHome() {
    runDialog(form_->scb, [](QColorDialog *d) {
        QColorDialog::setCustomColor(0, QColor(1, 2, 3));
        d->setCurrentColor(QColor(4, 5, 6));
        d->accept();
    });
    delete form_;
    form_ = new TForm1;
    Form1 = form_;
    QStringList written;
    QDirIterator it(home_, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        written << it.next();
    QVERIFY2(written.isEmpty(), qPrintable(written.join(", ")));
}

MAROVEL_WINDOW_TEST_MAIN(TestEvents)
#include "test_events.moc"
