// Opens the main window on a sample book and saves a picture of the screen.
// Usage: screenshot OUT.png [view]   (view: accounts, transactions, planner, categories)

#include "app/mainframe.h"
#include "app/midpage.h"
#include "controls/accountcombo.h"
#include "controls/recordlists.h"
#include "store/datastore.h"
#include "uiext/fennimarlook.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

namespace {

OleDateTime day(int offset, int hour = 12)
{
    const QDate d = QDate::currentDate().addDays(offset);
    return OleDateTime::fromDateTime(d, QTime(hour, 0));
}

TransactionRecord movement(const QString &account, int offset, double amount, const QString &subject,
                           const QString &category)
{
    TransactionRecord r(day(offset));
    r.key = account;
    r.subject = subject;
    r.amount = amount;
    r.incomeFlag = amount >= 0 ? 1 : 0;
    r.category = category;
    return r;
}

// Returns the id of the household account, the one the picture shows.
QString makeSampleBook(CDataStore &store)
{
    store.loadAtStartup();
    const auto account = [&](const QString &number, const QString &name, const QString &bank, int icon) {
        AccountRecord a;
        a.accountNumber = number;
        a.name = name;
        a.bank = bank;
        a.icon = icon;
        a.minimumBalance = 100;
        return store.addAccount(a);
    };
    const QString home =
        account(QStringLiteral("12-3456"), QStringLiteral("Household"), QStringLiteral("Kestrel Bank"), 0);
    const QString savings =
        account(QStringLiteral("78-9012"), QStringLiteral("Savings"), QStringLiteral("Harbour Savings"), 4);
    const QString card =
        account(QStringLiteral("4417-22"), QStringLiteral("Credit card"), QStringLiteral("Kestrel Bank"), 3);
    const int today = QDate::currentDate().day();
    store.addTransaction(movement(home, -today - 3, 1850, QStringLiteral("Opening balance"), QString()));
    store.addTransaction(movement(home, 1 - today, 2450, QStringLiteral("Salary"), QString()));
    store.addTransaction(movement(home, 2 - today, -920, QStringLiteral("Rent"), QStringLiteral("Household Items")));
    store.addTransaction(
        movement(home, 3 - today, -84.37, QStringLiteral("Groceries"), QStringLiteral("Kitchen Items")));
    store.addTransaction(
        movement(home, 4 - today, -45.99, QStringLiteral("Phone bill"), QStringLiteral("Electronic Items")));
    store.addTransaction(movement(home, 5 - today, -3400, QStringLiteral("New car deposit"), QString()));
    store.addTransaction(movement(home, 6 - today, 120, QStringLiteral("Refund"), QString()));
    store.addTransaction(movement(savings, -40, 5000, QStringLiteral("Transfer"), QString()));
    store.addTransaction(movement(card, -10, -310.5, QStringLiteral("Flights"), QString()));
    store.addPlan(movement(home, 20, -150, QStringLiteral("Car insurance"), QStringLiteral("Wear Items")));
    store.addPlan(movement(home, 35, 2450, QStringLiteral("Salary"), QString()));
    store.addPlan(movement(savings, 60, 250, QStringLiteral("Interest"), QString()));
    return home;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Fennimar"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    applyFennimarLook(app);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        qWarning("usage: screenshot OUT.png [accounts|transactions|planner|categories]");
        return 2;
    }
    QTemporaryDir dir;
    CDataStore store(dir.path());
    const QString home = makeSampleBook(store);

    CMainFrame::Services services;
    services.saveFileName = [](QWidget *, const QString &, const QString &, const QString &, const QString &) {
        return QString();
    };
    services.openFile = [](const QString &) { return true; };
    services.writeProfile = [](const QString &, int, int) {};
    services.choosePrinter = [](QWidget *, QPrinter &) { return false; };
    CMainFrame frame(store, services);
    // No window manager runs under a virtual display: fill the screen by hand.
    frame.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    frame.show();

    const QString view = args.value(2, QStringLiteral("transactions"));
    const QStringList views = {"accounts", "transactions", "planner", "categories"};
    QTimer::singleShot(300, [&] {
        frame.accountSelector()->selectById(home);
        frame.runCommand(ID_VIEW_ACCOUNTS + qMax(0, views.indexOf(view)));
        if (view == QLatin1String("transactions"))
            frame.midPage()->accountTransList()->setSelectionMark(3);
    });
    QTimer::singleShot(1500, [&] {
        QScreen *screen = QGuiApplication::primaryScreen();
        const QPixmap shot = screen->grabWindow(0);
        app.exit(shot.save(args[1]) ? 0 : 1);
    });
    return app.exec();
}
