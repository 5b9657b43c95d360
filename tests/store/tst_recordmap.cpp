#include "store/recordmap.h"

#include <QTest>

class TestRecordMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void walksBucketsAscendingNewestFirst()
    {
        // h = h * 33 + byte, modulo 17, worked by hand; "€" is byte 0x80 of Windows-1252.
        QCOMPARE(RecordMap<int>::bucketOf(u"ab"), 1);
        QCOMPARE(RecordMap<int>::bucketOf(u"€"), 9);
        // Buckets: a 12, q 11, r 12, b 13.
        RecordMap<int> map;
        for (const char *key : {"a", "q", "r", "b"})
            map.insert(QString::fromLatin1(key), 1);
        QCOMPARE(map.keys(), QStringList({"q", "r", "a", "b"}));

        // Overwriting keeps the place; the value changes.
        map.insert(QStringLiteral("a"), 10);
        QCOMPARE(map.keys(), QStringList({"q", "r", "a", "b"}));
        QCOMPARE(*map.find(QStringLiteral("a")), 10);

        QVERIFY(map.remove(QStringLiteral("r")));
        QVERIFY(!map.remove(QStringLiteral("r")));
        QCOMPARE(map.keys(), QStringList({"q", "a", "b"}));
        map.insert(QStringLiteral("r"), 5);
        QCOMPARE(map.keys(), QStringList({"q", "r", "a", "b"}));

        // A copy keeps the order within each bucket.
        const RecordMap<int> copy = map;
        QCOMPARE(copy.keys(), map.keys());
        map.clear();
        QVERIFY(map.isEmpty());
        QVERIFY(map.begin() == map.end());
        QVERIFY(!map.find(QStringLiteral("q")));
        QCOMPARE(copy.size(), 4);
    }

    void orderOfRecordIds()
    {
        // Twenty ids of successive seconds, in the order the hash gives them.
        RecordMap<int> map;
        for (int s = 0; s < 20; ++s)
            map.insert(QStringLiteral("202612060900%1").arg(s, 2, 10, QLatin1Char('0')) + QStringLiteral("90"), s);
        QList<int> seconds;
        for (const auto &entry : map)
            seconds << entry.value();
        QCOMPARE(seconds, QList<int>({10, 11, 0, 12, 1, 13, 2, 14, 3, 15, 4, 16, 5, 17, 6, 18, 7, 19, 8, 9}));
    }
};

QTEST_GUILESS_MAIN(TestRecordMap)
#include "tst_recordmap.moc"
