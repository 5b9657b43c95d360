#pragma once

#include "store/oledatetime.h"

#include <QList>
#include <QStringList>

#include <optional>

// The data an account row carries.
struct AccountRow
{
    QString id;
    QString name;
    QString accountNumber;
    QString bank;
    double transactionSum = 0.0; // the balance shown and exported
    double minimumBalance = 0.0;
    int icon = 0;
};

// The row object of every transaction and plan row.
struct TransactionRow
{
    QString key;
    QString subject;
    QString accountNumber; // empty in the one-account list
    double amount = 0.0;
    double balance = 0.0; // the running balance, one-account list only
    OleDateTime date;
};

// One row of a list as the fills build it: the column texts, the picture, and
// the row object (absent on the separator and heading rows).
template <typename Data>
struct ListRow
{
    QStringList texts;
    int image = -1;
    std::optional<Data> data;

    QString text(int column) const { return texts.value(column); }
};

template <typename Data>
using RowTable = QList<ListRow<Data>>;

using AccountTable = RowTable<AccountRow>;
using TransactionTable = RowTable<TransactionRow>;

// The rows of the one-account transactions list: the opening row, the
// transactions of the period by date, then (when the account has plans) four
// separator and heading rows and the plans by date.
struct AccountTransRows
{
    enum class Kind { Opening, Transaction, Separator, Heading, Plan };

    TransactionTable rows;
    int count = 0; // N: the opening row plus the transaction rows

    bool hasPlans() const { return rows.size() > count; }
    int planStart() const { return count + 4; }
    Kind kind(int row) const;
};

// The items of an account selector: text "bank - account number", with the
// account's id and number.
struct AccountComboItem
{
    QString text;
    QString id;
    QString accountNumber;
};

struct AccountCombo
{
    QList<AccountComboItem> items;
    int currentIndex = -1;

    // Selects the first item whose text equals the given one exactly; with no
    // match the selection stays.
    void selectByText(const QString &text);
    // The id of the current item, or empty.
    QString currentId() const;
};
