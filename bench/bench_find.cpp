// Find over the 100,000-transaction book, and its daily backup: what the
// desktop program's Find in All Transactions and fennimar-cli find and backup
// take, from a fresh store (every file read) and from a store that keeps what it
// read (the desktop program's second search).

#include "benchbook.h"
#include "store/backups.h"
#include "store/datastore.h"
#include "store/search.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const QString dir = args.value(1, QDir::temp().filePath(QStringLiteral("fennimar-bench-book")));
    const int repeats = args.value(2, QStringLiteral("5")).toInt();
    ensureBenchBook(dir, 50, 2000, 500);

    for (const QString &text : {QStringLiteral("rent"), QStringLiteral("42.8"), QStringLiteral("2025-03 fuel")}) {
        qsizetype found = 0;
        const double fresh = medianMs(repeats, [&] {
            CDataStore store(dir);
            store.loadAccounts();
            found = findTransactions(store, SearchQuery(text)).size();
        });
        CDataStore kept(dir);
        kept.setCaching(true);
        kept.loadAccounts();
        findTransactions(kept, SearchQuery(text));
        const double warm = medianMs(repeats, [&] { findTransactions(kept, SearchQuery(text)); });
        std::printf("find %-14s %7lld found  %8.1f ms fresh store  %8.1f ms keeping store\n",
                    qPrintable(QLatin1Char('"') + text + QLatin1Char('"')), qlonglong(found), fresh, warm);
    }

    QTemporaryDir backups;
    const double backup = medianMs(repeats, [&] { writeBackup(dir, QDate(2026, 12, 6), backups.path()); });
    std::printf("backup of the book (write, verify twice)  %8.1f ms\n", backup);
    return 0;
}
