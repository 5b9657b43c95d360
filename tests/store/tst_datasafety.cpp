#include "processutil.h"
#include "store/recordrules.h"
#include "store/settingsfile.h"
#include "storefixture.h"

#include <QTest>

#include <sys/stat.h>

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

    // A copy of a record file holds the same key: loaded, it would outlive every delete.
    void filesNamedOtherwiseThanTheirRecordAreSkipped()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 5));
        QVERIFY(QFile::copy(book.path(key + ".tra"), book.path(key + " (copy).tra")));
        const QString copy = id.left(14) + QStringLiteral("99.act");
        QVERIFY(QFile::copy(book.path(id + ".act"), book.path(copy)));
        QStringList problems;
        book.store.setProblemHandler([&](const QString &path, const QString &why) {
            problems << QFileInfo(path).fileName() + QStringLiteral(": ") + why;
        });

        book.store.loadAccounts();
        QCOMPARE(book.store.accounts().keys(), QStringList({id}));
        book.store.loadAccountTransactions(id);
        QCOMPARE(book.store.accountTransactions().keys(), QStringList({key}));
        problems.sort();
        QCOMPARE(problems,
                 QStringList(
                     {QStringLiteral("%1 (copy).tra: its name is not %1.tra, the name of the record it holds").arg(key),
                      copy + QStringLiteral(": its name is not ") + id
                          + QStringLiteral(".act, the name of the record it holds")}));

        book.store.deleteTransaction(key);
        book.store.loadAccountTransactions(id);
        QVERIFY(book.store.accountTransactions().isEmpty());
        QCOMPARE(book.store.fillAccountTransList(at(2026, 1, 1), at(2026, 1, 31), id).size(), 1);
    }

    // Another program deleted the record meanwhile: a modify fails and writes nothing.
    void aModifyNeverBringsBackWhatIsGone()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 5));
        const QString plan = book.store.addPlan(movement(id, at(2026, 2, 1), 5));
        CDataStore other(book.dir.path());
        other.loadAccounts();
        other.loadAccountTransactions(id);
        other.loadPlans();
        book.store.deleteTransaction(key);
        book.store.deletePlan(plan);
        book.store.deleteAccount(id);
        const auto before = snapshot(book.dir.path());

        const auto gone = [&](const std::function<void()> &change, const QString &message) {
            try {
                change();
                QFAIL("the change reported success");
            } catch (const FileError &e) {
                QCOMPARE(e.operation(), FileError::Gone);
                QCOMPARE(e.message(), message);
            }
        };
        gone([&] { other.modifyTransaction(key, movement(id, at(2026, 1, 1), 7)); },
             QStringLiteral("There is no transaction \"%1\".").arg(key));
        gone([&] { other.modifyPlan(plan, movement(id, at(2026, 1, 1), 7)); },
             QStringLiteral("There is no plan \"%1\".").arg(plan));
        gone([&] { other.convertPlan(plan); }, QStringLiteral("There is no plan \"%1\".").arg(plan));
        AccountRecord a = other.lookupAccount(id);
        a.name = QStringLiteral("back");
        gone([&] { other.modifyAccount(a); }, QStringLiteral("There is no account \"%1\".").arg(id));
        QCOMPARE(snapshot(book.dir.path()), before);
        QVERIFY(other.accountTransactions().isEmpty());
        QVERIFY(!other.accounts().contains(id));
        // Deleting what is gone goes on.
        other.deleteTransaction(key);
        other.deletePlan(plan);
        QCOMPARE(snapshot(book.dir.path()), before);
    }

    // Processes racing on one record: a delete always wins over a modify that
    // runs beside it, and a plan converts once.
    void racesBetweenProcesses()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        for (int round = 0; round < 20; ++round) {
            const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 5));
            const QString plan = book.store.addPlan(movement(id, at(2026, 2, 1), 5));
            StartLine line;
            const pid_t modifier = line.start([&] {
                book.store.modifyTransaction(key, movement(id, at(2026, 1, 1), 6));
                book.store.modifyPlan(plan, movement(id, at(2026, 2, 1), 6));
            });
            const pid_t deleter = line.start([&] {
                book.store.deleteTransaction(key);
                book.store.deletePlan(plan);
            });
            line.release();
            succeeded(modifier);
            QVERIFY(succeeded(deleter));
            QVERIFY2(!QFileInfo::exists(book.path(key + ".tra")), "a deleted transaction came back");
            book.store.loadPlans();
            QVERIFY2(!book.store.plans().contains(plan), "a deleted plan came back");
        }

        const QString plan = book.store.addPlan(movement(id, at(2026, 3, 1), 40));
        StartLine line;
        QList<pid_t> converters;
        for (int i = 0; i < 6; ++i)
            converters << line.start([&] { book.store.convertPlan(plan); });
        line.release();
        int converted = 0;
        for (pid_t pid : converters)
            converted += succeeded(pid) ? 1 : 0;
        QCOMPARE(converted, 1);
        book.store.loadAccountTransactions(id);
        QCOMPARE(book.store.accountTransactions().size(), 1);
        QCOMPARE(book.store.accountTransactions().begin().value().amount, 40.0);
    }

    // A plan file that does not read whole is shown as far as it reads, and no
    // plan change writes over it.
    void aPlanFileThatDoesNotReadWholeIsNeverWritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("problem");
        RecordMap<TransactionRecord> two;
        for (int i = 0; i < 2; ++i) {
            const TransactionRecord p = movement(recordKey(A, i), at(2026, 1, 1 + i), 1 + i);
            two.insert(p.key, p);
        }
        const QByteArray whole = encodePlans(two);
        QTest::newRow("count too high") << hex("05000000") + whole.mid(4) << 2 << "plan 3 of 5: cut short";
        QTest::newRow("trailing bytes") << whole + hex("00") << 2 << "1 bytes after the last of 2 plans";
        QTest::newRow("cut short") << whole.left(whole.size() - 3) << 1 << "plan 2 of 2: cut short";
        TransactionRecord bad = movement(recordKey(A, 5), at(2026, 1, 1), 1);
        bad.amount = qInf();
        RecordMap<TransactionRecord> withBad = two;
        withBad.insert(bad.key, bad);
        QTest::newRow("an unusable plan") << encodePlans(withBad) << 2 << "an amount that is not a number";
    }

    void aPlanFileThatDoesNotReadWholeIsNeverWritten()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, shown);
        QFETCH(QString, problem);
        Book book;
        const QString name = QStringLiteral("Plan2020010100000090.pln");
        QVERIFY(writeFile(book.path(name), bytes));
        book.store.loadPlans();
        QCOMPARE(book.store.plans().size(), shown);
        QVERIFY2(book.store.planFileProblem().contains(problem), qPrintable(book.store.planFileProblem()));

        const QString key = book.store.plans().keys().first();
        const std::function<void()> changes[] = {
            [&] { book.store.addPlan(movement(A, at(2026, 3, 1), 1)); },
            [&] { book.store.modifyPlan(key, movement(A, at(2026, 3, 1), 1)); },
            [&] { book.store.deletePlan(key); },
            [&] { book.store.convertPlan(key); },
            [&] { book.store.deleteAllPlans(A); },
            [&] { book.store.deleteAccount(A); },
        };
        for (const auto &change : changes) {
            try {
                change();
                QFAIL("a plan change went ahead");
            } catch (const FileError &e) {
                QCOMPARE(e.path(), book.path(name));
                QVERIFY2(e.message().contains("cannot be read whole"), qPrintable(e.message()));
            }
        }
        QCOMPARE(entries(book.dir.path()), QStringList({name}));
        QCOMPARE(readFile(book.path(name)), bytes);
    }

    void anUnreadablePlanFileIsNeverWritten()
    {
        if (runningAsRoot())
            QSKIP("root reads every file");
        Book book;
        const QString key = book.store.addPlan(movement(A, at(2026, 1, 1), 1));
        const QString path = book.store.planFilePath();
        const QByteArray bytes = readFile(path);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0200) == 0);
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.addPlan(movement(A, at(2026, 1, 2), 2)));
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.deletePlan(key));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0600) == 0);
        QCOMPARE(readFile(path), bytes);
    }

    // What the store's own readers would reject is never written.
    void recordsThatCannotBeReadBackAreRefused_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("date");
        QTest::addColumn<QString>("problem");
        QTest::newRow("infinite") << qInf() << 46000.5 << "the amount is not a number";
        QTest::newRow("not a number") << qQNaN() << 46000.5 << "the amount is not a number";
        QTest::newRow("too large") << -1e12 - 0.01 << 46000.5 << "the amount is too large";
        QTest::newRow("year 10000") << 1.0 << 2958466.5 << "the date is not within the years 100 to 9999";
        QTest::newRow("year 99") << 1.0 << -657436.0 << "the date is not within the years 100 to 9999";
        QTest::newRow("date not a number") << 1.0 << qQNaN() << "the date is not within the years 100 to 9999";
    }

    void recordsThatCannotBeReadBackAreRefused()
    {
        QFETCH(double, amount);
        QFETCH(double, date);
        QFETCH(QString, problem);
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 5));
        const QString plan = book.store.addPlan(movement(id, at(2026, 1, 1), 5));
        const auto before = snapshot(book.dir.path());
        TransactionRecord r = movement(id, OleDateTime(date), amount);
        const std::function<void()> writers[] = {
            [&] { book.store.addTransaction(r); },
            [&] { book.store.modifyTransaction(key, r); },
            [&] { book.store.addPlan(r); },
            [&] { book.store.modifyPlan(plan, r); },
        };
        for (const auto &write : writers) {
            try {
                write();
                QFAIL("the record was written");
            } catch (const FileError &e) {
                QVERIFY2(e.reason().startsWith(problem), qPrintable(e.reason()));
            }
        }
        AccountRecord a = book.store.lookupAccount(id);
        a.minimumBalance = amount;
        if (!amountProblem(amount).isEmpty())
            QVERIFY_THROWS_EXCEPTION(FileError, book.store.modifyAccount(a));
        QCOMPARE(snapshot(book.dir.path()), before);
        // Had one been written, its reader would have rejected it.
        r.key = recordKey(id, 1);
        if (!std::isfinite(amount) || date != 46000.5)
            QVERIFY(!decodeTransaction(encodeTransaction(r)));
    }

    void amountsAsTheUserTypesThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // -1: refused
        QTest::addColumn<QString>("problem");
        QTest::newRow("whole") << "1250" << 1250.0 << "";
        QTest::newRow("cents") << "42.80" << 42.8 << "";
        QTest::newRow("no leading digit") << ".5" << 0.5 << "";
        QTest::newRow("point, no decimals") << "7." << 7.0 << "";
        QTest::newRow("the largest") << "1000000000000" << 1e12 << "";
        QTest::newRow("cents of the largest") << "999999999999.99" << 999999999999.99 << "";
        QTest::newRow("one cent over") << "1000000000000.01" << -1.0 << "is too large";
        QTest::newRow("17 digits") << "12345678901234567" << -1.0 << "is too large";
        QTest::newRow("309 digits") << QString(309, u'9') << -1.0 << "is too large";
        QTest::newRow("three decimals") << "1.005" << -1.0 << "is not an amount";
        QTest::newRow("sign") << "-5" << -1.0 << "is not an amount";
        QTest::newRow("exponent") << "1e5" << -1.0 << "is not an amount";
        QTest::newRow("empty") << "" << -1.0 << "is not an amount";
        QTest::newRow("blank") << " 5" << -1.0 << "is not an amount";
    }

    void amountsAsTheUserTypesThem()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(QString, problem);
        QString why;
        const std::optional<double> parsed = parseAmountText(text, &why);
        if (value < 0) {
            QVERIFY(!parsed);
            QVERIFY2(why.startsWith(problem), qPrintable(why));
        } else {
            QVERIFY(parsed);
            QCOMPARE(*parsed, value);
            QCOMPARE(*parsed, roundToCents(*parsed));
        }
    }

    // Every file the store makes is its owner's alone.
    void newFilesArePrivate()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 5));
        book.store.addPlan(movement(id, at(2026, 1, 1), 5));
        book.store.loadAtStartup();
        createDefaultSettings(book.dir.path());
        for (const QString &name : entries(book.dir.path())) {
            struct stat st
            {};
            QVERIFY(::lstat(QFile::encodeName(book.path(name)).constData(), &st) == 0);
            QVERIFY2((st.st_mode & 0777) == 0600, qPrintable(name));
        }
        QCOMPARE(entries(book.dir.path()).size(), 6);
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
            // One reading of the clock for both: a second may turn between two.
            theirs.id = idIn(s);
            QVERIFY(writeFile(book.path(theirs.id + ".act"), encodeAccount(theirs)));
            book.putTransaction(movement(A + theirs.id, at(2026, 1, 1), 1, "theirs"));
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
            QVERIFY(!mine.contains(t));
            QVERIFY(key.mid(16) != t);
            const auto account = decodeAccount(readFile(book.path(t + ".act")));
            QVERIFY(account);
            QCOMPARE(account->accountNumber, QStringLiteral("theirs"));
            const auto transaction = decodeTransaction(readFile(book.path(A + t + ".tra")));
            QVERIFY(transaction);
            QCOMPARE(transaction->subject, QStringLiteral("theirs"));
        }
        // Ids only ever grow within a run.
        QVERIFY(book.store.NewRecordId() > key.mid(16));
    }
};

QTEST_GUILESS_MAIN(TestDataSafety)
#include "tst_datasafety.moc"
