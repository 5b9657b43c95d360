#include "fileio.h"
#include "officetestutil.h"
#include "wordexport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using namespace testutil;

namespace {

const QString w = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

// A run's or paragraph mark's font: "b u 333399 28" (bold and underline when set).
QString font(const QDomElement &rPr)
{
    QStringList parts;
    if (!descendant(rPr, QStringLiteral("b")).isNull())
        parts << QStringLiteral("b");
    if (descendant(rPr, QStringLiteral("u")).attributeNS(w, QStringLiteral("val")) == QStringLiteral("single"))
        parts << QStringLiteral("u");
    parts << descendant(rPr, QStringLiteral("color")).attributeNS(w, QStringLiteral("val"));
    parts << descendant(rPr, QStringLiteral("sz")).attributeNS(w, QStringLiteral("val"));
    return parts.join(u' ');
}

// The text of a paragraph's runs: w:t as it is, w:tab as a tab, w:br as a line end.
QString text(const QDomElement &p)
{
    QString result;
    for (const QDomElement &r : children(p, QStringLiteral("r"))) {
        for (const QDomElement &e : children(r)) {
            if (e.localName() == QStringLiteral("t"))
                result += e.text();
            else if (e.localName() == QStringLiteral("tab"))
                result += u'\t';
            else if (e.localName() == QStringLiteral("br"))
                result += u'\n';
        }
    }
    return result;
}

// "<alignment> | <font> | <text>"; every run of the paragraph has the mark's font.
QString describeParagraph(const QDomElement &p)
{
    const QString mark = font(descendant(p, QStringLiteral("pPr/rPr")));
    for (const QDomElement &r : children(p, QStringLiteral("r"))) {
        if (font(descendant(r, QStringLiteral("rPr"))) != mark)
            return QStringLiteral("run font differs: ") + font(descendant(r, QStringLiteral("rPr")));
    }
    return QStringLiteral("%1 | %2 | %3")
        .arg(descendant(p, QStringLiteral("pPr/jc")).attributeNS(w, QStringLiteral("val")), mark, text(p));
}

// The body: one line per paragraph, "table" for the table; and the table's cells,
// one line per cell: "<row>.<column> <shading> | <paragraph>".
struct Body
{
    QStringList paragraphs;
    QStringList cells;
    int rows = 0;
    bool endsWithParagraph = false;
};

Body readBody(const QString &path)
{
    Body body;
    const QDomDocument doc = zipXml(path, QStringLiteral("word/document.xml"));
    const QList<QDomElement> items = children(descendant(doc.documentElement(), QStringLiteral("body")));
    for (const QDomElement &e : items) {
        if (e.localName() == QStringLiteral("p")) {
            body.paragraphs << describeParagraph(e);
        } else if (e.localName() == QStringLiteral("tbl")) {
            body.paragraphs << QStringLiteral("table");
            const QList<QDomElement> rows = children(e, QStringLiteral("tr"));
            body.rows = int(rows.size());
            for (int r = 0; r < rows.size(); ++r) {
                const QList<QDomElement> cells = children(rows[r], QStringLiteral("tc"));
                for (int c = 0; c < cells.size(); ++c) {
                    const QString shading =
                        descendant(cells[c], QStringLiteral("tcPr/shd")).attributeNS(w, QStringLiteral("fill"), QStringLiteral("-"));
                    const QList<QDomElement> ps = children(cells[c], QStringLiteral("p"));
                    body.cells << QStringLiteral("%1.%2 %3 | %4 paragraph(s) | %5")
                                      .arg(r)
                                      .arg(c)
                                      .arg(shading)
                                      .arg(ps.size())
                                      .arg(ps.isEmpty() ? QString() : describeParagraph(ps.first()));
                }
            }
        }
    }
    body.endsWithParagraph = items.size() >= 2 && items[items.size() - 2].localName() == QStringLiteral("p")
                             && items.last().localName() == QStringLiteral("sectPr");
    return body;
}

QString headingCell(int column, const QString &text)
{
    return QStringLiteral("0.%1 DCDCDC | 1 paragraph(s) | center | b 000080 24 | %2").arg(column).arg(text);
}

QString dataCell(int row, int column, const QString &align, const QString &colour, const QString &text)
{
    return QStringLiteral("%1.%2 - | 1 paragraph(s) | %3 | b %4 24 | %5").arg(row).arg(column).arg(align, colour, text);
}

const QString titleFont = QStringLiteral("center | b u 333399 28 | ");
const QString subtitleFont = QStringLiteral("center | b u 000000 28 | ");

} // namespace

class TestWordExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { useUsEnglish(); }

    void document_data();
    void document();
    void package();
    void escapedTexts();
    void pageOfTheLocale_data();
    void pageOfTheLocale();
    void nothingForAnEmptyList_data() { addEmptySources(); }
    void nothingForAnEmptyList();
    void failedWrites();
    void failureText();
    void readByPythonDocx();

private:
    QTemporaryDir m_dir;
};

void TestWordExport::document_data()
{
    QTest::addColumn<ExportSource>("source");
    QTest::addColumn<QStringList>("paragraphs");
    QTest::addColumn<QStringList>("cells");

    const QStringList accountHeadings{headingCell(0, QStringLiteral("Account Number")),
                                      headingCell(1, QStringLiteral("Name")), headingCell(2, QStringLiteral("Bank")),
                                      headingCell(3, QStringLiteral("Balance"))};
    QTest::newRow("accounts")
        << accountsSource()
        << QStringList{titleFont + QStringLiteral("Fennimar - Accounts"), subtitleFont + QStringLiteral("12/6/26"),
                       subtitleFont, QStringLiteral("table"), QStringLiteral("left | 000000 24 | ")}
        << accountHeadings
               + QStringList{dataCell(1, 0, "left", "000000", "1001"),
                             dataCell(1, 1, "left", "000000", "Checking"),
                             dataCell(1, 2, "left", "000000", "First Bank"),
                             dataCell(1, 3, "right", "000000", "$1,234.50"),
                             dataCell(2, 0, "left", "000000", "2002"),
                             dataCell(2, 1, "left", "000000", "Savings & <Co>"),
                             dataCell(2, 2, "left", "000000", "Second \"Bank\""),
                             // Negative: red, without the locale's parentheses.
                             dataCell(2, 3, "right", "FF0000", "$12.50"),
                             dataCell(3, 0, "left", "000000", "3003"),
                             dataCell(3, 1, "left", "000000", "Zero"),
                             dataCell(3, 2, "left", "000000", "Third"),
                             dataCell(3, 3, "right", "000000", "$0.00")};

    QTest::newRow("transactions")
        << transactionsSource()
        << QStringList{titleFont + QStringLiteral("Fennimar - Transactions"),
                       subtitleFont + QStringLiteral("12/1/26 to 12/31/26"),
                       subtitleFont,
                       subtitleFont + QStringLiteral("Account No:   First Bank - 1001"),
                       subtitleFont,
                       subtitleFont + QStringLiteral("Balance till 11/30/26    $100.00"),
                       QStringLiteral("table"),
                       QStringLiteral("left | 000000 24 | ")}
        << QStringList{headingCell(0, QStringLiteral("Date")),
                       headingCell(1, QStringLiteral("Subject")),
                       headingCell(2, QStringLiteral("Amount")),
                       headingCell(3, QStringLiteral("Balance")),
                       dataCell(1, 0, "left", "000000", "12/5/26"),
                       dataCell(1, 1, "left", "000000", "Salary"),
                       dataCell(1, 2, "right", "000000", "$2,000.00"),
                       dataCell(1, 3, "right", "000000", "$2,100.00"),
                       dataCell(2, 0, "left", "000000", "12/10/26"),
                       dataCell(2, 1, "left", "000000", "Rent"),
                       dataCell(2, 2, "right", "FF0000", "$2,500.00"),
                       dataCell(2, 3, "right", "FF0000", "$400.00")};

    QTest::newRow("plans") << plansSource()
                           << QStringList{titleFont + QStringLiteral("Fennimar - Plans"),
                                          subtitleFont + QStringLiteral("12/1/26 to 12/31/26"), subtitleFont,
                                          QStringLiteral("table"), QStringLiteral("left | 000000 24 | ")}
                           << QStringList{headingCell(0, QStringLiteral("Account Number")),
                                          headingCell(1, QStringLiteral("Date")),
                                          headingCell(2, QStringLiteral("Subject")),
                                          headingCell(3, QStringLiteral("Amount")),
                                          dataCell(1, 0, "left", "000000", "1001"),
                                          dataCell(1, 1, "left", "000000", "12/20/26"),
                                          dataCell(1, 2, "left", "000000", "Insurance"),
                                          dataCell(1, 3, "right", "FF0000", "$75.25"),
                                          dataCell(2, 0, "left", "000000", "2002"),
                                          dataCell(2, 1, "left", "000000", "1/15/27"),
                                          dataCell(2, 2, "left", "000000", "Bonus"),
                                          dataCell(2, 3, "right", "000000", "$300.00")};
}

void TestWordExport::document()
{
    QFETCH(ExportSource, source);
    QFETCH(QStringList, paragraphs);
    QFETCH(QStringList, cells);
    const QString path = m_dir.filePath(QStringLiteral("document.docx"));
    QVERIFY(CWordExport().write(path, source));
    const Body body = readBody(path);
    QCOMPARE(body.paragraphs, paragraphs);
    QCOMPARE(body.cells, cells);
    QCOMPARE(body.rows, int(cells.size() / 4));
    QVERIFY(body.endsWithParagraph);
}

void TestWordExport::package()
{
    const QString path = m_dir.filePath(QStringLiteral("package.docx"));
    QVERIFY(CWordExport().write(path, accountsSource()));
    QCOMPARE(zipEntries(path), (QStringList{QStringLiteral("[Content_Types].xml"), QStringLiteral("_rels/.rels"),
                                            QStringLiteral("word/document.xml"),
                                            QStringLiteral("word/_rels/document.xml.rels"),
                                            QStringLiteral("word/styles.xml")}));
    for (const QString &name : zipEntries(path))
        QVERIFY2(!zipXml(path, name).isNull(), qPrintable(name + QStringLiteral(" is not well-formed")));

    // Every part is reached: the package's main document and its styles.
    const QDomDocument types = zipXml(path, QStringLiteral("[Content_Types].xml"));
    QStringList overrides;
    for (const QDomElement &o : testutil::children(types.documentElement(), QStringLiteral("Override")))
        overrides << o.attribute(QStringLiteral("PartName")) + u' ' + o.attribute(QStringLiteral("ContentType"));
    QCOMPARE(overrides,
             (QStringList{QStringLiteral("/word/document.xml application/"
                                         "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"),
                          QStringLiteral("/word/styles.xml application/"
                                         "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml")}));
    const QDomElement main = descendant(zipXml(path, QStringLiteral("_rels/.rels")).documentElement(),
                                        QStringLiteral("Relationship"));
    QCOMPARE(main.attribute(QStringLiteral("Target")), QStringLiteral("word/document.xml"));
    const QDomElement styles = descendant(
        zipXml(path, QStringLiteral("word/_rels/document.xml.rels")).documentElement(), QStringLiteral("Relationship"));
    QCOMPARE(styles.attribute(QStringLiteral("Target")), QStringLiteral("styles.xml"));
    const QDomDocument styleDoc = zipXml(path, QStringLiteral("word/styles.xml"));
    QCOMPARE(descendant(styleDoc.documentElement(), QStringLiteral("docDefaults/rPrDefault/rPr/sz"))
                 .attributeNS(w, QStringLiteral("val")),
             QStringLiteral("24"));
    QCOMPARE(descendant(styleDoc.documentElement(), QStringLiteral("docDefaults/rPrDefault/rPr/lang"))
                 .attributeNS(w, QStringLiteral("val")),
             QStringLiteral("en-US"));
}

void TestWordExport::escapedTexts()
{
    ExportSource source = plansSource();
    source.plans[0].data->subject = QStringLiteral("<w:t>&amp; \"quoted\"\ttab\nline\x01 end ");
    source.plans[0].data->accountNumber = QStringLiteral("]]> \U0001F4B6");
    const QString path = m_dir.filePath(QStringLiteral("escaped.docx"));
    QVERIFY(CWordExport().write(path, source));
    const std::optional<QByteArray> xml = zipEntry(path, QStringLiteral("word/document.xml"));
    QVERIFY(xml);
    QVERIFY(xml->contains("&lt;w:t&gt;&amp;amp; &quot;quoted&quot;</w:t><w:tab/><w:t xml:space=\"preserve\">tab</w:t>"
                          "<w:br/><w:t xml:space=\"preserve\">line end </w:t>"));
    const Body body = readBody(path);
    QVERIFY(!body.cells.isEmpty());
    // The control character is left out; tab and line end are kept; blanks stay.
    QCOMPARE(body.cells[6], dataCell(1, 2, "left", "000000", "<w:t>&amp; \"quoted\"\ttab\nline end "));
    QCOMPARE(body.cells[4], dataCell(1, 0, "left", "000000", QStringLiteral("]]> \U0001F4B6")));
}

void TestWordExport::pageOfTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("pageWidth");
    QTest::addColumn<QString>("columnWidth");
    QTest::newRow("Letter") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("12240")
                            << QStringLiteral("2340");
    QTest::newRow("A4") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("11906")
                        << QStringLiteral("2256");
}

void TestWordExport::pageOfTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, pageWidth);
    QFETCH(QString, columnWidth);
    QLocale::setDefault(locale);
    const QString path = m_dir.filePath(QStringLiteral("page.docx"));
    QVERIFY(CWordExport().write(path, accountsSource()));
    const QDomElement body =
        descendant(zipXml(path, QStringLiteral("word/document.xml")).documentElement(), QStringLiteral("body"));
    QCOMPARE(descendant(body, QStringLiteral("sectPr/pgSz")).attributeNS(w, QStringLiteral("w")), pageWidth);
    QStringList widths;
    for (const QDomElement &col : testutil::children(descendant(body, QStringLiteral("tbl/tblGrid"))))
        widths << col.attributeNS(w, QStringLiteral("w"));
    QCOMPARE(widths, QStringList(4, columnWidth));
    QCOMPARE(descendant(body, QStringLiteral("tbl/tblPr/tblLayout")).attributeNS(w, QStringLiteral("type")),
             QStringLiteral("fixed"));
}

void TestWordExport::nothingForAnEmptyList()
{
    QFETCH(ExportSource, source);
    const QString path = m_dir.filePath(QStringLiteral("empty.docx"));
    QVERIFY(!CWordExport().write(path, source));
    QVERIFY(!QFileInfo::exists(path));
}

void TestWordExport::failedWrites()
{
    checkFailedWrites<CWordExport>(m_dir, plansSource());
}

void TestWordExport::failureText()
{
    QCOMPARE(CWordExport::failureText(), QStringLiteral("There was a problem exporting the document to MS Word\n"
                                                        "Please contact support@fennimar.org"));
}

void TestWordExport::readByPythonDocx()
{
    const QString path = m_dir.filePath(QStringLiteral("python-docx.docx"));
    QVERIFY(CWordExport().write(path, transactionsSource()));
    const QString script = QStringLiteral(R"(
import json, sys, docx
from docx.oxml.ns import qn
d = docx.Document(sys.argv[1])
def align(p):
    return None if p.alignment is None else int(p.alignment)
def runs(p):
    return [[r.text, bool(r.bold), bool(r.underline), str(r.font.color.rgb) if r.font.color.type else None,
             r.font.size.pt if r.font.size else None] for r in p.runs]
paras = [[p.text, align(p), runs(p)] for p in d.paragraphs]
tables = []
for t in d.tables:
    rows = []
    for row in t.rows:
        cells = []
        for c in row.cells:
            shd = c._tc.tcPr.find(qn('w:shd')) if c._tc.tcPr is not None else None
            cells.append([c.text, align(c.paragraphs[0]), runs(c.paragraphs[0]),
                          shd.get(qn('w:fill')) if shd is not None else None])
        rows.append(cells)
    tables.append(rows)
print(json.dumps({'paragraphs': paras, 'tables': tables}))
)");
    const PythonResult result = runPython(QStringLiteral("docx"), script, {path});
    if (!result.skip.isEmpty())
        QSKIP(qPrintable(result.skip));
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    const QJsonObject root = result.json.object();
    const QJsonArray paragraphs = root.value(QStringLiteral("paragraphs")).toArray();
    QStringList texts;
    for (const QJsonValue &p : paragraphs)
        texts << p.toArray().at(0).toString();
    QCOMPARE(texts, (QStringList{QStringLiteral("Fennimar - Transactions"), QStringLiteral("12/1/26 to 12/31/26"),
                                 QString(), QStringLiteral("Account No:   First Bank - 1001"), QString(),
                                 QStringLiteral("Balance till 11/30/26    $100.00"), QString()}));
    // Title: centred (1), bold, underlined, 0x993333 as RGB, 14 points.
    const QJsonArray titleRun = paragraphs.at(0).toArray().at(2).toArray().at(0).toArray();
    QCOMPARE(paragraphs.at(0).toArray().at(1).toInt(), 1);
    QCOMPARE(titleRun.at(1).toBool(), true);
    QCOMPARE(titleRun.at(2).toBool(), true);
    QCOMPARE(titleRun.at(3).toString(), QStringLiteral("333399"));
    QCOMPARE(titleRun.at(4).toDouble(), 14.0);

    const QJsonArray tables = root.value(QStringLiteral("tables")).toArray();
    QCOMPARE(tables.size(), 1);
    const QJsonArray rows = tables.at(0).toArray();
    QCOMPARE(rows.size(), 3);
    const QJsonArray heading = rows.at(0).toArray().at(0).toArray();
    QCOMPARE(heading.at(0).toString(), QStringLiteral("Date"));
    QCOMPARE(heading.at(3).toString(), QStringLiteral("DCDCDC"));
    QCOMPARE(heading.at(2).toArray().at(0).toArray().at(3).toString(), QStringLiteral("000080"));
    const QJsonArray amount = rows.at(2).toArray().at(2).toArray();
    QCOMPARE(amount.at(0).toString(), QStringLiteral("$2,500.00"));
    QCOMPARE(amount.at(1).toInt(), 2); // right
    QCOMPARE(amount.at(2).toArray().at(0).toArray().at(3).toString(), QStringLiteral("FF0000"));
    const QJsonArray subject = rows.at(2).toArray().at(1).toArray();
    QCOMPARE(subject.at(0).toString(), QStringLiteral("Rent"));
    QCOMPARE(subject.at(1).toInt(), 0); // left
}

QTEST_GUILESS_MAIN(TestWordExport)
#include "tst_wordexport.moc"
