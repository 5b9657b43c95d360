// Fills of the record store on a large book, against the floor of reading every
// transaction file once. Usage: bench_store [book-folder] [repeats]

#include "benchbook.h"
#include "store/accounttransrows.h"
#include "store/datastore.h"
#include "store/fileio.h"
#include "store/recordfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>

#include <algorithm>
#include <cstdio>
#include <functional>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const QString dir = args.value(1, QDir::temp().filePath(QStringLiteral("fennimar-bench-book")));
    const int repeats = args.value(2, QStringLiteral("5")).toInt();

    QElapsedTimer made;
    made.start();
    ensureBenchBook(dir, 50, 2000, 500);
    std::printf("book: %s (ready in %.1f s)\n", qPrintable(dir), made.elapsed() / 1000.0);

    CDataStore store(dir);
    store.LoadAll();
    const QString firstAccount = store.accounts().keys().first();
    const OleDateTime monthFrom = OleDateTime::fromDateTime(QDate(2026, 11, 1), QTime(0, 0));
    const OleDateTime monthTo = OleDateTime::fromDateTime(QDate(2026, 11, 30), QTime(23, 59, 59));

    int rows = 0;
    const double floor = medianMs(repeats, [&] {
        int n = 0;
        for (const QString &name : listEntries(dir, QStringLiteral(".tra"), true)) {
            const auto bytes = readWholeFile(QDir(dir).filePath(name));
            n += bytes && decodeTransaction(*bytes) ? 1 : 0;
        }
        rows = n;
    });
    std::printf("%-44s %9.1f ms  (%d files)\n", "floor: read every transaction file once", floor, rows);

    const double accountList = medianMs(repeats, [&] { rows = int(store.fillAccountList().size()); });
    std::printf("%-44s %9.1f ms  %5.2fx floor  (%d rows)\n", "account list (every balance)", accountList,
                accountList / floor, rows);

    const double oneAccount = medianMs(
        repeats, [&] { rows = int(buildAccountTransRows(store, firstAccount, monthFrom, monthTo).rows.size()); });
    std::printf("%-44s %9.1f ms  %5.2fx floor  (%d rows)\n", "one account's transactions, one month", oneAccount,
                oneAccount / floor, rows);

    const double allMonth = medianMs(repeats, [&] { rows = int(store.fillAllTransList(monthFrom, monthTo).size()); });
    std::printf("%-44s %9.1f ms  %5.2fx floor  (%d rows)\n", "all transactions, one month", allMonth, allMonth / floor,
                rows);

    const OleDateTime yearFrom = OleDateTime::fromDateTime(QDate(2025, 12, 1), QTime(0, 0));
    const double allYear = medianMs(repeats, [&] { rows = int(store.fillAllTransList(yearFrom, monthTo).size()); });
    std::printf("%-44s %9.1f ms  %5.2fx floor  (%d rows)\n", "all transactions, 365 days", allYear, allYear / floor,
                rows);

    const double plans = medianMs(repeats, [&] {
        store.loadPlans();
        rows = int(store.fillPlansList().size());
    });
    std::printf("%-44s %9.1f ms  (%d rows)\n", "plans list (file read + fill)", plans, rows);
    return 0;
}
