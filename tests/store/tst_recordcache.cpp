#include "store/recordcache.h"
#include "storefixture.h"

#include <QRandomGenerator>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");

QList<double> amountsOf(const TransactionTable &rows)
{
    QList<double> amounts;
    for (const auto &row : rows)
        amounts << row.data->amount;
    std::sort(amounts.begin(), amounts.end());
    return amounts;
}

// The same bytes' length, another amount: a rewrite no size tells apart.
QByteArray sameSizeWithAmount(const TransactionRecord &record, double amount)
{
    TransactionRecord r = record;
    r.amount = amount;
    return encodeTransaction(r);
}

// Overwrites a file where it is (same inode), then gives it back its old
// modification time, as a program that keeps times does.
void rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat before
    {};
    QCOMPARE(::stat(name.constData(), &before), 0);
    const int fd = ::open(name.constData(), O_WRONLY);
    QVERIFY(fd >= 0);
    QCOMPARE(::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0), ssize_t(bytes.size()));
    const timespec times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::futimens(fd, times), 0);
    ::close(fd);
    struct stat after
    {};
    QCOMPARE(::stat(name.constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_size, before.st_size);
}

} // namespace

// A store that keeps what it read never shows what another program changed
// since: files added, deleted, replaced, or rewritten in place.
class TestRecordCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void externalChangesShowOnTheNextFill_data()
    {
        QTest::addColumn<bool>("watched");
        QTest::addColumn<bool>("aged"); // the files were written long enough before they were read
        QTest::newRow("watched") << true << false;
        QTest::newRow("watched, aged") << true << true;
        QTest::newRow("identities") << false << false;
        QTest::newRow("identities, aged") << false << true;
    }

    void externalChangesShowOnTheNextFill()
    {
        QFETCH(bool, watched);
        QFETCH(bool, aged);
        Book book;
        AccountRecord account = testutil::account("1");
        account.id = A;
        QVERIFY(writeFile(book.path(A + ".act"), encodeAccount(account)));
        const TransactionRecord first = movement(recordKey(A, 1), at(2026, 1, 5), 10);
        const TransactionRecord second = movement(recordKey(A, 2), at(2026, 1, 6), 20);
        book.putTransaction(first);
        book.putTransaction(second);
        if (aged)
            QTest::qWait(int(RecordCache::kUnsureNs / 1000000) + 100);

        CDataStore &store = book.store;
        store.setCaching(true, watched);
        store.loadAccounts();
        const auto fill = [&] { return amountsOf(store.fillAllTransList(at(2026, 1, 1), at(2026, 1, 31))); };
        QCOMPARE(fill(), QList<double>({10, 20}));
        QCOMPARE(fill(), QList<double>({10, 20}));

        // Added by another program.
        CDataStore other(book.dir.path());
        const QString added = other.addTransaction(movement(A, at(2026, 1, 7), 40));
        QCOMPARE(fill(), QList<double>({10, 20, 40}));
        QCOMPARE(store.fillAccountList().first().data->transactionSum, 70.0);

        // Rewritten in place within the same second, with the same size and the old time.
        rewriteInPlace(book.path(first.key + ".tra"), sameSizeWithAmount(first, 11));
        QCOMPARE(fill(), QList<double>({11, 20, 40}));

        // Replaced by a rename, as every program of the book replaces a file.
        other.modifyTransaction(second.key, movement(second.key, second.date, 22));
        QCOMPARE(fill(), QList<double>({11, 22, 40}));

        // Deleted.
        other.deleteTransaction(added);
        QCOMPARE(fill(), QList<double>({11, 22}));
        QCOMPARE(store.fillAccountList().first().data->transactionSum, 33.0);

        // Made unusable: the kept record goes, the problem is told.
        QStringList problems;
        store.setProblemHandler([&](const QString &path, const QString &) { problems << QFileInfo(path).fileName(); });
        QVERIFY(writeFile(book.path(first.key + ".tra"), QByteArray()));
        QCOMPARE(fill(), QList<double>({22}));
        QCOMPARE(fill(), QList<double>({22}));
        QCOMPARE(problems, QStringList({first.key + ".tra", first.key + ".tra"}));

        // The store's own changes show at once too.
        const QString mine = store.addTransaction(movement(A, at(2026, 1, 8), 80));
        QCOMPARE(fill(), QList<double>({22, 80}));
        store.deleteAllTransaction(mine);
        QCOMPARE(fill(), QList<double>({22}));
    }

    // After every few changes by another program, the kept store's all-accounts
    // list is the fresh store's, row for row in order, with the same problems
    // told in the same order; whether it patched its table or rebuilt it.
    void patchedFillsAreFreshFills()
    {
        Book book;
        QStringList ids;
        for (int a = 0; a < 4; ++a)
            ids << book.store.addAccount(account(QString::number(100 + a)));
        CDataStore other(book.dir.path());
        QList<TransactionRecord> live;
        for (int i = 0; i < 40; ++i) {
            const TransactionRecord r = movement(ids[i % 4], at(2026, 1, 1 + i % 28), 1 + i);
            live << r;
            live.last().key = other.addTransaction(r);
        }
        CDataStore &kept = book.store;
        kept.setCaching(true);
        kept.loadAccounts();
        QStringList keptProblems, freshProblems;
        kept.setProblemHandler([&](const QString &path, const QString &why) { keptProblems << path + ": " + why; });
        const auto rowsOf = [](const TransactionTable &rows) {
            QStringList out;
            for (const auto &row : rows)
                out << row.data->key + ' ' + row.texts.join(u'|');
            return out;
        };
        const auto compareFills = [&] {
            keptProblems.clear();
            freshProblems.clear();
            CDataStore fresh(book.dir.path());
            fresh.setProblemHandler(
                [&](const QString &path, const QString &why) { freshProblems << path + ": " + why; });
            fresh.loadAccounts();
            const QStringList expected = rowsOf(fresh.fillAllTransList(at(2025, 12, 1), at(2026, 2, 1)));
            const QStringList got = rowsOf(kept.fillAllTransList(at(2025, 12, 1), at(2026, 2, 1)));
            QCOMPARE(got, expected);
            QCOMPARE(keptProblems, freshProblems);
            QCOMPARE(kept.accountTransactions().keys(), fresh.accountTransactions().keys());
        };
        compareFills();

        QRandomGenerator random(20261207);
        for (int round = 0; round < 60; ++round) {
            const int changes = 1 + int(random.bounded(3));
            for (int c = 0; c < changes; ++c) {
                const int what = int(random.bounded(6));
                const int pick = int(random.bounded(qsizetype(live.size())));
                TransactionRecord &r = live[pick];
                const QString path = book.path(r.key + ".tra");
                if (what == 0) { // added
                    TransactionRecord n =
                        movement(ids[int(random.bounded(4))], at(2026, 1, 1 + int(random.bounded(28))),
                                 double(random.bounded(1000)));
                    n.key = other.addTransaction(n);
                    live << n;
                } else if (what == 1 && QFileInfo::exists(path)) { // deleted
                    QFile::remove(path);
                } else if (what == 2 && QFileInfo::exists(path)) { // replaced by a rename
                    r.amount += 1;
                    other.modifyTransaction(r.key, r);
                } else if (what == 3 && QFileInfo::exists(path)) { // rewritten in place, same size
                    rewriteInPlace(path, sameSizeWithAmount(r, r.amount + 2));
                    r.amount += 2;
                } else if (what == 4) { // damaged, or whole again
                    QVERIFY(writeFile(path, random.bounded(2) ? QByteArray("junk") : encodeTransaction(r)));
                } else { // a name that differs only in case, then gone again
                    const QString twin = book.path(r.key + ".TRA");
                    if (QFileInfo::exists(twin))
                        QFile::remove(twin);
                    else
                        QVERIFY(writeFile(twin, encodeTransaction(r)));
                }
            }
            compareFills();
            if (QTest::currentTestFailed())
                return;
        }
    }

    void otherAccountsAndPlansStayInStep()
    {
        Book book;
        CDataStore &store = book.store;
        store.setCaching(true);
        const QString a = store.addAccount(account("1"));
        store.loadAccounts();
        QCOMPARE(store.fillAccountList().size(), 1);
        CDataStore other(book.dir.path());
        const QString b = other.addAccount(account("2"));
        other.addTransaction(movement(b, at(2026, 1, 1), 5));
        store.loadAccounts();
        QCOMPARE(store.accounts().size(), 2);
        QCOMPARE(store.fillAccountList().size(), 2);

        // A plan file made by another program is found, and a change of it goes there.
        QCOMPARE(store.planFilePath(), QString());
        const QString plan = other.addPlan(movement(a, at(2026, 2, 1), 7));
        store.loadPlans();
        QCOMPARE(store.plans().keys(), QStringList({plan}));
        QCOMPARE(store.planFilePath(), other.planFilePath());
        store.deletePlan(plan);
        other.loadPlans();
        QVERIFY(other.plans().isEmpty());
        QCOMPARE(entries(book.dir.path()).filter(QStringLiteral(".pln")).size(), 1);
    }

    void aNewWorkingDirectoryStartsAfresh()
    {
        Book one, two;
        CDataStore store(one.dir.path());
        store.setCaching(true);
        for (Book *book : {&one, &two}) {
            AccountRecord a = account("1");
            a.id = A;
            QVERIFY(writeFile(book->path(A + ".act"), encodeAccount(a)));
        }
        one.putTransaction(movement(recordKey(A, 1), at(2026, 1, 1), 1));
        two.putTransaction(movement(recordKey(A, 1), at(2026, 1, 1), 2));
        store.loadAccounts();
        QCOMPARE(store.fillAccountList().first().data->transactionSum, 1.0);
        store.setWorkDir(two.dir.path());
        store.loadAccounts();
        QCOMPARE(store.fillAccountList().first().data->transactionSum, 2.0);
    }

    void unsureMeansChangedTooLateToTell()
    {
        FileIdentity id;
        QVERIFY(!RecordCache::isSure(id, 10'000'000'000)); // unknown
        id.size = 10;
        id.mtimeNs = id.ctimeNs = 5'000'000'000;
        QVERIFY(RecordCache::isSure(id, id.ctimeNs + RecordCache::kUnsureNs + 1));
        QVERIFY(!RecordCache::isSure(id, id.ctimeNs + RecordCache::kUnsureNs));
        QVERIFY(!RecordCache::isSure(id, id.ctimeNs + 1));
        id.mtimeNs = id.ctimeNs + RecordCache::kUnsureNs; // a time set ahead
        QVERIFY(!RecordCache::isSure(id, id.ctimeNs + RecordCache::kUnsureNs + 1));
    }
};

QTEST_GUILESS_MAIN(TestRecordCache)
#include "tst_recordcache.moc"
