#include "print/listprintjob.h"

#include "print/gprintunit.h"

#include <QPainter>
#include <QPrinter>

CListPrintJob::CListPrintJob(PrintTable table, const QString &titleSuffix, int screenPixelsPerCm)
    : GPrintJob(QStringLiteral("Fennimar") + titleSuffix)
    , m_table(std::move(table))
    , m_titleSuffix(titleSuffix)
    , m_screenPixelsPerCm(screenPixelsPerCm)
{}

double CListPrintJob::widthLimit(int pageWidth) const
{
    return pageWidth * 0.01 * m_screenPixelsPerCm * 0.6666666666666666;
}

QList<std::pair<int, int>> CListPrintJob::columnGroups(const QList<PrintColumn> &columns, double widthLimit)
{
    QList<std::pair<int, int>> groups;
    if (columns.size() <= 1)
        return groups;
    int running = columns[0].width;
    int start = 1;
    for (int i = 1; i < columns.size(); ++i) {
        running += columns[i].width;
        if (running > widthLimit || i == columns.size() - 1) {
            groups.append({start, i});
            start = i + 1;
            running = columns[0].width;
        }
    }
    return groups;
}

void CListPrintJob::printPages(QPainter &painter, QPrinter &printer)
{
    int pageNumber = 1;
    bool pageStarted = false;
    if (m_table.columns.isEmpty())
        return;
    QList<std::pair<int, int>> groups = columnGroups(m_table.columns, widthLimit(pageRect().width()));
    if (m_table.columns.size() == 1)
        groups = {{1, 0}};
    for (const auto &[first, last] : groups) {
        GPrintUnit unit(painter, printer, pageRect(), m_titleSuffix, pageNumber, pageStarted);
        unit.print(m_table, first, last);
    }
}
