#pragma once

#include "store/datastore.h"
#include "store/recordfiles.h"
#include "testutil.h"

#include <QTemporaryDir>

namespace testutil {

inline OleDateTime at(int y, int m, int d, int h = 12, int mi = 0, int s = 0)
{
    return OleDateTime::fromDateTime(QDate(y, m, d), QTime(h, mi, s));
}

inline AccountRecord account(const QString &number, const QString &bank = QStringLiteral("Bank"))
{
    AccountRecord a;
    a.accountNumber = number;
    a.name = QStringLiteral("Name ") + number;
    a.bank = bank;
    return a;
}

inline TransactionRecord movement(const QString &accountId, const OleDateTime &date, double amount,
                                  const QString &subject = QStringLiteral("Item"))
{
    TransactionRecord r(date);
    r.key = accountId;
    r.subject = subject;
    r.amount = amount;
    r.incomeFlag = amount >= 0 ? 1 : 0;
    return r;
}

// The key of record `n` (an id of second n of one minute) under an account.
inline QString recordKey(const QString &accountId, int n)
{
    return accountId + QStringLiteral("202612010000%1").arg(n, 2, 10, QLatin1Char('0')) + QStringLiteral("90");
}

// A fresh working directory and a store over it.
struct Book
{
    QTemporaryDir dir;
    CDataStore store{dir.path()};

    QString path(const QString &name) const { return dir.filePath(name); }

    // Writes a transaction file by hand, under the record's own key.
    void putTransaction(const TransactionRecord &r) const
    {
        QVERIFY(writeFile(path(r.key + QStringLiteral(".tra")), encodeTransaction(r)));
    }
};

} // namespace testutil
