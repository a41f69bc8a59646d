#include "ansiqt.h"
#include "ansistring.h"
#include "leadbyte.h"

#include <QtTest>

class TestAnsiString : public QObject {
    Q_OBJECT

private slots:
    void toAnsi_data();
    void toAnsi();
    void roundTrip_data();
    void roundTrip();
    void fromAnsi_data();
    void fromAnsi();
    void leadBytes();
};

static QByteArray bytes(const AnsiString &s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

void TestAnsiString::toAnsi_data() {
    QTest::addColumn<QString>("unicode");
    QTest::addColumn<QByteArray>("cp932");

    QTest::newRow("star") << QStringLiteral("☆") << QByteArray("\x81\x99");
    QTest::newRow("full-width percent") << QStringLiteral("％") << QByteArray("\x81\x93");
    QTest::newRow("half-width pixels")
        << QStringLiteral("ﾋﾟｸｾﾙ") << QByteArray("\xCB\xDF\xB8\xBE\xD9");
    QTest::newRow("wave dash") << QStringLiteral("〜") << QByteArray("\x81\x60");
    QTest::newRow("minus sign") << QStringLiteral("−") << QByteArray("\x81\x7C");
    QTest::newRow("emoji is one ?") << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("two unmappable") << QStringLiteral("é😀") << QByteArray("??");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "x" << QByteArray("?x");
    QTest::newRow("control bytes") << QString::fromLatin1("\x01\x1A\x1C\x7F\t\r\n", 7)
                                   << QByteArray("\x01\x1A\x1C\x7F\t\r\n", 7);
    QTest::newRow("embedded zero") << QString(QChar(0)) + "a" << QByteArray("\0a", 2);
    QTest::newRow("mixed")
        << QStringLiteral("<TD>ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ</TD>")
        << QByteArray("<TD>\xB8\xD8\xAF\xCC\xDF\xCE\xDE\xB0\xC4\xDE\x82\xC9\xBA\xCB\xDF\xB0</TD>");
    QTest::newRow("trail byte in ASCII range")
        << QStringLiteral("ソ表") << QByteArray("\x83\x5C\x95\x5C");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestAnsiString::toAnsi() {
    QFETCH(QString, unicode);
    QFETCH(QByteArray, cp932);
    QCOMPARE(bytes(ToAnsiString(unicode)), cp932);
}

void TestAnsiString::roundTrip_data() {
    QTest::addColumn<QString>("unicode");
    QTest::newRow("window texts") << QStringLiteral(
        "縦横仮文字列幅高さ枠線の太さ罫線の幅内部余白見出し");
    QTest::newRow("hints") << QStringLiteral("ＨＴＭＬコードをクリップボードにコピーします");
    QTest::newRow("symbols") << QStringLiteral("☆％～－ﾋﾟｸｾﾙ");
    QTest::newRow("ascii and controls") << QString::fromLatin1("<TABLE border=\"1\">\r\n\x7F");
}

void TestAnsiString::roundTrip() {
    QFETCH(QString, unicode);
    QCOMPARE(ToQString(ToAnsiString(unicode)), unicode);
}

void TestAnsiString::fromAnsi_data() {
    QTest::addColumn<QByteArray>("cp932");
    QTest::addColumn<QString>("unicode");
    // CP932 reads these back as the full-width forms, as a CP932 system does.
    QTest::newRow("wave dash reads as full-width tilde")
        << QByteArray("\x81\x60") << QStringLiteral("～");
    QTest::newRow("minus reads as full-width hyphen-minus")
        << QByteArray("\x81\x7C") << QStringLiteral("－");
    QTest::newRow("lone lead byte at end") << QByteArray("a\x81") << QStringLiteral("a\uFFFD");
    QTest::newRow("lead byte and zero")
        << QByteArray("\x81\0", 2) << QStringLiteral("\uFFFD") + QChar(0);
    QTest::newRow("lead byte before blank") << QByteArray("\x81 x") << QStringLiteral("\uFFFD x");
    QTest::newRow("star after bad byte") << QByteArray("\xFF\x81\x99") << QStringLiteral("\uFFFD☆");
}

void TestAnsiString::fromAnsi() {
    QFETCH(QByteArray, cp932);
    QFETCH(QString, unicode);
    QCOMPARE(ToQString(AnsiString(cp932.constData(), size_t(cp932.size()))), unicode);
}

void TestAnsiString::leadBytes() {
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        QVERIFY2(IsDBCSLeadByte(static_cast<unsigned char>(b)) == expected,
                 qPrintable(QString::number(b, 16)));
    }
}

QTEST_APPLESS_MAIN(TestAnsiString)
#include "test_ansistring.moc"
