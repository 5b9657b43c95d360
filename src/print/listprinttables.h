#pragma once

#include "print/listprintjob.h"
#include "store/rowtables.h"

#include <QList>

// The tables the Print command prints, made from the store's rows: the
// desktop program passes the rows in the order its list shows them and the
// list's column widths on screen (in pixels); without widths the lists' first
// widths are used, as fennimar-cli prints.
PrintTable plansPrintTable(const TransactionTable &rows, const QList<int> &columnWidths = {});
PrintTable allTransactionsPrintTable(const TransactionTable &rows, const QList<int> &columnWidths = {});
PrintTable accountTransPrintTable(const AccountTransRows &rows, const QList<int> &columnWidths = {});

// The title that follows the program's name on every page.
QString printTitleSuffix(const QString &list);
