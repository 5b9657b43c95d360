#pragma once

#include "print/gprintjob.h"

#include <QList>
#include <QStringList>

// What a list shows, ready to print: its columns (heading, width on screen in
// pixels, alignment) and the texts of its rows.
struct PrintColumn
{
    QString heading;
    int width = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct PrintTable
{
    QList<PrintColumn> columns;
    QList<QStringList> rows;
};

// Prints a list as paged tables. A list wider than two thirds of the paper
// (measured in screen pixels per centimetre) is printed as several tables, each
// repeating the first column; every table starts on a new page.
class CListPrintJob : public GPrintJob
{
public:
    // titleSuffix: " - Plans", " - Transactions" or " - All Transactions".
    CListPrintJob(PrintTable table, const QString &titleSuffix, int screenPixelsPerCm);

    // The column groups: each a range [first, last] of columns after column 0.
    static QList<std::pair<int, int>> columnGroups(const QList<PrintColumn> &columns, double widthLimit);
    // The widest a table may be on screen for a page of this width in device units.
    double widthLimit(int pageWidth) const;

protected:
    void printPages(QPainter &painter, QPrinter &printer) override;

private:
    PrintTable m_table;
    QString m_titleSuffix;
    int m_screenPixelsPerCm;
};
