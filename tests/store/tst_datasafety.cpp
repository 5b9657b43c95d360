#include "storefixture.h"

#include <QTest>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");

// The id NewRecordId gives for a moment `seconds` from now.
QString idIn(int seconds)
{
    const QDateTime t = QDateTime::currentDateTime().addSecs(seconds);
    return t.toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral("90");
}

} // namespace

class TestDataSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void vanishedFolderFailsWithPathAndReason()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 5));
        QVERIFY(book.dir.remove());

        try {
            book.store.addAccount(account("2"));
            QFAIL("the add reported success");
        } catch (const FileError &e) {
            QVERIFY(e.path().startsWith(book.dir.path()));
            QVERIFY(!e.reason().isEmpty());
            QVERIFY(e.message().contains(QDir::toNativeSeparators(book.dir.path())));
        }
        QCOMPARE(book.store.accounts().size(), 1);

        TransactionRecord r = book.store.lookupTransaction(key);
        r.amount = 99;
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.modifyTransaction(key, r));
        QCOMPARE(book.store.lookupTransaction(key).amount, 5.0);
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.addTransaction(movement(id, at(2026, 1, 2), 1)));
        QCOMPARE(book.store.accountTransactions().size(), 1);
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.addPlan(movement(id, at(2026, 1, 2), 1)));
        QVERIFY(book.store.plans().isEmpty());
    }

    void fullDiskLeavesTheOldFileWhole()
    {
        Book book;
        AccountRecord a = account("1");
        const QString id = book.store.addAccount(a);
        const QByteArray before = readFile(book.path(id + ".act"));
        const QString planKey = book.store.addPlan(movement(id, at(2026, 1, 1), 5));
        const QByteArray plansBefore = readFile(book.store.planFilePath());

        AccountRecord big = book.store.lookupAccount(id);
        big.notes = QString(5000, u'n');
        TransactionRecord bigPlan = book.store.lookupPlan(planKey);
        bigPlan.notes = QString(5000, u'n');
        {
            FileSizeLimit limit(1024);
            QVERIFY_THROWS_EXCEPTION(FileError, book.store.modifyAccount(big));
            QVERIFY_THROWS_EXCEPTION(FileError, book.store.modifyPlan(planKey, bigPlan));
            QVERIFY_THROWS_EXCEPTION(FileError, book.store.addPlan(bigPlan));
        }
        QCOMPARE(readFile(book.path(id + ".act")), before);
        QCOMPARE(book.store.lookupAccount(id).notes, QString());
        // The plan table was changed before the save; it is put back.
        QCOMPARE(readFile(book.store.planFilePath()), plansBefore);
        QCOMPARE(book.store.plans().size(), 1);
        QCOMPARE(book.store.lookupPlan(planKey).notes, QString());
        // No temporary file is left behind.
        QCOMPARE(entries(book.dir.path()).size(), 2);
    }

    void damagedFilesAreSkipped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");

        AccountRecord a = account("1");
        a.id = QStringLiteral("2020010100000090");
        const QByteArray good = encodeAccount(a);
        QTest::newRow("cut short") << "2020010100000090.act" << good.left(good.size() - 1) << "cut short";
        QTest::newRow("huge length prefix") << "2020010100000090.act" << hex("ff ffff ffffff7f 41") << "cut short";
        QTest::newRow("empty file") << "2020010100000090.act" << QByteArray() << "cut short";
        AccountRecord empty = a;
        empty.id.clear();
        QTest::newRow("empty id") << "2020010100000090.act" << encodeAccount(empty) << "unusable id";
        AccountRecord wild = a;
        wild.id = QStringLiteral("*");
        QTest::newRow("wildcard id") << "x.act" << encodeAccount(wild) << "unusable id";
        wild.id = QStringLiteral("../../etc/passwd");
        QTest::newRow("path id") << "y.act" << encodeAccount(wild) << "unusable id";
        wild.id = QStringLiteral(" 020010100000090");
        QTest::newRow("blank-led id") << "z.act" << encodeAccount(wild) << "unusable id";
    }

    void damagedFilesAreSkipped()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        Book book;
        const QString good = book.store.addAccount(account("good"));
        QVERIFY(writeFile(book.path(name), bytes));
        QStringList problems;
        book.store.setProblemHandler([&](const QString &path, const QString &why) {
            problems << QFileInfo(path).fileName() + QStringLiteral(": ") + why;
        });
        book.store.loadAccounts();
        QCOMPARE(book.store.accounts().keys(), QStringList({good}));
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems[0].startsWith(name + ": " + reason), qPrintable(problems[0]));

        // Deleting the good account removes its own file and nothing else.
        book.store.deleteAccount(good);
        QCOMPARE(entries(book.dir.path()), QStringList({name}));
    }

    void badTransactionKeysAreSkipped()
    {
        Book book;
        const QString good = A + "2026010100000090";
        book.putTransaction(movement(good, at(2026, 1, 1), 1));
        TransactionRecord shortKey = movement(A + "1", at(2026, 1, 1), 2);
        QVERIFY(writeFile(book.path(A + "short.tra"), encodeTransaction(shortKey)));
        // A key of another account in this account's file would let a delete reach that account.
        TransactionRecord foreign = movement(QStringLiteral("2026010100000190") + "2026010100000090", at(2026, 1, 1), 4);
        QVERIFY(writeFile(book.path(A + "2026010100000390.tra"), encodeTransaction(foreign)));
        TransactionRecord nan = movement(A + "2026010100000490", OleDateTime(qQNaN()), 8);
        book.putTransaction(nan);
        book.putTransaction(movement(QStringLiteral("2026010100000190") + "2026010100000090", at(2026, 1, 1), 16));
        QVERIFY(QDir(book.dir.path()).mkdir(A + "2026010100000590.tra"));

        int problems = 0;
        book.store.setProblemHandler([&](const QString &, const QString &) { ++problems; });
        book.store.loadAccountTransactions(A);
        QCOMPARE(book.store.accountTransactions().keys(), QStringList({good}));
        QCOMPARE(problems, 3);

        book.store.deleteAllTransactions(A);
        QCOMPARE(entries(book.dir.path()).size(), 5);
        QVERIFY(QFileInfo::exists(book.path(QStringLiteral("2026010100000190") + "2026010100000090.tra")));
    }

    void deletingWhatIsGoneGoesOn()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 1));
        QVERIFY(QFile::remove(book.path(key + ".tra")));
        book.store.deleteTransaction(key);
        QVERIFY(QFile::remove(book.path(id + ".act")));
        book.store.deleteAccount(id);
        QVERIFY(book.store.accounts().isEmpty());
    }

    void rejectedKeysNameNoFile()
    {
        Book book;
        TransactionRecord r = movement(A, at(2026, 1, 1), 1);
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.modifyTransaction(QStringLiteral("*"), r));
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.deleteTransaction(QString()));
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.deleteAccount(QString()));
        r.key = QStringLiteral("../x");
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.addTransaction(r));
        QVERIFY(entries(book.dir.path()).isEmpty());
    }

    void foldersNamedLikeDataFilesAreSkipped()
    {
        Book book;
        QDir(book.dir.path()).mkdir("2020010100000090.act");
        QDir(book.dir.path()).mkdir("Plan2020010100000090.pln");
        book.store.loadAccounts();
        book.store.loadPlans();
        QVERIFY(book.store.accounts().isEmpty());
        QVERIFY(book.store.plans().isEmpty());
        // Saving plans makes a file of its own beside the folder.
        book.store.addPlan(movement(A, at(2026, 1, 1), 1));
        QVERIFY(QFileInfo(book.store.planFilePath()).isFile());
        QCOMPARE(entries(book.dir.path()).size(), 3);
    }

    void newIdsPassOverRecordsOnDisk()
    {
        // Another program has just written records under the ids of the coming seconds.
        Book book;
        AccountRecord theirs = account("theirs");
        QStringList taken;
        for (int s = -1; s < 30; ++s) {
            theirs.id = idIn(s);
            QVERIFY(writeFile(book.path(theirs.id + ".act"), encodeAccount(theirs)));
            book.putTransaction(movement(A + idIn(s), at(2026, 1, 1), 1, "theirs"));
            taken << theirs.id;
        }
        const QString id = book.store.addAccount(account("mine"));
        QVERIFY(!taken.contains(id));
        const QString key = book.store.addTransaction(movement(A, at(2026, 1, 1), 2, "mine"));
        QVERIFY(!taken.contains(key.mid(16)));
        for (const QString &t : taken) {
            QCOMPARE(decodeAccount(readFile(book.path(t + ".act")))->accountNumber, QStringLiteral("theirs"));
            QCOMPARE(decodeTransaction(readFile(book.path(A + t + ".tra")))->subject, QStringLiteral("theirs"));
        }
        // Ids only ever grow within a run.
        const QString next = book.store.NewRecordId();
        QVERIFY(next > id && next > key.mid(16));
    }
};

QTEST_GUILESS_MAIN(TestDataSafety)
#include "tst_datasafety.moc"
