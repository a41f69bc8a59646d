#include "colorrun.h"

#include <QtTest>

#include <array>
#include <random>
#include <vector>

using RunFunction = void (*)(TColor, TColor, int, TColor *);
using OffsetFunction = unsigned (*)(unsigned, int, int);
Q_DECLARE_METATYPE(RunFunction)
Q_DECLARE_METATYPE(OffsetFunction)

class TestColorRun : public QObject {
    Q_OBJECT

private slots:
    void fullRun_data();
    void fullRun();
    void singleEntry_data();
    void singleEntry();
    void spotEntries_data();
    void spotEntries();
    void shortRunsReachEnd_data();
    void shortRunsReachEnd();
    void eightEntryShortfalls_data();
    void eightEntryShortfalls();
    void offsetOutsideRun();
    void emulationMatchesExtended();
    void emulationMatchesExtendedOnWideValues();
};

// #RRGGBB as written in the HTML, to a TColor.
static TColor Hex(unsigned rgb) {
    return RGBToColor(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

static void AddBothImplementations(const char *name, TColor start, TColor end,
                                   const QList<unsigned> &expected) {
    QTest::addRow("%s, extended", name)
        << RunFunction(&ColorRun) << start << end << QList<unsigned>(expected);
    QTest::addRow("%s, emulated", name)
        << RunFunction(&ColorRunEmulated) << start << end << QList<unsigned>(expected);
}

void TestColorRun::fullRun_data() {
    QTest::addColumn<RunFunction>("run");
    QTest::addColumn<TColor>("start");
    QTest::addColumn<TColor>("end");
    QTest::addColumn<QList<unsigned>>("expected"); // #RRGGBB, one per entry

    AddBothImplementations("red down, 5", Hex(0xFF0000), Hex(0x000000),
                           {0xFF0000, 0xC00000, 0x800000, 0x400000, 0x000000});
    AddBothImplementations("red up, 5", Hex(0x000000), Hex(0xFF0000),
                           {0x000000, 0x3F0000, 0x7F0000, 0xBF0000, 0xFF0000});
    AddBothImplementations(
        "up to 3B falls short", Hex(0x000000), Hex(0x3B0000),
        {0x000000, 0x080000, 0x100000, 0x190000, 0x210000, 0x2A0000, 0x320000, 0x3A0000});
    AddBothImplementations(
        "down from 3B falls short", Hex(0x3B0000), Hex(0x000000),
        {0x3B0000, 0x330000, 0x2B0000, 0x220000, 0x1A0000, 0x110000, 0x090000, 0x010000});
    AddBothImplementations(
        "up to 3D is exact", Hex(0x000000), Hex(0x3D0000),
        {0x000000, 0x080000, 0x110000, 0x1A0000, 0x220000, 0x2B0000, 0x340000, 0x3D0000});
    AddBothImplementations(
        "green alike", Hex(0x000000), Hex(0x003B00),
        {0x000000, 0x000800, 0x001000, 0x001900, 0x002100, 0x002A00, 0x003200, 0x003A00});
    AddBothImplementations(
        "blue alike", Hex(0x000000), Hex(0x00003B),
        {0x000000, 0x000008, 0x000010, 0x000019, 0x000021, 0x00002A, 0x000032, 0x00003A});
    // Each channel on its own: a shortfall in one never borrows from its neighbour.
    AddBothImplementations(
        "channels independent", Hex(0x00FF3B), Hex(0x3B003D),
        {0x00FF3B, 0x08DB3B, 0x10B73B, 0x19923B, 0x216E3C, 0x2A493C, 0x32253C, 0x3A003D});
    AddBothImplementations("two entries", Hex(0x123456), Hex(0xFEDCBA), {0x123456, 0xFEDCBA});
    AddBothImplementations("equal ends", Hex(0x808080), Hex(0x808080),
                           {0x808080, 0x808080, 0x808080});
}

void TestColorRun::fullRun() {
    QFETCH(RunFunction, run);
    QFETCH(TColor, start);
    QFETCH(TColor, end);
    QFETCH(QList<unsigned>, expected);

    const int n = int(expected.size());
    constexpr TColor sentinel = 0xDEADBEEF;
    std::vector<TColor> out(std::size_t(n) + 1, sentinel);
    run(start, end, n, out.data());
    for (int j = 0; j < n; ++j) {
        QCOMPARE(QString::number(out[j], 16), QString::number(Hex(expected[j]), 16));
    }
    QCOMPARE(out[n], sentinel); // nothing written past the run
}

void TestColorRun::singleEntry_data() {
    QTest::addColumn<RunFunction>("run");
    QTest::addRow("extended") << RunFunction(&ColorRun);
    QTest::addRow("emulated") << RunFunction(&ColorRunEmulated);
}

void TestColorRun::singleEntry() {
    QFETCH(RunFunction, run);
    std::array<TColor, 2> out{0xDEADBEEF, 0xDEADBEEF};
    run(Hex(0x3B3D76), Hex(0xFFFFFF), 1, out.data());
    QCOMPARE(out[0], Hex(0x3B3D76));
    QCOMPARE(out[1], TColor(0xDEADBEEF));
    run(Hex(0x3B3D76), Hex(0xFFFFFF), 0, out.data());
    QCOMPARE(out[0], Hex(0x3B3D76)); // a run of no entries writes nothing
}

void TestColorRun::spotEntries_data() {
    QTest::addColumn<RunFunction>("run");
    QTest::addColumn<int>("n");
    QTest::addColumn<unsigned>("end");    // #RRGGBB, start is black
    QTest::addColumn<int>("index");       // 0-based entry
    QTest::addColumn<unsigned>("expect"); // #RRGGBB

    for (auto [name, run] : {std::pair{"extended", RunFunction(&ColorRun)},
                             std::pair{"emulated", RunFunction(&ColorRunEmulated)}}) {
        // 59 over 14 steps: the whole-number offset at j = 7 still falls one short.
        QTest::addRow("15 to 760000, eighth, %s", name) << run << 15 << 0x760000u << 7 << 0x3A0000u;
        QTest::addRow("15 to 760000, last, %s", name) << run << 15 << 0x760000u << 14 << 0x750000u;
        QTest::addRow("8 to 760000, last, %s", name) << run << 8 << 0x760000u << 7 << 0x750000u;
    }
}

void TestColorRun::spotEntries() {
    QFETCH(RunFunction, run);
    QFETCH(int, n);
    QFETCH(unsigned, end);
    QFETCH(int, index);
    QFETCH(unsigned, expect);

    std::vector<TColor> out(static_cast<std::size_t>(n));
    run(clBlack, Hex(end), n, out.data());
    QCOMPARE(QString::number(out[index], 16), QString::number(Hex(expect), 16));
}

void TestColorRun::shortRunsReachEnd_data() {
    QTest::addColumn<OffsetFunction>("offset");
    QTest::addRow("extended") << OffsetFunction(&ChannelOffset);
    QTest::addRow("emulated") << OffsetFunction(&ChannelOffsetEmulated);
}

// Runs of 2 to 7 entries always land on the end value, whatever the difference.
void TestColorRun::shortRunsReachEnd() {
    QFETCH(OffsetFunction, offset);
    for (int n = 2; n <= 7; ++n) {
        for (unsigned d = 0; d <= 255; ++d) {
            if (offset(d, n, n - 1) != d) {
                QFAIL(qPrintable(QStringLiteral("n %1, difference %2 ends on offset %3")
                                     .arg(n)
                                     .arg(d)
                                     .arg(offset(d, n, n - 1))));
            }
        }
    }
}

void TestColorRun::eightEntryShortfalls_data() {
    shortRunsReachEnd_data();
}

// With 8 entries exactly these differences stop one short, and never by more than one.
void TestColorRun::eightEntryShortfalls() {
    QFETCH(OffsetFunction, offset);
    QList<unsigned> shortfalls;
    for (unsigned d = 0; d <= 255; ++d) {
        const unsigned last = offset(d, 8, 7);
        if (last != d) {
            QCOMPARE(last, d - 1);
            shortfalls.append(d);
        }
    }
    QCOMPARE(shortfalls, (QList<unsigned>{59, 118, 125, 229, 236, 243, 250}));
}

void TestColorRun::offsetOutsideRun() {
    QCOMPARE(ChannelOffset(200, 1, 1), 0u);
    QCOMPARE(ChannelOffsetEmulated(200, 1, 1), 0u);
    QCOMPARE(ChannelOffset(200, 5, 0), 0u);
    QCOMPARE(ChannelOffsetEmulated(200, 5, 0), 0u);
    QCOMPARE(ChannelOffset(0, 5, 3), 0u);
    QCOMPARE(ChannelOffsetEmulated(0, 5, 3), 0u);
    // Beyond the last entry the run goes no further than its end.
    QCOMPARE(ChannelOffset(59, 8, 20), 58u);
    QCOMPARE(ChannelOffsetEmulated(59, 8, 20), 58u);
}

// Every difference, run length and entry the generator can meet.
void TestColorRun::emulationMatchesExtended() {
    if (!kNativeExtended) {
        QSKIP("long double is not the 80-bit extended format here");
    }
    long checked = 0;
    for (unsigned d = 0; d <= 255; ++d) {
        for (int n = 2; n <= 99; ++n) {
            for (int j = 1; j < n; ++j) {
                const unsigned extended = ChannelOffset(d, n, j);
                const unsigned emulated = ChannelOffsetEmulated(d, n, j);
                if (extended != emulated) {
                    QFAIL(qPrintable(QStringLiteral("difference %1, n %2, j %3: %4 against %5")
                                         .arg(d)
                                         .arg(n)
                                         .arg(j)
                                         .arg(emulated)
                                         .arg(extended)));
                }
                ++checked;
            }
        }
    }
    QCOMPARE(checked, 256L * 4851L); // 4851 = 1 + 2 + ... + 98
}

// Wide differences and long runs reach the carry and two-word paths of the emulation that
// channel values never do.
void TestColorRun::emulationMatchesExtendedOnWideValues() {
    if (!kNativeExtended) {
        QSKIP("long double is not the 80-bit extended format here");
    }
    std::mt19937 random(20240601);
    for (int i = 0; i < 200000; ++i) {
        const unsigned d = random();
        const int n = 2 + int(random() % (i % 2 == 0 ? 0x7FFFFFF0u : 100000u));
        const int j = 1 + int(random() % unsigned(n - 1));
        const unsigned extended = ChannelOffset(d, n, j);
        const unsigned emulated = ChannelOffsetEmulated(d, n, j);
        if (extended != emulated) {
            QFAIL(qPrintable(QStringLiteral("difference %1, n %2, j %3: %4 against %5")
                                 .arg(d)
                                 .arg(n)
                                 .arg(j)
                                 .arg(emulated)
                                 .arg(extended)));
        }
    }
}

QTEST_APPLESS_MAIN(TestColorRun)
#include "test_colorrun.moc"
