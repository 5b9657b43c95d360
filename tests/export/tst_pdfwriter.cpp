#include "export/pdf/pdfwriter.h"
#include "exportfixture.h"

#include <QTest>

using namespace testutil;

class TestPdfWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textStreams_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("lines") << "a\r\nb\tc\nd\r\n" << QByteArray("(a)Tj T*(b\tc\nd)Tj T*()");
        QTest::newRow("parentheses and backslash") << "x) Tj ET (\\" << QByteArray("(x\\) Tj ET \\(\\\\)");
        QTest::newRow("mac roman") << QString::fromUtf8("Café ü Ñ ß “Hi” – ﬁ …")
                                   << QByteArray("(Caf\x8e \x9f \x84 \xa7 \xd2Hi\xd3 \xd0 \xde \xc9)");
        QTest::newRow("not in the encoding") << QString::fromUtf8("€5 ¤ Ω ≠ a😀b") << QByteArray("(?5 \xdb ? ? a?b)");
    }

    // Text is escaped and encoded; /Length counts the encoded bytes.
    void textStreams()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, shown);
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddText(text, 10, 20, 2);
        const QByteArray document = pdf.document();
        QCOMPARE(streamContent(document, 6), "0 g\r1 i \rBT\r/F1 2 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
                                             "10 20 Tm \rT* "
                                                 + shown + " Tj \rET");
        checkStructure(document, 6);
    }

    // Beyond 272 objects two groups of sixteen share a bucket, each going down: 272
    // to 287 come before 6 to 15, 288 to 303 before 16 to 31, 304 and 305 before 32.
    void mapOrder()
    {
        PdfWriter pdf;
        pdf.NewPage();
        for (int i = 0; i < 300; ++i)
            pdf.AddLine(0, i, 10, i, 1);
        const QByteArray document = pdf.document();
        checkStructure(document, 305);
        qsizetype previous = document.indexOf("\n5 0 obj");
        for (const int n : {287, 272, 15, 6, 303, 288, 31, 16, 305, 304, 47, 32, 63, 271, 256}) {
            const qsizetype at = document.indexOf("\n" + QByteArray::number(n) + " 0 obj");
            QVERIFY2(at > previous, qPrintable(QString::number(n)));
            previous = at;
        }
    }

    void wrap_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("fontHeight");
        QTest::addColumn<QList<QByteArray>>("lines");
        // 64 "a" take 64 * 556 * 14 = 498176 of 500000.
        QTest::newRow("one over") << QByteArray(65, 'a') << 14 << QList<QByteArray>{QByteArray(64, 'a'), "a"};
        // The em dash is 0xD1 in MacRoman, 1000 wide: 35 fit.
        QTest::newRow("em dashes") << QByteArray(40, '\xd1') << 14
                                   << QList<QByteArray>{QByteArray(35, '\xd1'), QByteArray(5, '\xd1')};
        // 71 characters fit; the last blank among them is the 70th.
        const QByteArray words = QByteArray("aaaa ").repeated(20);
        QTest::newRow("at blank") << words << 14 << QList<QByteArray>{words.left(70), words.mid(70)};
        // 69 characters fit; the last "-" among them is the 65th.
        const QByteArray hyphens = QByteArray("aaaa-").repeated(20);
        QTest::newRow("at hyphen") << hyphens << 14 << QList<QByteArray>{hyphens.left(65), hyphens.mid(65)};
        QTest::newRow("blank before hyphen") << hyphens.left(50) + ' ' + QByteArray(40, 'a') << 14
                                             << QList<QByteArray>{hyphens.left(50) + ' ', QByteArray(40, 'a')};
    }

    void wrap()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, fontHeight);
        QFETCH(QList<QByteArray>, lines);
        QCOMPARE(PdfWriter::wrap(line, fontHeight), lines);
    }
};

QTEST_GUILESS_MAIN(TestPdfWriter)
#include "tst_pdfwriter.moc"
