#include "ansiqt.h"
#include "appsetup.h"
#include "tab.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

// Start-up where the desktop falls short: the real program without a display, and the
// program's set-up without its Japanese font.
class TestStartup : public QObject {
    Q_OBJECT

public:
    explicit TestStartup(const QString &home)
        : home_(home) {}

private slots:
    void noDisplaySaysSoAndExits_data();
    void noDisplaySaysSoAndExits();
    void missingFontWarnsAndWindowWorks();
    void programWithoutFontKeepsRunning();

private:
    QProcessEnvironment programEnvironment() const;

    QString home_;
};

namespace {

// A fontconfig set-up that is the system's own, less the IPA P Gothic font.
const char kFontsWithoutIpa[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <selectfont>
    <rejectfont>
      <pattern><patelt name="family"><string>IPAPGothic</string></patelt></pattern>
    </rejectfont>
  </selectfont>
</fontconfig>
)";

const QString kFontWarning =
    QStringLiteral("Marovel: the font IPAPGothic (Debian package fonts-ipafont-gothic) is "
                   "missing; another font stands in for it.\n");

// What a call writes to the process's stderr.
template <typename F> QString captureStderr(F call) {
    QTemporaryFile file;
    if (!file.open())
        return QStringLiteral("(cannot capture stderr)");
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    call();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    file.seek(0);
    return QString::fromUtf8(file.readAll());
}

} // namespace

QProcessEnvironment TestStartup::programEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home_);
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                             "XDG_RUNTIME_DIR", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DISPLAY"})
        env.remove(QString::fromLatin1(name));
    return env;
}

void TestStartup::noDisplaySaysSoAndExits_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("message");
    QTest::newRow("DISPLAY unset")
        << QString() << QString() << "no graphical display (DISPLAY is not set)";
    QTest::newRow("DISPLAY empty")
        << QString() << QString("") << "no graphical display (DISPLAY is not set)";
    QTest::newRow("xcb asked for, DISPLAY unset")
        << "xcb" << QString() << "no graphical display (DISPLAY is not set)";
    QTest::newRow("no server at :987") << QString() << ":987"
                                       << "the display :987 does not answer";
}

void TestStartup::noDisplaySaysSoAndExits() {
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(QString, message);
    if (display == ":987" && QFile::exists("/tmp/.X11-unix/X987"))
        QSKIP("an X server runs at :987 on this machine");

    QProcessEnvironment env = programEnvironment();
    if (!platform.isNull())
        env.insert("QT_QPA_PLATFORM", platform);
    if (!display.isNull())
        env.insert("DISPLAY", display);
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(MAROVEL_PROGRAM), {});
    QVERIFY2(program.waitForFinished(30000), "the program did not end");

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()),
             "Marovel cannot start: " + message + ".\n");
    QCOMPARE(program.readAllStandardOutput(), QByteArray());
}

void TestStartup::missingFontWarnsAndWindowWorks() {
    // main() pointed fontconfig at the set-up without IPA P Gothic.
    QVERIFY(!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")));
    QCOMPARE(captureStderr([] { SetUpApplication(); }), kFontWarning);

    TForm1 form;
    Form1 = &form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(!QFontInfo(form.font()).family().isEmpty());
    form.kari->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                        QStringLiteral("字"), Qt::NoModifier);
    QVERIFY(ToQString(form.html_e->Text()).contains(QStringLiteral("\">字</TD>")));
    Form1 = nullptr;
}

void TestStartup::programWithoutFontKeepsRunning() {
    QProcessEnvironment env = programEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("FONTCONFIG_FILE", qEnvironmentVariable("FONTCONFIG_FILE"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(MAROVEL_PROGRAM), {});
    QVERIFY(program.waitForStarted());

    program.setReadChannel(QProcess::StandardError);
    QString said;
    while (!said.contains(kFontWarning) && program.waitForReadyRead(30000))
        said += QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(said.contains(kFontWarning), qPrintable("the program said: " + said));
    // The warning is not the last word: the program goes on with its window.
    QVERIFY2(!program.waitForFinished(1000),
             qPrintable("the program ended: " + program.readAllStandardError()));
    program.kill();
    program.waitForFinished();
}

int main(int argc, char *argv[]) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toUtf8());
    // Fontconfig reads its set-up once, when the application first looks for fonts.
    QTemporaryDir fonts;
    QFile conf(fonts.filePath("fonts.conf"));
    if (!conf.open(QIODevice::WriteOnly) || conf.write(kFontsWithoutIpa) < 0)
        return 2;
    conf.close();
    qputenv("FONTCONFIG_FILE", conf.fileName().toUtf8());

    QApplication app(argc, argv);
    TestStartup test(home.path());
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_startup.moc"
