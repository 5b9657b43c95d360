#include "chartcolours.h"
#include "fileio.h"
#include "testutil.h"

#include <QTest>

using namespace testutil;

class TestChartColours : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultFile()
    {
        QTemporaryDir dir;
        QVERIFY(ensureChartColourFile(dir.path()));
        QCOMPARE(readFile(dir.filePath("Graph.grp")),
                 hex("0c000000 0000ff00 ff000000 00ff0000 ff000000 0000ff00 d4d4d400"
                     " 00008000 80000000 00800000 80000000 00008000 aaaaaa00"));
        const auto colours = readChartColourFile(dir.path(), 6);
        QVERIFY(colours);
        QCOMPARE(colours->face, QList<quint32>({0xFF0000, 0xFF, 0xFF00, 0xFF, 0xFF0000, 0xD4D4D4}));
        QCOMPARE(colours->shade, QList<quint32>({0x800000, 0x80, 0x8000, 0x80, 0x800000, 0xAAAAAA}));
    }

    void anyGrpEntryKeepsTheDefaultAway()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("mine.GRP"), hex("00000000")));
        QVERIFY(!ensureChartColourFile(dir.path()));
        QVERIFY(!readChartColourFile(dir.path(), 6));
    }

    void countsThatLie_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("slots");
        QTest::addColumn<QList<quint32>>("face");
        QTest::addColumn<QList<quint32>>("shade");
        QByteArray sixteen = hex("10000000");
        for (int i = 1; i <= 16; ++i)
            sixteen += QByteArray(1, char(i)) + hex("000000");
        QTest::newRow("16 into 6 slots") << sixteen << 6 << QList<quint32>{1, 2, 3, 4, 5, 6}
                                         << QList<quint32>{9, 10, 11, 12, 13, 14};
        QTest::newRow("16 into 20 slots") << sixteen << 20 << QList<quint32>{1, 2, 3, 4, 5, 6, 7, 8}
                                          << QList<quint32>{9, 10, 11, 12, 13, 14, 15, 16};
        QTest::newRow("count says a billion") << hex("00ca9a3b 01000000 02000000") << 20 << QList<quint32>{1, 2}
                                              << QList<quint32>{};
        QTest::newRow("four") << hex("04000000 01000000 02000000 03000000 04000000") << 6 << QList<quint32>{1, 2}
                              << QList<quint32>{3, 4};
        QTest::newRow("negative") << hex("f4ffffff 01000000") << 6 << QList<quint32>{} << QList<quint32>{};
        QTest::newRow("cut short") << hex("0c00") << 6 << QList<quint32>{} << QList<quint32>{};
    }

    void countsThatLie()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, slots);
        QFETCH(QList<quint32>, face);
        QFETCH(QList<quint32>, shade);
        const ChartColours colours = decodeChartColours(bytes, slots);
        QCOMPARE(colours.face, face);
        QCOMPARE(colours.shade, shade);
    }

    void writeThenRead()
    {
        QTemporaryDir dir;
        const ChartColours colours{{1, 2, 3, 4, 5, 0xFFFFFF}, {7, 8, 9, 10, 11, 12}};
        writeChartColourFile(dir.path(), colours);
        QCOMPARE(readFile(dir.filePath("Graph.grp")).size(), 52);
        QCOMPARE(*readChartColourFile(dir.path(), 6), colours);
        QVERIFY_THROWS_EXCEPTION(FileError, writeChartColourFile(dir.filePath("gone"), colours));
    }
};

QTEST_GUILESS_MAIN(TestChartColours)
#include "tst_chartcolours.moc"
