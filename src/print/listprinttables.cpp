#include "print/listprinttables.h"

namespace {

template <typename Rows>
PrintTable tableOf(QList<PrintColumn> columns, const QList<int> &widths, const Rows &rows)
{
    for (qsizetype c = 0; c < columns.size() && c < widths.size(); ++c)
        columns[c].width = widths[c];
    PrintTable table;
    table.columns = columns;
    for (const auto &row : rows) {
        QStringList texts;
        for (qsizetype c = 0; c < columns.size(); ++c)
            texts << row.text(int(c));
        table.rows.append(texts);
    }
    return table;
}

} // namespace

PrintTable plansPrintTable(const TransactionTable &rows, const QList<int> &columnWidths)
{
    return tableOf({{QStringLiteral("Account No"), 150, Qt::AlignLeft},
                    {QStringLiteral("Date"), 150, Qt::AlignLeft},
                    {QStringLiteral("Subject"), 312, Qt::AlignLeft},
                    {QStringLiteral("Amount"), 100, Qt::AlignRight}},
                   columnWidths, rows);
}

PrintTable allTransactionsPrintTable(const TransactionTable &rows, const QList<int> &columnWidths)
{
    return tableOf({{QStringLiteral("Account No"), 150, Qt::AlignLeft},
                    {QStringLiteral("Date"), 150, Qt::AlignLeft},
                    {QStringLiteral("Subject"), 300, Qt::AlignLeft},
                    {QStringLiteral("Amount"), 100, Qt::AlignRight}},
                   columnWidths, rows);
}

PrintTable accountTransPrintTable(const AccountTransRows &rows, const QList<int> &columnWidths)
{
    return tableOf({{QStringLiteral("Date"), 160, Qt::AlignLeft},
                    {QStringLiteral("Transaction Name"), 260, Qt::AlignLeft},
                    {QStringLiteral("Amount"), 150, Qt::AlignRight},
                    {QStringLiteral("Balance"), 155, Qt::AlignRight}},
                   columnWidths, rows.rows);
}

QString printTitleSuffix(const QString &list)
{
    if (list == QLatin1String("plans"))
        return QStringLiteral(" - Plans");
    if (list == QLatin1String("transactions"))
        return QStringLiteral(" - Transactions");
    return QStringLiteral(" - All Transactions");
}
