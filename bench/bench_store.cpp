// Fills of the record store on a large book, each against the floor of reading
// every transaction file once with plain POSIX calls, warm and (as root) with
// the page cache dropped, with the peak memory of a process doing only that.
// Usage: bench_store [book-folder] [repeats] [--no-cold]

#include "benchbook.h"
#include "readfloor.h"
#include "store/accounttransrows.h"
#include "store/bookcheck.h"
#include "store/datastore.h"
#include "store/recordfiles.h"
#include "store/recordreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const OleDateTime kMonthFrom = OleDateTime::fromDateTime(QDate(2026, 11, 1), QTime(0, 0));
const OleDateTime kYearFrom = OleDateTime::fromDateTime(QDate(2025, 12, 1), QTime(0, 0));
const OleDateTime kTo = OleDateTime::fromDateTime(QDate(2026, 11, 30), QTime(23, 59, 59));

// The work a command of fennimar-cli does, on a store of its own.
int runStep(const QString &dir, const QString &step)
{
    CDataStore store(dir);
    store.loadAccounts();
    if (step == QLatin1String("accounts"))
        return int(store.fillAccountList().size());
    if (step == QLatin1String("all-transactions"))
        return int(store.fillAllTransList(kYearFrom, kTo).size());
    if (step == QLatin1String("plans")) {
        store.loadPlans();
        return int(store.fillPlansList().size());
    }
    if (step == QLatin1String("check"))
        return checkBooks(dir).transactions;
    if (step == QLatin1String("floor")) {
        ReadFloor f{};
        readFloor(QFile::encodeName(dir).constData(), ".tra", 1, &f);
        return int(f.files);
    }
    return -1;
}

// The peak memory of a process of this program that does only the step.
double peakOf(const QString &dir, const QString &step)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {dir, QStringLiteral("--peak"), step});
    child.waitForFinished(-1);
    return QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble();
}

void line(const char *what, double ms, double floor, const char *floorName, const QString &note = QString())
{
    std::printf("%-46s %9.1f ms  %5.2fx %-18s %s\n", what, ms, ms / floor, floorName, qPrintable(note));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const QString dir = args.value(1, QDir::temp().filePath(QStringLiteral("fennimar-bench-book")));
    if (args.value(2) == QLatin1String("--peak")) {
        runStep(dir, args.value(3));
        std::printf("%.1f\n", peakMemoryMiB());
        return 0;
    }
    const int repeats = args.value(2, QStringLiteral("5")).toInt();
    const bool cold = !args.contains(QStringLiteral("--no-cold"));

    QElapsedTimer made;
    made.start();
    ensureBenchBook(dir, 50, 2000, 500);
    std::printf("book: %s (ready in %.1f s); %d reads in flight\n\n", qPrintable(dir), made.elapsed() / 1000.0,
                recordReaderThreads());

    const double floor = medianMs(repeats, [&] { floorMs(dir, 1); });
    const double floor32 = medianMs(repeats, [&] { floorMs(dir, 32); });
    std::printf("%-46s %9.1f ms  (list and read 100000 files, one thread, C)\n", "floor (warm)", floor);
    std::printf("%-46s %9.1f ms  %5.2fx floor\n\n", "  the same, 32 reads in flight", floor32, floor32 / floor);

    int rows = 0;
    // Each figure is taken before its row count is printed.
    const auto timed = [&](const char *what, const std::function<void()> &work, const char *unit = "rows") {
        const double ms = medianMs(repeats, work);
        line(what, ms, floor, "floor", QStringLiteral("(%1 %2)").arg(rows).arg(QLatin1String(unit)));
    };
    const auto fresh = [&](const char *step) {
        return [&rows, &dir, step] { rows = runStep(dir, QLatin1String(step)); };
    };
    timed("accounts: list (new store, every balance)", fresh("accounts"));
    timed("all transactions, 365 days (new store)", fresh("all-transactions"));
    timed("check books", fresh("check"), "transactions");
    timed("plans list (listing, plan file, fill)", fresh("plans"));

    CDataStore store(dir);
    store.LoadAll();
    const QString firstAccount = store.accounts().keys().first();
    timed("one account's transactions, one month",
          [&] { rows = int(buildAccountTransRows(store, firstAccount, kMonthFrom, kTo).rows.size()); });
    timed("all transactions, one month", [&] { rows = int(store.fillAllTransList(kMonthFrom, kTo).size()); });

    // The desktop program's store keeps what it read.
    CDataStore kept(dir);
    kept.setCaching(true);
    kept.loadAccounts();
    QElapsedTimer first;
    first.start();
    kept.fillAllTransList(kYearFrom, kTo);
    const double firstFill = double(first.nsecsElapsed()) / 1e6;
    std::printf("\nkept reads (the desktop program's store)\n");
    line("all transactions, 365 days, first fill", firstFill, floor, "floor");
    timed("  again, nothing changed", [&] { rows = int(kept.fillAllTransList(kYearFrom, kTo).size()); });
    timed("account list, nothing changed", [&] { rows = int(kept.fillAccountList().size()); });
    {
        // Another program adds a transaction; the next fill shows it.
        CDataStore other(dir);
        TransactionRecord r(kTo.addDays(-1));
        r.key = firstAccount;
        r.amount = 1.25;
        r.subject = QStringLiteral("Bench");
        const QString key = other.addTransaction(r);
        const double added = medianMs(1, [&] { rows = int(kept.fillAllTransList(kYearFrom, kTo).size()); });
        line("all transactions, after another program added one", added, floor, "floor",
             QStringLiteral("(%1 rows)").arg(rows));
        other.deleteTransaction(key);
        kept.fillAllTransList(kYearFrom, kTo);
    }

    std::printf("\npeak memory of a process doing only that\n");
    for (const char *step : {"floor", "accounts", "all-transactions", "check"})
        std::printf("%-46s %9.1f MiB\n", step, peakOf(dir, QString::fromLatin1(step)));

    if (!cold)
        return 0;
    std::printf("\ncold page cache (dropped before each run)\n");
    if (dropPageCache() != 0) {
        std::printf("not measured: dropping the page cache needs root\n");
        return 0;
    }
    const auto coldMs = [&](const std::function<void()> &work, int times = 0) {
        std::vector<double> ms;
        for (int i = 0; i < (times > 0 ? times : repeats); ++i) {
            dropPageCache();
            QElapsedTimer timer;
            timer.start();
            work();
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    };
    const double cold32 = coldMs([&] { floorMs(dir, 32); });
    std::printf("%-46s %9.1f ms  (32 reads in flight, C)\n", "cold floor", cold32);
    const double cold1 = coldMs([&] { floorMs(dir, 1); }, 1);
    line("  the same, one read at a time", cold1, cold32, "cold floor");
    line("accounts: list (new store)", coldMs([&] { runStep(dir, QStringLiteral("accounts")); }), cold32, "cold floor");
    line("all transactions, 365 days (new store)", coldMs([&] { runStep(dir, QStringLiteral("all-transactions")); }),
         cold32, "cold floor");
    return 0;
}
