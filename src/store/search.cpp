#include "store/search.h"

#include "store/datastore.h"
#include "store/formatters.h"
#include "store/recordfiles.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// "42", "42.8", "42.80", "1,250.5": the value in cents, or nothing.
std::optional<qint64> numberInCents(QString text)
{
    static const QRegularExpression plain(QStringLiteral("^\\d+(\\.\\d{0,2})?$"));
    static const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(,\\d{3})+(\\.\\d{0,2})?$"));
    if (text.startsWith(u'.'))
        text.prepend(u'0');
    if (grouped.match(text).hasMatch())
        text.remove(u',');
    else if (!plain.match(text).hasMatch())
        return std::nullopt;
    const QStringList parts = text.split(u'.');
    if (parts.first().size() > 13)
        return std::nullopt;
    const QString decimals = (parts.value(1) + QStringLiteral("00")).left(2);
    return parts.first().toLongLong() * 100 + decimals.toLongLong();
}

qint64 amountInCents(double amount)
{
    return std::llround(std::fabs(amount) * 100.0);
}

} // namespace

SearchQuery::SearchQuery(const QString &text)
{
    for (const QString &word : text.simplified().split(u' ', Qt::SkipEmptyParts)) {
        const QString w = word.trimmed();
        if (w.isEmpty())
            continue;
        Term term;
        term.text = w;
        term.cents = numberInCents(w);
        term.hasDigit = std::any_of(w.begin(), w.end(), [](QChar c) { return c.isDigit(); });
        m_terms.append(term);
    }
}

bool SearchQuery::matches(const TransactionRecord &record) const
{
    QString dateText, isoDate; // made once, and only for a word that could be in them
    const qint64 cents = amountInCents(record.amount);
    for (const Term &term : m_terms) {
        if (term.cents && *term.cents == cents)
            continue;
        if (record.subject.contains(term.text, Qt::CaseInsensitive)
            || record.category.contains(term.text, Qt::CaseInsensitive)
            || record.notes.contains(term.text, Qt::CaseInsensitive))
            continue;
        if (term.hasDigit) {
            if (dateText.isEmpty()) {
                dateText = formatDate(record.date);
                isoDate = record.date.toIsoString().left(10);
            }
            if (dateText.contains(term.text, Qt::CaseInsensitive) || isoDate.contains(term.text))
                continue;
        }
        return false;
    }
    return true;
}

bool SearchQuery::matches(const AccountRecord &account) const
{
    for (const Term &term : m_terms) {
        if (!account.accountNumber.contains(term.text, Qt::CaseInsensitive)
            && !account.name.contains(term.text, Qt::CaseInsensitive)
            && !account.bank.contains(term.text, Qt::CaseInsensitive)
            && !account.notes.contains(term.text, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

bool SearchQuery::matchesText(const QString &text) const
{
    return std::all_of(m_terms.begin(), m_terms.end(),
                       [&](const Term &term) { return text.contains(term.text, Qt::CaseInsensitive); });
}

QList<TransactionRecord> findTransactions(CDataStore &store, const SearchQuery &query, const FindLimits &limits)
{
    store.rebuildAllTransactions();
    // Without a limit, every amount is within it.
    const qint64 least = limits.minimum ? amountInCents(*limits.minimum) : 0;
    const qint64 most = limits.maximum ? amountInCents(*limits.maximum) : std::numeric_limits<qint64>::max();
    QList<TransactionRecord> found;
    for (const auto &entry : store.allTransactions()) {
        const TransactionRecord &r = entry.value();
        if (!limits.accountId.isEmpty() && accountIdOfKey(r.key) != limits.accountId)
            continue;
        if ((limits.from && r.date < *limits.from) || (limits.to && r.date > *limits.to))
            continue;
        const qint64 cents = amountInCents(r.amount);
        if (cents < least || cents > most)
            continue;
        if (query.matches(r))
            found.append(r);
    }
    std::sort(found.begin(), found.end(), [](const TransactionRecord &a, const TransactionRecord &b) {
        if (a.date < b.date || b.date < a.date)
            return a.date < b.date;
        return a.key < b.key;
    });
    return found;
}
