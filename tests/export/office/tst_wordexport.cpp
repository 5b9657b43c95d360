#include "export/office/wordexport.h"
#include "officetestutil.h"

#include <QTest>

using namespace testutil;

namespace {

// "<alignment> <font> | <text>" of a paragraph, the font "b u 333399 28" being its
// mark's; w:tab reads as a tab, w:br as a line end.
QString paragraph(const QDomElement &p)
{
    const auto font = [](const QDomElement &rPr) {
        const auto value = [&](const QString &name) { return at(rPr, name).attribute("w:val"); };
        return QStringList{at(rPr, "w:b").isNull() ? "-" : "b", value("w:u") == "single" ? "u" : "-", value("w:color"),
                           value("w:sz")}
            .join(u' ');
    };
    QString text;
    for (const QDomElement &r : elements(p, "w:r")) {
        if (font(at(r, "w:rPr")) != font(at(p, "w:pPr/w:rPr")))
            return "a run's font differs: " + font(at(r, "w:rPr"));
        for (const QDomElement &e : elements(r))
            text += e.tagName() == "w:t" ? e.text() : e.tagName() == "w:tab" ? "\t" : e.tagName() == "w:br" ? "\n" : "";
    }
    return at(p, "w:pPr/w:jc").attribute("w:val") + " " + font(at(p, "w:pPr/w:rPr")) + " | " + text;
}

// The body, one line per paragraph and per table cell ("<row>.<column> <shading> <paragraph>").
QStringList body(const QString &path)
{
    QStringList lines;
    for (const QDomElement &e : elements(at(zipXml(path, "word/document.xml").documentElement(), "w:body"))) {
        if (e.tagName() == "w:p")
            lines << paragraph(e);
        const QList<QDomElement> rows = elements(e, "w:tr");
        for (int r = 0; r < rows.size(); ++r) {
            const QList<QDomElement> cells = elements(rows[r], "w:tc");
            for (int c = 0; c < cells.size(); ++c)
                lines << QStringLiteral("%1.%2 %3 %4")
                             .arg(r)
                             .arg(c)
                             .arg(at(cells[c], "w:tcPr/w:shd").attribute("w:fill", "-"),
                                  elements(cells[c], "w:p").size() == 1 ? paragraph(at(cells[c], "w:p"))
                                                                        : "paragraphs");
        }
    }
    return lines;
}

// The table: the heading row, then the data rows, their cells marked "<" for left,
// ">" right, "!" right in red; then the paragraph that ends the document.
QStringList table(const QStringList &headings, const QList<QStringList> &rows)
{
    QStringList lines;
    for (int c = 0; c < 4; ++c)
        lines << QStringLiteral("0.%1 DCDCDC center b - 000080 24 | %2").arg(c).arg(headings[c]);
    const QMap<QChar, QString> looks{{u'<', "left b - 000000"}, {u'>', "right b - 000000"}, {u'!', "right b - FF0000"}};
    for (int i = 0; i < rows.size() * 4; ++i) {
        const QString &cell = rows[i / 4][i % 4];
        lines << QStringLiteral("%1.%2 - %3 24 | %4").arg(i / 4 + 1).arg(i % 4).arg(looks.value(cell[0]), cell.mid(1));
    }
    return lines << "left - - 000000 24 | ";
}

} // namespace

class TestWordExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { useUsEnglish(); }

    void document_data()
    {
        QTest::addColumn<ExportSource>("source");
        QTest::addColumn<QStringList>("lines");
        // The title and the paragraphs before the table are centred, bold and underlined. Negative sums
        // are red, without the locale's parentheses.
        const QString title = "center b u 333399 28 | Fennimar - ", large = "center b u 000000 28 | ";
        QTest::newRow("accounts") << sample(ExportView::Accounts)
                                  << QStringList{title + "Accounts", large + "12/6/26", large}
                                         + table({"Account Number", "Name", "Bank", "Balance"},
                                                 {{"<1001", "<Checking", "<First Bank", ">$1,234.50"},
                                                  {"<2002", "<Savings & <Co>", "<Second \"Bank\"", "!$12.50"},
                                                  {"<0003", "<=SUM(A1:A2)", "<12/6/26", ">$0.00"}});
        QTest::newRow("transactions") << sample(ExportView::Transactions)
                                      << QStringList{title + "Transactions",
                                                     large + "12/1/26 to 12/31/26",
                                                     large,
                                                     large + "Account No:   First Bank - 1001",
                                                     large,
                                                     large + "Balance till 11/30/26    $100.00"}
                                             + table({"Date", "Subject", "Amount", "Balance"},
                                                     {{"<12/5/26", "<Salary", ">$2,000.00", ">$2,100.00"},
                                                      {"<12/10/26", "<Rent", "!$2,500.00", "!$400.00"}});
    }

    void document()
    {
        QFETCH(ExportSource, source);
        QFETCH(QStringList, lines);
        QCOMPARE(body(written<CWordExport>(source, ".docx")), lines);
    }

    // Markup is escaped, tabs and line ends kept, characters XML cannot hold left out.
    void escapedTexts()
    {
        ExportSource source = sample(ExportView::Plans);
        source.plans[0].data->subject = "<w:t>&amp; \"quoted\"\ttab\nline\x01 end ";
        source.plans[0].data->accountNumber = QStringLiteral("]]> \U0001F4B6");
        const QStringList lines = body(written<CWordExport>(source, ".docx"));
        QCOMPARE(lines.value(7), QStringLiteral("1.0 - left b - 000000 24 | ]]> \U0001F4B6"));
        QCOMPARE(lines.value(9), "1.2 - left b - 000000 24 | <w:t>&amp; \"quoted\"\ttab\nline end ");
    }

    void writes() { checkWrites<CWordExport>(sample(ExportView::Plans)); }

    void readByPythonDocx()
    {
        const QByteArray json = runPython("docx", R"(
d = docx.Document(sys.argv[1])
print(json.dumps([[p.text for p in d.paragraphs]] + [[c.text for c in row.cells] for row in d.tables[0].rows]))
)",
                                          written<CWordExport>(sample(ExportView::Transactions), ".docx"));
        if (json.startsWith("skip: "))
            QSKIP(json.constData() + 6);
        QCOMPARE(json, QJsonDocument::fromJson(R"([["Fennimar - Transactions", "12/1/26 to 12/31/26", "",
            "Account No:   First Bank - 1001", "", "Balance till 11/30/26    $100.00", ""],
            ["Date", "Subject", "Amount", "Balance"], ["12/5/26", "Salary", "$2,000.00", "$2,100.00"],
            ["12/10/26", "Rent", "$2,500.00", "$400.00"]])")
                           .toJson(QJsonDocument::Compact));
    }
};

QTEST_GUILESS_MAIN(TestWordExport)
#include "tst_wordexport.moc"
