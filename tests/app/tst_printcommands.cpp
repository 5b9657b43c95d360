// Print and Print Preview: the printed table is the list as shown (its rows in
// the shown order, its column widths), made from the store's rows.

#include "app/printcommands.h"
#include "controls/accountcombo.h"
#include "controls/recordlists.h"
#include "framefixture.h"
#include "store/accounttransrows.h"
#include "store/formatters.h"

#include <QHeaderView>
#include <QProcess>

using namespace testutil;

namespace {

// The display texts of a list, row by row, as the user sees them.
QList<QStringList> shownTexts(const CRecordListView *list)
{
    QList<QStringList> rows;
    const QAbstractItemModel *model = list->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < model->columnCount(); ++c)
            texts << model->index(r, c).data().toString();
        rows << texts;
    }
    return rows;
}

QList<QStringList> textsOf(const TransactionTable &rows)
{
    QList<QStringList> texts;
    for (const auto &row : rows)
        texts << row.texts;
    return texts;
}

QList<int> widthsOf(const CRecordListView *list)
{
    QList<int> widths;
    for (int c = 0; c < list->model()->columnCount(); ++c)
        widths << list->columnWidth(c);
    return widths;
}

QList<int> widthsOf(const PrintTable &table)
{
    QList<int> widths;
    for (const PrintColumn &column : table.columns)
        widths << column.width;
    return widths;
}

// The words of a printed PDF, in reading order.
QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

CPrintCommands *printing(const FrameFixture &f)
{
    return f.frame->findChild<CPrintCommands *>();
}

} // namespace

class TestPrintCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    // An account in debt: a negative balance brought forward and running
    // balances below zero. The list, the printed table, the printed page and the
    // store's rows carry the same numbers.
    void negativeBalancesPrintAsTheListAndTheStoreShowThem()
    {
        FrameFixture f;
        const QString id = f.addAccount("111", "River");
        const QDate first = QDate::currentDate().addDays(1 - QDate::currentDate().day());
        const auto day = [first](int n) { return OleDateTime::fromDateTime(first.addDays(n), QTime(12, 0)); };
        f.store.addTransaction(movement(id, day(-10), -500, "Old debt"));
        f.store.addTransaction(movement(id, day(1), 120, "Salary"));
        f.store.addTransaction(movement(id, day(2), -80.5, "Groceries"));
        f.store.addTransaction(movement(id, day(3), -10, "Coffee"));
        f.store.addPlan(movement(id, day(40), -30, "Insurance"));
        f.open();
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        CAccountTransListCtrl *list = f.page()->accountTransList();
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), id);
        QCOMPARE(list->count(), 4);

        const Period period = f.frame->period();
        const AccountTransRows stored = buildAccountTransRows(f.store, id, period.from, period.to);
        const std::optional<CPrintCommands::PrintedList> printed = printing(f)->printedList();
        QVERIFY(printed);
        QCOMPARE(printed->titleSuffix, QStringLiteral(" - Transactions"));
        QCOMPARE(shownTexts(list), textsOf(stored.rows));
        QCOMPARE(printed->table.rows, shownTexts(list));
        QCOMPARE(widthsOf(printed->table), widthsOf(list));

        // The running balances, with their sign, in every one of them.
        QStringList balances;
        for (int row = 1; row < list->count(); ++row) {
            const double balance = list->model()->index(row, 3).data(BalanceRole).toDouble();
            QCOMPARE(balance, stored.rows[row].data->balance);
            QCOMPARE(printed->table.rows[row][3], amountText(balance));
            balances << printed->table.rows[row][3];
        }
        QCOMPARE(balances, QStringList({"-$380.00", "-$460.50", "-$470.50"}));

        // And on the printed page.
        if (!QFileInfo::exists(QStringLiteral("/usr/bin/pdftotext")))
            QSKIP("pdftotext (poppler-utils) is not installed");
        f.printTo = f.dir.filePath("debt.pdf");
        f.frame->runCommand(ID_FILE_PRINT);
        const QString page = pdfText(f.printTo);
        qsizetype from = 0;
        for (const QString &balance : balances) {
            const qsizetype at = page.indexOf(balance, from);
            QVERIFY2(at > 0, qPrintable(balance + " not after " + QString::number(from) + " in " + page));
            from = at + balance.size();
        }
    }

    // A list sorted by a click on a title prints in the order it shows.
    void theShownOrderIsPrinted_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<bool>("allAccounts");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("plans") << int(ID_VIEW_PLANNER) << false << " - Plans";
        QTest::newRow("one account") << int(ID_VIEW_TRANSACTIONS) << false << " - Transactions";
        QTest::newRow("all accounts") << int(ID_VIEW_TRANSACTIONS) << true << " - All Transactions";
    }

    void theShownOrderIsPrinted()
    {
        QFETCH(int, view);
        QFETCH(bool, allAccounts);
        QFETCH(QString, suffix);
        FrameFixture f;
        const QString id = f.addAccount("111");
        const QString other = f.addAccount("222");
        const OleDateTime now = OleDateTime::currentDateTime();
        const QDate first = QDate::currentDate().addDays(1 - QDate::currentDate().day());
        int n = 0;
        for (double amount : {30.0, -70.0, 10.0, -5.0}) {
            const OleDateTime date = OleDateTime::fromDateTime(first.addDays(n++), QTime(12, 0));
            f.store.addTransaction(movement(id, date, amount, QStringLiteral("T%1").arg(n)));
            f.store.addTransaction(movement(other, date, amount * 2, QStringLiteral("U%1").arg(n)));
            f.store.addPlan(movement(id, now.addDays(40 + n), amount, QStringLiteral("P%1").arg(n)));
        }
        f.open();
        if (allAccounts)
            f.frame->accountSelector()->setCurrentIndex(0);
        f.frame->runCommand(view);
        auto *list = qobject_cast<CRecordListView *>(f.page()->control(f.page()->visibleControl()));
        QVERIFY(list);
        const QList<QStringList> fillOrder = shownTexts(list);

        // Amount, descending: the order a second click on the title gives.
        const int amount = view == ID_VIEW_PLANNER || allAccounts ? 3 : 2;
        list->sortByColumn(amount, Qt::DescendingOrder);
        const QList<QStringList> shown = shownTexts(list);
        QVERIFY(shown != fillOrder);
        const std::optional<CPrintCommands::PrintedList> printed = printing(f)->printedList();
        QVERIFY(printed);
        QCOMPARE(printed->titleSuffix, suffix);
        QCOMPARE(printed->table.rows, shown);
        QCOMPARE(widthsOf(printed->table), widthsOf(list));
        for (int c = 0; c < list->model()->columnCount(); ++c)
            QCOMPARE(printed->table.columns[c].heading, list->model()->headerData(c, Qt::Horizontal).toString());
    }

    // Nothing prints outside the Planner and Transactions views.
    void otherViewsPrintNothing()
    {
        FrameFixture f;
        f.addAccount("111");
        f.open();
        for (int view : {ID_VIEW_ACCOUNTS, ID_VIEW_CATEGORIES, ID_VIEW_REPORTS}) {
            f.frame->runCommand(view);
            QVERIFY(!printing(f)->printedList());
        }
    }
};

FENNIMAR_GUI_TEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
