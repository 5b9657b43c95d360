#pragma once

#include "store/oledatetime.h"
#include "store/rowtables.h"

#include <QByteArray>
#include <QString>

// The view whose list an export writes.
enum class ExportView { Accounts, Transactions, Plans, Other };

// Everything an export reads: the rows of the list the content pane shows, as
// the store built them, and the filter state.
struct ExportSource
{
    ExportView view = ExportView::Other;
    AccountTable accounts;         // Accounts view: the account list
    AccountTransRows transactions; // Transactions view: the one-account list and its count N
    TransactionTable plans;        // Planner view: the plans list
    bool accountSelected = false;  // Transactions view: a real account, not "All", is chosen
    QString accountTitle;          // its selector text: bank + " - " + account number
    OleDateTime from;              // the period of the filter's date pickers
    OleDateTime to;
    OleDateTime now; // the current date and time (the accounts heading shows it)
};

// The title of each view's export: "Accounts", "Transactions", "Plans"; empty otherwise.
QString exportViewName(ExportView view);

// Writes an export file whole (temporary file, then rename). Throws FileError.
void writeExportFile(const QString &path, const QByteArray &bytes);
