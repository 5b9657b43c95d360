#include "store/accounttransrows.h"

#include "store/datastore.h"
#include "store/formatters.h"

#include <cmath>

namespace {

bool earlier(const ListRow<TransactionRow> &a, const ListRow<TransactionRow> &b)
{
    if (!a.data || !b.data || a.data->date.status() != OleDateTime::Valid
        || b.data->date.status() != OleDateTime::Valid)
        return false;
    return a.data->date < b.data->date;
}

// A plain merge sort: stable, and safe whatever the comparison answers.
void mergeSort(TransactionTable &rows, TransactionTable &buffer, qsizetype begin, qsizetype end)
{
    if (end - begin < 2)
        return;
    const qsizetype mid = begin + (end - begin) / 2;
    mergeSort(rows, buffer, begin, mid);
    mergeSort(rows, buffer, mid, end);
    qsizetype i = begin, j = mid, k = begin;
    while (i < mid && j < end)
        buffer[k++] = earlier(rows[j], rows[i]) ? std::move(rows[j++]) : std::move(rows[i++]);
    while (i < mid)
        buffer[k++] = std::move(rows[i++]);
    while (j < end)
        buffer[k++] = std::move(rows[j++]);
    for (k = begin; k < end; ++k)
        rows[k] = std::move(buffer[k]);
}

} // namespace

void sortRowsByDate(TransactionTable &rows)
{
    TransactionTable buffer(rows.size());
    mergeSort(rows, buffer, 0, rows.size());
}

double runningBalance(TransactionTable &rows, int first, int last)
{
    if (first >= last || !rows[first].data)
        return 0.0;
    double balance = rows[first].data->amount;
    rows[first].data->balance = balance;
    for (int i = first + 1; i < last; ++i) {
        if (!rows[i].data)
            continue;
        balance += rows[i].data->amount;
        rows[i].data->balance = balance;
        const QString text = formatAmount(std::fabs(balance));
        rows[i].texts[3] = balance < 0 ? QLatin1Char('-') + text : text;
    }
    return balance;
}

AccountTransRows buildAccountTransRows(CDataStore &store, const QString &accountId, const OleDateTime &from,
                                       const OleDateTime &to)
{
    AccountTransRows result;
    result.rows = store.fillAccountTransList(from, to, accountId);
    sortRowsByDate(result.rows);
    runningBalance(result.rows, 0, int(result.rows.size()));
    result.count = int(result.rows.size());

    TransactionTable plans;
    if (store.fillAccountPlansList(plans, accountId) > 0) {
        const QStringList empty{QString(), QString(), QString(), QString()};
        ListRow<TransactionRow> separator;
        separator.texts = empty;
        ListRow<TransactionRow> heading;
        heading.texts = QStringList{QStringLiteral("Plans"), QString(), QString(), QString()};
        result.rows << separator << heading << separator << separator;
        result.rows.append(plans);
    }
    return result;
}
