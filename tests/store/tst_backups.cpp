#include "store/backups.h"
#include "store/bookcheck.h"
#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "store/settingsfile.h"
#include "storefixture.h"

#include <QProcess>
#include <QtTest>

using namespace testutil;

namespace {

// The members of a zip as Python's zipfile reads them (it checks every CRC):
// name and content, so the archive is judged by a reader other than ours.
QMap<QString, QByteArray> readZip(const QString &zip)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"),
                                                 QStringLiteral("import sys, zipfile\n"
                                                                "z = zipfile.ZipFile(sys.argv[1])\n"
                                                                "assert z.testzip() is None\n"
                                                                "for n in z.namelist(): print(n, z.read(n).hex())\n"),
                                                 zip});
    p.waitForFinished(30000);
    QMap<QString, QByteArray> members;
    if (p.exitCode() != 0)
        return members;
    for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            members.insert(QString::fromUtf8(parts[0]), QByteArray::fromHex(parts[1]));
    }
    return members;
}

// Writes a zip of the members with Python's zipfile.
bool makeZip(const QString &zip, const QMap<QString, QByteArray> &members)
{
    QString script = QStringLiteral("import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1], 'w')\n");
    for (auto it = members.begin(); it != members.end(); ++it)
        script += QStringLiteral("z.writestr(%1, bytes.fromhex('%2'))\n")
                      .arg(QStringLiteral("'%1'").arg(it.key()), QString::fromLatin1(it.value().toHex()));
    script += QStringLiteral("z.close()\n");
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, zip});
    p.waitForFinished(30000);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestBackups : public QObject
{
    Q_OBJECT

    // A book in "<root>/Books" with records of every kind and the files of
    // settings, categories and chart colours.
    struct Library
    {
        QTemporaryDir root;
        QString books = root.filePath(QStringLiteral("Books"));
        QString accountId;

        Library()
        {
            QDir().mkdir(books);
            CDataStore store(books);
            createDefaultSettings(books);
            ensureCategoryFile(books);
            ensureChartColourFile(books);
            accountId = store.addAccount(account(QStringLiteral("12-3456")));
            store.addTransaction(movement(accountId, at(2026, 3, 4), -42.8, QStringLiteral("Groceries")));
            store.addTransaction(movement(accountId, at(2026, 3, 1), 1250, QStringLiteral("Salary")));
            store.addPlan(movement(accountId, at(2027, 1, 1), -300, QStringLiteral("Insurance")));
        }
        QString backups() const { return root.filePath(QStringLiteral("Backups")); }
    };

private Q_SLOTS:
    void zipHoldsEveryDataFileByteForByte()
    {
        Library lib;
        // Not data files: none of them goes into the backup.
        QVERIFY(writeFile(lib.books + "/notes.txt", "mine"));
        QDir().mkdir(lib.books + "/2026120100000090.act");
        const QMap<QString, QByteArray> before = snapshot(lib.books);

        const QString zip = writeBackup(lib.books, QDate(2026, 12, 6));
        QCOMPARE(zip, lib.backups() + "/Books-2026-12-06.zip");
        QCOMPARE(backupFolder(lib.books), lib.backups());
        QMap<QString, QByteArray> expected = before;
        expected.remove("notes.txt");
        expected.remove("2026120100000090.act");
        QCOMPARE(expected.size(), 7); // account, 2 transactions, plans, categories, colours, settings
        QCOMPARE(readZip(zip), expected);
        // The books are untouched, and nothing was added to them.
        QCOMPARE(snapshot(lib.books), before);
        QCOMPARE(QFileInfo(zip).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());

        const BackupInfo info = readBackupInfo(zip);
        QCOMPARE(info.accounts, 1);
        QCOMPARE(info.transactions, 2);
        QCOMPARE(info.plans, 1);
        QCOMPARE(info.files, 7);
    }

    void atMostOnceADay()
    {
        Library lib;
        const QString first = backupIfDue(lib.books, QDate(2026, 12, 6));
        QVERIFY(!first.isEmpty());
        const QByteArray bytes = readFile(first);
        CDataStore(lib.books).addAccount(account(QStringLiteral("999")));
        QCOMPARE(backupIfDue(lib.books, QDate(2026, 12, 6)), QString());
        QCOMPARE(readFile(first), bytes);
        // The next day's is written, and lists first.
        QVERIFY(!backupIfDue(lib.books, QDate(2026, 12, 7)).isEmpty());
        const QList<BackupInfo> list = listBackups(lib.books);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].date, QDate(2026, 12, 7));
        QCOMPARE(list[0].accounts, 2);
        QCOMPARE(list[1].date, QDate(2026, 12, 6));
        QCOMPARE(list[1].accounts, 1);
    }

    void retentionKeeps30DailyAnd12Monthly_data()
    {
        QTest::addColumn<QDate>("last");
        QTest::addColumn<int>("days");
        QTest::addColumn<QList<QDate>>("monthly");
        QList<QDate> months;
        for (int m = 0; m < 12; ++m)
            months << QDate(2026, 1, 1).addMonths(-m);
        QTest::newRow("400 days") << QDate(2026, 2, 4) << 400 << months;
        QTest::newRow("a month and a day") << QDate(2026, 2, 4) << 31 << QList<QDate>{QDate(2026, 1, 5)};
        QTest::newRow("fewer than 30") << QDate(2026, 2, 4) << 12 << QList<QDate>();
    }

    void retentionKeeps30DailyAnd12Monthly()
    {
        QFETCH(QDate, last);
        QFETCH(int, days);
        QFETCH(QList<QDate>, monthly);
        QList<QDate> all;
        for (int i = 0; i < days; ++i)
            all << last.addDays(-i);
        QList<QDate> expected = all.mid(0, 30);
        expected += monthly;
        QCOMPARE(backupDaysKept(all), expected);
    }

    void pruneRemovesWhatIsNotKept()
    {
        Library lib;
        const QString zip = writeBackup(lib.books, QDate(2026, 2, 4));
        const QByteArray bytes = readFile(zip);
        for (int i = 1; i < 400; ++i)
            QVERIFY(writeFile(lib.backups() + "/" + backupFileName(lib.books, QDate(2026, 2, 4).addDays(-i)), bytes));
        // Another book's backups and other files share the folder untouched.
        QVERIFY(writeFile(lib.backups() + "/Other-2020-01-01.zip", bytes));
        QVERIFY(writeFile(lib.backups() + "/readme.txt", "x"));
        QCOMPARE(pruneBackups(lib.books), 400 - 42);
        QCOMPARE(listBackups(lib.books).size(), 42);
        QVERIFY(QFileInfo::exists(lib.backups() + "/Books-2025-02-01.zip"));
        QVERIFY(!QFileInfo::exists(lib.backups() + "/Books-2025-02-02.zip"));
        QVERIFY(!QFileInfo::exists(lib.backups() + "/Books-2025-01-01.zip"));
        QVERIFY(QFileInfo::exists(lib.backups() + "/Other-2020-01-01.zip"));
        QVERIFY(QFileInfo::exists(lib.backups() + "/readme.txt"));
        // A new backup prunes as it goes.
        QVERIFY(writeFile(lib.backups() + "/Books-2024-06-01.zip", bytes));
        writeBackup(lib.books, QDate(2026, 2, 5));
        QCOMPARE(listBackups(lib.books).size(), 42);
        QVERIFY(!QFileInfo::exists(lib.backups() + "/Books-2024-06-01.zip"));
    }

    void restoreGivesWorkingBooks()
    {
        Library lib;
        const QMap<QString, QByteArray> before = snapshot(lib.books);
        const QString zip = writeBackup(lib.books, QDate(2026, 12, 6));
        const QString target = lib.root.filePath("Restored/Books");
        QCOMPARE(restoreBackup(zip, target), 7);
        QCOMPARE(snapshot(target), before);
        QVERIFY(checkBooks(target).clean());
        CDataStore restored(target);
        restored.LoadAll();
        QCOMPARE(restored.accounts().keys(), QStringList{lib.accountId});
        QCOMPARE(restored.allTransactions().size(), 2);
        QCOMPARE(restored.plans().size(), 1);
        QCOMPARE(QFileInfo(target).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }

    void restoreNeverWritesOver()
    {
        Library lib;
        const QString zip = writeBackup(lib.books, QDate(2026, 12, 6));
        const QMap<QString, QByteArray> books = snapshot(lib.books);
        QVERIFY_THROWS_EXCEPTION(FileError, restoreBackup(zip, lib.books));
        QCOMPARE(snapshot(lib.books), books);
        const QString other = lib.root.filePath("Other");
        QDir().mkdir(other);
        QVERIFY(writeFile(other + "/keep.txt", "mine"));
        QVERIFY_THROWS_EXCEPTION(FileError, restoreBackup(zip, other));
        QCOMPARE(entries(other), QStringList{"keep.txt"});
        // An empty folder is taken.
        const QString empty = lib.root.filePath("Empty");
        QDir().mkdir(empty);
        QCOMPARE(restoreBackup(zip, empty), 7);
    }

    void restoreRefusesBadArchives_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a name that leaves the folder") << "escape";
        QTest::newRow("a name in a sub-folder") << "folder";
        QTest::newRow("no data file") << "other";
        QTest::newRow("a damaged member") << "crc";
        QTest::newRow("no zip") << "nozip";
    }

    void restoreRefusesBadArchives()
    {
        QFETCH(QString, kind);
        QTemporaryDir root;
        const QString zip = root.filePath("backup.zip");
        const QByteArray record = QByteArray(60, 'x');
        QMap<QString, QByteArray> members{{"2026120100000090.act", record}};
        if (kind == "escape")
            members.insert("../2026120100000091.act", record);
        else if (kind == "folder")
            members.insert("sub/2026120100000091.act", record);
        else if (kind == "other")
            members.insert("run.sh", record);
        QVERIFY(makeZip(zip, members));
        if (kind == "crc") {
            // The member is stored: flip a byte of its data, after the 30-byte header and its name.
            QByteArray bytes = readFile(zip);
            bytes[30 + 20 + 5] = 'y';
            QVERIFY(writeFile(zip, bytes));
        } else if (kind == "nozip") {
            QVERIFY(writeFile(zip, "PK but not a zip"));
        }
        const QString target = root.filePath("Restored");
        QVERIFY_THROWS_EXCEPTION(FileError, restoreBackup(zip, target));
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!QFileInfo::exists(root.filePath("2026120100000091.act")));
    }

    // Members that unpack to more than a book holds are refused before anything is written.
    void restoreRefusesWhatUnpacksTooLarge()
    {
        QTemporaryDir root;
        const QString zip = root.filePath("backup.zip");
        QVERIFY(makeZip(
            zip, {{"2026120100000090.act", QByteArray(600, 'x')}, {"2026120100000091.act", QByteArray(600, 'y')}}));
        const QString target = root.filePath("Restored");
        try {
            restoreBackup(zip, target, 1000);
            QFAIL("restored");
        } catch (const FileError &e) {
            QVERIFY(e.message().contains(QStringLiteral("more than 1000 bytes")));
        }
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(restoreBackup(zip, target, 1200), 2);
    }

    // A backup that cannot be written whole changes nothing and says why.
    void backupIntoAReadOnlyPlaceFails()
    {
        Library lib;
        const QMap<QString, QByteArray> books = snapshot(lib.books);
        // Where nobody, not even root, can make a folder.
        try {
            writeBackup(lib.books, QDate(2026, 12, 6), QStringLiteral("/proc/fennimar-backups"));
            QFAIL("a backup into /proc was reported done");
        } catch (const FileError &e) {
            QVERIFY(e.message().contains("/proc/fennimar-backups"));
        }
        QVERIFY(!QFileInfo::exists("/proc/fennimar-backups"));
        // "Backups" taken by a file: the file stays as it was.
        QVERIFY(writeFile(lib.backups(), "not a folder"));
        QVERIFY_THROWS_EXCEPTION(FileError, writeBackup(lib.books, QDate(2026, 12, 6)));
        QCOMPARE(readFile(lib.backups()), QByteArray("not a folder"));
        QFile::remove(lib.backups());
        // The day's name taken by a folder: never replaced.
        QDir().mkpath(lib.backups() + "/Books-2026-12-06.zip");
        QVERIFY_THROWS_EXCEPTION(FileError, writeBackup(lib.books, QDate(2026, 12, 6)));
        QVERIFY(QFileInfo(lib.backups() + "/Books-2026-12-06.zip").isDir());
        QCOMPARE(entries(lib.backups()), QStringList{"Books-2026-12-06.zip"});
        if (::geteuid() != 0) {
            QDir().rmdir(lib.backups() + "/Books-2026-12-06.zip");
            QFile::setPermissions(lib.backups(), QFile::ReadOwner | QFile::ExeOwner);
            QVERIFY_THROWS_EXCEPTION(FileError, writeBackup(lib.books, QDate(2026, 12, 6)));
            QVERIFY(entries(lib.backups()).isEmpty());
            QFile::setPermissions(lib.backups(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(snapshot(lib.books), books);
    }
};

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
