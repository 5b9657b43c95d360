#include "export/htmlexport.h"
#include "exportfixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTest>

using namespace testutil;

namespace {

const QByteArray kTable = "<table border='1' cellpadding='0' cellspacing='0' style='border-collapse: collapse' "
                          "bordercolor='#AAAAAA' width='100%' align='center'>";

// The start tags of a page and its texts, as Python's HTML parser reads them.
QList<QStringList> parse(const QByteArray &page)
{
    const char *script = R"(
import sys, json, html.parser
p, tags, texts = html.parser.HTMLParser(), [], []
p.handle_starttag = lambda tag, attrs: tags.append(tag)
p.handle_data = texts.append
p.feed(sys.stdin.buffer.read().decode('cp1252'))
p.close()
print(json.dumps([tags, texts]))
)";
    const auto out = runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script}, page);
    const QJsonArray parsed = QJsonDocument::fromJson(out.value_or(QByteArray())).array();
    return {parsed.at(0).toVariant().toStringList(), parsed.at(1).toVariant().toStringList()};
}

} // namespace

class TestHtmlExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void page_data()
    {
        QTest::addColumn<ExportSource>("source");
        QTest::addColumn<QByteArray>("view");
        QTest::addColumn<QByteArray>("heading");
        QTest::addColumn<QByteArray>("table");
        // The accounts page is headed by the current date; a negative sum loses
        // the locale's parentheses and goes red.
        QTest::newRow("accounts")
            << oneAccount(-3.0) << QByteArray("Accounts") << QByteArray("12/6/26")
            << kTable
                   + "<tr bgcolor='#BFBFBF'><th>Account Number</th><th>Name</th><th>Bank</th><th>Balance</th></tr>"
                     "<tr><td align='left'>A1</td><td align ='left'>Home</td><td align ='left'>B</td>"
                     "<td align = 'right'><font color = '#FF0000'> $3.00 </font></td></tr></table>";
        QTest::newRow("transactions")
            << oneAccountSource(-10.0, -2000.0) << QByteArray("Transactions") << QByteArray("12/1/26 to 12/31/26")
            << kTable
                   + "<tr><td colspan = 4><b>Account No: </b>B - A1</td></tr>"
                     "<tr bgcolor='#BFBFBF'><th>Date</th><th>Subject</th><th>Amount</th><th>Balance</th></tr>"
                     "<tr bgcolor='#FFFF00'><td colspan = 3><b>Balance till 11/30/26</b></td><td align='right'>"
                     "<b><font color = '#FF0000'> $10.00 </font></b></td></tr>"
                     "<tr><td align='left'>12/3/26</td><td align='left'>Pay</td><td align='right'>$1,000.00</td>"
                     "<td align='right'>$990.00</td></tr>"
                     "<tr><td align='left'>12/1/26</td><td align='left'>Rent</td><td align='right'>"
                     "<font color = '#FF0000'> $2,000.00 </font></td><td align='right'>"
                     "<font color = '#FF0000'> $1,010.00 </font></td></tr></table>";
        ExportSource plans = exportSource(ExportView::Plans);
        plans.plans << transactionRow(day(2026, 12, 6), QStringLiteral("Insurance"), -120.0, QStringLiteral("A1"))
                    << transactionRow(day(2027, 1, 15), QStringLiteral("Bonus"), 0.0, QStringLiteral("A2"));
        QTest::newRow("plans")
            << plans << QByteArray("Plans") << QByteArray("12/1/26 to 12/31/26")
            << kTable
                   + "<tr bgcolor='#BFBFBF'><th>Account Number</th><th>Date</th><th>Subject</th><th>Amount</th>"
                     "</tr><tr><td align='left'>A1</td><td align='left'>12/6/26</td><td align='left'>Insurance"
                     "</td><td align='right'><font color='#FF0000'>$120.00</font></td></tr>"
                     "<tr><td align='left'>A2</td><td align='left'>1/15/27</td><td align='left'>Bonus</td>"
                     "<td align='right'><font color='#000000'>$0.00</font></td></tr></table>";
        ExportSource all = oneAccountSource(1.0, 1.0);
        all.accountSelected = false;
        QTest::newRow("all accounts") << all << QByteArray("Transactions") << QByteArray("12/1/26 to 12/31/26")
                                      << QByteArray();
    }

    void page()
    {
        QFETCH(ExportSource, source);
        QFETCH(QByteArray, view);
        QFETCH(QByteArray, heading);
        QFETCH(QByteArray, table);
        QCOMPARE(exportHtml(source),
                 "<html><head><meta charset=\"windows-1252\"></head><body bgcolor = '#FBFFFF'><table border='0' "
                 "cellpadding='0' cellspacing='0' style='border-"
                 "collapse: collapse' bordercolor='#111111' width='100%'><caption><font color='#888800'>Fennimar - "
                     + view + "</font></caption><tr><td width='100%'><p align='center'><font color='#000080'><b>"
                     + heading + "</b></font></p></td></tr></table><BR>" + table + "</body></html>");
    }

    // Every element the page opens is closed, in the order it was opened.
    void everyElementIsClosed_data() { page_data(); }

    void everyElementIsClosed()
    {
        QFETCH(ExportSource, source);
        const QString page = QString::fromLatin1(exportHtml(source));
        static const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z]+)[^>]*>"));
        QStringList open;
        for (const QRegularExpressionMatch &m : tag.globalMatch(page)) {
            const QString name = m.captured(2).toLower();
            if (name == QLatin1String("br") || name == QLatin1String("meta"))
                continue;
            if (m.captured(1).isEmpty()) {
                open << name;
                continue;
            }
            QVERIFY2(!open.isEmpty() && open.last() == name,
                     qPrintable(QStringLiteral("</%1> closes <%2>").arg(name, open.value(open.size() - 1))));
            open.removeLast();
        }
        QCOMPARE(open, QStringList());
    }

    void encoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cp1252") << QString::fromUtf8("é € “q” – š") << QByteArray("\xe9 \x80 \x93q\x94 \x96 \x9a");
        QTest::newRow("astral") << QString::fromUtf8("a😀b") << QByteArray("a&#128512;b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u'x' << QByteArray("&#65533;x");
        QTest::newRow("markup") << "<a href='x'>&amp;</a>" << QByteArray("&lt;a href='x'&gt;&amp;amp;&lt;/a&gt;");
    }

    void encoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(htmlBytes(htmlEscaped(text)), bytes);
    }

    // Hostile texts parse back to themselves and add no element: every view's
    // page has the tags of one with harmless texts.
    void hostileTexts()
    {
        if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
            QSKIP("/usr/bin/python3 is not installed");
        const QStringList hostile{QStringLiteral("<script>alert(1)</script>"),
                                  QStringLiteral("</td></tr></table><img src=x onerror=alert(1)>"),
                                  QStringLiteral("&lt;escaped&gt; &#60; a & b"),
                                  QStringLiteral("O'Brien \"quoted\" <!-- comment -->"),
                                  QString::fromUtf8("Ωmega ☃ 😀 café € <")};
        const QStringList harmless{"x0", "x1", "x2", "x3", "x4"};
        for (const ExportView view : {ExportView::Accounts, ExportView::Transactions, ExportView::Plans}) {
            QList<QStringList> expected = parse(exportHtml(sourceWith(view, harmless)));
            QVERIFY(expected[1].contains(harmless.last()));
            for (QString &text : expected[1])
                text = hostile.value(harmless.indexOf(text), text);
            QCOMPARE(parse(exportHtml(sourceWith(view, hostile))), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
