#include "fileio.h"
#include "pdfcheck.h"
#include "pdffont.h"
#include "pdfwriter.h"

#include <QTest>

using namespace testutil;

namespace {

QByteArray textContent(const QByteArray &shown, int x, int y, int size)
{
    return "0 g\r1 i \rBT\r/F1 " + QByteArray::number(size) + " Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
           + QByteArray::number(x) + ' ' + QByteArray::number(y) + " Tm \rT* " + shown + " Tj \rET";
}

QByteArray repeated(const QByteArray &piece, int times)
{
    return piece.repeated(times);
}

} // namespace

class TestPdfWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyDocument()
    {
        const QByteArray pdf = PdfWriter().document();
        QCOMPARE(pdf, kFixedObjects
                          + "4 0 obj<</Type /Pages /Kids [] /Count 0>>\n"
                            "endobj\r"
                            "xref\r\n"
                            "0 5\r\n"
                            "0000000000 65535 f\r\n"
                            "0000000010 00000 n\r\n"
                            "0000000056 00000 n\r\n"
                            "0000000086 00000 n\r\n"
                            "0000000194 00000 n\r\n"
                            "trailer\n"
                            "<</Size 5/Root 1 0 R>>\r\n"
                            "startxref\r\n"
                            "243\r\n"
                            "%%EOF\r\n");
        // Sound for qpdf; poppler refuses a document without pages.
        SKIP_WITHOUT("/usr/bin/qpdf");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("empty.pdf"));
        QVERIFY(testutil::writeFile(path, pdf));
        QCOMPARE(runTool(QStringLiteral("/usr/bin/qpdf"), {QStringLiteral("--check"), path}).exitCode, 0);
    }

    void onePage()
    {
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddText(QStringLiteral("Hi"), 10, 20, 1);
        QCOMPARE(pdf.lastObject(), 6);
        QCOMPARE(pdf.currentPage(), 5);
        QCOMPARE(pdf.document(),
                 kFixedObjects
                     + "4 0 obj<</Type /Pages /Kids [5 0 R ] /Count 1>>\n"
                       "endobj\r"
                       "5 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] /Contents [6 0 R ] "
                       "/Resources<</ProcSet 2 0 R\r\n"
                       "/Font << /F1 3 0 R>>>>>>\n"
                       "endobj\n"
                       "6 0 obj<</Length 91>>stream\r\n"
                       "0 g\r1 i \rBT\r/F1 1 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
                       "10 20 Tm \rT* (Hi) Tj \rET\r\n"
                       "endstream\rendobj\n"
                       "xref\r\n"
                       "0 7\r\n"
                       "0000000000 65535 f\r\n"
                       "0000000010 00000 n\r\n"
                       "0000000056 00000 n\r\n"
                       "0000000086 00000 n\r\n"
                       "0000000194 00000 n\r\n"
                       "0000000249 00000 n\r\n"
                       "0000000386 00000 n\r\n"
                       "trailer\n"
                       "<</Size 7/Root 1 0 R>>\r\n"
                       "startxref\r\n"
                       "525\r\n"
                       "%%EOF\r\n");
    }

    void textStreams_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("plain") << "Hi" << QByteArray("(Hi)");
        QTest::newRow("empty") << "" << QByteArray("()");
        QTest::newRow("lines") << "a\r\nb" << QByteArray("(a)Tj T*(b)");
        QTest::newRow("trailing line end") << "a\r\n" << QByteArray("(a)Tj T*()");
        QTest::newRow("parentheses and backslash") << "(x) \\ y)" << QByteArray("(\\(x\\) \\\\ y\\))");
        QTest::newRow("unbalanced") << "x) Tj ET (" << QByteArray("(x\\) Tj ET \\()");
        QTest::newRow("tab and lone line feed") << "a\tb\nc" << QByteArray("(a\tb\nc)");
        QTest::newRow("mac roman") << QString::fromUtf8("Café ü Ñ ß") << QByteArray("(Caf\x8e \x9f \x84 \xa7)");
        QTest::newRow("quotes and dashes") << QString::fromUtf8("“Hi” – ‘x’ — ﬁ …")
                                           << QByteArray("(\xd2Hi\xd3 \xd0 \xd4x\xd5 \xd1 \xde \xc9)");
        QTest::newRow("currency sign") << QString::fromUtf8("¤ £ ¥") << QByteArray("(\xdb \xa3 \xb4)");
        QTest::newRow("not in the encoding") << QString::fromUtf8("€5 Ω π ≠ Ж") << QByteArray("(?5 ? ? ? ?)");
        QTest::newRow("astral") << QString::fromUtf8("a😀b") << QByteArray("(a?b)");
    }

    // Text is escaped and encoded; /Length counts the encoded bytes.
    void textStreams()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, shown);
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddText(text, 10, 20, 2);
        const QByteArray content = textContent(shown, 10, 20, 2);
        const QByteArray document = pdf.document();
        QVERIFY(document.contains("\n6 0 obj<</Length " + QByteArray::number(content.size()) + ">>stream\r\n" + content
                                  + "\r\nendstream\rendobj\n"));
        checkStreamLengths(document);
        checkXref(document, 6);
    }

    void lineStream()
    {
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddLine(100, 470, 500, 471, 2);
        QVERIFY(pdf.document().contains("\n6 0 obj<</Length 28 >>stream\r\n2 w\r\n100 470 m\r\n500 471 l\r\nS\r\n"
                                        "endstream\rendobj\n"));
    }

    // Streams go onto the page current when they are made; one made before any
    // page stays unreferenced.
    void pagesAndStreams()
    {
        PdfWriter pdf;
        pdf.AddText(QStringLiteral("loose"), 0, 0, 1);
        pdf.NewPage();
        pdf.AddLine(1, 2, 3, 4, 1);
        pdf.AddText(QStringLiteral("a"), 0, 0, 1);
        pdf.NewPage();
        pdf.NewPage();
        pdf.AddText(QStringLiteral("b"), 0, 0, 1);
        const QByteArray document = pdf.document();
        QCOMPARE(pdf.lastObject(), 11);
        QVERIFY(document.contains("4 0 obj<</Type /Pages /Kids [6 0 R 9 0 R 10 0 R ] /Count 3>>\n"));
        QVERIFY(document.contains("6 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] "
                                  "/Contents [7 0 R 8 0 R ] "));
        QVERIFY(document.contains("9 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] /Contents [] "));
        QVERIFY(document.contains("10 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] /Contents [11 0 R ] "));
        QVERIFY(!document.contains("%%123Page_Contents321%%"));
        QCOMPARE(bodyOrder(document), (QList<int>{1, 2, 3, 4, 10, 9, 6, 11, 8, 7, 5}));
        checkXref(document, 11);
        SKIP_WITHOUT("/usr/bin/qpdf");
        QVERIFY(checkedText(document).has_value());
    }

    // Beyond 272 objects two groups of sixteen share a bucket: 272 to 287 come
    // before 0 to 15, 288 to 303 before 16 to 31, and so on.
    void mapOrder()
    {
        PdfWriter pdf;
        pdf.NewPage();
        for (int i = 0; i < 300; ++i)
            pdf.AddLine(0, i, 10, i, 1);
        QCOMPARE(pdf.lastObject(), 305);
        QList<int> expected{1, 2, 3, 4, 5};
        const auto down = [&](int from, int to) {
            for (int n = from; n >= to; --n)
                expected << n;
        };
        down(287, 272);
        down(15, 6);
        down(303, 288);
        down(31, 16);
        down(305, 304);
        for (int bucket = 2; bucket <= 16; ++bucket)
            down(bucket * 16 + 15, bucket * 16);
        const QByteArray document = pdf.document();
        QCOMPARE(bodyOrder(document), expected);
        checkXref(document, 305);
        checkStreamLengths(document);
    }

    void widths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("digits") << "0123456789" << 5560;
        QTest::newRow("upper") << "AWMIJ" << 667 + 944 + 833 + 278 + 500;
        QTest::newRow("lower") << "ilmfjrt" << 222 + 222 + 833 + 278 + 222 + 333 + 278;
        QTest::newRow("punctuation") << " !\"'()*,-./:@`{|}~" << 278 + 278 + 355 + 191 + 333 + 333 + 389 + 278 + 333
                                                                     + 278 + 278 + 278 + 1015 + 333 + 334 + 260 + 334
                                                                     + 584;
        QTest::newRow("accented") << QString::fromUtf8("ÄéÖçñ") << 667 + 556 + 778 + 500 + 556;
        QTest::newRow("symbols") << QString::fromUtf8("—…•™ﬁ€") << 1000 + 1000 + 350 + 1000 + 500 + 556;
        QTest::newRow("no-break space") << QString(QChar(0xA0)) << 278;
        QTest::newRow("controls") << "\t\r\n" << 0;
    }

    void widths()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        int sum = 0;
        for (const char c : encodeMacRoman(text))
            sum += helveticaWidth(static_cast<unsigned char>(c));
        QCOMPARE(sum, width);
    }

    void wrap_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("fontHeight");
        QTest::addColumn<QList<QByteArray>>("lines");
        // 64 "a" take 64 * 556 * 14 = 498176 of 500000.
        QTest::newRow("fits") << repeated("a", 64) << 14 << QList<QByteArray>{repeated("a", 64)};
        QTest::newRow("one over") << repeated("a", 65) << 14 << QList<QByteArray>{repeated("a", 64), "a"};
        QTest::newRow("no break") << repeated("a", 200) << 14
                                  << QList<QByteArray>{repeated("a", 64), repeated("a", 64), repeated("a", 64),
                                                       repeated("a", 8)};
        // 71 characters fit; the last blank among them is the 70th.
        QTest::newRow("at blank") << repeated("aaaa ", 20) << 14
                                  << QList<QByteArray>{repeated("aaaa ", 14), repeated("aaaa ", 6)};
        // 69 characters fit; the last "-" among them is the 65th.
        QTest::newRow("at hyphen") << repeated("aaaa-", 20) << 14
                                   << QList<QByteArray>{repeated("aaaa-", 13), repeated("aaaa-", 7)};
        QTest::newRow("blank before hyphen") << repeated("aaaa-", 10) + ' ' + repeated("a", 40) << 14
                                             << QList<QByteArray>{repeated("aaaa-", 10) + ' ', repeated("a", 40)};
        QTest::newRow("capitals") << repeated("W", 40) << 14 << QList<QByteArray>{repeated("W", 37), "WWW"};
        QTest::newRow("tabs are narrow") << repeated("\t", 1000) + "a" << 14
                                         << QList<QByteArray>{repeated("\t", 1000) + "a"};
        QTest::newRow("empty") << QByteArray() << 14 << QList<QByteArray>{QByteArray()};
        // At height 18, 49 "a" fit.
        QTest::newRow("taller font") << repeated("a", 50) << 18 << QList<QByteArray>{repeated("a", 49), "a"};
    }

    void wrap()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, fontHeight);
        QFETCH(QList<QByteArray>, lines);
        QCOMPARE(PdfWriter::wrap(line, fontHeight), lines);
    }

    // Lines 16 apart from y 720: forty fit above y 65, the rest continue at 750
    // on a new page. Parentheses become blanks.
    void paragraphAcrossPages()
    {
        QStringList lines;
        for (int i = 1; i <= 45; ++i)
            lines << QStringLiteral("Line (%1)").arg(i);
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddParagraph(lines.join(QStringLiteral("\r\n")), 50, 720, 1, 8);
        QCOMPARE(pdf.lastObject(), 8);
        QCOMPARE(pdf.currentPage(), 7);

        QByteArray first = "(";
        for (int i = 1; i <= 40; ++i)
            first += "Line  " + QByteArray::number(i) + " )Tj T*(";
        QByteArray second = "(";
        for (int i = 41; i <= 45; ++i)
            second += "Line  " + QByteArray::number(i) + " )Tj T*(";
        const QByteArray document = pdf.document();
        QCOMPARE(streamContent(document, 6), textContent(first + ')', 50, 720, 1));
        QCOMPARE(streamContent(document, 8), textContent(second + ')', 50, 750, 1));
        QVERIFY(document.contains("5 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] /Contents [6 0 R ] "));
        QVERIFY(document.contains("7 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] /Contents [8 0 R ] "));
        checkStreamLengths(document);
        checkXref(document, 8);
    }

    // A continued page holds at most 43 lines (750 - 16 * 43 = 62 < 65 breaks
    // at the 43rd after the first).
    void paragraphOverThreePages()
    {
        const QString text = QStringLiteral("x\r\n").repeated(100) + QStringLiteral("end");
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddParagraph(text, 50, 720, 1, 8);
        const QByteArray document = pdf.document();
        QCOMPARE(pdf.lastObject(), 10);
        QCOMPARE(streamContent(document, 6).count(")Tj T*("), 40);
        QCOMPARE(streamContent(document, 8).count(")Tj T*("), 43);
        QCOMPARE(streamContent(document, 10).count(")Tj T*("), 18);
        QVERIFY(streamContent(document, 10).endsWith("(x)Tj T*(end)Tj T*() Tj \rET"));
    }

    void paragraphWraps()
    {
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddParagraph(QString::fromLatin1(repeated("aaaa ", 20)) + QStringLiteral("\\"), 50, 720, 1, 8);
        QCOMPARE(streamContent(pdf.document(), 6),
                 textContent("(" + repeated("aaaa ", 14) + ")Tj T*(" + repeated("aaaa ", 6) + "\\\\)Tj T*()", 50, 720,
                             1));
    }

    void save()
    {
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddText(QStringLiteral("Saved"), 50, 700, 1);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        QVERIFY(testutil::writeFile(path, QByteArray(50000, 'x')));
        pdf.Save(path);
        QCOMPARE(testutil::readFile(path), pdf.document());

        const QString missing = dir.filePath(QStringLiteral("no/such/folder/out.pdf"));
        QVERIFY_THROWS_EXCEPTION(FileError, pdf.Save(missing));
        QVERIFY(!QFileInfo::exists(missing));
    }

    void readableByTools()
    {
        SKIP_WITHOUT("/usr/bin/qpdf");
        SKIP_WITHOUT("/usr/bin/pdftotext");
        PdfWriter pdf;
        pdf.NewPage();
        pdf.AddText(QStringLiteral("Plain words"), 50, 700, 1);
        pdf.AddText(QStringLiteral("Close) Tj ET BT (open \\ back"), 50, 650, 1);
        pdf.AddText(QString::fromUtf8("Café Ñandú Straße"), 50, 600, 2);
        pdf.AddLine(50, 580, 500, 580, 1);
        pdf.NewPage();
        pdf.AddText(QStringLiteral("%%123Page_Contents321%% endstream endobj"), 50, 700, 1);
        pdf.AddParagraph(QStringLiteral("A (paragraph) with\r\ntwo lines"), 50, 680, 1, 8);
        const QString text = checkedText(pdf.document()).value_or(QString());
        QVERIFY2(text.contains(QStringLiteral("Plain words")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Close) Tj ET BT (open \\ back")), qPrintable(text));
        QVERIFY2(text.contains(QString::fromUtf8("Café Ñandú Straße")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("%%123Page_Contents321%% endstream endobj")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("A paragraph with")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("two lines")), qPrintable(text));
        QCOMPARE(text.count(QChar(u'\f')), 2);
    }
};

QTEST_GUILESS_MAIN(TestPdfWriter)
#include "tst_pdfwriter.moc"
