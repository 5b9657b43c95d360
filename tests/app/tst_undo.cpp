#include "app/commandtable.h"
#include "app/undohistory.h"
#include "controls/accountcombo.h"
#include "controls/categorytreectrl.h"
#include "controls/recordlists.h"
#include "framefixture.h"
#include "res/stringtable.h"
#include "store/categoryfile.h"
#include "store/filenames.h"
#include "store/recordfiles.h"

#include <QAction>
#include <QFileInfo>
#include <QToolBar>
#include <QtTest>

using namespace testutil;

namespace {

QString planFileName(const CDataStore &store)
{
    return QFileInfo(store.planFilePath()).fileName();
}

QStringList none()
{
    return {};
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

    // A book of two accounts, each with transactions and plans.
    struct Fixture
    {
        Book book;
        CUndoHistory history{book.store};
        QString a, b, ta, tb, pa, pb;

        Fixture()
        {
            CDataStore &s = book.store;
            ensureCategoryFile(book.dir.path());
            a = s.addAccount(account(QStringLiteral("111")));
            b = s.addAccount(account(QStringLiteral("222")));
            ta = s.addTransaction(movement(a, at(2026, 3, 4), -42.8, QStringLiteral("Groceries")));
            s.addTransaction(movement(a, at(2026, 3, 5), 10, QStringLiteral("Refund")));
            tb = s.addTransaction(movement(b, at(2026, 3, 6), 99, QStringLiteral("Other")));
            pa = s.addPlan(movement(a, at(2027, 1, 1), -300, QStringLiteral("Insurance")));
            pb = s.addPlan(movement(b, at(2027, 2, 1), -20, QStringLiteral("Fee")));
            s.loadPlans();
        }
        QMap<QString, QByteArray> files() const { return snapshot(book.dir.path()); }
    };

    using Step = std::function<void(Fixture &)>;

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    // Each change, undone and redone, leaves the files byte for byte as they
    // were before and after it.
    void doUndoRedo_data()
    {
        QTest::addColumn<Step>("step");
        const auto rec = [](Fixture &f, const QString &text, const std::function<QStringList()> &names,
                            const std::function<QStringList()> &change) { f.history.record(text, names, change); };
        QTest::newRow("add account") << Step([rec](Fixture &f) {
            rec(f, "Add Account", none,
                [&] { return QStringList{accountFileName(f.book.store.addAccount(account("333")))}; });
        });
        QTest::newRow("modify account") << Step([rec](Fixture &f) {
            AccountRecord r = f.book.store.lookupAccount(f.a);
            r.name = "Changed";
            rec(
                f, "Modify Account", [&] { return QStringList{accountFileName(f.a)}; },
                [&] {
                f.book.store.modifyAccount(r);
                return QStringList();
                });
        });
        QTest::newRow("delete account") << Step([rec](Fixture &f) {
            CDataStore &s = f.book.store;
            rec(
                f, "Delete Account",
                [&] {
                return QStringList{accountFileName(f.a)} + s.transactionFileNames(f.a) + QStringList{planFileName(s)};
                },
                [&] {
                s.deleteAccount(f.a);
                return QStringList();
            });
        });
        QTest::newRow("add transaction") << Step([rec](Fixture &f) {
            rec(f, "Add Transaction", none, [&] {
                return QStringList{transactionFileName(f.book.store.addTransaction(movement(f.b, at(2026, 1, 1), 5)))};
            });
        });
        QTest::newRow("modify transaction") << Step([rec](Fixture &f) {
            CDataStore &s = f.book.store;
            s.loadAccountTransactions(f.a);
            TransactionRecord r = s.lookupTransaction(f.ta);
            r.subject = "Changed";
            rec(
                f, "Modify Transaction", [&] { return QStringList{transactionFileName(f.ta)}; },
                [&] {
                s.modifyTransaction(f.ta, r);
                return QStringList();
                });
        });
        QTest::newRow("delete transaction") << Step([rec](Fixture &f) {
            rec(
                f, "Delete Transaction", [&] { return QStringList{transactionFileName(f.tb)}; },
                [&] {
                f.book.store.deleteTransaction(f.tb);
                return QStringList();
                });
        });
        QTest::newRow("add plan") << Step([rec](Fixture &f) {
            CDataStore &s = f.book.store;
            rec(
                f, "Add Plan", [&] { return QStringList{planFileName(s)}; },
                [&] {
                s.addPlan(movement(f.b, at(2027, 3, 1), -1));
                return QStringList{planFileName(s)};
                });
        });
        QTest::newRow("modify plan") << Step([rec](Fixture &f) {
            CDataStore &s = f.book.store;
            TransactionRecord r = s.lookupPlan(f.pa);
            r.amount = -301;
            rec(
                f, "Modify Plan", [&] { return QStringList{planFileName(s)}; },
                [&] {
                s.modifyPlan(f.pa, r);
                return QStringList();
                });
        });
        QTest::newRow("delete plan") << Step([rec](Fixture &f) {
            CDataStore &s = f.book.store;
            rec(
                f, "Delete Plan", [&] { return QStringList{planFileName(s)}; },
                [&] {
                s.deletePlan(f.pb);
                return QStringList();
                });
        });
        QTest::newRow("convert plan") << Step([rec](Fixture &f) {
            CDataStore &s = f.book.store;
            rec(
                f, "Convert Plan", [&] { return QStringList{planFileName(s)}; },
                [&] { return QStringList{transactionFileName(s.convertPlan(f.pa))}; });
        });
        QTest::newRow("category tree") << Step([rec](Fixture &f) {
            CategoryTree tree = readCategoryFile(f.book.dir.path());
            tree.first().children.removeFirst();
            rec(
                f, "Delete Category", [] { return QStringList{kCategoryFileName}; },
                [&] {
                writeCategoryFile(f.book.dir.path(), tree);
                return QStringList();
                });
        });
    }

    void doUndoRedo()
    {
        QFETCH(Step, step);
        Fixture f;
        const QMap<QString, QByteArray> before = f.files();
        step(f);
        const QMap<QString, QByteArray> after = f.files();
        QVERIFY(after != before);
        QCOMPARE(f.history.count(), 1);
        QString problem;
        QVERIFY(f.history.undo(&problem));
        QCOMPARE(f.files(), before);
        QVERIFY(f.history.canRedo());
        QVERIFY(f.history.redo(&problem));
        QCOMPARE(f.files(), after);
        QVERIFY(f.history.undo(&problem));
        QCOMPARE(f.files(), before);
        QCOMPARE(problem, QString());
        // The store's tables follow the files.
        f.book.store.LoadAll();
        QCOMPARE(f.book.store.accounts().size(), 2);
    }

    void undoOfAccountDeleteBringsBackItsRecords()
    {
        Fixture f;
        CDataStore &s = f.book.store;
        const QStringList records = s.transactionFileNames(f.a);
        QCOMPARE(records.size(), 2);
        f.history.record(
            "Delete Account",
            [&] {
            return QStringList{accountFileName(f.a)} + s.transactionFileNames(f.a) + QStringList{planFileName(s)};
            },
            [&] {
            s.deleteAccount(f.a);
            return QStringList();
        });
        QVERIFY(s.transactionFileNames(f.a).isEmpty());
        QString problem;
        QVERIFY(f.history.undo(&problem));
        QCOMPARE(s.transactionFileNames(f.a), records);
        QVERIFY(s.accounts().contains(f.a));
        QVERIFY(s.plans().contains(f.pa));
        QCOMPARE(s.plans().size(), 2);
    }

    // What another program changed since is left as it left it, and the
    // history does not move past that step.
    void externalChangesStopTheHistory_data()
    {
        QTest::addColumn<bool>("plan");
        QTest::newRow("a transaction") << false;
        QTest::newRow("a plan") << true;
    }

    void externalChangesStopTheHistory()
    {
        QFETCH(bool, plan);
        Fixture f;
        CDataStore &s = f.book.store;
        // Two steps: the history undoes the newer, then meets the changed file.
        f.history.record(
            "Delete Transaction", [&] { return QStringList{transactionFileName(f.tb)}; },
            [&] {
            s.deleteTransaction(f.tb);
            return QStringList();
            });
        QString changedFile;
        if (plan) {
            changedFile = f.book.path(planFileName(s));
            f.history.record(
                "Delete Plan", [&] { return QStringList{planFileName(s)}; },
                [&] {
                s.deletePlan(f.pb);
                return QStringList();
                });
        } else {
            changedFile = f.book.path(transactionFileName(f.ta));
            s.loadAccountTransactions(f.a);
            TransactionRecord r = s.lookupTransaction(f.ta);
            r.subject = "Ours";
            f.history.record(
                "Modify Transaction", [&] { return QStringList{transactionFileName(f.ta)}; },
                [&] {
                s.modifyTransaction(f.ta, r);
                return QStringList();
                });
        }
        // Another program of the books writes the same file.
        CDataStore other(f.book.dir.path());
        if (plan) {
            other.addPlan(movement(f.a, at(2028, 1, 1), -7, QStringLiteral("Theirs")));
        } else {
            other.loadAccountTransactions(f.a);
            TransactionRecord r = other.lookupTransaction(f.ta);
            r.subject = "Theirs";
            other.modifyTransaction(f.ta, r);
        }
        const QMap<QString, QByteArray> theirs = f.files();
        QString problem;
        QVERIFY(!f.history.undo(&problem));
        QCOMPARE(problem, (plan ? QStringLiteral("The plan \"Theirs\" of 1/1/28")
                                : QStringLiteral("The transaction \"Theirs\" of 3/4/26"))
                              + QStringLiteral(" was changed by another program since; \"%1\" is not undone.")
                                    .arg(plan ? "Delete Plan" : "Modify Transaction"));
        QCOMPARE(f.files(), theirs);
        QCOMPARE(f.history.index(), 2);
        QVERIFY(!f.history.undo(&problem)); // again: it stays
        QCOMPARE(f.history.index(), 2);
        QCOMPARE(readFile(changedFile), theirs.value(QFileInfo(changedFile).fileName()));
    }

    void nothingChangedIsNoStep()
    {
        Fixture f;
        f.history.record(
            "Delete Plan", [&] { return QStringList{planFileName(f.book.store)}; },
            [&] {
            f.book.store.deletePlan(f.a + "20000101000000" + "90"); // no such plan
            return QStringList();
            });
        QCOMPARE(f.history.count(), 0);
        // A change that fails is no step either.
        QVERIFY_THROWS_EXCEPTION(FileError, f.history.record("Modify Transaction", none, [&]() -> QStringList {
            f.book.store.modifyTransaction(f.a + "20000101000000" + "90", TransactionRecord());
            return {};
        }));
        QCOMPARE(f.history.count(), 0);
    }

    // The desktop program: Edit > Undo names the step, undoes it, shows the
    // books again; a new working directory starts a new history.
    void theEditMenu()
    {
        FrameFixture f;
        const QString id = f.addAccount("111");
        const QString key = f.store.addTransaction(movement(id, OleDateTime::currentDateTime(), -5, "Coffee"));
        const QByteArray bytes = readFile(f.dir.filePath(key + ".tra"));
        f.open();
        QAction *undo = f.frame->action(ID_EDIT_UNDO);
        QAction *redo = f.frame->action(ID_EDIT_REDO);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("&Undo"));
        QCOMPARE(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QVERIFY(f.frame->commandToolBar()->actions().contains(undo));

        f.frame->accountSelector()->selectById(id);
        f.frame->runCommand(ID_VIEW_TRANSACTIONS);
        CAccountTransListCtrl *list = f.page()->accountTransList();
        QCOMPARE(list->count(), 2);
        list->setSelectionMark(1);
        MessageRecorder messages;
        f.frame->runCommand(ID_TRANSACTION_DELETE);
        QVERIFY(!QFileInfo::exists(f.dir.filePath(key + ".tra")));
        QCOMPARE(list->count(), 1);
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("&Undo Delete Transaction"));
        QCOMPARE(undo->toolTip(), QStringLiteral("Undo Delete Transaction"));

        f.frame->runCommand(ID_EDIT_UNDO);
        QCOMPARE(readFile(f.dir.filePath(key + ".tra")), bytes);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->keyAt(1), key);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QStringLiteral("&Redo Delete Transaction"));
        f.frame->runCommand(ID_EDIT_REDO);
        QVERIFY(!QFileInfo::exists(f.dir.filePath(key + ".tra")));
        QCOMPARE(list->count(), 1);

        // Another program brought the record back meanwhile: redo then undo stop.
        f.frame->runCommand(ID_EDIT_UNDO);
        QVERIFY(QFile::remove(f.dir.filePath(key + ".tra")));
        f.frame->runCommand(ID_EDIT_REDO);
        QCOMPARE(messages.shown.size(), 2); // the confirmation, then the refusal
        QVERIFY(messages.shown.last().text.contains("was changed by another program since"));
        QVERIFY(redo->isEnabled());

        QTemporaryDir other;
        f.store.setWorkDir(other.path());
        f.frame->undoHistory()->clear();
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    }

    void categoryChangesAreStepsToo()
    {
        FrameFixture f;
        f.open();
        const QString file = f.dir.filePath(kCategoryFileName);
        const QByteArray before = readFile(file);
        f.frame->runCommand(ID_VIEW_CATEGORIES);
        CCategoryTreeCtrl *tree = f.page()->categoryTree();
        QTreeWidgetItem *first = tree->topLevelItem(0)->child(0);
        const QString name = first->text(0);
        tree->setCurrentItem(first);
        MessageRecorder messages;
        f.frame->runCommand(ID_CATEGORY_DELETE);
        // Written at once, without the child.
        QCOMPARE(readCategoryFile(f.dir.path()).first().children.size(), tree->topLevelItem(0)->childCount());
        QVERIFY(readFile(file) != before);
        f.frame->runCommand(ID_EDIT_UNDO);
        QCOMPARE(readFile(file), before);
        QCOMPARE(f.page()->categoryTree()->topLevelItem(0)->child(0)->text(0), name);
        // Leaving the view writes nothing the file does not hold.
        f.frame->runCommand(ID_VIEW_ACCOUNTS);
        QCOMPARE(readFile(file), before);
        f.frame->runCommand(ID_EDIT_REDO);
        QVERIFY(readFile(file) != before);
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
