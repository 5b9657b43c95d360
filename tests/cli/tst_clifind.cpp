#include "clirunner.h"
#include "testutil.h"

#include <QDate>
#include <QProcess>
#include <QtTest>

using namespace testutil;

// fennimar-cli find, backup and restore, run as a user runs them.
class TestCliFind : public QObject
{
    Q_OBJECT

    using Result = CliResult;

    QTemporaryDir m_config;
    QTemporaryDir m_root;
    QString m_book;
    QString m_a, m_b, m_groceries, m_salary, m_old;

    Result cli(const QStringList &args, bool inBook = true)
    {
        return runCli(QStringLiteral(FENNIMAR_CLI), (inBook ? QStringList{"--workdir", m_book} : QStringList()) + args,
                      m_config.path());
    }

    QString ok(const QStringList &args)
    {
        const Result r = cli(args);
        if (r.code != 0)
            QTest::qFail(qPrintable(args.join(u' ') + QStringLiteral(" failed: ") + r.err), __FILE__, __LINE__);
        return r.out.trimmed();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_book = m_root.filePath("Books");
        ok({"init"});
        m_a = ok({"add-account", "--number", "12-3456"});
        m_b = ok({"add-account", "--number", "78-9"});
        m_groceries = ok({"add-transaction", "--account", m_a, "--amount", "42.80", "--expense", "--subject",
                          "Groceries", "--category", "Snacks", "--date", "2026-03-04"});
        m_salary = ok({"add-transaction", "--account", m_a, "--amount", "1250", "--subject", "Salary", "--notes",
                       "March pay", "--date", "2026-03-01"});
        m_old = ok({"add-transaction", "--account", m_b, "--amount", "42.8", "--subject", "Old refund", "--date",
                    "1999-12-31T23:00:00"});
        ok({"add-plan", "--account", m_a, "--amount", "42.80", "--subject", "Planned", "--date", "2027-01-01"});
    }

    void find_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("amount as typed, every date and account")
            << QStringList{"42.8"} << QStringList{"old", "groceries"};
        QTest::newRow("notes, other case") << QStringList{"MARCH"} << QStringList{"salary"};
        QTest::newRow("words in several fields") << QStringList{"snacks", "2026-03"} << QStringList{"groceries"};
        QTest::newRow("an account") << QStringList{"42.8", "--account", "B"} << QStringList{"old"};
        QTest::newRow("from a day") << QStringList{"42.8", "--from", "2000-01-01"} << QStringList{"groceries"};
        QTest::newRow("to a day, whole") << QStringList{"42.8", "--to", "1999-12-31"} << QStringList{"old"};
        QTest::newRow("at least") << QStringList{"2026", "--min", "100"} << QStringList{"salary"};
        QTest::newRow("at most") << QStringList{"2026", "--max", "42.80"} << QStringList{"groceries"};
        QTest::newRow("nothing") << QStringList{"rent"} << QStringList();
    }

    void find()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, keys);
        args.replaceInStrings(QRegularExpression("^B$"), m_b);
        const QMap<QString, QString> lines = {
            {"groceries", m_groceries + "\t12-3456\t2026-03-04T12:00:00\tGroceries\t-42.80\n"},
            {"salary", m_salary + "\t12-3456\t2026-03-01T12:00:00\tSalary\t1250.00\n"},
            {"old", m_old + "\t78-9\t1999-12-31T23:00:00\tOld refund\t42.80\n"},
        };
        QString expected;
        for (const QString &k : keys)
            expected += lines.value(k);
        const Result r = cli(QStringList{"find"} + args);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, expected);
    }

    void findRefusals()
    {
        QCOMPARE(cli({"find"}).code, 2);
        QCOMPARE(cli({"find", "x", "--min", "-3"}).code, 1);
        QCOMPARE(cli({"find", "x", "--from", "yesterday"}).code, 2);
        QCOMPARE(cli({"find", "x", "--account", "2000010100000090"}).code, 1);
    }

    void backupAndRestore()
    {
        const QMap<QString, QByteArray> books = snapshot(m_book);
        const Result backup = cli({"backup"});
        QCOMPARE(backup.code, 0);
        const QString zip = m_root.filePath("Backups/Books-" + QDate::currentDate().toString(Qt::ISODate) + ".zip");
        QCOMPARE(backup.out, zip + "\n");
        QCOMPARE(backup.err, QStringLiteral("2 accounts, 3 transactions, 1 plans, 9 files\n"));
        QCOMPARE(snapshot(m_book), books);

        // No working directory needed to restore.
        const QString target = m_root.filePath("Restored");
        const Result restore = cli({"restore", zip, "--to", target}, false);
        QCOMPARE(restore.code, 0);
        QCOMPARE(restore.out, target + "\n");
        QCOMPARE(snapshot(target), books);
        const Result check = cli({"--workdir", target, "check"}, false);
        QCOMPARE(check.code, 0);
        QCOMPARE(check.out, "2 accounts, 3 transactions, 1 plans: no problems found in " + target + "\n");

        // Never over existing books.
        const Result again = cli({"restore", zip, "--to", m_book}, false);
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains("only into a new or empty folder"));
        QCOMPARE(snapshot(m_book), books);
        QCOMPARE(cli({"restore", zip}, false).code, 2);
        QCOMPARE(cli({"restore", m_root.filePath("none.zip"), "--to", m_root.filePath("X")}, false).code, 1);
        QVERIFY(!QFileInfo::exists(m_root.filePath("X")));
    }
};

QTEST_GUILESS_MAIN(TestCliFind)
#include "tst_clifind.moc"
