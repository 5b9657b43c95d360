#include "export/office/excelexport.h"

#include "export/office/officecontent.h"
#include "export/office/officeformats.h"
#include "res/stringtable.h"
#include "store/fileio.h"
#include "store/formatters.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

namespace {

// Excel's horizontal alignment constants.
constexpr int xlCenter = -4108;
constexpr int xlLeft = -4131;
constexpr int xlGeneral = 1;

enum class Style { Title, Subtitle, Label, Heading, Opening, Data };

struct CellLook
{
    bool bold;
    std::optional<quint32> fontColour; // a Windows colour value; none leaves it
    int alignment;                     // on the first cell of a row only for Opening and Data
    int border;                        // Excel's line style
    quint32 interior;
};

CellLook cellLook(Style style)
{
    switch (style) {
    case Style::Title:
        return {true, 0x000000, xlCenter, 8, 0x00FF00};
    case Style::Subtitle:
        return {true, 0x000000, xlCenter, 4, 0x5CC0C0};
    case Style::Label:
        return {false, std::nullopt, xlLeft, 1, 0x00FFC0};
    case Style::Heading:
        return {true, 0x800000, xlCenter, 1, 0xC0C0C0};
    case Style::Opening:
        return {false, std::nullopt, xlLeft, 1, 0x00FFFF};
    case Style::Data:
        return {false, std::nullopt, xlLeft, 1, 0xF1E3E7};
    }
    return {};
}

constexpr quint32 red = 0x0000FF;

// Excel's line styles (xlContinuous 1, xlDashDot 4, ...) as the file format's
// border styles. 8 is none of Excel's styles: it draws the title's frame heavier.
uint8_t borderStyle(int lineStyle)
{
    switch (lineStyle) {
    case 1:
        return LXW_BORDER_THIN;
    case 4:
        return LXW_BORDER_DASH_DOT;
    case 5:
        return LXW_BORDER_DASH_DOT_DOT;
    case 13:
        return LXW_BORDER_SLANT_DASH_DOT;
    case -4115:
        return LXW_BORDER_DASHED;
    case -4118:
        return LXW_BORDER_DOTTED;
    case -4119:
        return LXW_BORDER_DOUBLE;
    case -4142:
        return LXW_BORDER_NONE;
    default:
        return LXW_BORDER_MEDIUM;
    }
}

lxw_color_t colour(quint32 colorRef)
{
    const quint32 rgb = rgbFromColorRef(colorRef);
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : lxw_color_t(rgb); // 0 means "no colour" to the library
}

// Column width in characters of the default font (Calibri 11, whose digits
// are 7 pixels wide), estimated from the shapes of the characters.
double textWidth(const QString &text, bool bold)
{
    static const QString narrow = QStringLiteral(" .,:;'!|ijl");
    static const QString slim = QStringLiteral("()[]{}/\\-\"`frtI");
    static const QString wide = QStringLiteral("mwMW@%");
    double pixels = 0;
    for (const QChar c : text) {
        if (narrow.contains(c))
            pixels += 3;
        else if (slim.contains(c))
            pixels += 5;
        else if (wide.contains(c))
            pixels += 12;
        else if (c.isUpper())
            pixels += 9;
        else if (c.unicode() >= 0x2E80)
            pixels += 15; // CJK and other full-width characters
        else
            pixels += 7;
    }
    if (bold)
        pixels *= 1.06;
    // The cell's padding of five pixels, then whole pixels.
    return std::ceil(pixels + 5) / 7.0;
}

// Excel's limit for the text of a cell.
constexpr qsizetype maxCellText = 32767;

QByteArray cellText(QString text)
{
    text.remove(QChar(0));
    if (text.size() > maxCellText)
        text.truncate(maxCellText);
    return text.toUtf8();
}

class SheetWriter
{
public:
    SheetWriter(lxw_workbook *workbook, lxw_worksheet *sheet)
        : m_workbook(workbook)
        , m_sheet(sheet)
        , m_currency(cellText(excelCurrencyFormat()))
        , m_date(cellText(excelDateFormat()))
    {}

    void write(const OfficeContent &content);
    lxw_error error() const { return m_error; }

private:
    enum class Number { None, Currency, Date };

    // A cell in the given style; first marks the first cell of a data or opening row.
    void put(int row, int column, const OfficeCell &cell, Style style, bool first = false, bool redIfNegative = false);
    void putText(int row, int column, const QString &text, Style style, bool first = false);
    lxw_format *format(Style style, bool first, Number number, bool red);
    void check(lxw_error error);
    // Columns are fitted to the texts they show, as the spreadsheet's AutoFit would.
    void widen(int column, const QString &shown, Style style);
    void fitColumns();

    lxw_workbook *m_workbook;
    lxw_worksheet *m_sheet;
    QByteArray m_currency;
    QByteArray m_date;
    QMap<std::tuple<Style, bool, Number, bool>, lxw_format *> m_formats;
    double m_widths[4] = {0, 0, 0, 0};
    lxw_error m_error = LXW_NO_ERROR;
};

void SheetWriter::check(lxw_error error)
{
    if (m_error == LXW_NO_ERROR)
        m_error = error;
}

lxw_format *SheetWriter::format(Style style, bool first, Number number, bool red)
{
    const auto key = std::make_tuple(style, first, number, red);
    if (lxw_format *known = m_formats.value(key))
        return known;
    const CellLook look = cellLook(style);
    lxw_format *f = workbook_add_format(m_workbook);
    if (look.bold)
        format_set_bold(f);
    if (red)
        format_set_font_color(f, colour(::red));
    else if (look.fontColour)
        format_set_font_color(f, colour(*look.fontColour));
    const bool firstOnly = style == Style::Opening || style == Style::Data;
    const int alignment = firstOnly && !first ? xlGeneral : look.alignment;
    if (alignment == xlCenter)
        format_set_align(f, LXW_ALIGN_CENTER);
    else if (alignment == xlLeft)
        format_set_align(f, LXW_ALIGN_LEFT);
    format_set_border(f, borderStyle(look.border));
    format_set_bg_color(f, colour(look.interior));
    if (number == Number::Currency)
        format_set_num_format(f, m_currency.constData());
    else if (number == Number::Date)
        format_set_num_format(f, m_date.constData());
    m_formats.insert(key, f);
    return f;
}

void SheetWriter::putText(int row, int column, const QString &text, Style style, bool first)
{
    lxw_format *f = format(style, first, Number::None, false);
    if (text.isEmpty())
        check(worksheet_write_blank(m_sheet, lxw_row_t(row), lxw_col_t(column), f));
    else
        check(worksheet_write_string(m_sheet, lxw_row_t(row), lxw_col_t(column), cellText(text).constData(), f));
    widen(column, text, style);
}

void SheetWriter::put(int row, int column, const OfficeCell &cell, Style style, bool first, bool redIfNegative)
{
    QString shown;
    switch (cell.kind) {
    case OfficeCell::Kind::Text:
        putText(row, column, cell.text, style, first);
        return;
    case OfficeCell::Kind::Money: {
        const bool red = redIfNegative && cell.isNegativeMoney();
        check(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), cell.roundedValue(),
                                     format(style, first, Number::Currency, red)));
        shown = formatCurrencyPlain(moneyDigits(cell.value));
        break;
    }
    case OfficeCell::Kind::Date: {
        const std::optional<double> serial = excelSerialDate(cell.date);
        if (!serial) {
            putText(row, column, formatDate(cell.date), style, first);
            return;
        }
        check(worksheet_write_number(m_sheet, lxw_row_t(row), lxw_col_t(column), *serial,
                                     format(style, first, Number::Date, false)));
        shown = formatDate(cell.date);
        break;
    }
    }
    widen(column, shown, style);
}

void SheetWriter::write(const OfficeContent &content)
{
    // Rows and columns count from 0: row 0 is Excel's row 1, column 2 is C.
    putText(0, 2, content.title, Style::Title);
    put(2, 2, content.subtitle, Style::Subtitle);
    int row = 4;
    if (content.view == ExportView::Transactions) {
        putText(row, 0, QStringLiteral("Account No:  "), Style::Label);
        putText(row, 1, content.accountTitle, Style::Label);
        ++row;
    }
    for (int column = 0; column < 4; ++column)
        putText(row, column, content.headings[column], Style::Heading);
    ++row;
    if (content.view == ExportView::Transactions) {
        putText(row, 0, content.openingText, Style::Opening, true);
        put(row, 3, OfficeCell::fromMoney(content.openingBalance), Style::Opening);
        ++row;
    }
    const bool redNegatives = content.view == ExportView::Plans;
    for (const OfficeRow &cells : content.rows) {
        for (int column = 0; column < 4; ++column)
            put(row, column, cells[column], Style::Data, column == 0, redNegatives);
        ++row;
    }
    fitColumns();
}

void SheetWriter::widen(int column, const QString &shown, Style style)
{
    m_widths[column] = std::max(m_widths[column], textWidth(shown, cellLook(style).bold));
}

void SheetWriter::fitColumns()
{
    for (int column = 0; column < 4; ++column)
        check(worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), m_widths[column], nullptr));
}

QString reason(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

struct WorkbookClose
{
    void operator()(lxw_workbook *workbook) const { workbook_close(workbook); }
};

} // namespace

bool CExcelExport::write(const QString &path, const ExportSource &source)
{
    const std::optional<OfficeContent> content = officeContent(source);
    if (!content)
        return false;

    // The library writes a file of its own; the export file is then written
    // whole, or left as it was.
    QTemporaryDir work;
    if (!work.isValid())
        throw FileError(path, work.errorString());
    const QByteArray workDir = QFile::encodeName(work.path());
    const QString workFile = work.filePath(QStringLiteral("export.xlsx"));
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char *>(workDir.constData());
    // Closed on every way out; the normal way takes it back to see the close's result.
    std::unique_ptr<lxw_workbook, WorkbookClose> workbook(
        workbook_new_opt(QFile::encodeName(workFile).constData(), &options));
    if (!workbook)
        throw FileError(path, QStringLiteral("Out of memory"));
    lxw_error error = LXW_NO_ERROR;
    lxw_worksheet *sheet = workbook_add_worksheet(workbook.get(), nullptr);
    if (sheet) {
        SheetWriter writer(workbook.get(), sheet);
        writer.write(*content);
        error = writer.error();
    } else {
        error = LXW_ERROR_MEMORY_MALLOC_FAILED;
    }
    const lxw_error closed = workbook_close(workbook.release());
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR)
        throw FileError(path, reason(error));

    const std::optional<QByteArray> bytes = readWholeFile(workFile, std::numeric_limits<qint64>::max());
    if (!bytes)
        throw FileError(path, QStringLiteral("The workbook could not be read back"));
    writeExportFile(path, *bytes);
    return true;
}

QString CExcelExport::failureText()
{
    return LoadText(IDS_EXCEL_EXPORT_FAILED);
}
