#include "processutil.h"
#include "store/bookcheck.h"
#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "store/settingsfile.h"
#include "storefixture.h"

#include <QTest>

#include <sys/stat.h>

using namespace testutil;

namespace {

// A working directory "Books" inside its own parent, so the Damaged folder
// beside it is the test's too.
struct Books
{
    QTemporaryDir parent;
    QString dir = parent.filePath("Books");
    CDataStore store{dir};

    Books()
    {
        makePrivateDir(dir);
        store.loadAtStartup();
        createDefaultSettings(dir);
    }
    QString path(const QString &name) const { return QDir(dir).filePath(name); }
    QString damaged(const QString &name) const { return parent.filePath("Damaged/" + name); }
};

} // namespace

class TestBookCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }
    void cleanup() { setWriteStepHook(nullptr); }

    void aCleanBookIsClean()
    {
        Books books;
        const QString id = books.store.addAccount(account("1"));
        books.store.addTransaction(movement(id, at(2026, 1, 1), 5));
        books.store.addTransaction(movement(id, at(2026, 1, 2), 6));
        books.store.addPlan(movement(id, at(2026, 2, 1), 7));
        const BookCheck check = checkBooks(books.dir);
        QCOMPARE(check.lines(), QStringList());
        QCOMPARE(check.summary("D"), QStringLiteral("1 accounts, 2 transactions, 1 plans: no problems found in D"));
        QVERIFY(!check.repairable());
        const BookRepair repair = repairBooks(books.store);
        QVERIFY(repair.moved.isEmpty());
        QVERIFY(repair.failures.isEmpty());
        QVERIFY(!QFileInfo::exists(books.damaged("")));
    }

    // Each kind of damage named, then moved aside whole; nothing is deleted.
    void damageIsNamedAndMovedAside()
    {
        Books books;
        const QString id = books.store.addAccount(account("1"));
        const QString key = books.store.addTransaction(movement(id, at(2026, 1, 1), 5));
        const QString plan = books.store.addPlan(movement(id, at(2026, 2, 1), 7, "mine"));
        const QString planFile = QFileInfo(books.store.planFilePath()).fileName();
        const QString lost = QStringLiteral("2020010100000090");
        QTemporaryDir outside;

        QMap<QString, QByteArray> planted;
        const auto plant = [&](const QString &name, const QByteArray &bytes) {
            QVERIFY(writeFile(books.path(name), bytes));
            planted.insert(name, bytes);
        };
        plant(recordKey(id, 1) + ".tra", QByteArray()); // a write cut short
        plant(recordKey(id, 2) + ".tra", encodeTransaction(movement(recordKey(id, 2), at(2026, 1, 1), 1)).chopped(1));
        plant(key + " (copy).tra", readFile(books.path(key + ".tra")));
        plant(recordKey(lost, 0) + ".tra", encodeTransaction(movement(recordKey(lost, 0), at(2026, 1, 1), 9)));
        plant(kTempFilePrefix + "a1b2c3", "half");
        plant("Graph.grp", hex("01000000 ff000000"));
        QVERIFY(QFile::link(outside.filePath("elsewhere"), books.path(recordKey(id, 3) + ".tra")));
        QVERIFY(QFile::remove(books.path("Category.cat")));
        QVERIFY(::mkfifo(QFile::encodeName(books.path("Category.cat")).constData(), 0600) == 0);
        RecordMap<TransactionRecord> plans;
        const TransactionRecord own = books.store.lookupPlan(plan);
        const TransactionRecord orphan = movement(recordKey(lost, 1), at(2026, 3, 1), 11, "orphan");
        plans.insert(own.key, own);
        plans.insert(orphan.key, orphan);
        QVERIFY(writeFile(books.path(planFile), encodePlans(plans)));

        ::alarm(60);
        const BookCheck check = checkBooks(books.dir);
        ::alarm(0);
        QStringList expected = {
            recordKey(id, 1) + ".tra: empty: an interrupted write",
            recordKey(id, 2) + ".tra: cut short or malformed",
            recordKey(id, 3) + ".tra: is a symbolic link, not a file",
            key + " (copy).tra: its name is not " + key + ".tra, the name of the record it holds",
            recordKey(lost, 0) + ".tra: its account " + lost + " does not exist",
            planFile + ": 1 plan(s) of accounts that do not exist",
            "Category.cat: is a FIFO, not a file",
            "Graph.grp: not a count of 12 and twelve colours",
            kTempFilePrefix + "a1b2c3: left by an interrupted write",
        };
        QStringList lines = check.lines();
        lines.sort();
        expected.sort();
        QCOMPARE(lines, expected);
        QCOMPARE(check.transactions, 1);
        QCOMPARE(check.plans, 1);
        QVERIFY(check.repairable());

        const BookRepair repair = repairBooks(books.store);
        QCOMPARE(repair.failures, QStringList());
        QCOMPARE(repair.moved.size(), expected.size());
        QVERIFY(checkBooks(books.dir).clean());
        // What was moved is there whole, under its own name.
        for (auto it = planted.begin(); it != planted.end(); ++it)
            QCOMPARE(readFile(books.damaged(it.key())), it.value());
        QVERIFY(QFileInfo(books.damaged(recordKey(id, 3) + ".tra")).isSymLink());
        QCOMPARE(entryType(books.damaged("Category.cat")), EntryType::Other);
        // The plans of no account are kept beside, out of the plan file.
        QCOMPARE(decodePlans(readFile(books.damaged(planFile))), QList<TransactionRecord>({orphan}));
        books.store.loadPlans();
        QCOMPARE(books.store.plans().keys(), QStringList({plan}));
        // The book still has its own records, and gets its default files back.
        books.store.LoadAll();
        QCOMPARE(books.store.accounts().keys(), QStringList({id}));
        QCOMPARE(readCategoryFile(books.dir), defaultCategoryTree());
        QCOMPARE(readChartColourFile(books.dir, 6), defaultChartColours());
    }

    void aPlanFileThatDoesNotReadWholeIsSetAsideWithWhatReads()
    {
        Books books;
        const QString id = books.store.addAccount(account("1"));
        const QString first = books.store.addPlan(movement(id, at(2026, 2, 1), 7));
        const QString second = books.store.addPlan(movement(id, at(2026, 2, 2), 8));
        const QString path = books.store.planFilePath();
        const QByteArray damaged = readFile(path) + "junk";
        QVERIFY(writeFile(path, damaged));
        QCOMPARE(
            checkBooks(books.dir).lines(),
            QStringList({QFileInfo(path).fileName() + ": cannot be read whole: 4 bytes after the last of 2 plans"}));

        repairBooks(books.store);
        QCOMPARE(readFile(books.damaged(QFileInfo(path).fileName())), damaged);
        books.store.loadPlans();
        QCOMPARE(books.store.planFileProblem(), QString());
        QStringList keys = books.store.plans().keys();
        keys.sort();
        QCOMPARE(keys, QStringList({first, second}));
        QCOMPARE(modeOf(path), 0600);
        books.store.addPlan(movement(id, at(2026, 2, 3), 9)); // plans can be changed again
    }

    // A delete-account killed after its first removal leaves no half account:
    // the account is gone, and its records are named and moved aside.
    void aKilledAccountDeleteLeavesRecordsOfNoAccount()
    {
        Books books;
        const QString keep = books.store.addAccount(account("keep"));
        const QString gone = books.store.addAccount(account("gone"));
        const QString kept = books.store.addTransaction(movement(keep, at(2026, 1, 1), 1));
        QStringList keys;
        for (int i = 0; i < 3; ++i)
            keys << books.store.addTransaction(movement(gone, at(2026, 1, 1), i));
        books.store.addPlan(movement(gone, at(2026, 2, 1), 5));
        const QString keptPlan = books.store.addPlan(movement(keep, at(2026, 2, 1), 5));

        QCOMPARE(runInChild([&] {
                     killAtStep(WriteStep::Removed);
                     books.store.deleteAccount(gone);
                 }),
                 ChildEnd::Killed);
        QVERIFY(!QFileInfo::exists(books.path(gone + ".act")));
        books.store.loadAccounts();
        QCOMPARE(books.store.accounts().keys(), QStringList({keep}));

        const BookCheck check = checkBooks(books.dir);
        QCOMPARE(check.problems.size(), 4);
        for (const QString &key : keys)
            QVERIFY(check.lines().contains(key + ".tra: its account " + gone + " does not exist"));
        repairBooks(books.store);
        QVERIFY(checkBooks(books.dir).clean());
        for (const QString &key : keys)
            QVERIFY(QFileInfo::exists(books.damaged(key + ".tra")));
        QVERIFY(QFileInfo::exists(books.path(kept + ".tra")));
        books.store.loadPlans();
        QCOMPARE(books.store.plans().keys(), QStringList({keptPlan}));
    }

    void aDamagedPasswordFileIsNamedAndLeftAlone()
    {
        Books books;
        const QByteArray cut = readFile(settingsFilePath(books.dir)).chopped(5);
        QVERIFY(writeFile(settingsFilePath(books.dir), cut));
        const BookCheck check = checkBooks(books.dir);
        QCOMPARE(check.lines(), QStringList({"setfnpngs.pss: field 4 is missing or not enciphered text (nobody is "
                                             "admitted; a repair leaves it alone)"}));
        QVERIFY(!check.repairable());
        repairBooks(books.store);
        QCOMPARE(readFile(settingsFilePath(books.dir)), cut);
    }

private:
    static int modeOf(const QString &path)
    {
        struct stat st
        {};
        return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
    }
};

QTEST_GUILESS_MAIN(TestBookCheck)
#include "tst_bookcheck.moc"
