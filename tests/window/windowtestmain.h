#pragma once

#include "appsetup.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

// Runs a window test the way the program runs: offscreen, with the program's
// application set-up, and with HOME and the XDG folders pointing into an empty
// temporary folder so that nothing the test does can touch the user's files.
#define MAROVEL_WINDOW_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char *argv[]) {                                                             \
        QTemporaryDir home;                                                                        \
        qputenv("HOME", home.path().toUtf8());                                                     \
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());                           \
        qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());                        \
        qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toUtf8());                             \
        QApplication app(argc, argv);                                                              \
        SetUpApplication();                                                                        \
        TestClass test(home.path());                                                               \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
