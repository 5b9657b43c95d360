#include "storefixture.h"

#include <QTest>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");
const QString B = QStringLiteral("2026010100000190");

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
        const QString id = book.store.addAccount(account("1"));
        const QByteArray before = readFile(book.path(id + ".act"));
        const QString planKey = book.store.addPlan(movement(id, at(2026, 1, 1), 5));
        const QByteArray plansBefore = readFile(book.store.planFilePath());

        AccountRecord big = book.store.lookupAccount(id);
        TransactionRecord bigPlan = book.store.lookupPlan(planKey);
        big.notes = bigPlan.notes = QString(5000, u'n');
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
        QCOMPARE(book.store.plans().keys(), QStringList({planKey}));
        QCOMPARE(book.store.lookupPlan(planKey).notes, QString());
        // No temporary file is left behind.
        QCOMPARE(entries(book.dir.path()).size(), 2);
    }

    void damagedFilesAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        AccountRecord a = account("1");
        a.id = QStringLiteral("2020010100000090");
        const QByteArray good = encodeAccount(a);
        QTest::newRow("cut short") << good.left(good.size() - 1) << "cut short";
        QTest::newRow("huge length prefix") << hex("ff ffff ffffff7f 41") << "cut short";
        for (const char *id : {"", "*", "../../etc/passwd", " 020010100000090"}) {
            a.id = QString::fromLatin1(id);
            QTest::addRow("id \"%s\"", id) << encodeAccount(a) << "unusable id";
        }
    }

    void damagedFilesAreSkipped()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString name = QStringLiteral("2020010100000090.act");
        Book book;
        const QString good = book.store.addAccount(account("good"));
        QVERIFY(writeFile(book.path(name), bytes));
        QVERIFY(QDir(book.dir.path()).mkdir("2019010100000090.act")); // a folder named like a data file
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
        QCOMPARE(entries(book.dir.path()), QStringList({"2019010100000090.act", name}));
    }

    void badTransactionKeysAreSkipped()
    {
        Book book;
        book.putTransaction(movement(recordKey(A, 0), at(2026, 1, 1), 1));
        QVERIFY(writeFile(book.path(A + "short.tra"), encodeTransaction(movement(A + "1", at(2026, 1, 1), 2))));
        // A key of another account in this account's file would let a delete reach that account.
        const TransactionRecord foreign = movement(recordKey(B, 0), at(2026, 1, 1), 4);
        QVERIFY(writeFile(book.path(recordKey(A, 3) + ".tra"), encodeTransaction(foreign)));
        book.putTransaction(movement(recordKey(A, 4), OleDateTime(qQNaN()), 8));
        book.putTransaction(movement(recordKey(B, 0), at(2026, 1, 1), 16));
        QVERIFY(QDir(book.dir.path()).mkdir(recordKey(A, 5) + ".tra"));

        int problems = 0;
        book.store.setProblemHandler([&](const QString &, const QString &) { ++problems; });
        book.store.loadAccountTransactions(A);
        QCOMPARE(book.store.accountTransactions().keys(), QStringList({recordKey(A, 0)}));
        QCOMPARE(problems, 3);

        book.store.deleteAllTransactions(A);
        QCOMPARE(entries(book.dir.path()).size(), 5);
        QVERIFY(QFileInfo::exists(book.path(recordKey(B, 0) + ".tra")));
    }

    void deletingWhatIsGoneGoesOnAndBadKeysNameNoFile()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 1));
        QVERIFY(QFile::remove(book.path(key + ".tra")));
        book.store.deleteTransaction(key);
        QVERIFY(QFile::remove(book.path(id + ".act")));
        book.store.deleteAccount(id);
        QVERIFY(book.store.accounts().isEmpty());

        TransactionRecord r = movement(A, at(2026, 1, 1), 1);
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.modifyTransaction(QStringLiteral("*"), r));
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.deleteTransaction(QString()));
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.deleteAccount(QString()));
        r.key = QStringLiteral("../x");
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.addTransaction(r));
        QVERIFY(entries(book.dir.path()).isEmpty());
    }

    void idsNeverClash()
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
        // A hundred accounts in one run pass over them and over each other.
        QSet<QString> mine;
        for (int i = 0; i < 100; ++i)
            mine.insert(book.store.addAccount(account("mine")));
        const QString key = book.store.addTransaction(movement(A, at(2026, 1, 1), 2, "mine"));
        QCOMPARE(mine.size(), 100);
        QCOMPARE(entries(book.dir.path()).size(), 2 * 31 + 101);
        QVERIFY(!mine.contains(key.mid(16)));
        for (const QString &t : taken) {
            QVERIFY(!mine.contains(t) && key.mid(16) != t);
            QCOMPARE(decodeAccount(readFile(book.path(t + ".act")))->accountNumber, QStringLiteral("theirs"));
            QCOMPARE(decodeTransaction(readFile(book.path(A + t + ".tra")))->subject, QStringLiteral("theirs"));
        }
        // Ids only ever grow within a run.
        QVERIFY(book.store.NewRecordId() > key.mid(16));
    }
};

QTEST_GUILESS_MAIN(TestDataSafety)
#include "tst_datasafety.moc"
