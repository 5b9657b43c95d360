// The desktop program on a large book: from start to the main window shown with
// the Accounts view filled, and switching to the all-transactions view of 365
// days, against the store's fills for the same work.
// Usage: bench_app [book-folder] [repeats]   (QT_QPA_PLATFORM=offscreen works)

#include "app/mainframe.h"
#include "app/midpage.h"
#include "benchbook.h"
#include "controls/accountcombo.h"
#include "controls/enddatectrl.h"
#include "controls/recordlists.h"
#include "controls/startdatectrl.h"
#include "store/datastore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

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

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const QString dir = args.value(1, QDir::temp().filePath(QStringLiteral("fennimar-bench-book")));
    const int repeats = args.value(2, QStringLiteral("3")).toInt();
    ensureBenchBook(dir, 50, 2000, 500);

    const QDateTime yearFrom(QDate(2025, 12, 1), QTime(0, 0));
    const QDateTime yearTo(QDate(2026, 11, 30), QTime(23, 59, 59));
    const OleDateTime from = OleDateTime::fromDateTime(yearFrom), to = OleDateTime::fromDateTime(yearTo);

    CDataStore plain(dir);
    plain.loadAtStartup();
    const double storeAccounts = medianMs(repeats, [&] {
        CDataStore store(dir);
        store.loadAtStartup();
        store.fillAccountList();
    });
    const double storeAll = medianMs(repeats, [&] { plain.fillAllTransList(from, to); });

    int rows = 0;
    const double start = medianMs(repeats, [&] {
        CDataStore store(dir);
        CMainFrame frame(store, services());
        frame.show();
        QApplication::processEvents();
        rows = frame.midPage()->accountList()->model()->rowCount();
    });
    std::printf("%-52s %9.1f ms  (%d accounts; the store alone: %.1f ms, %.2fx)\n",
                "start to the main window with the Accounts view", start, rows, storeAccounts, start / storeAccounts);

    CDataStore store(dir);
    CMainFrame frame(store, services());
    frame.show();
    frame.startDate()->setDateTime(yearFrom);
    frame.endDate()->setDateTime(yearTo);
    frame.runCommand(ID_VIEW_TRANSACTIONS);
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        frame.accountSelector()->setCurrentIndex(1);
        QElapsedTimer timer;
        timer.start();
        frame.accountSelector()->setCurrentIndex(0); // "All": the all-accounts list
        QApplication::processEvents();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        rows = frame.midPage()->allTransList()->model()->rowCount();
    }
    std::sort(times.begin(), times.end());
    const double all = times[times.size() / 2];
    std::printf("%-52s %9.1f ms  (%d rows; the store alone: %.1f ms, %.2fx)\n", "switch to all transactions, 365 days",
                all, rows, storeAll, all / storeAll);

    // Painting reads only the row tables: a full repaint after scrolling to the end.
    auto *list = frame.midPage()->allTransList();
    const double paint = medianMs(repeats, [&] {
        list->scrollToBottom();
        list->viewport()->repaint();
    });
    std::printf("%-52s %9.1f ms\n", "scroll to the end and repaint the list", paint);
    return 0;
}
