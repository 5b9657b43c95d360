#include "excelexport.h"
#include "fileio.h"
#include "officetestutil.h"
#include "stringtable.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using namespace testutil;

namespace {

// What a sheet holds for one cell, its style resolved.
struct Cell
{
    QString type; // the cell's t attribute: "s" shared string, empty for a number
    QString value;
    QString text; // the shared string or the number as written
    bool bold = false;
    QString fontColour; // ARGB, empty when the cell leaves the font's colour
    QString fill;       // the solid fill's ARGB, empty for none
    QString align;      // horizontal alignment, empty for general
    QString border;     // the left border's style (all four are the same)
    QString numberFormat;
};

// Reads the one sheet of a workbook written by the export.
class Workbook
{
public:
    explicit Workbook(const QString &path);

    bool isValid() const { return m_valid; }
    const QMap<QString, Cell> &cells() const { return m_cells; }
    Cell cell(const QString &address) const { return m_cells.value(address); }
    QString text(const QString &address) const { return m_cells.value(address).text; }
    // The first and last column numbers (1 = A) of each <col> entry, with their widths.
    QList<std::tuple<int, int, double>> columns() const { return m_columns; }

private:
    bool m_valid = false;
    QMap<QString, Cell> m_cells;
    QList<std::tuple<int, int, double>> m_columns;
};

Workbook::Workbook(const QString &path)
{
    const QDomDocument sheet = zipXml(path, QStringLiteral("xl/worksheets/sheet1.xml"));
    const QDomDocument styles = zipXml(path, QStringLiteral("xl/styles.xml"));
    const QDomDocument strings = zipXml(path, QStringLiteral("xl/sharedStrings.xml"));
    if (sheet.isNull() || styles.isNull())
        return;

    QStringList shared;
    for (const QDomElement &si : children(strings.documentElement(), QStringLiteral("si")))
        shared << descendant(si, QStringLiteral("t")).text();

    const QDomElement root = styles.documentElement();
    QMap<QString, QString> numberFormats;
    for (const QDomElement &f : children(descendant(root, QStringLiteral("numFmts"))))
        numberFormats.insert(f.attribute(QStringLiteral("numFmtId")), f.attribute(QStringLiteral("formatCode")));
    const QList<QDomElement> fonts = children(descendant(root, QStringLiteral("fonts")));
    const QList<QDomElement> fills = children(descendant(root, QStringLiteral("fills")));
    const QList<QDomElement> borders = children(descendant(root, QStringLiteral("borders")));
    const QList<QDomElement> xfs = children(descendant(root, QStringLiteral("cellXfs")));

    for (const QDomElement &row : children(descendant(sheet.documentElement(), QStringLiteral("sheetData")))) {
        for (const QDomElement &c : children(row, QStringLiteral("c"))) {
            Cell cell;
            cell.type = c.attribute(QStringLiteral("t"));
            cell.value = descendant(c, QStringLiteral("v")).text();
            cell.text = cell.type == QStringLiteral("s") ? shared.value(cell.value.toInt()) : cell.value;
            const QDomElement xf = xfs.value(c.attribute(QStringLiteral("s"), QStringLiteral("0")).toInt());
            const QDomElement font = fonts.value(xf.attribute(QStringLiteral("fontId")).toInt());
            cell.bold = !descendant(font, QStringLiteral("b")).isNull();
            cell.fontColour = descendant(font, QStringLiteral("color")).attribute(QStringLiteral("rgb"));
            const QDomElement pattern =
                descendant(fills.value(xf.attribute(QStringLiteral("fillId")).toInt()), QStringLiteral("patternFill"));
            if (pattern.attribute(QStringLiteral("patternType")) == QStringLiteral("solid"))
                cell.fill = descendant(pattern, QStringLiteral("fgColor")).attribute(QStringLiteral("rgb"));
            cell.align = descendant(xf, QStringLiteral("alignment")).attribute(QStringLiteral("horizontal"));
            cell.border = descendant(borders.value(xf.attribute(QStringLiteral("borderId")).toInt()),
                                     QStringLiteral("left"))
                              .attribute(QStringLiteral("style"));
            cell.numberFormat = numberFormats.value(xf.attribute(QStringLiteral("numFmtId")));
            m_cells.insert(c.attribute(QStringLiteral("r")), cell);
        }
    }
    for (const QDomElement &col : children(descendant(sheet.documentElement(), QStringLiteral("cols"))))
        m_columns << std::make_tuple(col.attribute(QStringLiteral("min")).toInt(),
                                     col.attribute(QStringLiteral("max")).toInt(),
                                     col.attribute(QStringLiteral("width")).toDouble());
    m_valid = true;
}

const QString currency = QStringLiteral(R"f("$"#,##0.00;"($"#,##0.00")")f");
const QString shortDate = QStringLiteral(R"f(m"/"d"/"yy)f");

// Expected styles: bold, font colour, fill, alignment, border.
struct Look
{
    bool bold;
    QString fontColour;
    QString fill;
    QString align;
    QString border;
};

const Look title{true, QStringLiteral("FF000000"), QStringLiteral("FF00FF00"), QStringLiteral("center"),
                 QStringLiteral("medium")};
const Look subtitle{true, QStringLiteral("FF000000"), QStringLiteral("FFC0C05C"), QStringLiteral("center"),
                    QStringLiteral("dashDot")};
const Look label{false, QString(), QStringLiteral("FFC0FF00"), QStringLiteral("left"), QStringLiteral("thin")};
const Look heading{true, QStringLiteral("FF000080"), QStringLiteral("FFC0C0C0"), QStringLiteral("center"),
                   QStringLiteral("thin")};
const Look openingFirst{false, QString(), QStringLiteral("FFFFFF00"), QStringLiteral("left"), QStringLiteral("thin")};
const Look opening{false, QString(), QStringLiteral("FFFFFF00"), QString(), QStringLiteral("thin")};
const Look dataFirst{false, QString(), QStringLiteral("FFE7E3F1"), QStringLiteral("left"), QStringLiteral("thin")};
const Look data{false, QString(), QStringLiteral("FFE7E3F1"), QString(), QStringLiteral("thin")};
const Look dataRed{false, QStringLiteral("FFFF0000"), QStringLiteral("FFE7E3F1"), QString(), QStringLiteral("thin")};

// A cell's kind of value and its text or number, as "text:<t>", "number:<v>",
// "date:<serial>" or "money:<v>", and its look.
using Expected = QList<std::tuple<QString, QString, Look>>;

QString describe(const Cell &cell)
{
    if (cell.type == QStringLiteral("s"))
        return QStringLiteral("text:") + cell.text;
    if (cell.numberFormat == currency)
        return QStringLiteral("money:") + cell.value;
    if (cell.numberFormat == shortDate)
        return QStringLiteral("date:") + cell.value;
    return QStringLiteral("other:%1:%2:%3").arg(cell.type, cell.value, cell.numberFormat);
}

void compareLook(const QString &address, const Cell &cell, const Look &look)
{
    QVERIFY2(cell.bold == look.bold, qPrintable(address));
    QCOMPARE(cell.fontColour, look.fontColour);
    QCOMPARE(cell.fill, look.fill);
    QCOMPARE(cell.align, look.align);
    QCOMPARE(cell.border, look.border);
}

} // namespace

class TestExcelExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { useUsEnglish(); }

    void sheet_data();
    void sheet();
    void columnsFitted();
    void textsAreText();
    void shownTextsOfTheLocale();
    void nothingForAnEmptyList_data() { addEmptySources(); }
    void nothingForAnEmptyList();
    void failedWrites();
    void failureText();
    void readByOpenpyxl();

private:
    QTemporaryDir m_dir;
};

void TestExcelExport::sheet_data()
{
    QTest::addColumn<ExportSource>("source");
    QTest::addColumn<Expected>("expected");

    QTest::newRow("accounts") << accountsSource()
                              << Expected{
                                     {"C1", "text:Fennimar - Accounts", title},
                                     {"C3", "date:46362", subtitle},
                                     {"A5", "text:Account Number", heading},
                                     {"B5", "text:Name", heading},
                                     {"C5", "text:Bank", heading},
                                     {"D5", "text:Balance", heading},
                                     {"A6", "text:1001", dataFirst},
                                     {"B6", "text:Checking", data},
                                     {"C6", "text:First Bank", data},
                                     {"D6", "money:1234.5", data},
                                     {"A7", "text:2002", dataFirst},
                                     {"B7", "text:Savings & <Co>", data},
                                     {"C7", "text:Second \"Bank\"", data},
                                     {"D7", "money:-12.5", data},
                                     {"A8", "text:3003", dataFirst},
                                     {"B8", "text:Zero", data},
                                     {"C8", "text:Third", data},
                                     {"D8", "money:0", data},
                                 };

    QTest::newRow("transactions") << transactionsSource()
                                  << Expected{
                                         {"C1", "text:Fennimar - Transactions", title},
                                         {"C3", "text:12/1/26 to 12/31/26", subtitle},
                                         {"A5", "text:Account No:  ", label},
                                         {"B5", "text:First Bank - 1001", label},
                                         {"A6", "text:Date", heading},
                                         {"B6", "text:Subject", heading},
                                         {"C6", "text:Amount", heading},
                                         {"D6", "text:Balance", heading},
                                         {"A7", "text:Balance till 11/30/26", openingFirst},
                                         {"D7", "money:100", opening},
                                         {"A8", "date:46361", dataFirst},
                                         {"B8", "text:Salary", data},
                                         {"C8", "money:2000", data},
                                         {"D8", "money:2100", data},
                                         {"A9", "date:46366", dataFirst},
                                         {"B9", "text:Rent", data},
                                         {"C9", "money:-2500", data},
                                         {"D9", "money:-400", data},
                                     };

    QTest::newRow("plans") << plansSource()
                           << Expected{
                                  {"C1", "text:Fennimar - Plans", title},
                                  {"C3", "text:12/1/26 to 12/31/26", subtitle},
                                  {"A5", "text:Account Number", heading},
                                  {"B5", "text:Date", heading},
                                  {"C5", "text:Subject", heading},
                                  {"D5", "text:Amount", heading},
                                  {"A6", "text:1001", dataFirst},
                                  {"B6", "date:46376", data},
                                  {"C6", "text:Insurance", data},
                                  {"D6", "money:-75.25", dataRed},
                                  {"A7", "text:2002", dataFirst},
                                  {"B7", "date:46402", data},
                                  {"C7", "text:Bonus", data},
                                  {"D7", "money:300", data},
                              };
}

void TestExcelExport::sheet()
{
    QFETCH(ExportSource, source);
    QFETCH(Expected, expected);
    const QString path = m_dir.filePath(QStringLiteral("sheet.xlsx"));
    QVERIFY(CExcelExport().write(path, source));
    const Workbook book(path);
    QVERIFY(book.isValid());

    QStringList addresses;
    for (const auto &[address, value, look] : expected) {
        addresses << address;
        const Cell cell = book.cell(address);
        QCOMPARE(describe(cell), value);
        compareLook(address, cell, look);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("at ") + address));
    }
    // No other cell: nothing beyond column D, nothing between the rows.
    std::sort(addresses.begin(), addresses.end());
    QCOMPARE(book.cells().keys(), addresses);
}

void TestExcelExport::columnsFitted()
{
    const QString path = m_dir.filePath(QStringLiteral("columns.xlsx"));
    ExportSource source = plansSource();
    source.plans[1].data->subject = QStringLiteral("A subject much longer than any heading of the sheet");
    QVERIFY(CExcelExport().write(path, source));
    const Workbook book(path);
    const auto columns = book.columns();
    QCOMPARE(columns.size(), 4);
    QMap<int, double> widths;
    for (const auto &[first, last, width] : columns) {
        QCOMPARE(first, last);
        widths.insert(first, width);
    }
    QCOMPARE(widths.keys(), (QList<int>{1, 2, 3, 4}));
    // The long subject makes C the widest; each column holds its longest text.
    QVERIFY(widths[3] > 40);
    QVERIFY(widths[3] > widths[1] && widths[3] > widths[2] && widths[3] > widths[4]);
    QVERIFY(widths[1] >= QStringLiteral("Account Number").size());
    QVERIFY(widths[2] >= QStringLiteral("12/20/26").size());
    QVERIFY(widths[4] >= QStringLiteral("($75.25)").size());
}

void TestExcelExport::textsAreText()
{
    // Texts that read as numbers, dates or formulas stay texts.
    ExportSource source = accountsSource();
    source.accounts[0].data->accountNumber = QStringLiteral("000123");
    source.accounts[0].data->name = QStringLiteral("=SUM(A1:A2)");
    source.accounts[0].data->bank = QStringLiteral("12/6/26");
    const QString path = m_dir.filePath(QStringLiteral("texts.xlsx"));
    QVERIFY(CExcelExport().write(path, source));
    const Workbook book(path);
    QCOMPARE(describe(book.cell(QStringLiteral("A6"))), QStringLiteral("text:000123"));
    QCOMPARE(describe(book.cell(QStringLiteral("B6"))), QStringLiteral("text:=SUM(A1:A2)"));
    QCOMPARE(describe(book.cell(QStringLiteral("C6"))), QStringLiteral("text:12/6/26"));
}

void TestExcelExport::shownTextsOfTheLocale()
{
    // A German sheet: the formats follow the locale.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString path = m_dir.filePath(QStringLiteral("de.xlsx"));
    QVERIFY(CExcelExport().write(path, plansSource()));
    const Workbook book(path);
    QCOMPARE(book.cell(QStringLiteral("D6")).numberFormat,
             QStringLiteral("#,##0.00\"\u00A0\u20AC\";\"-\"#,##0.00\"\u00A0\u20AC\""));
    QCOMPARE(book.cell(QStringLiteral("B6")).numberFormat, QStringLiteral(R"f(dd"."mm"."yy)f"));
    QCOMPARE(book.text(QStringLiteral("C3")), QStringLiteral("01.12.26 to 31.12.26"));
}

void TestExcelExport::nothingForAnEmptyList()
{
    QFETCH(ExportSource, source);
    const QString path = m_dir.filePath(QStringLiteral("empty.xlsx"));
    QVERIFY(!CExcelExport().write(path, source));
    QVERIFY(!QFileInfo::exists(path));
}

void TestExcelExport::failedWrites()
{
    checkFailedWrites<CExcelExport>(m_dir, accountsSource());
}

void TestExcelExport::failureText()
{
    QCOMPARE(CExcelExport::failureText(), QStringLiteral("There was a problem exporting the document to MS Excel\n"
                                                         "Please contact support@fennimar.org"));
}

void TestExcelExport::readByOpenpyxl()
{
    const QString path = m_dir.filePath(QStringLiteral("openpyxl.xlsx"));
    QVERIFY(CExcelExport().write(path, transactionsSource()));
    const QString script = QStringLiteral(R"(
import json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
cells = {}
for row in ws.iter_rows():
    for c in row:
        if c.value is None and not c.has_style:
            continue
        v = c.value.isoformat() if hasattr(c.value, 'isoformat') else c.value
        font = c.font.color.rgb if c.font.color is not None and c.font.color.type == 'rgb' else None
        fill = c.fill.fgColor.rgb if c.fill.fill_type == 'solid' else None
        cells[c.coordinate] = [v, c.is_date, bool(c.font.b), font, fill]
widths = {k: d.width for k, d in ws.column_dimensions.items() if d.customWidth}
print(json.dumps({'cells': cells, 'max_column': ws.max_column, 'max_row': ws.max_row, 'widths': widths}))
)");
    const PythonResult result = runPython(QStringLiteral("openpyxl"), script, {path});
    if (!result.skip.isEmpty())
        QSKIP(qPrintable(result.skip));
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    const QJsonObject root = result.json.object();
    QCOMPARE(root.value(QStringLiteral("max_column")).toInt(), 4);
    QCOMPARE(root.value(QStringLiteral("max_row")).toInt(), 9);
    QCOMPARE(root.value(QStringLiteral("widths")).toObject().keys(),
             (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}));
    const QJsonObject cells = root.value(QStringLiteral("cells")).toObject();
    const auto cell = [&](const char *address) { return cells.value(QLatin1String(address)).toArray(); };
    QCOMPARE(cell("C1").at(0).toString(), QStringLiteral("Fennimar - Transactions"));
    QCOMPARE(cell("C1").at(2).toBool(), true);
    QCOMPARE(cell("C1").at(4).toString(), QStringLiteral("FF00FF00"));
    QCOMPARE(cell("A5").at(0).toString(), QStringLiteral("Account No:  "));
    QCOMPARE(cell("A6").at(3).toString(), QStringLiteral("FF000080"));
    QCOMPARE(cell("A7").at(4).toString(), QStringLiteral("FFFFFF00"));
    QCOMPARE(cell("D7").at(0).toDouble(), 100.0);
    // A reader sees dates and numbers it can compute with.
    QCOMPARE(cell("A8").at(0).toString(), QStringLiteral("2026-12-05T00:00:00"));
    QCOMPARE(cell("A8").at(1).toBool(), true);
    QCOMPARE(cell("C9").at(0).toDouble(), -2500.0);
    QCOMPARE(cell("C9").at(1).toBool(), false);
    QCOMPARE(cell("D9").at(4).toString(), QStringLiteral("FFE7E3F1"));
    QVERIFY(!cells.contains(QStringLiteral("A10")));
}

QTEST_GUILESS_MAIN(TestExcelExport)
#include "tst_excelexport.moc"
