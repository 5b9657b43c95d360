// The desktop program on a large book, each figure beside the floor of reading
// every transaction file once (plain POSIX calls, one thread; cold: 32 in
// flight after the page cache was dropped): start to the main window with the
// Accounts view filled, switching to every account's transactions over 365
// days the first time and again, a refresh after another program added a
// transaction, a change of the period, the plans list, and the peak memory.
// Usage: bench_app [book-folder] [repeats] [--no-cold]   (QT_QPA_PLATFORM=offscreen works)

#include "app/commandids.h"
#include "app/mainframe.h"
#include "app/midpage.h"
#include "benchbook.h"
#include "controls/accountcombo.h"
#include "controls/enddatectrl.h"
#include "controls/recordlists.h"
#include "controls/startdatectrl.h"
#include "readfloor.h"
#include "store/datastore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

CMainFrame::Services services()
{
    CMainFrame::Services s;
    s.saveFileName = [](QWidget *, const QString &, const QString &, const QString &, const QString &) {
        return QString();
    };
    s.openFile = [](const QString &) { return true; };
    s.writeProfile = [](const QString &, int, int) {};
    s.choosePrinter = [](QWidget *, QPrinter &) { return false; };
    return s;
}

double timedMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void line(const char *what, double ms, double floor, const char *floorName, int rows)
{
    std::printf("%-52s %9.1f ms  %5.2fx %-11s (%d rows)\n", what, ms, ms / floor, floorName, rows);
}

struct Window
{
    CDataStore store;
    std::unique_ptr<CMainFrame> frame;
    explicit Window(const QString &dir) : store(dir) {}
    void open()
    {
        frame = std::make_unique<CMainFrame>(store, services());
        frame->show();
        QApplication::processEvents();
    }
    CMidPage *page() const { return frame->midPage(); }
    int allRows() const { return page()->allTransList()->model()->rowCount(); }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const QString dir = args.value(1, QDir::temp().filePath(QStringLiteral("fennimar-bench-book")));
    const int repeats = args.value(2, QStringLiteral("3")).toInt();
    const bool cold = !args.contains(QStringLiteral("--no-cold"));
    ensureBenchBook(dir, 50, 2000, 500);
    const QDateTime yearFrom(QDate(2025, 12, 1), QTime(0, 0));
    const QDateTime yearTo(QDate(2026, 11, 30), QTime(23, 59, 59));

    std::vector<double> floors;
    for (int i = 0; i < repeats; ++i)
        floors.push_back(floorMs(dir, 1));
    const double floor = median(floors);
    std::printf("%-52s %9.1f ms  (list and read 100000 files, one thread, C)\n\n", "floor (warm)", floor);

    int rows = 0;
    std::vector<double> starts;
    for (int i = 0; i < repeats; ++i) {
        Window w(dir);
        starts.push_back(timedMs([&] { w.open(); }));
        rows = w.page()->accountList()->model()->rowCount();
    }
    line("start to the Accounts view filled", median(starts), floor, "floor", rows);

    // One window for the rest, as a user keeps it open.
    Window w(dir);
    w.open();
    w.frame->startDate()->setDateTime(yearFrom);
    w.frame->endDate()->setDateTime(yearTo);
    w.frame->runCommand(ID_VIEW_TRANSACTIONS);
    CAccountCombo *selector = w.frame->accountSelector();
    const auto switchToAll = [&] {
        selector->setCurrentIndex(1);
        return timedMs([&] { selector->setCurrentIndex(0); });
    };
    const double firstSwitch = switchToAll();
    line("switch to all transactions, 365 days, first time", firstSwitch, floor, "floor", w.allRows());
    std::vector<double> again;
    for (int i = 0; i < repeats; ++i)
        again.push_back(switchToAll());
    line("  again, nothing changed", median(again), floor, "floor", w.allRows());

    std::vector<double> periods;
    for (int i = 0; i < repeats; ++i) {
        periods.push_back(timedMs([&] { w.frame->startDate()->setDateTime(yearFrom.addDays(i % 2 ? 0 : 1)); }));
    }
    line("  a change of the period", median(periods), floor, "floor", w.allRows());

    std::vector<double> refreshes;
    for (int i = 0; i < repeats; ++i) {
        CDataStore other(dir); // another program, fennimar-cli say
        TransactionRecord r(OleDateTime::fromDateTime(yearTo.addDays(-3)));
        r.key = w.store.accounts().keys().first();
        r.amount = 2.5;
        r.subject = QStringLiteral("Added");
        const QString key = other.addTransaction(r);
        refreshes.push_back(timedMs([&] { w.frame->runCommand(ID_REFRESH); }));
        rows = w.allRows();
        other.deleteTransaction(key);
        w.frame->runCommand(ID_REFRESH);
    }
    line("  refresh after another program added one", median(refreshes), floor, "floor", rows);

    std::vector<double> accounts;
    for (int i = 0; i < repeats; ++i) {
        accounts.push_back(timedMs([&] { w.frame->runCommand(ID_VIEW_ACCOUNTS); }));
        w.frame->runCommand(ID_VIEW_TRANSACTIONS);
    }
    line("switch to the Accounts view, nothing changed", median(accounts), floor, "floor",
         w.page()->accountList()->model()->rowCount());
    std::vector<double> plans;
    for (int i = 0; i < repeats; ++i) {
        plans.push_back(timedMs([&] { w.frame->runCommand(ID_VIEW_PLANNER); }));
        w.frame->runCommand(ID_VIEW_ACCOUNTS);
    }
    line("switch to the plans list", median(plans), floor, "floor", w.page()->planList()->model()->rowCount());
    std::printf("%-52s %9.1f MiB\n", "peak memory of this process so far", peakMemoryMiB());

    if (!cold)
        return 0;
    std::printf("\ncold page cache\n");
    if (dropPageCache() != 0) {
        std::printf("not measured: dropping the page cache needs root\n");
        return 0;
    }
    const double cold32 = floorMs(dir, 32);
    dropPageCache();
    std::printf("%-52s %9.1f ms  (32 reads in flight, C)\n", "cold floor", cold32);
    {
        Window c(dir);
        dropPageCache();
        const double start = timedMs([&] { c.open(); });
        line("start to the Accounts view filled", start, cold32, "cold floor",
             c.page()->accountList()->model()->rowCount());
    }
    {
        Window c(dir);
        c.open();
        c.frame->startDate()->setDateTime(yearFrom);
        c.frame->endDate()->setDateTime(yearTo);
        c.frame->runCommand(ID_VIEW_TRANSACTIONS);
        c.frame->accountSelector()->setCurrentIndex(1);
        dropPageCache();
        const double all = timedMs([&] { c.frame->accountSelector()->setCurrentIndex(0); });
        line("switch to all transactions, 365 days (kept reads)", all, cold32, "cold floor", c.allRows());
    }
    return 0;
}
