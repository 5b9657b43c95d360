#include "export/textexport.h"

#include "export/exportrows.h"
#include "store/formatters.h"

namespace {

using Line = QStringList;

QList<Line> accountLines(const AccountTable &accounts)
{
    QList<Line> lines{
        {QStringLiteral("AccountNumber"), QStringLiteral("Name"), QStringLiteral("Bank"), QStringLiteral("Balance")}};
    for (const auto &listRow : accounts) {
        const AccountRow a = rowData(listRow);
        lines.append({a.accountNumber, a.name, a.bank, fixedAmount(a.transactionSum)});
    }
    return lines;
}

QList<Line> transactionLines(const QString &title, const AccountTransRows &rows)
{
    const ExportTransactions t = exportTransactions(rows);
    QList<Line> lines{
        {QStringLiteral("Account No:"), title},
        {QStringLiteral("Date"), QStringLiteral("Subject"), QStringLiteral("Amount"), QStringLiteral("Balance")},
        {t.openingText, QString(), QString(), fixedAmount(t.openingBalance)}};
    for (const TransactionRow &row : t.rows)
        lines.append({formatDate(row.date), row.subject, fixedAmount(row.amount), fixedAmount(row.balance)});
    lines << Line() << Line() << Line();
    return lines;
}

QList<Line> planLines(const TransactionTable &plans)
{
    QList<Line> lines{{QStringLiteral("Account Number"), QStringLiteral("Date"), QStringLiteral("Subject"),
                       QStringLiteral("Amount")}};
    for (const auto &listRow : plans) {
        const TransactionRow p = rowData(listRow);
        lines.append({p.accountNumber, formatDate(p.date), p.subject, fixedAmount(p.amount)});
    }
    return lines;
}

QList<Line> exportLines(const ExportSource &source)
{
    switch (source.view) {
    case ExportView::Accounts:
        return accountLines(source.accounts);
    case ExportView::Transactions:
        if (source.accountSelected)
            return transactionLines(source.accountTitle, source.transactions);
        break;
    case ExportView::Plans:
        return planLines(source.plans);
    case ExportView::Other:
        break;
    }
    return {};
}

// RFC 4180 quoting, with the separator character of the format.
QString field(const QString &text, QChar separator)
{
    const bool quote = text.contains(separator) || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray render(const ExportSource &source, QChar separatorChar, const QString &separator, const QString &lineEnd)
{
    QString out;
    for (const Line &line : exportLines(source)) {
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (i > 0)
                out += separator;
            out += field(line[i], separatorChar);
        }
        out += lineEnd;
    }
    return out.toUtf8();
}

} // namespace

QByteArray exportCsv(const ExportSource &source)
{
    return render(source, u',', QStringLiteral(","), QStringLiteral("\r\n"));
}

QByteArray exportText(const ExportSource &source)
{
    return render(source, u'\t', QStringLiteral("\t\t\t"), QStringLiteral("\r\n\r\n"));
}
