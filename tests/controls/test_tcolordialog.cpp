#include "syscolors.h"
#include "tcolordialog.h"

#include <QColorDialog>
#include <QDirIterator>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <functional>

namespace {

// What another Qt program may have left in the user's settings: custom colours.
const QByteArray foreignSettings = "[Qt]\n"
                                   "customColors\\0=4278190335\n"
                                   "customColors\\1=4278255360\n"
                                   "customColors\\2=4294901760\n";

// Every file below a folder, with its contents.
QMap<QString, QByteArray> filesBelow(const QString &folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

// A key as the user presses it: to whatever has the focus in the dialog.
void pressKey(QColorDialog *dialog, int key, Qt::KeyboardModifiers modifiers = {}) {
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : dialog, Qt::Key(key), modifiers);
}

QColorDialog *openDialog() {
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QColorDialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

} // namespace

class TestTColorDialog : public QObject {
    Q_OBJECT

public:
    explicit TestTColorDialog(QString home)
        : m_home(std::move(home)) {}

private slots:
    void initTestCase();
    void cleanup();

    void startsWithEmptyCustomColors();
    void opensWithTheGivenColour_data();
    void opensWithTheGivenColour();
    void confirmTypedColour();
    void cancelKeepsColour_data();
    void cancelKeepsColour();
    void customColourKeptAfterConfirm();
    void customColourDroppedAfterCancel();
    void nothingWrittenToTheUsersSettings();

private:
    // Runs Execute() while drive() acts on the real dialog, as a user would.
    bool execute(const std::function<void(QColorDialog *)> &drive);
    static void addCustomColour(QColorDialog *dialog, const QColor &color);

    QString m_home;
    QMap<QString, QByteArray> m_homeAtStart;
    std::unique_ptr<QWidget> m_window;
    TColorDialog *m_cd = nullptr;
    bool m_seenDialog = false;
};

void TestTColorDialog::initTestCase() {
    m_homeAtStart = filesBelow(m_home);
    QCOMPARE(m_homeAtStart.size(), 1);
    m_window = std::make_unique<QWidget>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_cd = new TColorDialog(m_window.get());
    QCOMPARE(m_cd->parent(), m_window.get());
}

void TestTColorDialog::cleanup() {
    // A test that failed half-way must not leave a modal dialog behind.
    if (QColorDialog *dialog = openDialog())
        dialog->reject();
}

bool TestTColorDialog::execute(const std::function<void(QColorDialog *)> &drive) {
    m_seenDialog = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [this, &poll, &drive] {
        QColorDialog *dialog = openDialog();
        if (!dialog)
            return;
        poll.stop();
        m_seenDialog = true;
        drive(dialog);
        if (dialog->isVisible()) // drive() did not close it: do not hang the test
            dialog->reject();
    });
    poll.start(10);
    return m_cd->Execute();
}

void TestTColorDialog::addCustomColour(QColorDialog *dialog, const QColor &color) {
    dialog->setCurrentColor(color);
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->text().contains(QStringLiteral("Custom"))) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL("the dialog has no button that adds a custom colour");
}

void TestTColorDialog::startsWithEmptyCustomColors() {
    for (const QRgb slot : TColorDialog::CustomColors())
        QCOMPARE(slot, QRgb(0xFFFFFFFF));
}

void TestTColorDialog::opensWithTheGivenColour_data() {
    QTest::addColumn<TColor>("color");
    QTest::newRow("yellow") << clYellow;
    QTest::newRow("odd channels") << TColor(0x00563412);
    QTest::newRow("button face, a system colour") << clBtnFace;
}

void TestTColorDialog::opensWithTheGivenColour() {
    QFETCH(TColor, color);
    m_cd->SetColor(color);
    QColor shown;
    QWidget *parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    bool native = true;
    const bool confirmed = execute([&](QColorDialog *dialog) {
        shown = dialog->currentColor();
        parent = dialog->parentWidget();
        modality = dialog->windowModality();
        native = !dialog->testOption(QColorDialog::DontUseNativeDialog);
        dialog->accept();
    });

    QVERIFY(m_seenDialog);
    QVERIFY(confirmed);
    QCOMPARE(shown.rgb(), ResolveColor(color).rgb());
    QCOMPARE(parent, m_window.get());
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY(!native);
    // Confirmed unchanged: the plain form of what was shown.
    QCOMPARE(m_cd->Color(), ColorFromQColor(ResolveColor(color)));
    QVERIFY(!IsSystemColor(m_cd->Color()));
}

void TestTColorDialog::confirmTypedColour() {
    m_cd->SetColor(clYellow);
    const bool confirmed = execute([](QColorDialog *dialog) {
        pressKey(dialog, Qt::Key_H, Qt::AltModifier);
        QWidget *field = QApplication::focusWidget();
        if (!field)
            return;
        QTest::keyClicks(field, QStringLiteral("#3b0000"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    QVERIFY(m_seenDialog);
    QVERIFY(confirmed);
    QCOMPARE(m_cd->Color(), TColor(0x0000003B));
}

void TestTColorDialog::cancelKeepsColour_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("closed") << "close";
    QTest::newRow("Cancel button") << "cancel";
}

void TestTColorDialog::cancelKeepsColour() {
    QFETCH(QString, how);
    m_cd->SetColor(clAqua);
    const bool confirmed = execute([&](QColorDialog *dialog) {
        dialog->setCurrentColor(QColor(1, 2, 3)); // the user picked something first
        if (how == "escape") {
            pressKey(dialog, Qt::Key_Escape);
        } else if (how == "close") {
            dialog->close();
        } else {
            for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                if (button->text() == QStringLiteral("Cancel"))
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        }
        QVERIFY(!dialog->isVisible());
    });
    QVERIFY(m_seenDialog);
    QVERIFY(!confirmed);
    QCOMPARE(m_cd->Color(), clAqua);
}

void TestTColorDialog::customColourKeptAfterConfirm() {
    const QColor defined(0x12, 0x34, 0x56);
    m_cd->SetColor(clYellow);
    QVERIFY(execute([&](QColorDialog *dialog) {
        addCustomColour(dialog, defined);
        dialog->accept();
    }));
    const auto after = TColorDialog::CustomColors();
    QVERIFY(std::find(after.begin(), after.end(), defined.rgba()) != after.end());

    // Offered again at the next opening, whichever button opens it.
    std::array<QRgb, TColorDialog::CustomColorCount> offered{};
    m_cd->SetColor(clAqua);
    QVERIFY(!execute([&](QColorDialog *dialog) {
        for (int i = 0; i < TColorDialog::CustomColorCount; ++i)
            offered[std::size_t(i)] = QColorDialog::customColor(i).rgba();
        dialog->reject();
    }));
    QCOMPARE(offered, after);
}

void TestTColorDialog::customColourDroppedAfterCancel() {
    const auto before = TColorDialog::CustomColors();
    const QColor defined(0x65, 0x43, 0x21);
    std::array<QRgb, TColorDialog::CustomColorCount> during{};
    QVERIFY(!execute([&](QColorDialog *dialog) {
        addCustomColour(dialog, defined);
        for (int i = 0; i < TColorDialog::CustomColorCount; ++i)
            during[std::size_t(i)] = QColorDialog::customColor(i).rgba();
        pressKey(dialog, Qt::Key_Escape);
    }));
    QVERIFY(std::find(during.begin(), during.end(), defined.rgba()) != during.end());
    QCOMPARE(TColorDialog::CustomColors(), before);
}

void TestTColorDialog::nothingWrittenToTheUsersSettings() {
    // Custom colours changed and were confirmed above; the dialogs are gone, and
    // with them any chance for Qt to save them.
    QCOMPARE(filesBelow(m_home), m_homeAtStart);
}

int main(int argc, char **argv) {
    // A home of our own, holding another program's colour-dialog settings, so that
    // reading them or writing ours would show.
    QTemporaryDir home;
    if (!home.isValid() || !QDir(home.path()).mkpath(QStringLiteral(".config")))
        return 1;
    QFile settings(home.filePath(QStringLiteral(".config/QtProject.conf")));
    if (!settings.open(QIODevice::WriteOnly) || settings.write(foreignSettings) < 0)
        return 1;
    settings.close();
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());

    QApplication app(argc, argv);
    PreventQtSettingsFiles();
    TestTColorDialog test(home.path());
    return QTest::qExec(&test, argc, argv);
}

#include "test_tcolordialog.moc"
