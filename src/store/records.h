#pragma once

#include "store/oledatetime.h"

#include <QString>

struct AccountRecord
{
    QString id;
    QString accountNumber;
    QString name;
    QString bank;
    double minimumBalance = 0.0;
    QString notes;
    qint32 icon = 0;

    friend bool operator==(const AccountRecord &, const AccountRecord &) = default;
};

// The account id a transaction or plan key (and its file name) begins with.
inline QString accountIdOfKey(const QString &key)
{
    return key.left(16);
}

// A transaction or a plan. The key is the account id followed by the record's own id.
struct TransactionRecord
{
    // Dated now, as a new record is.
    TransactionRecord() : date(OleDateTime::currentDateTime()) {}
    explicit TransactionRecord(const OleDateTime &when) : date(when) {}

    QString key;
    OleDateTime date;
    QString subject;
    double amount = 0.0; // income positive, expense negative
    qint32 incomeFlag = 1;
    QString category;
    QString notes;
    qint32 spare = 0; // copied with the record, never written

    QString accountId() const { return accountIdOfKey(key); }

    friend bool operator==(const TransactionRecord &, const TransactionRecord &) = default;
};

// One movement of an account, as the reports gather them.
struct MovementRecord
{
    QString key;
    double amount = 0.0;
    OleDateTime date;

    friend bool operator==(const MovementRecord &, const MovementRecord &) = default;
};
