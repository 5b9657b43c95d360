#pragma once

#include "exportsource.h"
#include "testutil.h"

#include <QProcess>
#include <QTest>

namespace testutil {

inline OleDateTime day(int y, int m, int d)
{
    return OleDateTime::fromDateTime(QDate(y, m, d), QTime(12, 0));
}

inline ListRow<AccountRow> accountRow(const QString &number, const QString &name, const QString &bank, double sum)
{
    ListRow<AccountRow> row;
    row.texts = QStringList{QString()};
    row.data = AccountRow{QStringLiteral("2026120612000090"), name, number, bank, sum, 0.0, 0};
    return row;
}

// A transaction or plan row; balance is what the list shows, which the exports
// must not take over.
inline ListRow<TransactionRow> transactionRow(const OleDateTime &date, const QString &subject, double amount,
                                              const QString &accountNumber = QString(), double balance = 999.0)
{
    ListRow<TransactionRow> row;
    row.texts = QStringList{QString(), subject, QString(), QString()};
    row.data = TransactionRow{QStringLiteral("2026120612000090"), subject, accountNumber, amount, balance, date};
    return row;
}

// The one-account list: the opening row, the transactions, and (with plans)
// the separator and heading rows and the plans, as the list holds them.
inline AccountTransRows accountTransRows(const QString &openingText, double openingAmount,
                                         const QList<ListRow<TransactionRow>> &transactions,
                                         const QList<ListRow<TransactionRow>> &plans = {})
{
    AccountTransRows t;
    ListRow<TransactionRow> opening = transactionRow(day(2026, 12, 1), QString(), openingAmount);
    opening.texts = QStringList{openingText, QString(), QString(), QString()};
    t.rows << opening << transactions;
    t.count = int(t.rows.size());
    if (!plans.isEmpty()) {
        ListRow<TransactionRow> separator;
        separator.texts = QStringList{QString(), QString(), QString(), QString()};
        ListRow<TransactionRow> heading = separator;
        heading.texts[0] = QStringLiteral("Plans");
        t.rows << separator << heading << separator << separator << plans;
    }
    return t;
}

inline ExportSource exportSource(ExportView view)
{
    ExportSource s;
    s.view = view;
    s.from = day(2026, 12, 1);
    s.to = day(2026, 12, 31);
    s.now = OleDateTime::fromDateTime(QDate(2026, 12, 6), QTime(18, 30));
    return s;
}

// The Transactions view of account "B - A1": the opening row, a payment of
// 1000 on Dec 3 listed before the rent on Dec 1, and one plan.
inline ExportSource oneAccountSource(double openingAmount, double rent)
{
    ExportSource s = exportSource(ExportView::Transactions);
    s.accountSelected = true;
    s.accountTitle = QStringLiteral("B - A1");
    s.transactions = accountTransRows(QStringLiteral("Balance till 11/30/26"), openingAmount,
                                      {transactionRow(day(2026, 12, 3), QStringLiteral("Pay"), 1000.0),
                                       transactionRow(day(2026, 12, 1), QStringLiteral("Rent"), rent)},
                                      {transactionRow(day(2026, 12, 20), QStringLiteral("Plan"), 7.0)});
    return s;
}

// Runs a tool of the system; skips the test when it is not installed.
struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline ToolRun runTool(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    ToolRun run;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return run;
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace testutil

#define SKIP_WITHOUT(program)                                                                                          \
    do {                                                                                                               \
        if (!QFile::exists(QStringLiteral(program)))                                                                   \
            QSKIP(program " is not installed");                                                                       \
    } while (false)
