#include "app/commandrules.h"

#include <QTest>

namespace {

// The commands in groups whose members always agree.
const QList<std::pair<QString, QList<int>>> groups = {
    {"modify", {ID_MODIFY, ID_DELETE}},
    {"transaction", {ID_TRANSACTION_MODIFY, ID_TRANSACTION_DELETE}},
    {"plan", {ID_PLAN_MODIFY, ID_PLAN_DELETE, ID_CONVERT_PLAN}},
    {"add", {ID_TRANSACTION_ADD, ID_PLAN_ADD}},
    {"account", {ID_ACCOUNT_MODIFY, ID_ACCOUNT_DELETE}},
    {"category", {ID_CATEGORY_ADD, ID_CATEGORY_MODIFY, ID_CATEGORY_DELETE}},
    {"print", {ID_FILE_PRINT}},
    {"export", {ID_EXPORT_EXCEL, ID_EXPORT_WORD, ID_EXPORT_HTML, ID_EXPORT_PDF, ID_EXPORT_TEXT, ID_EXPORT_CSV}},
};

} // namespace

class TestCommandRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enableRules_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("selector");
        QTest::addColumn<int>("selection");
        QTest::addColumn<bool>("tree");
        QTest::addColumn<bool>("pane");
        QTest::addColumn<QString>("enabled");

        // One account with N = 3: opening row 0, transactions 1-2, separators 3-6, plans from 7.
        const int T = VIEW_TRANSACTIONS;
        for (int row : {-1, 0, 3, 4, 5, 6})
            QTest::addRow("one account, row %d", row) << T << T << 1 << row << false << true << "add print export";
        for (int row : {1, 2})
            QTest::addRow("one account, transaction %d", row)
                << T << T << 1 << row << false << true << "modify transaction add print export";
        for (int row : {7, 9})
            QTest::addRow("one account, plan %d", row)
                << T << T << 1 << row << false << true << "modify plan add print export";
        QTest::newRow("no content pane") << T << T << 1 << 1 << false << false << "transaction add print export";
        QTest::newRow("no accounts at all") << T << T << -1 << -1 << false << true << "print";
        // All accounts: any row of the list is a transaction; adding and exporting are off.
        QTest::newRow("all accounts, a row")
            << T << int(VIEW_TRANSACTIONS_ALL) << 0 << 8 << false << true << "modify transaction print";
        QTest::newRow("all accounts, no row") << T << int(VIEW_TRANSACTIONS_ALL) << 0 << -1 << false << true << "print";

        const int A = VIEW_ACCOUNTS, P = VIEW_PLANNER, C = VIEW_CATEGORIES, R = VIEW_REPORTS;
        QTest::newRow("accounts, a row") << A << A << 1 << 0 << false << true << "modify add account export";
        QTest::newRow("accounts, no row") << A << A << 1 << -1 << false << true << "add export";
        // With "All", adding stays enabled outside the Transactions view (and does nothing).
        QTest::newRow("accounts, All") << A << A << 0 << 0 << false << true << "modify add account";
        QTest::newRow("planner, a plan") << P << P << 1 << 0 << false << true << "modify plan add print export";
        QTest::newRow("categories, no item") << C << C << 1 << -1 << false << true << "add";
        QTest::newRow("categories, an item") << C << C << 1 << -1 << true << true << "modify add category";
        QTest::newRow("reports") << R << R << 1 << 0 << true << true << "add";
    }

    void enableRules()
    {
        QFETCH(int, view);
        QFETCH(int, control);
        QFETCH(int, selector);
        QFETCH(int, selection);
        QFETCH(bool, tree);
        QFETCH(bool, pane);
        QFETCH(QString, enabled);
        CommandState s;
        s.view = view;
        s.visibleControl = control;
        s.selectorIndex = selector;
        s.selection = selection;
        s.count = 3;
        s.treeItemSelected = tree;
        s.hasContentPane = pane;
        QStringList names;
        for (const auto &[name, ids] : groups) {
            for (int id : ids)
                QVERIFY2(isCommandEnabled(id, s) == isCommandEnabled(ids[0], s), qPrintable(QString::number(id)));
            if (isCommandEnabled(ids[0], s))
                names << name;
        }
        QCOMPARE(names.join(u' '), enabled);
        for (int id : {ID_ACCOUNT_ADD, ID_REFRESH, ID_PREFERENCE, ID_SYNCHRONIZE, ID_VIEW_PLANNER})
            QVERIFY(isCommandEnabled(id, s));
    }

    void checkMarks()
    {
        // One radio mark for the control shown; none while the all-accounts list shows.
        CommandState s;
        for (int control = VIEW_ACCOUNTS; control <= VIEW_TRANSACTIONS_ALL; ++control) {
            s.visibleControl = control;
            for (int id = ID_VIEW_ACCOUNTS; id <= ID_VIEW_REPORTS; ++id)
                QCOMPARE(isCommandChecked(id, s), id - ID_VIEW_ACCOUNTS == control);
        }
        s.toolBarVisible = false;
        QVERIFY(!isCommandChecked(ID_VIEW_TOOLBAR, s));
        QVERIFY(isCommandChecked(ID_VIEW_STATUS_BAR, s));
    }
};

QTEST_GUILESS_MAIN(TestCommandRules)
#include "tst_commandrules.moc"
