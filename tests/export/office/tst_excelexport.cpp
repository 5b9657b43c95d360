#include "export/office/excelexport.h"
#include "officetestutil.h"

#include <QTest>

using namespace testutil;

namespace {

// One line per cell of the one sheet, in order: "<address> <value> | <look>". The value
// is "text:", "money:" or "date:" and what the cell holds; the look is bold, font colour,
// fill and horizontal alignment of its style, "-" for none.
QStringList sheetCells(const QString &path)
{
    const auto xml = [&](const QString &name) { return zipXml(path, name).documentElement(); };
    const QDomElement styles = xml("xl/styles.xml");
    const auto style = [&](const QString &list, const QDomElement &e, const QString &id) {
        return elements(at(styles, list)).value(e.attribute(id).toInt());
    };
    const auto value = [](const QDomElement &e, const QString &path, const QString &attribute) {
        const QString text = at(e, path).attribute(attribute);
        return text.isEmpty() ? QStringLiteral("-") : text;
    };
    QStringList shared;
    for (const QDomElement &si : elements(xml("xl/sharedStrings.xml")))
        shared << si.firstChildElement("t").text();
    QMap<QString, QString> formats{{R"f("$"#,##0.00;"($"#,##0.00")")f", "money:"}, {R"f(m"/"d"/"yy)f", "date:"}};
    for (const QDomElement &f : elements(at(styles, "numFmts")))
        formats.insert(f.attribute("numFmtId"), formats.value(f.attribute("formatCode"), "other:"));
    QStringList cells;
    for (const QDomElement &row : elements(at(xml("xl/worksheets/sheet1.xml"), "sheetData"))) {
        for (const QDomElement &c : elements(row)) {
            const QDomElement xf = style("cellXfs", c, "s");
            const QString v = c.firstChildElement("v").text();
            const QDomElement font = style("fonts", xf, "fontId");
            const QDomElement fill = style("fills", xf, "fillId").firstChildElement("patternFill");
            cells << QStringList{c.attribute("r"),
                                 c.attribute("t") == "s" ? "text:" + shared.value(v.toInt())
                                                         : formats.value(xf.attribute("numFmtId"), "other:") + v,
                                 "|",
                                 font.firstChildElement("b").isNull() ? "-" : "b",
                                 value(font, "color", "rgb"),
                                 fill.attribute("patternType") == "solid" ? value(fill, "fgColor", "rgb") : "-",
                                 value(xf, "alignment", "horizontal")}
                         .join(u' ');
        }
    }
    return cells;
}

const QString title = QStringLiteral("b FF000000 FF00FF00 center");
const QString subtitle = QStringLiteral("b FF000000 FFC0C05C center");
const QString label = QStringLiteral("- - FFC0FF00 left");
const QString heading = QStringLiteral("b FF000080 FFC0C0C0 center");
const QString dataFirst = QStringLiteral("- - FFE7E3F1 left");
const QString data = QStringLiteral("- - FFE7E3F1 -");

// The cells of a row from column A on, each in the look at its column or the last look.
QStringList row(int number, const QStringList &values, const QStringList &looks)
{
    QStringList cells;
    for (int i = 0; i < values.size(); ++i)
        cells << QChar(u'A' + i) + QString::number(number) + u' ' + values[i] + " | " + looks.value(i, looks.last());
    return cells;
}

} // namespace

class TestExcelExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { useUsEnglish(); }

    void sheet_data()
    {
        QTest::addColumn<ExportSource>("source");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("accounts")
            << sample(ExportView::Accounts)
            << QStringList{"C1 text:Fennimar - Accounts | " + title, "C3 date:46362 | " + subtitle}
                   + row(5, {"text:Account Number", "text:Name", "text:Bank", "text:Balance"}, {heading})
                   + row(6, {"text:1001", "text:Checking", "text:First Bank", "money:1234.5"}, {dataFirst, data})
                   + row(7, {"text:2002", "text:Savings & <Co>", "text:Second \"Bank\"", "money:-12.5"},
                         {dataFirst, data})
                   + row(8, {"text:0003", "text:=SUM(A1:A2)", "text:12/6/26", "money:0"}, {dataFirst, data});
        QTest::newRow("transactions")
            << sample(ExportView::Transactions)
            << QStringList{"C1 text:Fennimar - Transactions | " + title, "C3 text:12/1/26 to 12/31/26 | " + subtitle}
                   + row(5, {"text:Account No:  ", "text:First Bank - 1001"}, {label})
                   + row(6, {"text:Date", "text:Subject", "text:Amount", "text:Balance"}, {heading})
                   + QStringList{"A7 text:Balance till 11/30/26 | - - FFFFFF00 left", "D7 money:100 | - - FFFFFF00 -"}
                   + row(8, {"date:46361", "text:Salary", "money:2000", "money:2100"}, {dataFirst, data})
                   + row(9, {"date:46366", "text:Rent", "money:-2500", "money:-400"}, {dataFirst, data});
        // Negative plans are red.
        QTest::newRow("plans")
            << sample(ExportView::Plans)
            << QStringList{"C1 text:Fennimar - Plans | " + title, "C3 text:12/1/26 to 12/31/26 | " + subtitle}
                   + row(5, {"text:Account Number", "text:Date", "text:Subject", "text:Amount"}, {heading})
                   + row(6, {"text:1001", "date:46376", "text:Insurance", "money:-75.25"},
                         {dataFirst, data, data, "- FFFF0000 FFE7E3F1 -"})
                   + row(7, {"text:2002", "date:46402", "text:Bonus", "money:300"}, {dataFirst, data});
    }

    // Every cell, nothing beyond column D or between the rows; columns A to D fitted.
    void sheet()
    {
        QFETCH(ExportSource, source);
        QFETCH(QStringList, cells);
        const QString path = written<CExcelExport>(source, ".xlsx");
        QCOMPARE(sheetCells(path), cells);
        QStringList cols;
        const QDomElement sheet = zipXml(path, "xl/worksheets/sheet1.xml").documentElement();
        for (const QDomElement &c : elements(at(sheet, "cols")))
            cols << c.attribute("min") + u'-' + c.attribute("max") + (c.attribute("width").toDouble() > 5 ? "" : "?");
        QCOMPARE(cols, (QStringList{"1-1", "2-2", "3-3", "4-4"}));
    }

    void writes() { checkWrites<CExcelExport>(sample(ExportView::Accounts)); }

    void readByOpenpyxl()
    {
        const QByteArray json = runPython("openpyxl", R"(
ws = openpyxl.load_workbook(sys.argv[1]).active
print(json.dumps([[c.value.isoformat() if c.is_date else c.value for c in row] for row in ws.iter_rows(min_row=7)]))
)",
                                          written<CExcelExport>(sample(ExportView::Transactions), ".xlsx"));
        if (json.startsWith("skip: "))
            QSKIP(json.constData() + 6);
        // A reader sees dates and numbers it can compute with, and nothing beyond them.
        QCOMPARE(json, QJsonDocument::fromJson(R"([["Balance till 11/30/26", null, null, 100],
            ["2026-12-05T00:00:00", "Salary", 2000, 2100], ["2026-12-10T00:00:00", "Rent", -2500, -400]])")
                           .toJson(QJsonDocument::Compact));
    }
};

QTEST_GUILESS_MAIN(TestExcelExport)
#include "tst_excelexport.moc"
