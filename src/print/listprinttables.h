#pragma once

#include "listprintjob.h"
#include "rowtables.h"

// The tables the Print command prints, made from the store's rows with the
// lists' first column widths: what the desktop prints from a list of that
// size, and what fennimar-cli prints.
PrintTable plansPrintTable(const TransactionTable &rows);
PrintTable allTransactionsPrintTable(const TransactionTable &rows);
PrintTable accountTransPrintTable(const AccountTransRows &rows);

// The title that follows the program's name on every page.
QString printTitleSuffix(const QString &list);
