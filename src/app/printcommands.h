#pragma once

#include "app/commandregistry.h"
#include "print/listprintjob.h"

#include <QObject>

#include <optional>

class CMainFrame;
class QPrinter;

// Print and Print Preview: the plans list or one of the transactions lists as
// paged tables, made from the store's rows in the order the list shows them.
class CPrintCommands : public QObject
{
    Q_OBJECT

public:
    explicit CPrintCommands(CMainFrame &frame);

    static const QList<Command<CPrintCommands>> &commands();

    // What Print prints from the current view: the table, the title that
    // follows the program's name, and the screen's pixels per centimetre the
    // column widths are measured in. Nothing outside the Planner and
    // Transactions views.
    struct PrintedList
    {
        PrintTable table;
        QString titleSuffix;
        int screenPixelsPerCm = 0;
    };
    std::optional<PrintedList> printedList() const;

private:
    void print();
    void printPreview();

    CMainFrame &m_frame;
};
