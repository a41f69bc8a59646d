#include "../window/windowtestmain.h"
#include "ansiqt.h"
#include "syscolors.h"
#include "tab.h"
#include "tablegenerator.h"
#include "tcolordialog.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <random>

// Thousands of things a person can do to the window, drawn at random from a seed: typing
// any text into any box, pasting, arrows, moving the focus, the check box, the colour
// dialog and the copy button. After each step that regenerated, the output box must hold
// exactly the generator's text for what the controls show, and the preview its colours.
// MAROVEL_SEED repeats a run; MAROVEL_ACTIONS sets how many actions it takes.
class TestRandomActions : public QObject {
    Q_OBJECT

public:
    explicit TestRandomActions(const QString &) {}

private slots:
    void initTestCase();
    void randomActionsKeepOutputTrue();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the dialog handler did, for the check after the step.
    struct DialogRun {
        bool confirmed = false;
        TColor chosen = 0;
        bool addedCustom = false;
    };

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng_); }
    bool chance(int percent) { return pick(100) < percent; }
    QString randomText(int maxLength);
    QWidget *focusTarget() const;
    static QString nameOf(const QWidget *w);
    QWidget *randomBox();

    void action();
    void typeIntoBox();
    void typeKey(QWidget *target);
    void editKey();
    void paste();
    void arrowKey();
    void clickUpDown();
    void clickSpinArrow();
    void moveFocus();
    void toggleCheckBox();
    void colourButton();
    void copy();
    void coverAndUncover();
    void reactivate();

    // One step: an input event and everything it causes, then the checks.
    template <typename Input> void step(const QString &what, Input input, bool typesIntoOutput);
    void checkRegeneration();
    void checkPreview(const GeneratedTable &table);
    void checkSwatches(const std::array<TColor, 4> &before);
    void fail(const QString &why);
    void driveDialog(QColorDialog *dialog);

    TableSettings settingsOnScreen() const;
    std::array<TColor, 4> swatchColors() const;

    std::unique_ptr<TForm1> form_;
    std::mt19937 rng_;
    unsigned seed_ = 0;
    int actionIndex_ = 0;
    int regenerations_ = 0;
    int dialogsRun_ = 0;
    std::deque<QString> recent_;
    QString failure_;
    std::optional<DialogRun> dialogRun_;
};

namespace {

// Typed characters: digits and signs the number boxes take, HTML's own characters,
// CP932 characters (full width, half-width kana, NEC and IBM extensions) and characters
// without a CP932 form (accents, the euro, an emoji as a surrogate pair).
const QString kCharacters[] = {"0",  "1", "2",  "3",  "4", "5",  "9", "0", "+",      "-",
                               "$",  " ", "a",  "F",  "Z", "<",  ">", "&", "\"",     "'",
                               "%",  "?", "\\", "~",  "☆", "％", "ﾋ", "ﾟ", "漢",     "あ",
                               "〜", "−", "①",  "髙", "é", "€",  "ß", "😀", "\u00A0", "\u3000"};

QPoint centre(const QWidget *w) {
    return w->rect().center();
}

} // namespace

void TestRandomActions::initTestCase() {
    const QByteArray seedText = qgetenv("MAROVEL_SEED");
    seed_ = seedText.isEmpty()
                ? static_cast<unsigned>(
                      std::chrono::system_clock::now().time_since_epoch().count() & 0x7FFFFFFF)
                : seedText.toUInt();
    rng_.seed(seed_);
    qInfo("random actions: seed %u (repeat with MAROVEL_SEED=%u)", seed_, seed_);
    qApp->installEventFilter(this);
}

TableSettings TestRandomActions::settingsOnScreen() const {
    TableSettings s;
    s.topLeft = form_->sc->Color();
    s.topRight = form_->tc1->Color();
    s.bottomLeft = form_->tc2->Color();
    s.bottomRight = form_->ec->Color();
    s.rows = form_->tate_b->Value();
    s.cols = form_->yoko_b->Value();
    s.border = form_->keisen->Text();
    s.width = form_->haba->Text();
    s.widthUnit = form_->haba_tani->Text();
    s.height = form_->takasa->Text();
    s.heightUnit = form_->takasa_tani->Text();
    s.spacing = form_->k_haba->Text();
    s.padding = form_->yohaku->Text();
    s.cellText = form_->kari->Text();
    s.UseHeaderCells = form_->CheckBox1->Checked();
    return s;
}

std::array<TColor, 4> TestRandomActions::swatchColors() const {
    return {form_->sc->Color(), form_->tc1->Color(), form_->tc2->Color(), form_->ec->Color()};
}

QString TestRandomActions::randomText(int maxLength) {
    QString text;
    const int length = pick(maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += kCharacters[pick(std::size(kCharacters))];
    return text;
}

QString TestRandomActions::nameOf(const QWidget *w) {
    if (!w->objectName().isEmpty() || !w->parentWidget())
        return w->objectName();
    return nameOf(w->parentWidget()) + "/" + w->metaObject()->className();
}

QWidget *TestRandomActions::focusTarget() const {
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus : form_.get();
}

QWidget *TestRandomActions::randomBox() {
    QWidget *const boxes[] = {form_->kari,
                              form_->haba,
                              form_->takasa,
                              form_->k_haba,
                              form_->yohaku,
                              form_->keisen->editor(),
                              form_->tate_b->editor(),
                              form_->yoko_b->editor(),
                              form_->haba_tani,
                              form_->takasa_tani,
                              form_->html_e};
    return boxes[pick(std::size(boxes))];
}

void TestRandomActions::fail(const QString &why) {
    if (!failure_.isEmpty())
        return;
    QStringList lines;
    lines << QStringLiteral("seed %1 (MAROVEL_SEED=%1), action %2: %3")
                 .arg(seed_)
                 .arg(actionIndex_)
                 .arg(why);
    lines << QStringLiteral("last steps:");
    for (const QString &s : recent_)
        lines << "  " + s;
    failure_ = lines.join('\n');
}

template <typename Input>
void TestRandomActions::step(const QString &what, Input input, bool typesIntoOutput) {
    if (!failure_.isEmpty())
        return;
    recent_.push_back(QString::number(actionIndex_) + ": " + what);
    if (recent_.size() > 25)
        recent_.pop_front();

    // Half the time a marker in the output box shows every regeneration, even one that
    // writes the text already there; otherwise the output stays as a person left it.
    if (!typesIntoOutput && chance(50))
        form_->html_e->setText(QStringLiteral("#marker %1").arg(actionIndex_));
    const QString before = form_->html_e->text();
    const auto swatchesBefore = swatchColors();
    const auto customBefore = TColorDialog::CustomColors();
    dialogRun_.reset();

    input();
    if (dialogRun_)
        reactivate();
    // Whatever the step left queued (an expose, a deferred repaint) runs before the checks.
    QCoreApplication::processEvents();

    if (!failure_.isEmpty())
        return;
    if (!typesIntoOutput && form_->html_e->text() != before)
        checkRegeneration();
    if (dialogRun_) {
        ++dialogsRun_;
        if (!dialogRun_->confirmed && TColorDialog::CustomColors() != customBefore)
            fail(QStringLiteral("a cancelled dialog changed the custom colours"));
        if (!dialogRun_->addedCustom && TColorDialog::CustomColors() != customBefore)
            fail(QStringLiteral("custom colours changed without being added"));
    }
    checkSwatches(swatchesBefore);
}

void TestRandomActions::checkRegeneration() {
    ++regenerations_;
    const GeneratedTable table = GenerateTable(settingsOnScreen());
    if (form_->html_e->Text() != table.html) {
        fail(QStringLiteral("the output is not the table for the controls' state\n"
                            "  output: %1\n  wanted: %2")
                 .arg(form_->html_e->text().left(300), ToQString(table.html).left(300)));
        return;
    }
    if (RedrawPreview)
        checkPreview(table);
}

void TestRandomActions::checkPreview(const GeneratedTable &table) {
    const QImage &image = form_->mihon->Image();
    const auto pixel = [&](int row, int col) { return image.pixelColor(5 * col + 2, 5 * row + 2); };
    const int shownRows = std::min(table.rows, kPreviewSize / kPreviewCellSize);
    const int shownCols = std::min(table.cols, kPreviewSize / kPreviewCellSize);
    if (shownRows == 0) {
        if (pixel(0, 0) != ResolveColor(clBtnFace))
            fail(QStringLiteral("an empty table left squares in the preview"));
        return;
    }
    for (const auto &[r, c] : {std::pair{0, 0}, std::pair{shownRows - 1, shownCols - 1},
                               std::pair{pick(shownRows), pick(shownCols)}}) {
        if (pixel(r, c) != ResolveColor(table.cellColor(r, c)))
            fail(QStringLiteral("preview square %1,%2 is %3, the cell is %4")
                     .arg(r)
                     .arg(c)
                     .arg(pixel(r, c).name(), ResolveColor(table.cellColor(r, c)).name()));
    }
    if (shownCols < 30 && pixel(0, shownCols) != ResolveColor(clBtnFace))
        fail(QStringLiteral("a square past the last column stayed in the preview"));
}

void TestRandomActions::checkSwatches(const std::array<TColor, 4> &before) {
    const auto after = swatchColors();
    int changed = 0;
    for (std::size_t k = 0; k < after.size(); ++k) {
        if (after[k] == before[k])
            continue;
        ++changed;
        if (!dialogRun_ || !dialogRun_->confirmed || after[k] != dialogRun_->chosen)
            fail(QStringLiteral("swatch %1 changed to %2 without that colour being confirmed")
                     .arg(k)
                     .arg(after[k], 8, 16, QLatin1Char('0')));
    }
    if (changed > 1)
        fail(QStringLiteral("one dialog changed %1 swatches").arg(changed));
}

bool TestRandomActions::eventFilter(QObject *watched, QEvent *event) {
    // However the dialog was opened (a click, Space or Return on a focused button), it is
    // driven from inside its own event loop.
    if (event->type() == QEvent::Show) {
        if (auto *dialog = qobject_cast<QColorDialog *>(watched)) {
            QTimer::singleShot(0, dialog, [this, dialog] { driveDialog(dialog); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void TestRandomActions::driveDialog(QColorDialog *dialog) {
    DialogRun run;
    const QColor colour(pick(256), pick(256), pick(256));
    if (chance(80))
        dialog->setCurrentColor(colour);
    if (chance(30)) {
        const QString addText =
            QCoreApplication::translate("QColorDialog", "&Add to Custom Colors");
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
            if (button->text() == addText) {
                QTest::mouseClick(button, Qt::LeftButton);
                run.addedCustom = true;
            }
        }
        if (!run.addedCustom)
            fail(QStringLiteral("the dialog has no button \"%1\"").arg(addText));
    }
    run.chosen = ColorFromQColor(dialog->currentColor());
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    switch (pick(4)) {
    case 0:
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        run.confirmed = true;
        break;
    case 1:
        // Return goes to the default button; the focus may sit on another button.
        buttons->button(QDialogButtonBox::Ok)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(buttons->button(QDialogButtonBox::Ok), Qt::Key_Return);
        run.confirmed = true;
        break;
    case 2:
        QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        break;
    default:
        QTest::keyClick(dialog, Qt::Key_Escape);
        break;
    }
    if (dialog->isVisible()) {
        fail(QStringLiteral("the colour dialog did not close"));
        dialog->reject();
    }
    dialogRun_ = run;
}

void TestRandomActions::typeKey(QWidget *target) {
    const QString ch = kCharacters[pick(std::size(kCharacters))];
    const bool intoOutput = target == form_->html_e;
    step(
        "type \"" + ch + "\" into " + nameOf(target),
        [&] { QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, ch, Qt::NoModifier); },
        intoOutput);
}

void TestRandomActions::typeIntoBox() {
    QWidget *box = randomBox();
    step(
        "click " + nameOf(box), [&] { QTest::mouseClick(box, Qt::LeftButton, {}, centre(box)); },
        false);
    if (chance(50))
        step(
            "select all", [&] { QTest::keyClick(focusTarget(), Qt::Key_A, Qt::ControlModifier); },
            false);
    const int length = 1 + pick(5);
    for (int i = 0; i < length; ++i)
        typeKey(focusTarget());
}

void TestRandomActions::editKey() {
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *name;
    };
    static const Key keys[] = {
        {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
        {Qt::Key_Delete, Qt::NoModifier, "Delete"},
        {Qt::Key_Home, Qt::NoModifier, "Home"},
        {Qt::Key_End, Qt::ShiftModifier, "Shift+End"},
        {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
        {Qt::Key_Right, Qt::NoModifier, "Right"},
        {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
        {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
        {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
        {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
        {Qt::Key_Space, Qt::NoModifier, "Space"},
        {Qt::Key_Return, Qt::NoModifier, "Return"},
    };
    const Key &k = keys[pick(std::size(keys))];
    QWidget *target = focusTarget();
    step(
        QString::fromLatin1(k.name) + " in " + nameOf(target),
        [&] { QTest::keyClick(target, k.key, k.modifiers); }, target == form_->html_e);
}

void TestRandomActions::paste() {
    if (chance(70)) {
        QString text = randomText(8);
        if (chance(10))
            text += QChar(0xD800); // a lone surrogate, as another program may offer
        QGuiApplication::clipboard()->setText(text);
    }
    QWidget *target = focusTarget();
    step(
        "paste \"" + QGuiApplication::clipboard()->text().left(40) + "\" into " + nameOf(target),
        [&] { QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier); }, target == form_->html_e);
}

void TestRandomActions::arrowKey() {
    static const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
    const Qt::Key key = keys[pick(std::size(keys))];
    QWidget *target = focusTarget();
    step(
        QStringLiteral("arrow key %1 in %2").arg(key, 0, 16).arg(nameOf(target)),
        [&] { QTest::keyClick(target, key); }, target == form_->html_e);
}

void TestRandomActions::clickUpDown() {
    TUpDown *const updowns[] = {form_->haba_ud, form_->takasa_ud, form_->k_haba_ud,
                                form_->yohaku_ud};
    TUpDown *updown = updowns[pick(std::size(updowns))];
    const bool up = chance(50);
    const QPoint at(updown->width() / 2, up ? updown->height() / 4 : updown->height() * 3 / 4);
    QWidget *target = updown->childAt(at) ? updown->childAt(at) : updown;
    step(
        QStringLiteral("click %1 of %2").arg(up ? "up" : "down", updown->objectName()),
        [&] { QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(updown, at)); }, false);
}

void TestRandomActions::clickSpinArrow() {
    TSpinEdit *const spins[] = {form_->tate_b, form_->yoko_b, form_->keisen};
    TSpinEdit *spin = spins[pick(std::size(spins))];
    const bool up = chance(50);
    QAbstractButton *button = up ? spin->upButton() : spin->downButton();
    step(
        QStringLiteral("click the %1 arrow of %2").arg(up ? "up" : "down", spin->objectName()),
        [&] { QTest::mouseClick(button, Qt::LeftButton, {}, centre(button)); }, false);
}

void TestRandomActions::moveFocus() {
    QWidget *target = focusTarget();
    const bool back = chance(30);
    step(
        QString(back ? "Shift+Tab" : "Tab") + " from " + nameOf(target),
        [&] {
            QTest::keyClick(target, back ? Qt::Key_Backtab : Qt::Key_Tab,
                            back ? Qt::ShiftModifier : Qt::NoModifier);
        },
        false);
}

void TestRandomActions::toggleCheckBox() {
    step(
        "click CheckBox1",
        [&] { QTest::mouseClick(form_->CheckBox1, Qt::LeftButton, {}, QPoint(6, 8)); }, false);
}

void TestRandomActions::colourButton() {
    TButton *const buttons[] = {form_->scb, form_->tc1b, form_->tc2b, form_->ecb};
    TButton *button = buttons[pick(std::size(buttons))];
    const bool byKey = chance(30);
    step(
        QString(byKey ? "Space on " : "click ") + button->objectName(),
        [&] {
            if (byKey) {
                button->setFocus(Qt::TabFocusReason);
                QTest::keyClick(button, Qt::Key_Space);
            } else {
                QTest::mouseClick(button, Qt::LeftButton, {}, centre(button));
            }
            if (!dialogRun_)
                fail(QStringLiteral("the colour dialog did not open"));
        },
        false);
}

void TestRandomActions::copy() {
    const QString previous = QStringLiteral("clipboard before copy %1").arg(actionIndex_);
    QGuiApplication::clipboard()->setText(previous);
    step(
        "click Button2",
        [&] { QTest::mouseClick(form_->Button2, Qt::LeftButton, {}, centre(form_->Button2)); },
        false);
    const QString shown = form_->html_e->text();
    const QString copied = QGuiApplication::clipboard()->text();
    if (copied != (shown.isEmpty() ? previous : shown))
        fail(QStringLiteral("the clipboard holds \"%1\", the output box \"%2\"")
                 .arg(copied.left(100), shown.left(100)));
}

void TestRandomActions::coverAndUncover() {
    step(
        "hide and show the window",
        [&] {
            const QString marker = QStringLiteral("#before expose %1").arg(actionIndex_);
            form_->html_e->setText(marker);
            form_->hide();
            form_->show();
            reactivate();
            // Being shown again exposes the window, and that regenerates.
            if (!QTest::qWaitFor([&] { return form_->html_e->text() != marker; }))
                fail(QStringLiteral("showing the window again did not regenerate"));
        },
        false);
}

void TestRandomActions::reactivate() {
    // Offscreen, a window that was hidden, or that a dialog covered, is not made active
    // again as a window manager would make it: Qt's platform window still counts as
    // active, so Qt Widgets never hears of it. Tell it, as the activation would.
    if (!form_->isActiveWindow())
        QApplication::setActiveWindow(form_.get());
    if (!form_->isActiveWindow())
        fail(QStringLiteral("the window cannot be made active again"));
}

void TestRandomActions::action() {
    const int roll = pick(100);
    if (roll < 25)
        typeIntoBox();
    else if (roll < 35)
        typeKey(focusTarget());
    else if (roll < 45)
        editKey();
    else if (roll < 51)
        paste();
    else if (roll < 61)
        arrowKey();
    else if (roll < 69)
        clickUpDown();
    else if (roll < 74)
        clickSpinArrow();
    else if (roll < 82)
        moveFocus();
    else if (roll < 86)
        toggleCheckBox();
    else if (roll < 91)
        colourButton();
    else if (roll < 99)
        copy();
    else
        coverAndUncover();
}

void TestRandomActions::randomActionsKeepOutputTrue() {
    const int actions = qEnvironmentVariableIsSet("MAROVEL_ACTIONS")
                            ? qEnvironmentVariableIntValue("MAROVEL_ACTIONS")
                            : 10000;
    form_ = std::make_unique<TForm1>();
    Form1 = form_.get();
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));

    for (actionIndex_ = 0; actionIndex_ < actions && failure_.isEmpty(); ++actionIndex_)
        action();

    Form1 = nullptr;
    form_.reset();
    QVERIFY2(failure_.isEmpty(), qPrintable(failure_));
    qInfo("%d actions, %d regenerations checked, %d colour dialogs", actions, regenerations_,
          dialogsRun_);
    // A run that never regenerated would have checked nothing.
    QVERIFY2(regenerations_ > actions / 10,
             qPrintable(QStringLiteral("seed %1: only %2 regenerations in %3 actions")
                            .arg(seed_)
                            .arg(regenerations_)
                            .arg(actions)));
}

MAROVEL_WINDOW_TEST_MAIN(TestRandomActions)
#include "test_random_actions.moc"
