#include "commandrules.h"

#include <QTest>

namespace {

// N = 3: opening row 0, transactions 1-2, separators 3-6, plans from 7.
CommandState oneAccount(int selection)
{
    CommandState s;
    s.view = VIEW_TRANSACTIONS;
    s.visibleControl = VIEW_TRANSACTIONS;
    s.selectorIndex = 1;
    s.count = 3;
    s.selection = selection;
    return s;
}

} // namespace

class TestCommandRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneAccountRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("modifyDelete");
        QTest::addColumn<bool>("transaction");
        QTest::addColumn<bool>("plan");
        QTest::newRow("none") << -1 << false << false << false;
        QTest::newRow("opening") << 0 << false << false << false;
        QTest::newRow("first transaction") << 1 << true << true << false;
        QTest::newRow("last transaction") << 2 << true << true << false;
        QTest::newRow("empty row N") << 3 << false << false << false;
        QTest::newRow("heading N+1") << 4 << false << false << false;
        QTest::newRow("N+2") << 5 << false << false << false;
        QTest::newRow("rule N+3") << 6 << false << false << false;
        QTest::newRow("first plan") << 7 << true << false << true;
        QTest::newRow("later plan") << 9 << true << false << true;
    }

    void oneAccountRows()
    {
        QFETCH(int, row);
        QFETCH(bool, modifyDelete);
        QFETCH(bool, transaction);
        QFETCH(bool, plan);
        const CommandState s = oneAccount(row);
        QCOMPARE(isCommandEnabled(ID_MODIFY, s), modifyDelete);
        QCOMPARE(isCommandEnabled(ID_DELETE, s), modifyDelete);
        QCOMPARE(isCommandEnabled(ID_TRANSACTION_MODIFY, s), transaction);
        QCOMPARE(isCommandEnabled(ID_TRANSACTION_DELETE, s), transaction);
        QCOMPARE(isCommandEnabled(ID_PLAN_MODIFY, s), plan);
        QCOMPARE(isCommandEnabled(ID_PLAN_DELETE, s), plan);
        QCOMPARE(isCommandEnabled(ID_CONVERT_PLAN, s), plan);
        QVERIFY(isCommandEnabled(ID_TRANSACTION_ADD, s));
        QVERIFY(isCommandEnabled(ID_FILE_PRINT, s));
    }

    void byView_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("selectorIndex");
        QTest::addColumn<int>("selection");
        QTest::addColumn<bool>("tree");
        QTest::addColumn<QList<int>>("enabled");
        QTest::addColumn<QList<int>>("disabled");

        const QList<int> exports = {ID_EXPORT_EXCEL, ID_EXPORT_WORD, ID_EXPORT_HTML,
                                    ID_EXPORT_PDF,   ID_EXPORT_TEXT, ID_EXPORT_CSV};
        QTest::newRow("accounts, a row")
            << int(VIEW_ACCOUNTS) << 1 << 0 << false
            << (QList<int>{ID_ACCOUNT_MODIFY, ID_ACCOUNT_DELETE, ID_MODIFY, ID_DELETE, ID_TRANSACTION_ADD} + exports)
            << QList<int>{ID_FILE_PRINT, ID_TRANSACTION_MODIFY, ID_PLAN_MODIFY, ID_CONVERT_PLAN, ID_CATEGORY_ADD};
        QTest::newRow("accounts, no row")
            << int(VIEW_ACCOUNTS) << 1 << -1 << false << QList<int>{ID_ACCOUNT_ADD, ID_PLAN_ADD}
            << QList<int>{ID_ACCOUNT_MODIFY, ID_ACCOUNT_DELETE, ID_MODIFY, ID_DELETE};
        // With "All", adding stays enabled outside the Transactions view (and does nothing).
        QTest::newRow("accounts, All") << int(VIEW_ACCOUNTS) << 0 << 0 << false
                                       << QList<int>{ID_TRANSACTION_ADD, ID_PLAN_ADD} << exports;
        QTest::newRow("no accounts at all") << int(VIEW_TRANSACTIONS) << -1 << -1 << false << QList<int>{}
                                            << (QList<int>{ID_TRANSACTION_ADD, ID_PLAN_ADD} + exports);
        QTest::newRow("planner, a plan")
            << int(VIEW_PLANNER) << 1 << 0 << false
            << QList<int>{ID_PLAN_MODIFY, ID_PLAN_DELETE, ID_CONVERT_PLAN, ID_MODIFY, ID_FILE_PRINT, ID_EXPORT_CSV}
            << QList<int>{ID_TRANSACTION_MODIFY, ID_ACCOUNT_MODIFY};
        QTest::newRow("categories, no item")
            << int(VIEW_CATEGORIES) << 1 << -1 << false << QList<int>{ID_ACCOUNT_ADD}
            << (QList<int>{ID_CATEGORY_ADD, ID_CATEGORY_MODIFY, ID_CATEGORY_DELETE, ID_MODIFY, ID_FILE_PRINT} + exports);
        QTest::newRow("categories, an item") << int(VIEW_CATEGORIES) << 1 << -1 << true
                                             << QList<int>{ID_CATEGORY_ADD, ID_CATEGORY_DELETE, ID_MODIFY, ID_DELETE}
                                             << QList<int>{ID_EXPORT_PDF};
        QTest::newRow("reports") << int(VIEW_REPORTS) << 1 << 0 << true
                                 << QList<int>{ID_TRANSACTION_ADD, ID_REFRESH, ID_PREFERENCE, ID_SYNCHRONIZE}
                                 << (QList<int>{ID_MODIFY, ID_DELETE, ID_FILE_PRINT, ID_CATEGORY_ADD} + exports);
    }

    void byView()
    {
        QFETCH(int, view);
        QFETCH(int, selectorIndex);
        QFETCH(int, selection);
        QFETCH(bool, tree);
        QFETCH(QList<int>, enabled);
        QFETCH(QList<int>, disabled);
        CommandState s;
        s.view = view;
        s.visibleControl = view;
        s.selectorIndex = selectorIndex;
        s.selection = selection;
        s.treeItemSelected = tree;
        for (int id : enabled)
            QVERIFY2(isCommandEnabled(id, s), qPrintable(QString::number(id)));
        for (int id : disabled)
            QVERIFY2(!isCommandEnabled(id, s), qPrintable(QString::number(id)));
    }

    void allAccountsMode()
    {
        CommandState s;
        s.view = VIEW_TRANSACTIONS;
        s.visibleControl = VIEW_TRANSACTIONS_ALL;
        s.selectorIndex = 0;
        s.count = 3;
        s.selection = 8; // any row of the all-transactions list
        QVERIFY(s.allAccountsMode());
        QVERIFY(isCommandEnabled(ID_TRANSACTION_MODIFY, s));
        QVERIFY(isCommandEnabled(ID_MODIFY, s));
        QVERIFY(!isCommandEnabled(ID_PLAN_MODIFY, s));
        QVERIFY(!isCommandEnabled(ID_CONVERT_PLAN, s));
        QVERIFY(!isCommandEnabled(ID_TRANSACTION_ADD, s));
        QVERIFY(!isCommandEnabled(ID_EXPORT_TEXT, s));
        s.selection = -1;
        QVERIFY(!isCommandEnabled(ID_DELETE, s));
        // The View menu marks no item while the all-accounts list shows.
        for (int id = ID_VIEW_ACCOUNTS; id <= ID_VIEW_REPORTS; ++id)
            QVERIFY(!isCommandChecked(id, s));
    }

    void radioMarks()
    {
        CommandState s;
        for (int control = VIEW_ACCOUNTS; control <= VIEW_REPORTS; ++control) {
            s.visibleControl = control;
            for (int id = ID_VIEW_ACCOUNTS; id <= ID_VIEW_REPORTS; ++id)
                QCOMPARE(isCommandChecked(id, s), id - ID_VIEW_ACCOUNTS == control);
        }
        s.toolBarVisible = false;
        QVERIFY(!isCommandChecked(ID_VIEW_TOOLBAR, s));
        QVERIFY(isCommandChecked(ID_VIEW_STATUS_BAR, s));
    }

    void missingPaneDisablesTheSharedCommands()
    {
        CommandState s = oneAccount(1);
        s.hasContentPane = false;
        QVERIFY(!isCommandEnabled(ID_MODIFY, s));
        QVERIFY(!isCommandEnabled(ID_DELETE, s));
    }
};

QTEST_GUILESS_MAIN(TestCommandRules)
#include "tst_commandrules.moc"
