#include "processutil.h"
#include "storefixture.h"

#include <QTest>

#include <sys/stat.h>
#include <sys/types.h>

using namespace testutil;

namespace {

// The permission bits of an entry.
int modeOf(const QString &path)
{
    struct stat st
    {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

// Every data file of the folder (account, transaction and plan files) decoded:
// the subjects of the records they hold, or "broken" for a file that does not decode.
QStringList subjects(const QString &dir)
{
    QStringList found;
    for (const QString &name : entries(dir)) {
        const QByteArray bytes = readFile(QDir(dir).filePath(name));
        if (name.endsWith(".act")) {
            const auto a = decodeAccount(bytes);
            found << (a ? a->name : QStringLiteral("broken ") + name);
        } else if (name.endsWith(".tra")) {
            const auto t = decodeTransaction(bytes);
            found << (t ? t->subject : QStringLiteral("broken ") + name);
        } else if (name.endsWith(".pln")) {
            QString problem;
            for (const TransactionRecord &p : decodePlans(bytes, &problem))
                found << p.subject;
            if (!problem.isEmpty() || bytes.isEmpty())
                found << QStringLiteral("broken ") + name;
        }
    }
    found.sort();
    return found;
}

const QString A = QStringLiteral("2026010100000090");

} // namespace

class TestFileIo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }
    void cleanup() { setWriteStepHook(nullptr); }

    // A change killed at any step of its write leaves every data file whole:
    // the old state before the new file is published, the new state from then on.
    void aKilledChangeLeavesOldOrNew_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("step");
        const QStringList changes = {"add account", "add transaction", "modify transaction", "first plan",
                                     "modify plan"};
        const QList<std::pair<WriteStep, const char *>> steps = {{WriteStep::Written, "written"},
                                                                 {WriteStep::Synced, "synced"},
                                                                 {WriteStep::Published, "published"},
                                                                 {WriteStep::FolderSynced, "folder synced"}};
        for (const QString &change : changes) {
            for (const auto &[step, name] : steps)
                QTest::addRow("%s, killed when %s", qPrintable(change), name) << change << int(step);
        }
    }

    void aKilledChangeLeavesOldOrNew()
    {
        QFETCH(QString, change);
        QFETCH(int, step);
        Book book;
        AccountRecord old = account("1");
        old.name = QStringLiteral("old account");
        const QString id = book.store.addAccount(old);
        const QString key = book.store.addTransaction(movement(id, at(2026, 1, 1), 5, "old transaction"));
        QString plan;
        if (change == "modify plan")
            plan = book.store.addPlan(movement(id, at(2026, 2, 1), 5, "old plan"));
        const QStringList before = subjects(book.dir.path());

        const ChildEnd end = runInChild([&] {
            killAtStep(WriteStep(step));
            if (change == "add account") {
                AccountRecord a = account("2");
                a.name = QStringLiteral("new");
                book.store.addAccount(a);
            } else if (change == "add transaction") {
                book.store.addTransaction(movement(id, at(2026, 1, 2), 1, "new"));
            } else if (change == "modify transaction") {
                book.store.modifyTransaction(key, movement(id, at(2026, 1, 2), 1, "new"));
            } else if (change == "first plan") {
                book.store.addPlan(movement(id, at(2026, 1, 2), 1, "new"));
            } else {
                book.store.modifyPlan(plan, movement(id, at(2026, 1, 2), 1, "new"));
            }
        });
        QCOMPARE(end, ChildEnd::Killed);

        QStringList expected = before;
        if (WriteStep(step) >= WriteStep::Published) {
            if (change.startsWith("modify"))
                expected.removeOne(change == "modify plan" ? QStringLiteral("old plan")
                                                           : QStringLiteral("old transaction"));
            expected << QStringLiteral("new");
            expected.sort();
        }
        QCOMPARE(subjects(book.dir.path()), expected);
        for (const QString &name : entries(book.dir.path()))
            QVERIFY2(QFileInfo(book.path(name)).size() > 0, qPrintable(name + " is empty"));
    }

    void writesAreExclusiveAndPrivate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("2026010100000090.act");
        QVERIFY(writeNewFile(path, "first"));
        QVERIFY(!writeNewFile(path, "second"));
        QCOMPARE(readFile(path), QByteArray("first"));
        QCOMPARE(modeOf(path), 0600);

        // A replaced file stays private, even one an older version made for everyone.
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
        writeFileAtomic(path, "third");
        QCOMPARE(readFile(path), QByteArray("third"));
        QCOMPARE(modeOf(path), 0600);
        QCOMPARE(entries(dir.path()), QStringList({"2026010100000090.act"}));

        // A new working directory and the folders above it that it needs.
        const QString books = dir.filePath("a/b/Fennimar");
        QVERIFY(makePrivateDir(books));
        QCOMPARE(modeOf(books), 0700);
        QVERIFY(makePrivateDir(books));
        // A folder that exists keeps its mode.
        QVERIFY(makePrivateDir(dir.path()));
        QCOMPARE(modeOf(dir.path()), 0700);
        QVERIFY(::chmod(QFile::encodeName(books).constData(), 0755) == 0);
        QVERIFY(makePrivateDir(books));
        QCOMPARE(modeOf(books), 0755);
        QVERIFY(!makePrivateDir(path + "/below-a-file"));
    }

    // Names like data files that are links, FIFOs or folders: never opened,
    // never written through, never removed as files.
    void onlyRegularFilesAreDataFiles()
    {
        QTemporaryDir outside, dir;
        const QString target = outside.filePath("target");
        QVERIFY(writeFile(target, "precious"));
        const QString link = dir.filePath("Plan0000000000000000.pln");
        QVERIFY(QFile::link(target, link));
        const QString fifo = dir.filePath("Category.cat");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(QDir(dir.path()).mkdir("Graph.grp"));

        ::alarm(60); // a FIFO opened for reading would hang here
        FileRead read = readDataFile(link);
        QCOMPARE(read.status, FileRead::NotAFile);
        QCOMPARE(read.reason, QStringLiteral("is a symbolic link, not a file"));
        read = readDataFile(fifo);
        QCOMPARE(read.status, FileRead::NotAFile);
        QCOMPARE(read.reason, QStringLiteral("is a FIFO, not a file"));
        QCOMPARE(readDataFile(dir.filePath("Graph.grp")).status, FileRead::NotAFile);
        QCOMPARE(readDataFile(dir.filePath("none")).status, FileRead::Missing);
        ::alarm(0);

        QVERIFY_THROWS_EXCEPTION(FileError, writeFileAtomic(link, "forged"));
        QVERIFY_THROWS_EXCEPTION(FileError, writeFileAtomic(fifo, "forged"));
        QVERIFY(!writeNewFile(link, "forged"));
        QVERIFY_THROWS_EXCEPTION(FileError, removeFile(dir.filePath("Graph.grp")));
        QCOMPARE(readFile(target), QByteArray("precious"));
        QCOMPARE(entryType(link), EntryType::Other);
        QCOMPARE(entryType(fifo), EntryType::Other);
        QCOMPARE(describeEntry(fifo), QStringLiteral("a FIFO"));

        // The listing gives each entry's own type; a link to a file is no file.
        QVERIFY(writeFile(dir.filePath("b.PLN"), "x"));
        QList<std::pair<QString, EntryType>> listed;
        for (const DirEntry &e : listDirEntries(dir.path(), ".pln"))
            listed << std::pair{e.name, e.type};
        QCOMPARE(listed, (QList<std::pair<QString, EntryType>>{{"b.PLN", EntryType::File},
                                                               {"Plan0000000000000000.pln", EntryType::Other}}));
        QCOMPARE(listEntries(dir.path(), ".pln", true), QStringList({"b.PLN"}));

        // Removing a link removes the link, not what it points to.
        removeFile(link);
        QCOMPARE(readFile(target), QByteArray("precious"));
        QCOMPARE(entryType(link), EntryType::Missing);
    }

    void readsAreWholeOrNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("x.tra");
        QVERIFY(writeFile(path, QByteArray(5000, 'x')));
        FileRead read = readDataFile(path);
        QVERIFY(read.ok());
        QCOMPARE(read.bytes.size(), 5000);
        read = readDataFile(path, 4999);
        QCOMPARE(read.status, FileRead::TooLarge);
        QVERIFY(read.bytes.isEmpty());
        if (!runningAsRoot()) {
            QVERIFY(::chmod(QFile::encodeName(path).constData(), 0200) == 0);
            read = readDataFile(path);
            QCOMPARE(read.status, FileRead::Unreadable);
            QCOMPARE(read.reason, QStringLiteral("Permission denied"));
        }
    }

    // The lock goes with the process that held it: no stale lock, whatever file
    // an older version or a killed process left behind.
    void theLockDiesWithItsProcess()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("Plan.lock"), "12345\nfennimar\nhost\n"));
        {
            FileLock mine(dir.path(), "Plan.lock", 0);
            // Another process cannot take it meanwhile.
            QCOMPARE(runInChild([&] { FileLock theirs(dir.path(), "Plan.lock", 50); }), ChildEnd::Threw);
        }
        // A process killed while it holds the lock lets go of it.
        QCOMPARE(runInChild([&] {
                     FileLock theirs(dir.path(), "Plan.lock", 0);
                     ::raise(SIGKILL);
                 }),
                 ChildEnd::Killed);
        FileLock again(dir.path(), "Plan.lock", 0);
        try {
            FileLock nested(dir.path(), "Plan.lock", 0); // a second lock of the same process waits like any other
            QFAIL("a second lock was granted");
        } catch (const FileError &e) {
            QCOMPARE(e.reason(), QStringLiteral("the books are being changed by another program"));
            QCOMPARE(e.operation(), FileError::Lock);
        }
    }

    void movedAsideUnderAFreeName()
    {
        QTemporaryDir dir;
        const QString books = dir.filePath("Books");
        const QString damaged = dir.filePath("Damaged");
        QVERIFY(makePrivateDir(books));
        for (int i = 0; i < 3; ++i) {
            const QString path = books + "/x.tra";
            QVERIFY(writeFile(path, QByteArray::number(i)));
            const QString moved = moveAside(path, damaged);
            QCOMPARE(QFileInfo(moved).fileName(),
                     i == 0 ? QStringLiteral("x.tra") : QStringLiteral("x.tra.%1").arg(i + 1));
            QCOMPARE(readFile(moved), QByteArray::number(i));
        }
        QCOMPARE(entries(books), QStringList());
        QCOMPARE(modeOf(damaged), 0700);
        QVERIFY_THROWS_EXCEPTION(FileError, moveAside(books + "/none", damaged));
    }
};

QTEST_GUILESS_MAIN(TestFileIo)
#include "tst_fileio.moc"
