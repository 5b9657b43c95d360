#include "oledatetime.h"

#include <QTest>

class TestOleDateTime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void knownValues_data()
    {
        QTest::addColumn<QDateTime>("wall");
        QTest::addColumn<double>("value");
        QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
        QTest::newRow("noon") << QDateTime(QDate(2007, 4, 12), QTime(12, 0)) << 39184.5;
        // Days + seconds / 86400, as the original program computes it.
        QTest::newRow("seconds") << QDateTime(QDate(2007, 4, 12), QTime(9, 15, 30)) << 39184.0 + 33330.0 / 86400.0;
        QTest::newRow("period start") << QDateTime(QDate(2026, 12, 6), QTime(0, 0, 1)) << 46362.0 + 1.0 / 86400.0;
        // Before the epoch the fraction still counts forward.
        QTest::newRow("before epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
        QTest::newRow("long before") << QDateTime(QDate(1800, 1, 1), QTime(18, 0)) << -36522.75;
    }

    void knownValues()
    {
        QFETCH(QDateTime, wall);
        QFETCH(double, value);
        const OleDateTime d = OleDateTime::fromDateTime(wall.date(), wall.time());
        QCOMPARE(d.value(), value);
        QVERIFY(d.isValid());
        QCOMPARE(d.date(), wall.date());
        QCOMPARE(d.time(), wall.time());
        QCOMPARE(OleDateTime(value).toDateTime(), wall);
    }

    void orderAcrossTheEpoch()
    {
        // The 29th at 06:00 (-1.25) comes before the 29th at 18:00 (-1.75).
        const OleDateTime morning(-1.25), evening(-1.75), nextDay(0.1);
        QVERIFY(morning < evening);
        QVERIFY(evening < nextDay);
        QVERIFY(!(evening < morning));
        QVERIFY(OleDateTime(5.0) > OleDateTime(4.999));
    }

    void arithmetic()
    {
        const OleDateTime d = OleDateTime::fromDateTime(QDate(2026, 3, 1), QTime(0, 0, 1));
        QCOMPARE(d.addDays(-1).date(), QDate(2026, 2, 28));
        QCOMPARE(d.addSecs(1).time(), QTime(0, 0, 2));
        QCOMPARE(d.addSecs(1), OleDateTime::fromDateTime(QDate(2026, 3, 1), QTime(0, 0, 2)));
        QCOMPARE(d.atTime(23, 59, 59), OleDateTime::fromDateTime(QDate(2026, 3, 1), QTime(23, 59, 59)));
        const OleDateTime early(-1.25);
        QCOMPARE(early.addDays(1).toDateTime(), QDateTime(QDate(1899, 12, 30), QTime(6, 0)));
        QCOMPARE(early.addDays(-1).value(), -2.25);
    }

    void isoText()
    {
        QCOMPARE(OleDateTime::fromDateTime(QDate(2026, 12, 6), QTime(7, 8, 9)).toIsoString(),
                 QStringLiteral("2026-12-06T07:08:09"));
        // Rounded to the nearest second, across midnight.
        QCOMPARE(OleDateTime(1.0 - 0.4 / 86400.0).toIsoString(), QStringLiteral("1899-12-31T00:00:00"));
        QCOMPARE(OleDateTime(0.0, OleDateTime::Invalid).toIsoString(), QString());
    }

    void invalidValues()
    {
        QVERIFY(!OleDateTime(1e300).isValid());
        QVERIFY(!OleDateTime(1e300).date().isValid());
        QVERIFY(!OleDateTime(std::numeric_limits<double>::quiet_NaN()).isValid());
        QVERIFY(!OleDateTime(10.0, OleDateTime::Null).date().isValid());
        QCOMPARE(OleDateTime(1e300).addDays(1).value(), 1e300);
    }

    void currentTimeIsWholeSeconds()
    {
        const OleDateTime now = OleDateTime::currentDateTime();
        QCOMPARE(now.time().msec(), 0);
        QVERIFY(qAbs(now.toDateTime().secsTo(QDateTime::currentDateTime())) <= 2);
    }
};

QTEST_GUILESS_MAIN(TestOleDateTime)
#include "tst_oledatetime.moc"
