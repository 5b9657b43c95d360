#pragma once

#include "store/oledatetime.h"
#include "store/records.h"

#include <QList>
#include <QString>

#include <optional>

class CDataStore;

// What the user typed into a search: words that must each be found, without
// regard to case, in a record's subject, notes, category or date (as the lists
// show it, or as YYYY-MM-DD). A word that is a number also finds the amounts
// of that value, whatever their sign and however many decimals were typed:
// "42.8" finds 42.80, "1,250" finds 1250.00.
class SearchQuery
{
public:
    explicit SearchQuery(const QString &text = QString());

    bool isEmpty() const { return m_terms.isEmpty(); }
    bool matches(const TransactionRecord &record) const;
    // An account: its number, name, bank and notes.
    bool matches(const AccountRecord &account) const;
    // Any text, such as a category name.
    bool matchesText(const QString &text) const;

private:
    struct Term
    {
        QString text;
        std::optional<qint64> cents; // the value of a number, in cents
        bool hasDigit = false;       // may match a date
    };
    QList<Term> m_terms;
};

// The limits of a search over every account: an account, a first and a last
// moment (both included), and the smallest and largest amount without its sign.
struct FindLimits
{
    QString accountId;
    std::optional<OleDateTime> from;
    std::optional<OleDateTime> to;
    std::optional<double> minimum;
    std::optional<double> maximum;
};

// The transactions of every account, of every date, that match the query and
// the limits; by date, then by key. Reads what the store holds of every
// account (its all-transactions table, built afresh).
QList<TransactionRecord> findTransactions(CDataStore &store, const SearchQuery &query,
                                          const FindLimits &limits = FindLimits());
