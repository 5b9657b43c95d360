#include "recordmap.h"

#include <QTest>

namespace {

QStringList secondIds(int count)
{
    QStringList ids;
    for (int s = 0; s < count; ++s)
        ids << (QStringLiteral("202612060900%1").arg(s, 2, 10, QLatin1Char('0')) + QStringLiteral("90"));
    return ids;
}

} // namespace

class TestRecordMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bucketsOfTheClassicHash()
    {
        // h = h * 33 + byte, modulo 17, worked by hand.
        QCOMPARE(RecordMap<int>::bucketOf(u"a"), 97 % 17);
        QCOMPARE(RecordMap<int>::bucketOf(u"ab"), (97 * 33 + 98) % 17);
        QCOMPARE(RecordMap<int>::bucketOf(u""), 0);
        // "€" is byte 0x80 of Windows-1252: 128 % 17.
        QCOMPARE(RecordMap<int>::bucketOf(u"€"), 128 % 17);
    }

    void walksBucketsAscendingNewestFirst()
    {
        // Buckets: a 12, q 11, r 12, b 13.
        RecordMap<int> map;
        map.insert(QStringLiteral("a"), 1);
        map.insert(QStringLiteral("q"), 2);
        map.insert(QStringLiteral("r"), 3);
        map.insert(QStringLiteral("b"), 4);
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
    }

    void orderOfRecordIds()
    {
        // Twenty ids of successive seconds; the order a reference implementation gives.
        RecordMap<int> map;
        const QStringList ids = secondIds(20);
        for (int i = 0; i < ids.size(); ++i)
            map.insert(ids[i], i);
        QList<int> seconds;
        for (const auto &entry : map)
            seconds << entry.value();
        QCOMPARE(seconds, QList<int>({10, 11, 0, 12, 1, 13, 2, 14, 3, 15, 4, 16, 5, 17, 6, 18, 7, 19, 8, 9}));
    }

    void copyKeepsOrderAndIsIndependent()
    {
        RecordMap<int> map;
        for (const QString &id : secondIds(40))
            map.insert(id, 1);
        RecordMap<int> copy = map;
        QCOMPARE(copy.keys(), map.keys());
        copy.remove(map.keys().first());
        QCOMPARE(map.size(), 40);
        QCOMPARE(copy.size(), 39);

        RecordMap<int> moved = std::move(copy);
        QCOMPARE(moved.size(), 39);
        QCOMPARE(moved.keys(), map.keys().mid(1));
    }

    void clearEmptiesAndStartsAgain()
    {
        RecordMap<QString> map;
        map.insert(QStringLiteral("x"), QStringLiteral("1"));
        map.clear();
        QVERIFY(map.isEmpty());
        QVERIFY(map.begin() == map.end());
        QVERIFY(!map.find(QStringLiteral("x")));
        QCOMPARE(map.value(QStringLiteral("x"), QStringLiteral("none")), QStringLiteral("none"));
        map.insert(QStringLiteral("y"), QStringLiteral("2"));
        QCOMPARE(map.keys(), QStringList({"y"}));
    }

    void largeTable()
    {
        RecordMap<int> map;
        for (int i = 0; i < 20000; ++i)
            map.insert(QString::number(i), i);
        for (int i = 0; i < 20000; i += 2)
            map.remove(QString::number(i));
        QCOMPARE(map.size(), 10000);
        int walked = 0, previousBucket = -1;
        for (const auto &entry : map) {
            const int bucket = RecordMap<int>::bucketOf(entry.key());
            QVERIFY(bucket >= previousBucket);
            previousBucket = bucket;
            QCOMPARE(entry.value() % 2, 1);
            ++walked;
        }
        QCOMPARE(walked, 10000);
    }
};

QTEST_GUILESS_MAIN(TestRecordMap)
#include "tst_recordmap.moc"
