#include "print/gprintunit.h"

#include "res/stringtable.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

GPrintUnit::GPrintUnit(QPainter &painter, QPrinter &printer, const QRect &pageRect, const QString &headerTitle,
                       int &pageNumber, bool &pageStarted)
    : m_painter(painter)
    , m_printer(printer)
    , m_page(pageRect)
    , m_headerTitle(headerTitle)
    , m_pageNumber(pageNumber)
    , m_pageStarted(pageStarted)
    , m_headingFont(QStringLiteral("Arial"), 9, QFont::Bold)
    , m_bodyFont(QStringLiteral("Arial"), 9)
    , m_headerFont(QStringLiteral("Garamond"), 11)
    , m_footerFont(QStringLiteral("Garamond"), 9)
{
    const int headerArea = 2 * QFontMetrics(m_headerFont, &m_printer).height();
    const int footerArea = 2 * QFontMetrics(m_footerFont, &m_printer).height();
    m_rowHeight = QFontMetrics(m_bodyFont, &m_printer).height();
    m_body = m_page.adjusted(0, headerArea, 0, -footerArea);
}

std::pair<QString, QString> GPrintUnit::firstLine(const QString &text, const QFont &font, QPaintDevice *device,
                                                  int width)
{
    QTextLayout layout(text, font, device);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return {text, QString()};
    }
    line.setLineWidth(width);
    const int length = qMax(1, line.textLength());
    layout.endLayout();
    return {text.left(length), text.mid(length)};
}

QRect GPrintUnit::cellRect(const Column &column, int lines) const
{
    const int inset = int(column.width * 0.015);
    return QRect(column.x, m_y, column.width - inset, m_rowHeight * lines);
}

void GPrintUnit::print(const PrintTable &table, int first, int last)
{
    m_sourceColumns = {0};
    for (int c = first; c <= last; ++c)
        m_sourceColumns << c;
    int total = 0;
    for (int c : m_sourceColumns)
        total += table.columns[c].width;
    m_columns.clear();
    int x = m_body.left();
    for (int c : m_sourceColumns) {
        const PrintColumn &source = table.columns[c];
        const int width = total > 0 ? int(double(source.width) / total * m_body.width()) : 0;
        m_columns << Column{source.heading.left(200), x, width, source.alignment};
        x += width;
    }

    startPage();
    for (const QStringList &row : table.rows) {
        if (m_y + m_rowHeight > m_body.bottom()) {
            endPage();
            startPage();
        }
        QStringList texts;
        for (int c : m_sourceColumns)
            texts << row.value(c).left(200);
        printRow(texts);
    }
    endPage();
}

void GPrintUnit::startPage()
{
    if (m_pageStarted)
        m_printer.newPage();
    m_pageStarted = true;
    m_y = m_body.top();
    printHeader();
    m_painter.setFont(m_headingFont);
    for (const Column &column : m_columns)
        m_painter.drawText(cellRect(column, 1), int(column.alignment | Qt::AlignVCenter | Qt::TextSingleLine),
                           column.heading);
    m_y += m_rowHeight;
    m_painter.drawLine(m_body.left(), m_y, m_body.right(), m_y);
    m_y += 10;
    m_painter.setFont(m_bodyFont);
}

void GPrintUnit::endPage()
{
    ++m_pageNumber;
}

void GPrintUnit::printHeader()
{
    m_painter.setFont(m_headerFont);
    const QRect area(m_page.left(), m_page.top(), m_page.width(), m_body.top() - m_page.top());
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    m_painter.drawText(area, flags | Qt::AlignHCenter, LoadText(IDS_PRINT_TITLE) + m_headerTitle);
    m_painter.drawText(area, flags | Qt::AlignRight,
                       LoadText(IDS_PRINT_PAGE).replace(QLatin1String("%d"), QString::number(m_pageNumber)));
}

void GPrintUnit::printRow(const QStringList &texts)
{
    QStringList waiting = texts;
    bool firstLineOfRow = true;
    while (true) {
        bool more = false;
        for (int i = 0; i < m_columns.size(); ++i) {
            const QString text = waiting[i];
            // Empty cells are skipped; column 0 always prints on the row's first line.
            if (text.isEmpty() && !(i == 0 && firstLineOfRow))
                continue;
            const QRect cell = cellRect(m_columns[i], 1);
            const auto [line, rest] = firstLine(text, m_bodyFont, &m_printer, cell.width());
            m_painter.drawText(cell, int(m_columns[i].alignment | Qt::AlignVCenter | Qt::TextSingleLine), line);
            waiting[i] = rest;
            more = more || !rest.isEmpty();
        }
        m_y += m_rowHeight;
        firstLineOfRow = false;
        if (!more)
            break;
        if (m_y + m_rowHeight > m_body.bottom()) {
            endPage();
            startPage();
        }
    }
}
