// Draws the Import Statement preview of a sample statement into a PNG, offscreen.
// Usage: import-picture OUT.png

#include "dialogs/importdlg.h"
#include "store/categoryfile.h"
#include "store/datastore.h"
#include "uiext/fennimarlook.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyFennimarLook(app);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        qWarning("usage: import-picture OUT.png");
        return 2;
    }
    QTemporaryDir book;
    CDataStore store(book.path());
    ensureCategoryFile(book.path());
    store.loadAtStartup();
    AccountRecord a;
    a.accountNumber = QStringLiteral("12-3456");
    a.name = QStringLiteral("Household");
    a.bank = QStringLiteral("Kestrel Bank");
    const QString id = store.addAccount(a);
    const auto add = [&](const QDate &date, double amount, const QString &subject) {
        TransactionRecord r(OleDateTime::fromDateTime(date, QTime(12, 0)));
        r.key = id;
        r.subject = subject;
        r.amount = amount;
        r.incomeFlag = amount >= 0 ? 1 : 0;
        store.addTransaction(r);
    };
    // Imported last month: the statement overlaps them.
    add(QDate(2026, 3, 2), 2450, QStringLiteral("Salary"));
    add(QDate(2026, 3, 4), -920, QStringLiteral("Rent"));
    add(QDate(2026, 3, 6), -45.99, QStringLiteral("Phone bill"));

    const QByteArray statement = "Booking date;Payee;Purpose;Amount;Category\n"
                                 "02.03.2026;Salary;March;2.450,00;\n"
                                 "04.03.2026;Rent;Flat 3B;-920,00;Household Items\n"
                                 "05.03.2026;Phone Co;Bill 0326;-45,99;\n"
                                 "07.03.2026;Corner Cafe;;-3,20;Kitchen Items\n"
                                 "07.03.2026;Corner Cafe;;-3,20;Kitchen Items\n"
                                 "09.03.2026;Fresh Market;Groceries;-84,37;Groceries\n"
                                 "31.02.2026;Fee;;-1,00;\n"
                                 "12.03.2026;Refund shop;Return;120,00;\n";
    CImportDlg dialog(store, QStringLiteral("kestrel-march.csv"), statement, StatementFormat::Csv, {}, id);
    dialog.resize(860, 620);
    dialog.show();
    QApplication::processEvents();
    dialog.table()->resizeColumnToContents(CImportDlg::StatusColumn);
    QApplication::processEvents();
    if (!dialog.grab().save(args[1], "PNG")) {
        qWarning("could not write %s", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
