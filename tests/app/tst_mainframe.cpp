#include "appfixture.h"
#include "categorytreectrl.h"
#include "enddatectrl.h"
#include "guicapoutbar.h"
#include "guifolder.h"
#include "recordlists.h"
#include "startdatectrl.h"

#include <QAction>
#include <QStatusBar>

using namespace testutil;

class TestMainFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void startsOnTheAccountsWithTheFirstAccountSelected()
    {
        FrameFixture f;
        f.addAccount("111", "First");
        f.addAccount("222", "Second");
        f.store.loadAccounts();
        const QStringList order = f.store.accounts().keys();
        f.open();
        QCOMPARE(f.page()->visibleControl(), int(VIEW_ACCOUNTS));
        QCOMPARE(f.frame->captionBar()->caption(), QStringLiteral("Accounts"));
        QCOMPARE(f.frame->accountSelector()->count(), 3);
        QCOMPARE(f.frame->accountSelector()->itemText(0), QStringLiteral("All"));
        QCOMPARE(f.frame->accountSelector()->currentIndex(), 1);
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), order.first());
        QCOMPARE(f.page()->accountList()->model()->rowCount(), 2);
        // The default files of a new working directory.
        QVERIFY(QFileInfo::exists(f.dir.filePath("Category.cat")));
        QVERIFY(QFileInfo::exists(f.dir.filePath("Graph.grp")));
        QCOMPARE(f.frame->statusBar()->currentMessage(), QStringLiteral("Ready"));
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("Fennimar"));
    }

    void noAccounts()
    {
        FrameFixture f;
        f.open();
        QCOMPARE(f.frame->accountSelector()->count(), 1);
        QCOMPARE(f.frame->accountSelector()->currentIndex(), -1);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QVERIFY(!f.frame->action(ID_TRANSACTION_ADD)->isEnabled());
        QVERIFY(!f.frame->action(ID_PLAN_ADD)->isEnabled());
        for (int id = ID_EXPORT_EXCEL; id <= ID_EXPORT_CSV; ++id)
            QVERIFY(!f.frame->action(id)->isEnabled());
    }

    void defaultPeriodAndRanges()
    {
        FrameFixture f;
        f.open();
        const QDate today = QDate::currentDate();
        QCOMPARE(f.frame->startDate()->dateTime(), QDateTime(QDate(today.year(), today.month(), 1), QTime(0, 0)));
        QCOMPARE(f.frame->endDate()->dateTime().time(), QTime(23, 59, 59));
        QCOMPARE(f.frame->endDate()->date().day(), today.daysInMonth());

        const QDateTime start(QDate(2026, 3, 10), QTime(0, 0));
        f.frame->startDate()->setDateTime(start);
        QCOMPARE(f.frame->endDate()->minimumDateTime(), start);
        QCOMPARE(f.frame->endDate()->maximumDateTime(), start.addDays(365));
        const QDateTime end(QDate(2026, 5, 1), QTime(23, 59, 59));
        f.frame->endDate()->setDateTime(end);
        QCOMPARE(f.frame->startDate()->minimumDateTime(), end.addDays(-365));
        QCOMPARE(f.frame->startDate()->maximumDateTime(), end);
    }

    void viewCommandsAndTheirMarks()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        f.open();
        const QList<std::pair<int, QString>> views = {{ID_VIEW_PLANNER, "Planner"},
                                                      {ID_VIEW_CATEGORIES, "Categories"},
                                                      {ID_VIEW_REPORTS, "Reports"},
                                                      {ID_VIEW_TRANSACTIONS, "Transactions"},
                                                      {ID_VIEW_ACCOUNTS, "Accounts"}};
        for (const auto &[command, caption] : views) {
            f.frame->runCommand(command);
            QCOMPARE(f.page()->currentView(), command - ID_VIEW_ACCOUNTS);
            QCOMPARE(f.page()->visibleControl(), command - ID_VIEW_ACCOUNTS);
            QCOMPARE(f.frame->captionBar()->caption(), caption);
            for (int other = ID_VIEW_ACCOUNTS; other <= ID_VIEW_REPORTS; ++other)
                QCOMPARE(f.frame->action(other)->isChecked(), other == command);
        }
        // The selector is off in the Planner and Categories views.
        f.frame->runCommand(ID_VIEW_PLANNER);
        QVERIFY(!f.frame->accountSelector()->isEnabled());
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QVERIFY(f.frame->accountSelector()->isEnabled());
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), id);
    }

    void allAccountsMode()
    {
        FrameFixture f;
        const QString a = f.addAccount("111");
        const QString b = f.addAccount("222");
        f.store.addTransaction(movement(a, OleDateTime::currentDateTime(), 5));
        f.store.addTransaction(movement(b, OleDateTime::currentDateTime(), 7));
        f.open();
        f.frame->accountSelector()->setCurrentIndex(0);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS_ALL));
        QCOMPARE(f.page()->currentView(), int(VIEW_TRANSACTIONS));
        QCOMPARE(f.frame->captionBar()->caption(), QStringLiteral("Transactions All"));
        QCOMPARE(f.page()->allTransList()->model()->rowCount(), 2);
        for (int id = ID_VIEW_ACCOUNTS; id <= ID_VIEW_REPORTS; ++id)
            QVERIFY(!f.frame->action(id)->isChecked());
        QVERIFY(!f.frame->action(ID_TRANSACTION_ADD)->isEnabled());
        // Choosing an account shows its own list again.
        f.frame->accountSelector()->setCurrentIndex(1);
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS));
    }

    void accountRowsChooseTheAccount()
    {
        FrameFixture f;
        f.addAccount("111");
        f.addAccount("222");
        f.open();
        CAccountListCtrl *list = f.page()->accountList();
        const QString second = list->idAt(1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), second);
        QVERIFY(f.frame->action(ID_ACCOUNT_MODIFY)->isEnabled());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(f.page()->currentView(), int(VIEW_TRANSACTIONS));
        QCOMPARE(f.page()->visibleControl(), int(VIEW_TRANSACTIONS));
        QCOMPARE(f.frame->accountSelector()->currentAccountId(), second);
    }

    void leavingCategoriesSavesTheTree()
    {
        FrameFixture f;
        f.open();
        const QString file = f.dir.filePath("Category.cat");
        const QByteArray before = readFile(file);
        f.frame->runCommand(ID_VIEW_PLANNER);
        f.frame->runCommand(ID_VIEW_REPORTS);
        QCOMPARE(readFile(file), before); // other views leave the file alone

        f.frame->runCommand(ID_VIEW_CATEGORIES);
        CCategoryTreeCtrl *tree = f.page()->categoryTree();
        tree->setCurrentItem(tree->topLevelItem(0));
        tree->add(QStringLiteral("Travel"));
        QCOMPARE(readFile(file), before); // not yet
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        QVERIFY(!findCategory(readCategoryFile(f.dir.path()), QStringLiteral("Travel")).isEmpty());

        // Refresh while the tree is shown saves and reads it again.
        f.frame->runCommand(ID_VIEW_CATEGORIES);
        tree->setCurrentItem(tree->topLevelItem(0));
        tree->add(QStringLiteral("Books"));
        f.frame->runCommand(ID_REFRESH);
        QVERIFY(!findCategory(readCategoryFile(f.dir.path()), QStringLiteral("Books")).isEmpty());
        QVERIFY(tree->find(QStringLiteral("Books")));

        // Closing the window while the tree is current saves it too.
        tree->setCurrentItem(tree->topLevelItem(0));
        tree->add(QStringLiteral("Music"));
        f.frame->close();
        QVERIFY(!findCategory(readCategoryFile(f.dir.path()), QStringLiteral("Music")).isEmpty());
        QCOMPARE(f.profileWrites, QStringList({f.dir.path()}));
    }

    void toolbarAndStatusBarToggles()
    {
        FrameFixture f;
        f.open();
        QVERIFY(f.frame->action(ID_VIEW_TOOLBAR)->isChecked());
        f.frame->runCommand(ID_VIEW_TOOLBAR);
        QVERIFY(!f.frame->action(ID_VIEW_TOOLBAR)->isChecked());
        f.frame->runCommand(ID_VIEW_STATUS_BAR);
        QVERIFY(!f.frame->statusBar()->isVisible());
        QVERIFY(!f.frame->action(ID_VIEW_STATUS_BAR)->isChecked());
    }

    void statusPromptsAndToolTips()
    {
        FrameFixture f;
        f.open();
        QCOMPARE(f.frame->action(ID_CATEGORY_ADD)->toolTip(), QStringLiteral(" Adds a Category"));
        QCOMPARE(f.frame->action(ID_TRANSACTION_ADD)->statusTip(), QStringLiteral("Adds a Transaction"));
        QCOMPARE(f.frame->action(ID_APP_EXIT)->statusTip(),
                 QStringLiteral("Quit the application; prompts to save documents"));
        QCOMPARE(f.frame->action(ID_FILE_PRINT)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    }

    void f6SwitchesPanes()
    {
        FrameFixture f;
        f.open();
        f.frame->activateWindow();
        f.page()->accountList()->setFocus();
        f.frame->runCommand(ID_NEXT_PANE);
        QVERIFY(f.frame->navigation()->isAncestorOf(QApplication::focusWidget())
                || QApplication::focusWidget() == f.frame->navigation());
        f.frame->runCommand(ID_PREV_PANE);
        QCOMPARE(QApplication::focusWidget(), f.page()->accountList());
    }
};

FENNIMAR_GUI_TEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
