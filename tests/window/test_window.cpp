#include "ansiqt.h"
#include "syscolors.h"
#include "tab.h"
#include "windowtestmain.h"

#include <QAccessible>
#include <QLabel>
#include <QToolTip>

// The window as the program builds it: every component with its place, text,
// hint, limits, start value and tab order, the keyboard walk, and the hints.
class TestWindow : public QObject {
    Q_OBJECT

public:
    explicit TestWindow(const QString &home)
        : home_(home) {}

private slots:
    void init();
    void cleanup();
    void components_data();
    void components();
    void windowFrame();
    void startState();
    void tabWalk();
    void escapeAndEnterPressNothing();
    void accessibleNames();
    void hints_data();
    void hints();

private:
    QString shownToolTip(QWidget *widget, QPoint at);

    QString home_;
    TForm1 *form_ = nullptr;
};

void TestWindow::init() {
    form_ = new TForm1;
    Form1 = form_;
}

void TestWindow::cleanup() {
    delete form_;
    form_ = nullptr;
    Form1 = nullptr;
}

void TestWindow::components_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QVariantList>("limits");

    using L = QVariantList;
    auto row = [](const char *name, const char *cls, QRect r, QString text, QString hint,
                  L limits = {}) {
        QTest::newRow(name) << QString(cls) << r << text << hint << limits;
    };
    row("Bevel1", "TBevel", {245, 4, 157, 157}, {}, "色見本");
    row("Label1", "TLabel", {3, 34, 12, 12}, "縦", {});
    row("Label2", "TLabel", {11, 76, 38, 25}, "枠線の太さ", {});
    row("Label3", "TLabel", {123, 33, 48, 12}, "仮文字列", {});
    row("Label4", "TLabel", {3, 60, 12, 12}, "幅", {});
    row("Label5", "TLabel", {118, 60, 21, 12}, "高さ", {});
    row("Label6", "TLabel", {102, 76, 27, 25}, "罫線の幅", {});
    row("Label7", "TLabel", {178, 76, 27, 33}, "内部余白", {});
    row("Label8", "TLabel", {65, 34, 12, 12}, "横", {});
    row("mihon", "TPaintBox", {248, 8, 150, 150}, {}, {});
    row("FontG", "TGTextLabel", {108, 130, 117, 13}, "Marovel", {});
    row("GTextLabel1", "TGTextLabel", {134, 143, 108, 13}, {}, {});
    row("k_haba", "TEdit", {130, 76, 21, 20}, "", "数値を入力してね", L{4});
    row("scb", "TButton", {21, 6, 36, 17}, "左上", "左上の色");
    row("ecb", "TButton", {202, 6, 38, 17}, "右下", "右下の色");
    row("sc", "TPanel", {4, 6, 17, 16}, {}, {}, L{0x0000FFFFu});
    row("ec", "TPanel", {186, 6, 17, 16}, {}, {}, L{0x00FFFF00u});
    row("Button2", "TButton", {2, 129, 103, 32}, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ",
        "ＨＴＭＬコードをクリップボードにコピーします");
    row("html_e", "TEdit", {72, 102, 166, 20}, QString(), "完成ＨＴＭＬ", L{0}); // see startState
    row("kari", "TEdit", {173, 28, 66, 20}, "☆", "枠内に仮に入れる文字", L{0});
    row("haba_tani", "TComboBox", {61, 52, 55, 20}, "％", "幅の単位");
    row("takasa_tani", "TComboBox", {184, 52, 55, 20}, "％", "高さの単位");
    row("haba", "TEdit", {19, 52, 25, 20}, "", "数値を入力してね", L{4});
    row("haba_ud", "TUpDown", {44, 52, 15, 20}, {}, {}, L{0, 9999, 0});
    row("takasa", "TEdit", {142, 52, 25, 20}, "", "数値を入力してね", L{4});
    row("takasa_ud", "TUpDown", {167, 52, 15, 20}, {}, {}, L{0, 9999, 0});
    row("k_haba_ud", "TUpDown", {150, 76, 15, 20}, {}, {}, L{0, 99, 0});
    row("yohaku", "TEdit", {204, 76, 21, 20}, "", "数値を入力してね", L{4});
    row("yohaku_ud", "TUpDown", {224, 76, 15, 20}, {}, {}, L{0, 99, 0});
    row("tc1b", "TButton", {81, 6, 36, 17}, "右上", "右上の色");
    row("tc2b", "TButton", {140, 6, 38, 17}, "左下", "左下の色");
    row("tc1", "TPanel", {64, 6, 17, 16}, {}, {}, L{0x00FF00FFu});
    row("tc2", "TPanel", {124, 6, 17, 16}, {}, {}, L{0x00FF0000u});
    row("tate_b", "TSpinEdit", {18, 27, 35, 21}, "5", "縦の桁数", L{1, 30, 2});
    row("yoko_b", "TSpinEdit", {80, 27, 35, 21}, "5", "横の桁数", L{1, 30, 2});
    row("keisen", "TSpinEdit", {56, 75, 35, 21}, "1", "枠線の太さ", L{0, 99, 2});
    row("CheckBox1", "TCheckBox", {8, 104, 57, 17}, "見出し", "<TH>で出力");
}

void TestWindow::components() {
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QString, hint);
    QFETCH(QVariantList, limits);

    const QString name = QTest::currentDataTag();
    auto *widget = form_->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    QVERIFY2(widget != nullptr, qPrintable(name));
    QCOMPARE(QString(widget->metaObject()->className()), className);
    QCOMPARE(widget->toolTip(), hint);

    // Labels size themselves to their text; only their place is fixed.
    if (className == "TLabel" || className == "TGTextLabel")
        QCOMPARE(widget->pos(), geometry.topLeft());
    else
        QCOMPARE(widget->geometry(), geometry);

    if (auto *label = qobject_cast<TLabel *>(widget)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->wordWrap(), name == "Label2" || name == "Label6" || name == "Label7");
    } else if (auto *gt = qobject_cast<TGTextLabel *>(widget)) {
        if (!text.isEmpty())
            QCOMPARE(ToQString(gt->Caption()), text);
        QVERIFY(gt->Transparent());
        QVERIFY(gt->AutoSize());
        QCOMPARE(gt->Color(), clWhite);
        QCOMPARE(gt->StartColor(), name == "FontG" ? clBlue : clFuchsia);
        QCOMPARE(gt->EndColor(), name == "FontG" ? clFuchsia : clBlue);
        QCOMPARE(gt->font().pixelSize(), 13);
    } else if (auto *button = qobject_cast<TButton *>(widget)) {
        QCOMPARE(button->text(), text);
        QVERIFY(!button->isDefault());
    } else if (auto *edit = qobject_cast<TEdit *>(widget)) {
        if (!text.isNull())
            QCOMPARE(ToQString(edit->Text()), text);
        QCOMPARE(edit->MaxLength(), limits.at(0).toInt());
    } else if (auto *combo = qobject_cast<TComboBox *>(widget)) {
        QCOMPARE(ToQString(combo->Text()), text);
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("％"));
        QCOMPARE(combo->itemText(1), QStringLiteral("ﾋﾟｸｾﾙ"));
        QVERIFY(combo->isEditable());
    } else if (auto *spin = qobject_cast<TSpinEdit *>(widget)) {
        QCOMPARE(ToQString(spin->Text()), text);
        QCOMPARE(spin->MinValue(), limits.at(0).toInt());
        QCOMPARE(spin->MaxValue(), limits.at(1).toInt());
        QCOMPARE(spin->MaxLength(), limits.at(2).toInt());
    } else if (auto *updown = qobject_cast<TUpDown *>(widget)) {
        QCOMPARE(updown->Min(), limits.at(0).toInt());
        QCOMPARE(updown->Max(), limits.at(1).toInt());
        QCOMPARE(updown->Position(), limits.at(2).toInt());
        QCOMPARE(updown->focusPolicy(), Qt::NoFocus);
    } else if (auto *panel = qobject_cast<TPanel *>(widget)) {
        QCOMPARE(panel->Color(), limits.at(0).toUInt());
        QCOMPARE(panel->focusPolicy(), Qt::NoFocus);
    } else if (auto *check = qobject_cast<TCheckBox *>(widget)) {
        QCOMPARE(check->text(), text);
        QVERIFY(!check->Checked());
    }
}

void TestWindow::windowFrame() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Marovel ver0.6"));
    QCOMPARE(form_->size(), QSize(404, 163));
    QCOMPARE(form_->minimumSize(), QSize(404, 163));
    QCOMPARE(form_->maximumSize(), QSize(404, 163));
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form_->pos(), QPoint(206, 123));
    QCOMPARE(form_->palette().color(QPalette::Window), ResolveColor(clBtnFace));
    QCOMPARE(form_->font().pixelSize(), 12);
    QCOMPARE(QFontInfo(form_->font()).family(), QStringLiteral("IPAPGothic"));
    // Qt's own texts (the colour dialog, context menus) come in Japanese.
    QCOMPARE(QCoreApplication::translate("QColorDialog", "&Basic colors"),
             QStringLiteral("基本カラー(&B)"));
}

void TestWindow::startState() {
    // Before the window is shown the output already holds the default table.
    const AnsiString html = form_->html_e->Text();
    QCOMPARE(html.size(), size_t(893));
    QVERIFY(
        html.starts_with("<TABLE border=\"1\">\r\n<TR>\r\n <TD bgcolor=\"#FFFF00\">\x81\x99</TD>"));
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QCOMPARE(QApplication::focusWidget(), form_->scb);
}

void TestWindow::tabWalk() {
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    form_->scb->setFocus(Qt::TabFocusReason);
    const QStringList expected = {"tc1b",      "tc2b",   "ecb",         "kari",   "haba",
                                  "haba_tani", "takasa", "takasa_tani", "yohaku", "Button2",
                                  "html_e",    "k_haba", "tate_b",      "yoko_b", "keisen",
                                  "CheckBox1", "scb"};
    auto owner = [this](QWidget *w) {
        while (w != nullptr && w->parentWidget() != form_)
            w = w->parentWidget();
        return w != nullptr ? w->objectName() : QString();
    };
    QStringList forward;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward << owner(QApplication::focusWidget());
    }
    QCOMPARE(forward, expected);

    QStringList backward;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward << owner(QApplication::focusWidget());
    }
    QStringList reversed(expected.rbegin() + 1, expected.rend());
    reversed << "scb";
    QCOMPARE(backward, reversed);
}

void TestWindow::escapeAndEnterPressNothing() {
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    int clicks = 0;
    for (TButton *b : form_->findChildren<TButton *>())
        connect(b, &TButton::OnClick, this, [&clicks] { ++clicks; });

    form_->kari->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(clicks, 0);
    QVERIFY(form_->isVisible());

    // A focused push button is pressed by Space and by Enter.
    form_->Button2->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(clicks, 1);
    QCOMPARE(QApplication::focusWidget(), form_->Button2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(clicks, 2);
}

void TestWindow::accessibleNames() {
    // Every control can be named by a screen reader: its caption, label or hint.
    QStringList unnamed;
    const auto controls = form_->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *w : controls) {
        if (w->objectName().startsWith("qt_"))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName();
    }
    QCOMPARE(controls.size(), 37);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    QCOMPARE(form_->tate_b->editor()->accessibleName(), QStringLiteral("縦の桁数"));
    QCOMPARE(form_->haba->accessibleDescription(), QStringLiteral("数値を入力してね"));
}

QString TestWindow::shownToolTip(QWidget *widget, QPoint at) {
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &help);
    if (!QToolTip::isVisible())
        return {};
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *label = qobject_cast<QLabel *>(top);
            label && top->isVisible() && top->inherits("QTipLabel")) {
            QTextDocument doc;
            if (label->textFormat() == Qt::PlainText)
                return label->text();
            doc.setHtml(label->text());
            return doc.toPlainText();
        }
    }
    return QToolTip::text();
}

void TestWindow::hints_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("shown");
    QTest::newRow("markup-like hint as text") << "CheckBox1" << QPoint(5, 5) << "<TH>で出力";
    QTest::newRow("full-width hint")
        << "Button2" << QPoint(5, 5) << "ＨＴＭＬコードをクリップボードにコピーします";
    QTest::newRow("spin edit's text area") << "tate_b" << QPoint(5, 5) << "縦の桁数";
    QTest::newRow("preview shows none") << "mihon" << QPoint(75, 75) << "";
    QTest::newRow("frame strip") << "Bevel1" << QPoint(1, 1) << "色見本";
    QTest::newRow("swatch shows none") << "sc" << QPoint(5, 5) << "";
    QTest::newRow("up-down shows none") << "haba_ud" << QPoint(5, 5) << "";
}

void TestWindow::hints() {
    QFETCH(QString, name);
    QFETCH(QPoint, at);
    QFETCH(QString, shown);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    auto *widget = form_->findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    // The event goes to the widget under the point, as the desktop would send it.
    QWidget *target = widget->childAt(at) ? widget->childAt(at) : widget;
    QCOMPARE(shownToolTip(target, target->mapFrom(widget, at)), shown);
}

MAROVEL_WINDOW_TEST_MAIN(TestWindow)
#include "test_window.moc"
