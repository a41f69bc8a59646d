#include "charcopy.h"

#include <QtTest>

#include <climits>

class TestCharCopy : public QObject {
    Q_OBJECT

private slots:
    void charCount_data();
    void charCount();
    void charCopy_data();
    void charCopy();
};

static AnsiString ansi(const QByteArray &bytes) {
    return AnsiString(bytes.constData(), static_cast<size_t>(bytes.size()));
}

static QByteArray bytes(const AnsiString &s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

void TestCharCopy::charCount_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("endsWithLoneLead");

    QTest::newRow("empty") << QByteArray() << 0 << false;
    QTest::newRow("one byte") << QByteArray("a") << 1 << false;
    QTest::newRow("ascii caption") << QByteArray("GradationText!") << 14 << false;
    QTest::newRow("single double single") << QByteArray("A\x82\xA0!") << 3 << false;
    QTest::newRow("one double") << QByteArray("\x82\xA0") << 1 << false;
    QTest::newRow("lone lead at end") << QByteArray("ab\x82") << 3 << true;
    QTest::newRow("lone lead only") << QByteArray("\x82") << 1 << true;
    QTest::newRow("lead takes an ascii trail") << QByteArray("\x82"
                                                             "a")
                                               << 1 << false;
    QTest::newRow("lead takes a lead as trail") << QByteArray("\x81\x81\x81") << 2 << true;
    QTest::newRow("lead range edges")
        << QByteArray("\x81\x40\x9F\x40\xE0\x40\xFC\x40") << 4 << false;
    QTest::newRow("high bytes that lead nothing")
        << QByteArray("\x80\xA0\xDF\xFD\xFF") << 5 << false;
    QTest::newRow("half-width katakana") << QByteArray("\xCB\xDF\xB8\xBE\xD9") << 5 << false;
    QTest::newRow("embedded zero") << QByteArray("a\0b", 3) << 3 << false;
    QTest::newRow("zero as trail") << QByteArray("\x82\0b", 3) << 2 << false;
    QTest::newRow("control bytes") << QByteArray("\r\n\t") << 3 << false;
}

void TestCharCopy::charCount() {
    QFETCH(QByteArray, text);
    QFETCH(int, count);
    QFETCH(bool, endsWithLoneLead);

    const AnsiString s = ansi(text);
    QCOMPARE(CharCount(s), count);

    // The single-character pieces rebuild the string; a lone lead byte at the end
    // brings the zero byte after the data with it.
    QByteArray joined;
    for (int k = 1; k <= count; ++k) {
        const AnsiString piece = CharCopy(s, k, 1);
        QVERIFY2(piece.size() == 1 || piece.size() == 2, qPrintable(QString::number(k)));
        joined += bytes(piece);
    }
    QCOMPARE(joined, endsWithLoneLead ? text + QByteArray(1, '\0') : text);
    QCOMPARE(bytes(CharCopy(s, count + 1, 1)), QByteArray());
}

void TestCharCopy::charCopy_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("piece");

    const QByteArray mixed("a\x82\xA0"
                           "b\x83\x41");
    QTest::newRow("first") << QByteArray("GradationText!") << 1 << 1 << QByteArray("G");
    QTest::newRow("last") << QByteArray("GradationText!") << 14 << 1 << QByteArray("!");
    QTest::newRow("past the end") << QByteArray("GradationText!") << 15 << 1 << QByteArray();
    QTest::newRow("far past the end") << QByteArray("abc") << INT_MAX << 1 << QByteArray();
    QTest::newRow("double-byte piece") << mixed << 2 << 1 << QByteArray("\x82\xA0");
    QTest::newRow("after a double-byte") << mixed << 3 << 1 << QByteArray("b");
    QTest::newRow("ending double-byte") << mixed << 4 << 1 << QByteArray("\x83\x41");
    QTest::newRow("two characters") << mixed << 2 << 2
                                    << QByteArray("\x82\xA0"
                                                  "b");
    QTest::newRow("all") << mixed << 1 << 4 << mixed;
    QTest::newRow("count beyond the end") << mixed << 3 << 100 << QByteArray("b\x83\x41");
    QTest::newRow("huge count") << QByteArray("abc") << 2 << INT_MAX << QByteArray("bc");
    QTest::newRow("lone lead") << QByteArray("ab\x82") << 3 << 1 << QByteArray("\x82\0", 2);
    QTest::newRow("lone lead only") << QByteArray("\x82") << 1 << 1 << QByteArray("\x82\0", 2);
    QTest::newRow("zero trail") << QByteArray("\x82\0z", 3) << 1 << 1 << QByteArray("\x82\0", 2);
    // The walk copies before it tests, so a start at or before 1 yields the first
    // character even when no character is asked for; a later start yields nothing.
    QTest::newRow("index zero") << QByteArray("abc") << 0 << 1 << QByteArray("a");
    QTest::newRow("count zero") << QByteArray("abc") << 1 << 0 << QByteArray("a");
    QTest::newRow("count zero later") << QByteArray("abc") << 2 << 0 << QByteArray();
    QTest::newRow("negative index") << QByteArray("abc") << -5 << 2 << QByteArray("a");
    QTest::newRow("extreme negatives")
        << QByteArray("abc") << INT_MIN << INT_MIN << QByteArray("a");
    QTest::newRow("extreme positives") << QByteArray("abc") << INT_MAX << INT_MAX << QByteArray();
    QTest::newRow("empty string") << QByteArray() << 1 << 1 << QByteArray();
}

void TestCharCopy::charCopy() {
    QFETCH(QByteArray, text);
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(QByteArray, piece);

    QCOMPARE(bytes(CharCopy(ansi(text), index, count)), piece);
}

QTEST_APPLESS_MAIN(TestCharCopy)
#include "test_charcopy.moc"
