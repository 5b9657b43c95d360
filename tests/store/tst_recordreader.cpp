#include "store/archive.h"
#include "store/filenames.h"
#include "store/formatters.h"
#include "store/recordcache.h"
#include "store/recordreader.h"
#include "storefixture.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

using namespace testutil;

namespace {

using Problems = QList<std::pair<QString, QString>>; // file name, reason

// The one-thread fills, written plainly: list the folder, read each file in
// the listing's order, decode it, insert it.
struct ReferenceFill
{
    QString dir;
    Problems problems;

    // Sorted as the Windows file system lists names: case folded, then as they are.
    QList<DirEntry> list(const QString &extension) const
    {
        QList<DirEntry> entries;
        QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            if (!info.fileName().endsWith(extension, Qt::CaseInsensitive))
                continue;
            const EntryType type = info.isSymLink() ? EntryType::Other
                                   : info.isDir()   ? EntryType::Directory
                                   : info.isFile()  ? EntryType::File
                                                    : EntryType::Other;
            entries.append({info.fileName(), type});
        }
        std::sort(entries.begin(), entries.end(), [](const DirEntry &a, const DirEntry &b) {
            const int c = a.name.toCaseFolded().compare(b.name.toCaseFolded());
            return c != 0 ? c < 0 : a.name < b.name;
        });
        return entries;
    }

    RecordMap<AccountRecord> accounts()
    {
        RecordMap<AccountRecord> table;
        for (const DirEntry &e : list(kAccountExtension)) {
            if (e.type == EntryType::Directory)
                continue;
            QString why;
            if (const auto a = readAccountFile(dir, e, &why))
                table.insert(a->id, *a);
            else
                problems.append({e.name, why});
        }
        return table;
    }

    RecordMap<TransactionRecord> accountTransactions(const QString &id)
    {
        RecordMap<TransactionRecord> table;
        for (const DirEntry &e : list(kTransactionExtension)) {
            if (e.type == EntryType::Directory || e.name.left(16) != id)
                continue;
            QString why;
            if (const auto r = readTransactionFile(dir, e, &why))
                table.insert(r->key, *r);
            else
                problems.append({e.name, why});
        }
        return table;
    }
};

struct Generated
{
    QTemporaryDir dir;
    QStringList accountIds;
    QString path(const QString &name) const { return dir.filePath(name); }
    void put(const QString &name, const QByteArray &bytes) const { QVERIFY(writeFile(path(name), bytes)); }
};

QString idOf(int n)
{
    return QStringLiteral("20260101%1").arg(n, 6, 10, QLatin1Char('0')) + QStringLiteral("90");
}

// A book of every kind of file the fills meet: good records of several
// accounts (two of them named alike but for case, one with a non-ASCII id),
// records of no account, and files that must be skipped with their reason.
void generate(Generated &book, quint32 seed)
{
    QRandomGenerator rng(seed);
    book.accountIds = {idOf(1),
                       idOf(2),
                       idOf(3),
                       QStringLiteral("AbcdEfghIjklMn90"),
                       QStringLiteral("abcdefghijklmn90"),
                       QString::fromUtf8("Ärger0000000X090")};
    for (int a = 0; a < book.accountIds.size(); ++a) {
        AccountRecord account = testutil::account(QString::number(a));
        account.id = book.accountIds[a];
        book.put(account.id + ".act", encodeAccount(account));
    }
    const QStringList owners = book.accountIds + QStringList{idOf(99)}; // the last has no account file
    for (int i = 0; i < 400; ++i) {
        const QString owner = owners[rng.bounded(owners.size())];
        TransactionRecord r(
            OleDateTime::fromDateTime(QDate(2025, 1, 1), QTime(0, 0)).addSecs(rng.bounded(86400 * 730)));
        r.key = owner + QStringLiteral("2026%1").arg(i, 10, 10, QLatin1Char('0')) + QStringLiteral("90");
        r.amount = double(int(rng.bounded(2000000)) - 1000000) / 100.0;
        r.incomeFlag = r.amount >= 0;
        r.subject = rng.bounded(3) == 0 ? QString::fromUtf8("Caf\u00e9 \u20ac \u4e2d") : QStringLiteral("Item");
        r.category = QStringLiteral("Snacks");
        book.put(r.key + ".tra", encodeTransaction(r));
    }
    const QString a = book.accountIds[0], b = book.accountIds[3];
    const auto record = [&](const QString &key, double amount) {
        return encodeTransaction(movement(key, at(2026, 3, 1), amount));
    };
    book.put(a + "2027000000000190.tra", QByteArray());                                   // empty
    book.put(a + "2027000000000290.tra", record(a + "2027000000000290", 3).chopped(2));   // cut short
    book.put(a + "2027000000000390.tra", record(a + "2027000000000390", qQNaN()));        // not a number
    book.put(a + "2027000000000490.tra", record(b + "2027000000000490", 4));              // another account's key
    book.put(a + "2027000000000590 (copy).tra", record(a + "2027000000000590", 5));       // a copy
    book.put(a + "2027000000000690.TRA", record(a + "2027000000000690", 6));              // the name's case
    book.put(b.toLower() + "2027000000000790.tra", record(b + "2027000000000790", 7));    // the key's case
    book.put(a + "2027000000000890.tra", record(a + "2027000000000890", 8) + "trailing"); // bytes after: read
    QVERIFY(QDir(book.dir.path()).mkdir(a + "2027000000000990.tra"));
    QVERIFY(QFile::link(book.path(a + "2027000000000890.tra"), book.path(a + "2027000000001090.tra")));
    QCOMPARE(::mkfifo(QFile::encodeName(book.path(b + "2027000000001190.tra")).constData(), 0600), 0);
    book.put(idOf(4) + ".act", encodeAccount(account("x")).chopped(1));
}

QStringList keysOf(const TransactionTable &rows)
{
    QStringList keys;
    for (const auto &row : rows)
        keys << (row.data ? row.data->key : QString());
    return keys;
}

void collect(CDataStore &store, Problems &into)
{
    store.setProblemHandler([&into](const QString &path, const QString &why) {
        into.append({QFileInfo(path).fileName(), why});
    });
}

} // namespace

// The fills read many files at once, and come out as the one-thread fills do.
class TestRecordReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void listingIsSortedAsTheFileSystemListsIt()
    {
        Generated book;
        generate(book, 1);
        book.put(QStringLiteral("b.tra"), "x");
        book.put(QStringLiteral("B.tra"), "x");
        book.put(QString::fromUtf8("\u00e4.tra"), "x");
        book.put(QString::fromUtf8("\u00c4.TRA"), "x");
        book.put(QStringLiteral("a_.tra"), "x");
        ReferenceFill reference{book.dir.path(), {}};
        const QList<DirEntry> expected = reference.list(kTransactionExtension);
        const QList<DirEntry> listed = listDirEntries(book.dir.path(), kTransactionExtension);
        QCOMPARE(listed.size(), expected.size());
        for (qsizetype i = 0; i < listed.size(); ++i) {
            QCOMPARE(listed[i].name, expected[i].name);
            QCOMPARE(listed[i].type, expected[i].type);
        }
    }

    void fillsMatchTheOneThreadFill_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("caching");
        for (const quint32 seed : {1u, 2u, 3u}) {
            QTest::addRow("book %u, fresh", seed) << seed << false;
            QTest::addRow("book %u, kept", seed) << seed << true;
        }
    }

    void fillsMatchTheOneThreadFill()
    {
        QFETCH(quint32, seed);
        QFETCH(bool, caching);
        Generated book;
        generate(book, seed);
        ReferenceFill reference{book.dir.path(), {}};
        const RecordMap<AccountRecord> accounts = reference.accounts();
        QCOMPARE(accounts.size(), book.accountIds.size());

        if (caching)
            QTest::qWait(int(RecordCache::kUnsureNs / 1000000) + 100); // files old enough to be kept
        CDataStore store(book.dir.path());
        store.setCaching(caching);
        Problems problems;
        collect(store, problems);
        for (int round = 0; round < 2; ++round) {
            problems.clear();
            reference.problems.clear();
            store.loadAccounts();
            reference.accounts();
            QCOMPARE(store.accounts().keys(), accounts.keys());
            QCOMPARE(problems, reference.problems);

            // The account list: every balance summed in its table's order.
            problems.clear();
            reference.problems.clear();
            const AccountTable list = store.fillAccountList();
            QCOMPARE(list.size(), accounts.size());
            qsizetype row = 0;
            for (const auto &entry : accounts) {
                double sum = 0.0;
                for (const auto &t : reference.accountTransactions(entry.key()))
                    sum += t.value().amount;
                QCOMPARE(list[row].data->id, entry.key());
                QCOMPARE(std::memcmp(&list[row].data->transactionSum, &sum, sizeof sum), 0);
                ++row;
            }
            QCOMPARE(problems, reference.problems);
            QVERIFY(store.accountTransactions().isEmpty());

            // All transactions: each account's table walked into one, in table order.
            problems.clear();
            reference.problems.clear();
            RecordMap<TransactionRecord> all, last;
            for (const auto &entry : accounts) {
                last = reference.accountTransactions(entry.key());
                for (const auto &t : last)
                    all.insert(t.key(), t.value());
            }
            const TransactionTable rows = store.fillAllTransList(at(2025, 6, 1), at(2026, 5, 31));
            QCOMPARE(store.allTransactions().keys(), all.keys());
            for (const auto &t : all)
                QCOMPARE(store.lookupAllTransaction(t.key()), t.value());
            QCOMPARE(store.accountTransactions().keys(), last.keys());
            QCOMPARE(problems, reference.problems);
            QStringList inPeriod;
            for (const auto &t : all) {
                if (t.value().date > at(2025, 6, 1, 0, 0, 1) && t.value().date < at(2026, 5, 31, 23, 59, 59))
                    inPeriod << t.key();
            }
            QCOMPARE(keysOf(rows), inPeriod);
            const TransactionRecord &firstRow = *all.find(inPeriod.first());
            QCOMPARE(rows.first().texts,
                     QStringList({accounts.find(firstRow.accountId())->accountNumber, formatDate(firstRow.date),
                                  firstRow.subject, amountText(firstRow.amount)}));

            // The same rows without the tables, the same problems told.
            const Problems fillProblems = problems;
            problems.clear();
            const TransactionTable bare = store.fillAllTransRows(at(2025, 6, 1), at(2026, 5, 31));
            QCOMPARE(keysOf(bare), inPeriod);
            QCOMPARE(problems, fillProblems);
            for (qsizetype i = 0; i < rows.size(); ++i) {
                QCOMPARE(bare[i].texts, rows[i].texts);
                QCOMPARE(bare[i].data->accountNumber, rows[i].data->accountNumber);
                QCOMPARE(bare[i].data->date, rows[i].data->date);
                QCOMPARE(std::memcmp(&bare[i].data->amount, &rows[i].data->amount, sizeof(double)), 0);
            }

            // One account's transactions, the one whose id differs only in case among them.
            for (const QString &id : book.accountIds) {
                problems.clear();
                reference.problems.clear();
                store.loadAccountTransactions(id);
                const RecordMap<TransactionRecord> expected = reference.accountTransactions(id);
                QCOMPARE(store.accountTransactions().keys(), expected.keys());
                QCOMPARE(problems, reference.problems);
            }
        }
    }

    void problemsOfEveryKindAreNamed()
    {
        Generated book;
        generate(book, 4);
        CDataStore store(book.dir.path());
        store.loadAccounts();
        store.loadAccountTransactions(book.accountIds[0]);
        Problems problems;
        collect(store, problems);
        store.loadAccountTransactions(book.accountIds[0]);
        QStringList reasons;
        for (const auto &[name, why] : problems)
            reasons << name.mid(16) + QStringLiteral(": ") + why.section(u' ', 0, 3);
        QCOMPARE(reasons, QStringList({QStringLiteral("2027000000000190.tra: empty: an interrupted write"),
                                       QStringLiteral("2027000000000290.tra: cut short or malformed"),
                                       QStringLiteral("2027000000000390.tra: an amount that is"),
                                       QStringLiteral("2027000000000490.tra: its name is not"),
                                       QStringLiteral("2027000000000590 (copy).tra: its name is not"),
                                       QStringLiteral("2027000000000690.TRA: its name is not"),
                                       QStringLiteral("2027000000001090.tra: is a symbolic link,")}));
    }

    // The account list reads no texts, yet takes a file only when the whole
    // reading would, with the same amount and key.
    void theQuickReadingAgreesWithTheWholeOne()
    {
        QRandomGenerator rng(7);
        TransactionRecord r = movement(recordKey(QStringLiteral("2026010100000090"), 1), at(2026, 1, 1), -12.5);
        r.subject = QString::fromUtf8("Caf\u00e9 \u4e2d");
        const QByteArray good = encodeTransaction(r);
        const QByteArray name = (r.key + ".tra").toLatin1();
        int taken = 0;
        for (int i = 0; i < 20000; ++i) {
            QByteArray bytes = good;
            for (int flips = rng.bounded(1, 3); flips > 0; --flips)
                bytes[rng.bounded(bytes.size())] = char(rng.bounded(256));
            if (rng.bounded(4) == 0)
                bytes.truncate(rng.bounded(bytes.size()));
            double amount = 0;
            int bucket = -1;
            if (!quickTransactionAmount(bytes, name, amount, bucket))
                continue;
            ++taken;
            QString why;
            const auto whole = transactionFromFile(bytes, QString::fromLatin1(name), &why);
            QVERIFY2(whole, qPrintable(why));
            QCOMPARE(amount, whole->amount);
            QCOMPARE(bucket, RecordMap<TransactionRecord>::bucketOf(whole->key));
        }
        QVERIFY(taken > 100);
        double amount = 0;
        int bucket = -1;
        QVERIFY(quickTransactionAmount(good, name, amount, bucket));
        QCOMPARE(amount, -12.5);
        QVERIFY(!quickTransactionAmount(good, "other.tra", amount, bucket));
    }

    // A file that grew, shrank or was replaced between the listing and the read.
    void readsTakeTheFileAsItIsWhenOpened()
    {
        Generated book;
        const QString key = recordKey(QStringLiteral("2026010100000090"), 1);
        TransactionRecord r = movement(key, at(2026, 1, 1), 5);
        r.notes = QString(9000, u'n'); // larger than a first read of small files
        book.put(key + ".tra", encodeTransaction(r));
        const QList<DirEntry> entries = listDirEntries(book.dir.path(), kTransactionExtension);
        std::vector<TransactionRead> reads = readTransactionFiles(book.dir.path(), entries, ReadDepth::Whole);
        QCOMPARE(reads.size(), size_t(1));
        QVERIFY(reads[0].ok());
        QCOMPARE(*reads[0].record, r);
        QCOMPARE(reads[0].identity.size, qint64(encodeTransaction(r).size()));

        QVERIFY(QFile::remove(book.path(key + ".tra")));
        QCOMPARE(::mkfifo(QFile::encodeName(book.path(key + ".tra")).constData(), 0600), 0);
        reads = readTransactionFiles(book.dir.path(), entries, ReadDepth::Whole);
        QCOMPARE(reads[0].problem, QStringLiteral("is a FIFO, not a file"));
    }
};

QTEST_GUILESS_MAIN(TestRecordReader)
#include "tst_recordreader.moc"
