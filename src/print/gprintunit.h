#pragma once

#include "print/listprintjob.h"

#include <QFont>
#include <QRect>

class QPainter;
class QPrinter;

// The layout of one printed table: fonts, columns, the page header, rows and
// page breaks. Text too wide for its cell goes on in continuation lines.
class GPrintUnit
{
public:
    // pageNumber counts on across the units of one run.
    GPrintUnit(QPainter &painter, QPrinter &printer, const QRect &pageRect, const QString &headerTitle, int &pageNumber,
               bool &pageStarted);

    // Prints column 0 and the columns first to last of the table.
    void print(const PrintTable &table, int first, int last);

    // The first line of a text laid out at a width, and what is left after it.
    static std::pair<QString, QString> firstLine(const QString &text, const QFont &font, QPaintDevice *device,
                                                 int width);

private:
    struct Column
    {
        QString heading;
        int x = 0;
        int width = 0;
        Qt::Alignment alignment;
    };

    void startPage();
    void endPage();
    void printHeader();
    void printRow(const QStringList &texts);
    QRect cellRect(const Column &column, int lines) const;

    QPainter &m_painter;
    QPrinter &m_printer;
    QRect m_page;
    QRect m_body;
    QString m_headerTitle;
    int &m_pageNumber;
    bool &m_pageStarted;
    QFont m_headingFont;
    QFont m_bodyFont;
    QFont m_headerFont;
    QFont m_footerFont;
    int m_rowHeight = 0;
    int m_y = 0;
    QList<Column> m_columns;
    QList<int> m_sourceColumns;
};
