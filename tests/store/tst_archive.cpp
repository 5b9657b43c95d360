#include "archive.h"
#include "testutil.h"
#include "windows1252.h"

#include <QTest>

using testutil::hex;

class TestArchive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stringForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("prefix");

        QTest::newRow("empty") << QString() << hex("00");
        QTest::newRow("short") << QStringLiteral("Rent") << hex("04");
        QTest::newRow("254 chars, one byte") << QString(254, u'x') << hex("fe");
        QTest::newRow("255 chars, word") << QString(255, u'x') << hex("ff ff00");
        QTest::newRow("65533 chars, word") << QString(65533, u'x') << hex("ff fdff");
        QTest::newRow("65534 chars, dword") << QString(65534, u'x') << hex("ff ffff feff0000");
        QTest::newRow("70000 chars, dword") << QString(70000, u'x') << hex("ff ffff 70110100");
    }

    void stringForms()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, prefix);
        ArchiveWriter out;
        out.writeString(text);
        QCOMPARE(out.bytes().left(prefix.size()), prefix);
        QCOMPARE(out.bytes().size(), prefix.size() + text.size());

        ArchiveReader in(out.bytes());
        QString back;
        QVERIFY(in.readString(back));
        QCOMPARE(back, text);
        QVERIFY(in.atEnd());
    }

    void windows1252Bytes()
    {
        ArchiveWriter out;
        out.writeString(QStringLiteral("€5 café – “x”"));
        QCOMPARE(out.bytes(), hex("0d 80 35 20 63 61 66 e9 20 96 20 93 78 94"));
    }

    void everyByteDecodesAndEncodesBack()
    {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        const QString text = fromWindows1252(all);
        QByteArray again;
        QVERIFY(toWindows1252(text, again));
        QCOMPARE(again, all);
    }

    void unicodeForm()
    {
        // Text beyond Windows-1252 takes the Unicode form: 0xFF, 0xFFFE, length, UTF-16LE.
        ArchiveWriter out;
        out.writeString(QStringLiteral("Ωa"));
        QCOMPARE(out.bytes(), hex("ff feff 02 a903 6100"));
        ArchiveReader in(out.bytes());
        QString back;
        QVERIFY(in.readString(back));
        QCOMPARE(back, QStringLiteral("Ωa"));

        const QString longText = QString(300, u'Ж');
        ArchiveWriter outLong;
        outLong.writeString(longText);
        QCOMPARE(outLong.bytes().left(6), hex("ff feff ff 2c01"));
        ArchiveReader inLong(outLong.bytes());
        QVERIFY(inLong.readString(back));
        QCOMPARE(back, longText);
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
        QVERIFY(in.readInt32(i) && in.readDouble(d) && in.readDate(t1) && in.readDate(t2));
        QCOMPARE(i, -2);
        QCOMPARE(d, -12.5);
        QCOMPARE(t1, OleDateTime(39184.5));
        QCOMPARE(t2.status(), qint32(OleDateTime::Null));
        QVERIFY(in.atEnd());
    }

    void badInputFails_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("length beyond the data") << hex("05 616263");
        QTest::newRow("word prefix cut") << hex("ff 01");
        QTest::newRow("huge dword length") << hex("ff ffff ffffff7f 41");
        QTest::newRow("unicode length beyond the data") << hex("ff feff 03 4100");
        QTest::newRow("unicode huge length") << hex("ff feff ff ffff ffffffff");
    }

    void badInputFails()
    {
        QFETCH(QByteArray, bytes);
        ArchiveReader in(bytes);
        QString text;
        QVERIFY(!in.readString(text));
        QVERIFY(!in.ok());
        qint32 after;
        QVERIFY(!in.readInt32(after)); // a failed reader stays failed
    }

    void cutShortNumbers()
    {
        ArchiveReader in(hex("010203"));
        qint32 i;
        QVERIFY(!in.readInt32(i));
        ArchiveReader in2(hex("00000000 0000"));
        OleDateTime d;
        QVERIFY(!in2.readDate(d));
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "tst_archive.moc"
