#include "listprinttables.h"

namespace {

template <typename Rows>
PrintTable tableOf(const QList<PrintColumn> &columns, const Rows &rows)
{
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

PrintTable plansPrintTable(const TransactionTable &rows)
{
    return tableOf({{QStringLiteral("Account No"), 150, Qt::AlignLeft},
                    {QStringLiteral("Date"), 150, Qt::AlignLeft},
                    {QStringLiteral("Subject"), 312, Qt::AlignLeft},
                    {QStringLiteral("Amount"), 100, Qt::AlignRight}},
                   rows);
}

PrintTable allTransactionsPrintTable(const TransactionTable &rows)
{
    return tableOf({{QStringLiteral("Account No"), 150, Qt::AlignLeft},
                    {QStringLiteral("Date"), 150, Qt::AlignLeft},
                    {QStringLiteral("Subject"), 300, Qt::AlignLeft},
                    {QStringLiteral("Amount"), 100, Qt::AlignRight}},
                   rows);
}

PrintTable accountTransPrintTable(const AccountTransRows &rows)
{
    return tableOf({{QStringLiteral("Date"), 160, Qt::AlignLeft},
                    {QStringLiteral("Transaction Name"), 260, Qt::AlignLeft},
                    {QStringLiteral("Amount"), 150, Qt::AlignRight},
                    {QStringLiteral("Balance"), 155, Qt::AlignRight}},
                   rows.rows);
}

QString printTitleSuffix(const QString &list)
{
    if (list == QLatin1String("plans"))
        return QStringLiteral(" - Plans");
    if (list == QLatin1String("transactions"))
        return QStringLiteral(" - Transactions");
    return QStringLiteral(" - All Transactions");
}
