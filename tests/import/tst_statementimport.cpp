// Statements against the books: duplicates counted by occurrence, bank ids in
// the notes, imports that write exactly the rows given (the files on disk are
// checked), cancelled and failed imports, categories and the kept CSV mappings.

#include "import/csvmappings.h"
#include "import/statementimport.h"
#include "store/categoryfile.h"
#include "store/recordfiles.h"
#include "storefixture.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace testutil;

namespace {

Candidate candidate(const QDate &date, double amount, const QString &subject, const QString &bankId = {})
{
    Candidate c;
    c.date = date;
    c.amount = amount;
    c.subject = subject;
    c.bankId = bankId;
    return c;
}

QList<TransactionRecord> recordsOf(CDataStore &store, const QString &accountId)
{
    store.loadAccountTransactions(accountId);
    QList<TransactionRecord> records;
    for (const auto &entry : store.accountTransactions())
        records << entry.value();
    return records;
}

// The transaction files of the folder, decoded, ordered by date and subject.
QStringList filesOnDisk(const QString &dir)
{
    QStringList lines;
    for (const QString &name : QDir(dir).entryList({"*.tra"}, QDir::Files, QDir::Name)) {
        const auto record = decodeTransaction(readFile(QDir(dir).filePath(name)));
        if (!record)
            return {QStringLiteral("unreadable ") + name};
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(record->date.toIsoString(), QString::asprintf("%.2f", record->amount), record->subject,
                          QString(record->notes).replace(QStringLiteral("\r\n"), QStringLiteral("|")));
    }
    lines.sort();
    return lines;
}

// Reads, matches and imports every new row of a CSV statement, as the CLI does.
QString importCsv(Book &book, const QString &accountId, const QByteArray &csv)
{
    CsvMapping mapping;
    mapping.setColumns(QStringLiteral("date=1,subject=2,amount=3"));
    StatementOptions options;
    options.mapping = mapping;
    const StatementRead read = readStatement(csv, StatementFormat::Csv, options);
    const QList<CandidateStatus> status = matchCandidates(read.candidates, recordsOf(book.store, accountId));
    QList<Candidate> wanted;
    for (qsizetype i = 0; i < status.size(); ++i) {
        if (status[i] == CandidateStatus::New)
            wanted << read.candidates[i];
    }
    const ImportResult result = importCandidates(book.store, accountId, wanted);
    return result.error.isEmpty() ? importSummary(status) : result.error;
}

const QDate kDay(2026, 6, 3);

} // namespace

class TestStatementImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // The test profile keeps what an earlier run wrote.
        QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar")).remove(QStringLiteral("CsvMapping"));
    }

    void bankIdInTheNotes_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("withId");
        QTest::newRow("no notes") << ""
                                  << "X1"
                                  << "[bank id: X1]";
        QTest::newRow("notes") << "card 4411\r\nsecond line"
                               << "2026-06-03.77"
                               << "card 4411\r\nsecond line\r\n[bank id: 2026-06-03.77]";
        QTest::newRow("no id") << "plain"
                               << ""
                               << "plain";
    }
    void bankIdInTheNotes()
    {
        QFETCH(QString, notes);
        QFETCH(QString, id);
        QFETCH(QString, withId);
        QCOMPARE(notesWithBankId(notes, id), withId);
        QCOMPARE(bankIdOfNotes(withId), id);
        QCOMPARE(bankIdOfNotes(QStringLiteral("[bank id: A]\r\nthen more")), QString());
    }

    // N equal candidates against M equal transactions: N - M are new.
    void occurrencesCount_data()
    {
        QTest::addColumn<int>("inFile");
        QTest::addColumn<int>("inAccount");
        QTest::addColumn<int>("fresh");
        QTest::newRow("two coffees, none yet") << 2 << 0 << 2;
        QTest::newRow("two coffees, one there") << 2 << 1 << 1;
        QTest::newRow("two coffees, both there") << 2 << 2 << 0;
        QTest::newRow("one coffee, two there") << 1 << 2 << 0;
        QTest::newRow("three coffees, one there") << 3 << 1 << 2;
    }
    void occurrencesCount()
    {
        QFETCH(int, inFile);
        QFETCH(int, inAccount);
        QFETCH(int, fresh);
        QList<Candidate> file(inFile, candidate(kDay, -2.5, QStringLiteral("Coffee")));
        QList<TransactionRecord> account;
        for (int i = 0; i < inAccount; ++i)
            account << movement(QStringLiteral("x"), OleDateTime::fromDateTime(kDay, QTime(8 + i, 0)), -2.5,
                                QStringLiteral("  COFFEE "));
        const QList<CandidateStatus> status = matchCandidates(file, account);
        QCOMPARE(int(status.count(CandidateStatus::New)), fresh);
        QCOMPARE(int(status.count(CandidateStatus::Duplicate)), inFile - fresh);
        // The first ones are the duplicates, the later ones new.
        for (int i = 0; i < inFile; ++i)
            QCOMPARE(status[i], i < inFile - fresh ? CandidateStatus::Duplicate : CandidateStatus::New);
    }

    void whatMatchesAndWhatDoesNot()
    {
        const QList<TransactionRecord> account = {
            movement("x", at(2026, 6, 3), -2.5, "Coffee"),
            movement("x", at(2026, 6, 10), -40.0, "Fuel station"),
            movement("x", at(2026, 6, 20), -15.0, "Cinema"),
        };
        const QList<Candidate> file = {
            candidate(kDay, -2.51, "Coffee"),                // another amount
            candidate(kDay.addDays(1), -2.5, "Coffee"),      // another day, near: possible
            candidate(QDate(2026, 6, 12), -40.0, "FUEL 22"), // two days off, another subject: possible
            candidate(QDate(2026, 6, 25), -15.0, "Cinema"),  // five days off: new
            Candidate{7, {}, 0.0, {}, {}, {}, {}, QStringLiteral("bad date")},
        };
        QCOMPARE(matchCandidates(file, account),
                 QList<CandidateStatus>({CandidateStatus::New, CandidateStatus::PossibleDuplicate,
                                         CandidateStatus::PossibleDuplicate, CandidateStatus::New,
                                         CandidateStatus::Unreadable}));
    }

    // The bank id decides: an edited transaction is still found, and one of
    // another id is another movement however alike.
    void bankIdsDecide()
    {
        TransactionRecord edited = movement("x", at(2026, 6, 3), -4.25, "My morning coffee");
        edited.notes = notesWithBankId(QStringLiteral("edited by hand"), QStringLiteral("C1"));
        TransactionRecord other = movement("x", at(2026, 6, 3), -4.25, "Coffee & Co");
        other.notes = notesWithBankId({}, QStringLiteral("C9"));
        const QList<Candidate> file = {candidate(kDay, -4.25, "Coffee & Co", "C1"),
                                       candidate(kDay, -4.25, "Coffee & Co", "C2")};
        QCOMPARE(matchCandidates(file, {edited, other}),
                 QList<CandidateStatus>({CandidateStatus::Duplicate, CandidateStatus::PossibleDuplicate}));
        // A CSV row without an id still finds a transaction that came with one.
        QCOMPARE(matchCandidates({candidate(kDay, -4.25, "coffee & co")}, {other}),
                 QList<CandidateStatus>({CandidateStatus::Duplicate}));
        // Also after a row of another id passed it over in the same file.
        QCOMPARE(matchCandidates({candidate(kDay, -4.25, "Coffee & Co", "C2"), candidate(kDay, -4.25, "coffee & co")},
                                 {other}),
                 QList<CandidateStatus>({CandidateStatus::New, CandidateStatus::Duplicate}));
    }

    // Many equal rows against many equal transactions: exactly the surplus is new.
    void manyEqualRowsCountToo()
    {
        QList<Candidate> file(3000, candidate(kDay, -2.5, QStringLiteral("Coffee")));
        file << QList<Candidate>(500, candidate(kDay.addDays(2), -2.5, QStringLiteral("Cafe")));
        const QList<TransactionRecord> account(2000, movement("x", at(2026, 6, 3), -2.5, "Coffee"));
        const QList<CandidateStatus> status = matchCandidates(file, account);
        QCOMPARE(int(status.count(CandidateStatus::Duplicate)), 2000);
        QCOMPARE(int(status.count(CandidateStatus::New)), 1500);
        QCOMPARE(int(status.count(CandidateStatus::PossibleDuplicate)), 0);
        QCOMPARE(status.indexOf(CandidateStatus::New), 2000);
    }

    void summaries()
    {
        using S = CandidateStatus;
        QCOMPARE(importSummary(QList<S>(42, S::New) + QList<S>(17, S::Duplicate) + QList<S>{S::Unreadable}),
                 QStringLiteral("42 new, 17 duplicates, 1 line skipped"));
        QCOMPARE(importSummary(
                     {S::New, S::Duplicate, S::PossibleDuplicate, S::PossibleDuplicate, S::Unreadable, S::Unreadable}),
                 QStringLiteral("1 new, 1 duplicate, 2 possible duplicates, 2 lines skipped"));
        QCOMPARE(importSummary({}), QStringLiteral("0 new, 0 duplicates"));
    }

    // A candidate becomes the transaction the dialogs would make of it.
    void theTransactionWritten()
    {
        Candidate c = candidate(kDay, -1234.56, QStringLiteral("  Landlord "), QStringLiteral("A7"));
        c.notes = QStringLiteral("June rent");
        const TransactionRecord r = transactionFor(c,
                                                   QStringLiteral("20260101000000"
                                                                  "90"),
                                                   QStringLiteral("Housing"));
        QCOMPARE(r.key, QStringLiteral("2026010100000090"));
        QCOMPARE(r.date, at(2026, 6, 3, 12));
        QCOMPARE(r.subject, QStringLiteral("Landlord"));
        QCOMPARE(r.amount, -1234.56);
        QCOMPARE(r.incomeFlag, 0);
        QCOMPARE(r.category, QStringLiteral("Housing"));
        QCOMPARE(r.notes, QStringLiteral("June rent\r\n[bank id: A7]"));
        const TransactionRecord income = transactionFor(candidate(kDay, 5, QString()), "a", QString());
        QCOMPARE(income.incomeFlag, 1);
        QCOMPARE(income.subject, QStringLiteral("No Subject"));
    }

    // Importing a file twice adds nothing the second time; an overlapping
    // statement adds only its new rows; two equal rows are two transactions.
    void reimportsAddOnlyWhatIsNew()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QByteArray june = "2026-06-01,Rent,-800.00\n2026-06-03,Coffee,-2.50\n2026-06-03,Coffee,-2.50\n";
        QCOMPARE(importCsv(book, id, june), QStringLiteral("3 new, 0 duplicates"));
        const QStringList first = filesOnDisk(book.dir.path());
        QCOMPARE(first, QStringList({"2026-06-01T12:00:00 -800.00 Rent ", "2026-06-03T12:00:00 -2.50 Coffee ",
                                     "2026-06-03T12:00:00 -2.50 Coffee "}));
        QCOMPARE(importCsv(book, id, june), QStringLiteral("0 new, 3 duplicates"));
        QCOMPARE(filesOnDisk(book.dir.path()), first);
        const QByteArray overlap = "2026-06-03,Coffee,-2.50\n2026-06-03,Coffee,-2.50\n2026-06-03,Coffee,-2.50\n"
                                   "2026-06-20,Salary,2500.00\n";
        QCOMPARE(importCsv(book, id, overlap), QStringLiteral("2 new, 2 duplicates"));
        QCOMPARE(filesOnDisk(book.dir.path()),
                 first + QStringList({"2026-06-03T12:00:00 -2.50 Coffee ", "2026-06-20T12:00:00 2500.00 Salary "}));
        QCOMPARE(filesOnDisk(book.dir.path()).size(), 5);
    }

    // Only the rows given are written, each a usual transaction file.
    void onlyTheGivenRowsAreWritten()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        Candidate withId = candidate(kDay, 10.0, QStringLiteral("Interest"), QStringLiteral("B1"));
        withId.notes = QStringLiteral("quarterly");
        const QList<Candidate> rows = {candidate(kDay, -1.0, "One"), withId};
        const ImportResult result = importCandidates(book.store, id, rows, {QStringLiteral("Bank fees")});
        QCOMPARE(result.error, QString());
        QCOMPARE(result.keys.size(), 2);
        for (int i = 0; i < 2; ++i) {
            TransactionRecord expected = transactionFor(rows[i], id, i == 0 ? QStringLiteral("Bank fees") : QString());
            expected.key = result.keys[i];
            QCOMPARE(readFile(book.path(result.keys[i] + QStringLiteral(".tra"))), encodeTransaction(expected));
        }
        QCOMPARE(filesOnDisk(book.dir.path()),
                 QStringList(
                     {"2026-06-03T12:00:00 -1.00 One ", "2026-06-03T12:00:00 10.00 Interest quarterly|[bank id: B1]"}));
        // An unreadable candidate is never written, even when given.
        Candidate bad;
        bad.problem = QStringLiteral("bad date");
        QCOMPARE(importCandidates(book.store, id, {bad}).keys, QStringList());
        QCOMPARE(filesOnDisk(book.dir.path()).size(), 2);
    }

    // Cancel stops between two files: what was written is whole and reported.
    void cancelKeepsWhatWasWritten()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        QList<Candidate> rows;
        for (int i = 0; i < 5; ++i)
            rows << candidate(kDay.addDays(i), -1.0 - i, QStringLiteral("Row %1").arg(i));
        QList<int> progress;
        const ImportResult result = importCandidates(book.store, id, rows, {}, [&](int written, int total) {
            progress << written;
            return written < 2 && total == 5;
        });
        QVERIFY(result.cancelled);
        QCOMPARE(progress, QList<int>({1, 2}));
        QCOMPARE(result.keys.size(), 2);
        QCOMPARE(filesOnDisk(book.dir.path()),
                 QStringList({"2026-06-03T12:00:00 -1.00 Row 0 ", "2026-06-04T12:00:00 -2.00 Row 1 "}));
    }

    // A failed write stops the import and names the file; the rows written
    // before it are exactly the ones reported.
    void aFailedWriteStopsAndSaysHowFarItGot()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        QList<Candidate> rows;
        for (int i = 0; i < 4; ++i)
            rows << candidate(kDay, -1.0, QStringLiteral("Row %1").arg(i));
        rows[2].notes = QString(4000, u'n'); // larger than a file may grow below
        ImportResult result;
        {
            FileSizeLimit limit(1000);
            result = importCandidates(book.store, id, rows);
        }
        QCOMPARE(result.keys.size(), 2);
        QVERIFY2(result.error.startsWith(QStringLiteral("Could not save ")), qPrintable(result.error));
        QVERIFY(result.error.contains(book.dir.path()));
        QVERIFY(
            result.error.endsWith(QStringLiteral("2 of 4 transactions were imported before it; the rest were not.")));
        QCOMPARE(filesOnDisk(book.dir.path()).size(), 2);
        for (const QString &key : result.keys)
            QVERIFY(QFile::exists(book.path(key + QStringLiteral(".tra"))));
    }

    // A category of the file is kept only when the tree has it.
    void categories()
    {
        const CategoryTree tree = defaultCategoryTree();
        const QString known = tree.first().children.first().name;
        QCOMPARE(categoryInTree(tree, QStringLiteral("  ") + known + QStringLiteral(" ")), known);
        QCOMPARE(categoryInTree(tree, known.toUpper() == known ? known.toLower() : known.toUpper()), QString());
        QCOMPARE(categoryInTree(tree, QStringLiteral("Lottery winnings")), QString());
        QCOMPARE(categoryInTree(tree, QString()), QString());
    }

    // A bank's CSV mapping is kept in the profile and offered again.
    void mappingsAreKeptPerBank()
    {
        CsvMapping m;
        QVERIFY(m.setColumns(QStringLiteral("date=2,subject=1,debit=4,credit=5,notes=3")));
        m.dateFormat = QStringLiteral("dd.MM.yy");
        m.decimal = u',';
        writeCsvMapping(QStringLiteral("Sparkasse / Nord"), m);
        QCOMPARE(readCsvMapping(QStringLiteral("Sparkasse / Nord")), std::optional<CsvMapping>(m));
        QVERIFY(!readCsvMapping(QStringLiteral("Sparkasse")));
        CsvMapping other;
        other.setColumns(QStringLiteral("date=1,amount=2"));
        writeCsvMapping(QStringLiteral("Sparkasse"), other);
        QCOMPARE(readCsvMapping(QStringLiteral("Sparkasse / Nord")), std::optional<CsvMapping>(m));
        QCOMPARE(readCsvMapping(QStringLiteral("Sparkasse"))->columnsText(), QStringLiteral("date=1,amount=2"));
    }
};

QTEST_GUILESS_MAIN(TestStatementImport)
#include "tst_statementimport.moc"
