#include "app/editcommands.h"
#include "controls/accountcombo.h"
#include "controls/recordlists.h"
#include "dialogs/finddlg.h"
#include "dialogs/transactiondlg.h"
#include "framefixture.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

using namespace testutil;

class TestFind : public QObject
{
    Q_OBJECT

    static QList<int> shownRows(const QTableView *list)
    {
        QList<int> rows;
        for (int i = 0; i < list->model()->rowCount(); ++i) {
            if (!list->isRowHidden(i))
                rows << i;
        }
        return rows;
    }

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    // The search field filters the list shown as the user types; Escape clears it.
    void theSearchField()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        const QDate today = QDate::currentDate();
        const auto day = [&](int d) { return at(today.year(), today.month(), d); };
        TransactionRecord groceries = movement(id, day(1), -42.8, "Groceries");
        groceries.category = "Snacks";
        f.store.addTransaction(groceries);
        TransactionRecord rent = movement(id, day(2), -900, "Rent");
        rent.notes = "for the flat";
        f.store.addTransaction(rent);
        f.store.addPlan(movement(id, day(3), -42.8, "Insurance"));
        f.addAccount("222", "Kestrel Bank");
        f.open();

        QLineEdit *field = f.frame->searchField();
        QCOMPARE(f.frame->action(ID_EDIT_FIND)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
        f.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        QTest::keyClick(f.frame.get(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), field);

        // Accounts: by number, name, bank or notes.
        QTest::keyClicks(field, "kestrel");
        QCOMPARE(shownRows(f.page()->accountList()), QList<int>{f.page()->accountList()->idAt(0) == id ? 1 : 0});
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(field->text(), QString());
        QCOMPARE(shownRows(f.page()->accountList()).size(), 2);

        f.frame->accountSelector()->selectById(id);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        CAccountTransListCtrl *list = f.page()->accountTransList();
        QCOMPARE(list->count(), 3); // opening row and two transactions, then four rows and a plan
        QCOMPARE(list->model()->rowCount(), 8);
        const auto keyRow = [&](const QString &subject) {
            for (int i = 0; i < list->model()->rowCount(); ++i) {
                if (list->model()->index(i, 1).data().toString() == subject)
                    return i;
            }
            return -1;
        };
        field->setText("42.8"); // the amount as typed, the plan too
        QCOMPARE(shownRows(list), QList<int>({0, keyRow("Groceries"), 3, 4, 5, 6, keyRow("Insurance")}));
        field->setText("SNACKS");
        QCOMPARE(shownRows(list), QList<int>({0, keyRow("Groceries"), 3, 4, 5, 6}));
        field->setText("flat");
        QCOMPARE(shownRows(list), QList<int>({0, keyRow("Rent"), 3, 4, 5, 6}));
        // A refill keeps the filter.
        f.frame->runCommand(ID_REFRESH);
        QTRY_COMPARE(shownRows(list), QList<int>({0, keyRow("Rent"), 3, 4, 5, 6}));
        field->clear();
        QCOMPARE(shownRows(list).size(), 8);
    }

    // Find in All Transactions: every account, every date, in date order.
    void findInAllTransactions()
    {
        FrameFixture f;
        QStringList expected;
        const QStringList subjects = {"Rent", "Groceries", "Salary", "Car rental"};
        for (int a = 0; a < 4; ++a) {
            const QString id = f.addAccount(QString::number(100 + a));
            for (int i = 0; i < 25; ++i) {
                // Dates over ten years, one account after another.
                TransactionRecord r = movement(id, at(2015 + i % 10, 1 + a, 1 + i), -(i + 1.5), subjects[i % 4]);
                const QString key = f.store.addTransaction(r);
                if (r.subject.contains("rent", Qt::CaseInsensitive))
                    expected << key;
            }
        }
        f.open();
        CFindDlg dialog(f.store, f.frame.get());
        QAbstractItemModelTester tester(const_cast<FoundTransactionsModel *>(&dialog.results()),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        dialog.setText("RENT");
        dialog.search();
        const FoundTransactionsModel &found = dialog.results();
        QCOMPARE(found.rowCount(), expected.size());
        QStringList keys;
        for (int i = 0; i < found.rowCount(); ++i) {
            keys << found.record(i).key;
            if (i > 0)
                QVERIFY(!(found.record(i).date < found.record(i - 1).date));
        }
        QStringList sortedKeys = keys;
        std::sort(sortedKeys.begin(), sortedKeys.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(sortedKeys, expected);
        QCOMPARE(found.index(0, 1).data().toString(), f.store.lookupAccount(keys[0].left(16)).accountNumber);
        QCOMPARE(found.index(0, 3).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(dialog.findChild<QLabel *>("count")->text(),
                 QStringLiteral("%1 transactions found").arg(expected.size()));

        // 16.50 is the amount of the sixteenth record of each account, a "Car rental".
        dialog.setText("16.5 groceries");
        dialog.search();
        QCOMPARE(found.rowCount(), 0);
        dialog.setText("16.5 rental");
        dialog.search();
        QCOMPARE(found.rowCount(), 4);
    }

    void doubleClickOpensTheRecord()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        const QString key = f.store.addTransaction(movement(id, at(2001, 2, 3), -7, "Old bill"));
        f.open();
        QString caption, subject;
        int found = -1, opened = 0;
        whenModal<CFindDlg>([&](CFindDlg *dialog) {
            dialog->setText("old bill");
            dialog->search();
            QTableView *view = dialog->resultView();
            found = view->model()->rowCount();
            const std::function<void(CTransactionDlg *)> answer = [&](CTransactionDlg *record) {
                ++opened;
                caption = record->windowTitle();
                subject = record->record().subject;
                record->reject();
            };
            whenModal<CTransactionDlg>(answer);
            const QRect cell = view->visualRect(view->model()->index(0, 2));
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
            // A second dialog would show now, after the first was closed.
            whenModal<CTransactionDlg>(answer, 20);
            QTest::qWait(400);
            dialog->reject();
        });
        QCOMPARE(f.frame->action(ID_FIND_ALL)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
        f.frame->runCommand(ID_FIND_ALL);
        QCOMPARE(found, 1);
        QCOMPARE(opened, 1);
        QCOMPARE(caption, QStringLiteral("Transaction"));
        QCOMPARE(subject, QStringLiteral("Old bill"));
        QVERIFY(QFileInfo::exists(f.dir.filePath(key + ".tra")));
    }
};

QTEST_MAIN(TestFind)
#include "tst_find.moc"
