#pragma once

#include "export/exportsource.h"

#include <QList>
#include <QString>

// The texts and rows that the Text, CSV, HTML and PDF exports share.

// "%10.2f": at least ten characters, two decimals, a point, no grouping.
QString fixedAmount(double value);
// fixedAmount, then the locale's currency text without parentheses.
QString currencyAmount(double value);
// "<start> to <end>" in the short date format.
QString periodText(const ExportSource &source);
// The application's name, " - " and the view's name: "Fennimar - Plans".
QString exportTitle(ExportView view);

// A row's data, or an empty row for a row that carries none.
template <typename Data>
Data rowData(const ListRow<Data> &row)
{
    return row.data.value_or(Data{});
}

// The part of the one-account list that the exports write: the opening row and
// the period's transactions, each with the running balance the store gave it.
// The plans block after them is not exported.
struct ExportTransactions
{
    QString openingText; // the "Balance till" row's first column
    double openingBalance = 0.0;
    QList<TransactionRow> rows; // rows 1 to N - 1, in list order
};

ExportTransactions exportTransactions(const AccountTransRows &rows);
