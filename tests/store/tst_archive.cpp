#include "store/archive.h"
#include "store/windows1252.h"
#include "testutil.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using testutil::hex;

// The archive codec with the OLE dates it carries.
class TestArchive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stringForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("head"); // the first bytes written
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << QString() << hex("00") << 1;
        QTest::newRow("254 chars, one byte") << QString(254, u'x') << hex("fe 7878") << 255;
        QTest::newRow("255 chars, word") << QString(255, u'x') << hex("ff ff00 78") << 258;
        QTest::newRow("65533 chars, word") << QString(65533, u'x') << hex("ff fdff") << 65536;
        QTest::newRow("65534 chars, dword") << QString(65534, u'x') << hex("ff ffff feff0000") << 65541;
        QTest::newRow("Windows-1252") << QStringLiteral("€5 café – “x”")
                                      << hex("0d 80 35 20 63 61 66 e9 20 96 20 93 78 94") << 14;
        // Text beyond Windows-1252 takes the Unicode form: 0xFF, 0xFFFE, length, UTF-16LE.
        QTest::newRow("unicode") << QStringLiteral("Ωa") << hex("ff feff 02 a903 6100") << 8;
        QTest::newRow("long unicode") << QString(300, u'Ж') << hex("ff feff ff 2c01 1604") << 606;
    }

    void stringForms()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, head);
        QFETCH(int, size);
        ArchiveWriter out;
        out.writeString(text);
        QCOMPARE(out.bytes().left(head.size()), head);
        QCOMPARE(out.bytes().size(), size);
        ArchiveReader in(out.bytes());
        QString back;
        QVERIFY(in.readString(back));
        QCOMPARE(back, text);
        QVERIFY(in.atEnd());
    }

    void everyByteDecodesAndEncodesBack()
    {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        QByteArray again;
        QVERIFY(toWindows1252(fromWindows1252(all), again));
        QCOMPARE(again, all);
    }

    void numbersAndDates()
    {
        ArchiveWriter out;
        out.writeInt32(-2);
        out.writeDouble(-12.5);
        out.writeDate(OleDateTime(39184.5, OleDateTime::Valid));
        out.writeDate(OleDateTime(0.0, OleDateTime::Null));
        QCOMPARE(out.bytes(), hex("feffffff 00000000000029c0 00000000 000000001022e340 02000000 0000000000000000"));
        ArchiveReader in(out.bytes());
        qint32 i;
        double d;
        OleDateTime t1, t2;
        QVERIFY(in.readInt32(i));
        QVERIFY(in.readDouble(d));
        QVERIFY(in.readDate(t1));
        QVERIFY(in.readDate(t2));
        QCOMPARE(i, -2);
        QCOMPARE(d, -12.5);
        QCOMPARE(t1, OleDateTime(39184.5));
        QCOMPARE(t2.status(), qint32(OleDateTime::Null));
        QVERIFY(in.atEnd());
        QVERIFY(!ArchiveReader(hex("00000000 0000")).readDate(t1));
    }

    void badStringsFail_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("length beyond the data") << hex("05 616263");
        QTest::newRow("word prefix cut") << hex("ff 01");
        QTest::newRow("huge dword length") << hex("ff ffff ffffff7f 41");
        QTest::newRow("unicode length beyond the data") << hex("ff feff 03 4100");
        QTest::newRow("unicode huge length") << hex("ff feff ff ffff ffffffff");
    }

    void badStringsFail()
    {
        QFETCH(QByteArray, bytes);
        ArchiveReader in(bytes);
        QString text;
        QVERIFY(!in.readString(text));
        QVERIFY(!in.ok());
        qint32 after;
        QVERIFY(!in.readInt32(after)); // a failed reader stays failed
    }

    void oleDates_data()
    {
        QTest::addColumn<QDateTime>("wall");
        QTest::addColumn<double>("value");
        QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
        // Days + seconds / 86400, computed in that order.
        QTest::newRow("seconds") << QDateTime(QDate(2007, 4, 12), QTime(9, 15, 30)) << 39184.0 + 33330.0 / 86400.0;
        // Before the epoch the fraction still counts forward.
        QTest::newRow("before epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
        QTest::newRow("long before") << QDateTime(QDate(1800, 1, 1), QTime(18, 0)) << -36522.75;
    }

    void oleDates()
    {
        QFETCH(QDateTime, wall);
        QFETCH(double, value);
        QCOMPARE(OleDateTime::fromDateTime(wall.date(), wall.time()).value(), value);
        QCOMPARE(OleDateTime(value).toDateTime(), wall);
    }

    void oleDateOrderArithmeticAndText()
    {
        // The 29th at 06:00 (-1.25) comes before the 29th at 18:00 (-1.75).
        const OleDateTime morning(-1.25), evening(-1.75);
        QVERIFY(morning < evening);
        QVERIFY(evening < OleDateTime(0.1));
        QCOMPARE(morning.addDays(1).toDateTime(), QDateTime(QDate(1899, 12, 30), QTime(6, 0)));
        QCOMPARE(morning.addDays(-1).value(), -2.25);
        const OleDateTime d = OleDateTime::fromDateTime(QDate(2026, 3, 1), QTime(0, 0, 1));
        QCOMPARE(d.addSecs(86399), d.atTime(23, 59, 59).addSecs(1));
        QCOMPARE(d.addDays(-1).toIsoString(), QStringLiteral("2026-02-28T00:00:01"));
        // Rounded to the nearest second, across midnight; nothing for what is not a date.
        QCOMPARE(OleDateTime(1.0 - 0.4 / 86400.0).toIsoString(), QStringLiteral("1899-12-31T00:00:00"));
        QCOMPARE(OleDateTime(0.0, OleDateTime::Invalid).toIsoString(), QString());
        QCOMPARE(OleDateTime::fromDateTime(QDate(100, 1, 2), QTime(3, 4, 5)).toIsoString(),
                 QStringLiteral("0100-01-02T03:04:05"));
        QCOMPARE(OleDateTime::fromDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)).toIsoString(),
                 QStringLiteral("9999-12-31T23:59:59"));
        // As Qt writes the same moment, over the years a record may hold.
        QRandomGenerator random(11);
        for (int i = 0; i < 5000; ++i) {
            const QDate date = QDate(100, 1, 1).addDays(random.bounded(3'615'000));
            const QTime time = QTime::fromMSecsSinceStartOfDay(int(random.bounded(86'400)) * 1000);
            QCOMPARE(OleDateTime::fromDateTime(date, time).toIsoString(),
                     QDateTime(date, time, Qt::UTC).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        }
        QVERIFY(!OleDateTime(1e300).date().isValid());
        QVERIFY(!OleDateTime(qQNaN()).isValid());
        QCOMPARE(OleDateTime(1e300).addDays(1).value(), 1e300);
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "tst_archive.moc"
