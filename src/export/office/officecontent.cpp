#include "export/office/officecontent.h"

#include "export/exportrows.h"
#include "res/stringtable.h"
#include "store/formatters.h"

OfficeCell OfficeCell::fromText(const QString &text)
{
    OfficeCell cell;
    cell.text = text;
    return cell;
}

OfficeCell OfficeCell::fromMoney(double value)
{
    OfficeCell cell;
    cell.kind = Kind::Money;
    cell.value = value;
    return cell;
}

OfficeCell OfficeCell::fromDate(const OleDateTime &date)
{
    OfficeCell cell;
    cell.kind = Kind::Date;
    cell.date = date;
    return cell;
}

double OfficeCell::roundedValue() const
{
    const double rounded = moneyDigits(value).toDouble();
    return rounded == 0 ? 0.0 : rounded;
}

QString moneyDigits(double value)
{
    return QString::asprintf("%0.2lf", value);
}

namespace {

void addAccounts(OfficeContent &content, const AccountTable &accounts)
{
    content.headings = {QStringLiteral("Account Number"), QStringLiteral("Name"), QStringLiteral("Bank"),
                        QStringLiteral("Balance")};
    for (const auto &row : accounts) {
        if (!row.data)
            continue;
        const AccountRow &a = *row.data;
        content.rows.append({OfficeCell::fromText(a.accountNumber), OfficeCell::fromText(a.name),
                             OfficeCell::fromText(a.bank), OfficeCell::fromMoney(a.transactionSum)});
    }
}

void addPlans(OfficeContent &content, const TransactionTable &plans)
{
    content.headings = {QStringLiteral("Account Number"), QStringLiteral("Date"), QStringLiteral("Subject"),
                        QStringLiteral("Amount")};
    for (const auto &row : plans) {
        if (!row.data)
            continue;
        const TransactionRow &p = *row.data;
        content.rows.append({OfficeCell::fromText(p.accountNumber), OfficeCell::fromDate(p.date),
                             OfficeCell::fromText(p.subject), OfficeCell::fromMoney(p.amount)});
    }
}

void addTransactions(OfficeContent &content, const ExportSource &source)
{
    const ExportTransactions list = exportTransactions(source.transactions);
    content.headings = {QStringLiteral("Date"), QStringLiteral("Subject"), QStringLiteral("Amount"),
                        QStringLiteral("Balance")};
    content.accountTitle = source.accountTitle;
    content.openingText = list.openingText;
    content.openingBalance = list.openingBalance;
    for (const TransactionRow &t : list.rows) {
        content.rows.append({OfficeCell::fromDate(t.date), OfficeCell::fromText(t.subject),
                             OfficeCell::fromMoney(t.amount), OfficeCell::fromMoney(t.balance)});
    }
}

} // namespace

std::optional<OfficeContent> officeContent(const ExportSource &source)
{
    OfficeContent content;
    content.view = source.view;
    switch (source.view) {
    case ExportView::Accounts:
        if (source.accounts.isEmpty())
            return std::nullopt;
        addAccounts(content, source.accounts);
        content.subtitle = OfficeCell::fromDate(source.now);
        break;
    case ExportView::Plans:
        if (source.plans.isEmpty())
            return std::nullopt;
        addPlans(content, source.plans);
        break;
    case ExportView::Transactions:
        if (!source.accountSelected || source.transactions.count <= 0 || source.transactions.rows.isEmpty())
            return std::nullopt;
        addTransactions(content, source);
        break;
    case ExportView::Other:
        return std::nullopt;
    }
    if (source.view != ExportView::Accounts)
        content.subtitle =
            OfficeCell::fromText(QStringLiteral("%1 to %2").arg(formatDate(source.from), formatDate(source.to)));
    content.title = LoadText(IDS_APP_TITLE) + QStringLiteral(" - ") + exportViewName(source.view);
    return content;
}
