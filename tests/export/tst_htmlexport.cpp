#include "exportfixture.h"
#include "htmlexport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace testutil;

namespace {

const QByteArray kPageStart = "<html><body bgcolor = '#FBFFFF'><table border='0' cellpadding='0' cellspacing='0' "
                              "style='border-collapse: collapse' bordercolor='#111111' width='100%'>";
const QByteArray kHeadingStart = "<tr><td width='100%'><p align='center'><font color='#000080'><b>";
const QByteArray kHeadingEnd = "</b></font></td></tr></table><BR>";
const QByteArray kTable = "<table border='1' cellpadding='0' cellspacing='0' style='border-collapse: collapse' "
                          "bordercolor='#AAAAAA' width='100%' align='center'>";
const QByteArray kPageEnd = "</body></html>";

// The start tags and the texts of a page, as Python's HTML parser reads it.
struct Parsed
{
    QStringList tags;
    QStringList texts;
};

Parsed parse(const QByteArray &page)
{
    const char *script = R"(
import sys, json
from html.parser import HTMLParser
class Collect(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.tags, self.texts = [], []
    def handle_starttag(self, tag, attrs):
        self.tags.append(tag)
    def handle_startendtag(self, tag, attrs):
        self.tags.append(tag)
    def handle_data(self, data):
        self.texts.append(data)
c = Collect()
c.feed(sys.stdin.buffer.read().decode('cp1252'))
c.close()
print(json.dumps({'tags': c.tags, 'texts': c.texts}))
)";
    const ToolRun run = runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script)},
                                page);
    Parsed parsed;
    if (run.exitCode != 0) {
        qWarning("python3: %s", run.err.constData());
        return parsed;
    }
    const QJsonObject o = QJsonDocument::fromJson(run.out).object();
    for (const QJsonValue &v : o.value(QStringLiteral("tags")).toArray())
        parsed.tags << v.toString();
    for (const QJsonValue &v : o.value(QStringLiteral("texts")).toArray())
        parsed.texts << v.toString();
    return parsed;
}

} // namespace

class TestHtmlExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }
    void cleanup() { useUsEnglish(); }

    // The heading shows the current date, not the period; a negative balance
    // loses the locale's parentheses and goes red.
    void accounts()
    {
        ExportSource s = exportSource(ExportView::Accounts);
        s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("B"), -3.0)
                   << accountRow(QStringLiteral("Z9"), QStringLiteral("Work"), QStringLiteral("C"), 1234.5);
        QCOMPARE(exportHtml(s),
                 kPageStart + "<caption><font color='#888800'>Fennimar - Accounts</font></caption>" + kHeadingStart
                     + "12/6/26" + kHeadingEnd + kTable
                     + "<tr bgcolor='#BFBFBF'><th>Account Number</th><th>Name</th><th>Bank</th><th>Balance</th></tr>"
                       "<tr><td align='left'>A1</td><td align ='left'>Home</td><td align ='left'>B</td>"
                       "<td align = 'right'><font color = '#FF0000'> $3.00 </font></td></tr>"
                       "<tr><td align='left'>Z9</td><td align ='left'>Work</td><td align ='left'>C</td>"
                       "<td align = 'right'>$1,234.50</td></tr></table>"
                     + kPageEnd);
    }

    void transactions()
    {
        const ExportSource s = oneAccountSource(-10.0, -2000.0);
        QCOMPARE(exportHtml(s),
                 kPageStart + "<caption><font color='#888800'>Fennimar - Transactions</font></caption>"
                     + kHeadingStart + "12/1/26 to 12/31/26" + kHeadingEnd + kTable
                     + "<tr><td colspan = 4><b>Account No: </b>B - A1</td></tr>"
                       "<tr bgcolor='#BFBFBF'><th>Date</th><th>Subject</th><th>Amount</th><th>Balance</th></tr>"
                       "<tr bgcolor='#FFFF00'><td colspan = 3><b>Balance till 11/30/26</td><td align='right'>"
                       "<font color = '#FF0000'> $10.00 </font></b></td></tr>"
                       "<tr><td align='left'>12/3/26</td><td align='left'>Pay</td><td align='right'>$1,000.00</td>"
                       "<td align='right'>$990.00</td></tr>"
                       "<tr><td align='left'>12/1/26</td><td align='left'>Rent</td><td align='right'>"
                       "<font color = '#FF0000'> $2,000.00 </font></td><td align='right'>"
                       "<font color = '#FF0000'> $1,010.00 </font></td></tr></table>"
                     + kPageEnd);
    }

    void plans()
    {
        ExportSource s = exportSource(ExportView::Plans);
        s.plans << transactionRow(day(2026, 12, 6), QStringLiteral("Insurance"), -120.0, QStringLiteral("A1"))
                << transactionRow(day(2027, 1, 15), QStringLiteral("Bonus"), 0.0, QStringLiteral("A2"));
        QCOMPARE(exportHtml(s),
                 kPageStart + "<caption><font color='#888800'>Fennimar - Plans</font></caption>" + kHeadingStart
                     + "12/1/26 to 12/31/26" + kHeadingEnd + kTable
                     + "<tr bgcolor='#BFBFBF'><th>Account Number</th><th>Date</th><th>Subject</th><th>Amount</th></tr>"
                       "<tr><td align='left'>A1</td><td align='left'>12/6/26</td><td align='left'>Insurance</td>"
                       "<td align='right'><font color='#FF0000'>$120.00</font></td></tr>"
                       "<tr><td align='left'>A2</td><td align='left'>1/15/27</td><td align='left'>Bonus</td>"
                       "<td align='right'><font color='#000000'>$0.00</font></td></tr></table>"
                     + kPageEnd);
    }

    void withoutTable_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QByteArray>("caption");
        QTest::newRow("all accounts") << int(ExportView::Transactions)
                                      << QByteArray("<caption><font color='#888800'>Fennimar - Transactions</font>"
                                                    "</caption>");
        QTest::newRow("other view") << int(ExportView::Other) << QByteArray();
    }

    void withoutTable()
    {
        QFETCH(int, view);
        QFETCH(QByteArray, caption);
        ExportSource s = exportSource(ExportView(view));
        s.transactions = accountTransRows(QStringLiteral("Balance till 11/30/26"), 1.0, {});
        QCOMPARE(exportHtml(s), kPageStart + caption + kHeadingStart + "12/1/26 to 12/31/26" + kHeadingEnd + kPageEnd);
    }

    // A locale that writes a minus sign keeps it; the no-break space is one
    // Windows-1252 byte.
    void germanLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ExportSource s = exportSource(ExportView::Accounts);
        s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("B"), -3.0);
        const QByteArray page = exportHtml(s);
        QVERIFY(page.contains("<b>06.12.26</b>"));
        QVERIFY(page.contains("<td align = 'right'><font color = '#FF0000'> -3,00\xa0\x80 </font></td>"));
    }

    void encoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << "Rent 5" << QByteArray("Rent 5");
        QTest::newRow("latin-1") << QString::fromUtf8("Café ü") << QByteArray("Caf\xe9 \xfc");
        QTest::newRow("windows-1252 extras") << QString::fromUtf8("€ “q” – š")
                                             << QByteArray("\x80 \x93q\x94 \x96 \x9a");
        QTest::newRow("greek") << QString::fromUtf8("Ωmega") << QByteArray("&#937;mega");
        QTest::newRow("snowman") << QString::fromUtf8("☃") << QByteArray("&#9731;");
        QTest::newRow("astral") << QString::fromUtf8("a😀b") << QByteArray("a&#128512;b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u'x' << QByteArray("&#65533;x");
        QTest::newRow("markup") << "<a href='x'>&amp;</a>" << QByteArray("&lt;a href='x'&gt;&amp;amp;&lt;/a&gt;");
    }

    void encoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(htmlBytes(htmlEscaped(text)), bytes);

        ExportSource s = exportSource(ExportView::Plans);
        s.plans << transactionRow(day(2026, 12, 6), text, 1.0, QStringLiteral("A1"));
        QVERIFY(exportHtml(s).contains("<td align='left'>" + bytes + "</td>"));
    }

    void hostileTexts_data()
    {
        QTest::addColumn<int>("view");
        QTest::newRow("accounts") << int(ExportView::Accounts);
        QTest::newRow("transactions") << int(ExportView::Transactions);
        QTest::newRow("plans") << int(ExportView::Plans);
    }

    // Hostile texts parse back to themselves and add no element: the page has
    // the same tags as one with harmless texts.
    void hostileTexts()
    {
        SKIP_WITHOUT("/usr/bin/python3");
        QFETCH(int, view);
        const QStringList hostile{
            QStringLiteral("<script>alert(1)</script>"),
            QStringLiteral("</td></tr></table><img src=x onerror=alert(1)>"),
            QStringLiteral("a & b <b>bold</b>"),
            QStringLiteral("&lt;already escaped&gt; &#60;"),
            QStringLiteral("O'Brien \"quoted\" <!-- comment -->"),
            QString::fromUtf8("Ωmega ☃ 😀 café € <"),
        };
        const auto sourceWith = [&](const QStringList &texts) {
            ExportSource s = exportSource(ExportView(view));
            s.accountSelected = true;
            s.accountTitle = texts.value(0);
            QList<ListRow<TransactionRow>> rows;
            for (const QString &text : texts) {
                s.accounts << accountRow(text, text, text, -1.0);
                s.plans << transactionRow(day(2026, 12, 6), text, -1.0, text);
                rows << transactionRow(day(2026, 12, 6), text, -1.0);
            }
            s.transactions = accountTransRows(texts.value(1), 5.0, rows);
            return s;
        };
        const QStringList harmless(hostile.size(), QStringLiteral("x"));
        const Parsed plain = parse(exportHtml(sourceWith(harmless)));
        const Parsed parsed = parse(exportHtml(sourceWith(hostile)));
        QVERIFY(!plain.tags.isEmpty());
        QCOMPARE(parsed.tags, plain.tags);
        QCOMPARE(parsed.texts.size(), plain.texts.size());
        int found = 0;
        for (qsizetype i = 0; i < plain.texts.size(); ++i) {
            if (plain.texts[i] == QStringLiteral("x")) {
                QVERIFY(hostile.contains(parsed.texts[i]));
                ++found;
            } else {
                QCOMPARE(parsed.texts[i], plain.texts[i]);
            }
        }
        QVERIFY(found >= hostile.size());
    }
};

QTEST_GUILESS_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
