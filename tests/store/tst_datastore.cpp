#include "storefixture.h"

#include <QRegularExpression>
#include <QTest>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");
const QString B = QStringLiteral("2026010100000190");

QStringList keysOf(const TransactionTable &rows)
{
    QStringList keys;
    for (const auto &row : rows)
        keys << row.data->key;
    return keys;
}

TransactionRecord fromFile(const Book &book, const QString &key)
{
    return decodeTransaction(readFile(book.path(key + ".tra"))).value_or(TransactionRecord(OleDateTime(-1)));
}

} // namespace

// The record files of the store: accounts, transactions and plans.
class TestDataStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void accountFileBytesAndModify()
    {
        Book book;
        AccountRecord a{QString(),
                        QStringLiteral("12-34"),
                        QStringLiteral("Home"),
                        QStringLiteral("Ülm"),
                        100.0,
                        QStringLiteral("a\r\nb"),
                        3};
        const QString id = book.store.addAccount(a);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{14}90$")).match(id).hasMatch());
        const QDateTime stamp = QDateTime::fromString(id.left(14), QStringLiteral("yyyyMMddHHmmss"));
        QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 120);
        const QByteArray expected = QByteArray("\x10") + id.toLatin1() + hex("05 31322d3334") + hex("04 486f6d65")
                                    + hex("03 dc6c6d") + hex("0000000000005940") + hex("04 610d0a62") + hex("03000000");
        QCOMPARE(readFile(book.path(id + ".act")), expected);
        a.id = id;
        QCOMPARE(book.store.lookupAccount(id), a);
        QCOMPARE(book.store.lookupAccount(QStringLiteral("2000010100000090")), AccountRecord());

        a.name = QStringLiteral("Changed");
        book.store.modifyAccount(a);
        QCOMPARE(entries(book.dir.path()), QStringList({id + ".act"}));
        CDataStore other(book.dir.path());
        other.loadAccounts();
        QCOMPARE(other.lookupAccount(id), a);
    }

    void deleteAccountRemovesItsTransactionsAndPlans()
    {
        Book book;
        const QString keep = book.store.addAccount(account("keep"));
        const QString gone = book.store.addAccount(account("gone"));
        book.store.addTransaction(movement(gone, at(2026, 1, 5), 10));
        book.store.addTransaction(movement(gone, at(2026, 1, 6), -3));
        const QString kept = book.store.addTransaction(movement(keep, at(2026, 1, 6), 1));
        book.store.addPlan(movement(gone, at(2026, 2, 1), 5));
        const QString keptPlan = book.store.addPlan(movement(keep, at(2026, 2, 1), 5));

        book.store.deleteAccount(gone);
        const QString planFile = QFileInfo(book.store.planFilePath()).fileName();
        QCOMPARE(entries(book.dir.path()), QStringList({keep + ".act", kept + ".tra", planFile}));
        QCOMPARE(book.store.accounts().keys(), QStringList({keep}));
        CDataStore other(book.dir.path());
        other.loadPlans();
        QCOMPARE(other.plans().keys(), QStringList({keptPlan}));
    }

    void accountListAndSelector()
    {
        Book book;
        // Ids of seconds 0, 1, 2 fall in the buckets 16, 0, 1: the table walks 1, 2, 0.
        const QStringList ids = {recordKey("", 0), recordKey("", 1), recordKey("", 2)};
        for (int s = 0; s < 3; ++s) {
            AccountRecord a = account(QString::number(s), QStringLiteral("Bank %1").arg(s));
            a.id = ids[s];
            a.icon = s;
            QVERIFY(writeFile(book.path(a.id + ".act"), encodeAccount(a)));
        }
        book.store.loadAccounts();
        book.putTransaction(movement(recordKey(ids[0], 0), at(2026, 1, 1), 100.25));
        book.putTransaction(movement(recordKey(ids[0], 1), at(2030, 1, 1), -0.25));
        book.putTransaction(movement(recordKey(ids[2], 0), at(1990, 1, 1), -42));

        QStringList order;
        QList<double> sums;
        for (const auto &row : book.store.fillAccountList()) {
            order << row.data->id;
            sums << row.data->transactionSum;
            QCOMPARE(row.image, row.data->icon);
        }
        QCOMPARE(order, QStringList({ids[1], ids[2], ids[0]}));
        QCOMPARE(sums, QList<double>({0, -42, 100}));
        QVERIFY(book.store.accountTransactions().isEmpty());

        // The selector's items in the same order; an id that matches none selects item 0.
        AccountCombo combo = book.store.fillAccountCombo(ids[2]);
        QCOMPARE(combo.currentIndex, 1);
        QCOMPARE(combo.items[1].text, QStringLiteral("Bank 2 - 2"));
        combo.selectByText(QStringLiteral("Bank 0 - 0"));
        QCOMPARE(combo.currentId(), ids[0]);
        combo.selectByText(QStringLiteral("bank 1 - 1")); // exact and case-sensitive: no change
        QCOMPARE(combo.currentId(), ids[0]);
        QCOMPARE(book.store.fillAccountCombo(QStringLiteral("1999010100000090")).currentIndex, 0);
    }

    void transactionFileBytesAndChanges()
    {
        Book book;
        TransactionRecord r = movement(A, OleDateTime(39184.5), -12.5, "Pay");
        r.category = QStringLiteral("Snacks");
        r.spare = 7; // never written
        const QString key = book.store.addTransaction(r);
        QVERIFY(key.startsWith(A));
        QVERIFY(key.size() == 32);
        const QByteArray expected = hex("20") + key.toLatin1() + hex("00000000 000000001022e340") + hex("03 506179")
                                    + hex("00000000000029c0") + hex("00000000") + hex("06 536e61636b73") + hex("00");
        QCOMPARE(readFile(book.path(key + ".tra")), expected);
        r.key = key;
        r.spare = 0;
        QCOMPARE(decodeTransaction(expected).value_or(TransactionRecord()), r);

        r.subject = QStringLiteral("Bonus");
        book.store.modifyTransaction(key, r);
        QCOMPARE(fromFile(book, key), r);
        book.store.deleteTransaction(key);
        QCOMPARE(entries(book.dir.path()), QStringList());
        QCOMPARE(book.store.lookupTransaction(key).subject, QString()); // the default record
    }

    void periodBoundsAndOpeningRow()
    {
        Book book;
        book.putTransaction(movement(recordKey(A, 1), at(2026, 12, 1, 0, 0, 0), 1));      // summed only
        book.putTransaction(movement(recordKey(A, 2), at(2026, 12, 1, 0, 0, 1), 2));      // neither
        book.putTransaction(movement(recordKey(A, 3), at(2026, 12, 1, 0, 0, 2), 4));      // listed
        book.putTransaction(movement(recordKey(A, 4), at(2026, 12, 31, 23, 59, 58), 8));  // listed
        book.putTransaction(movement(recordKey(A, 5), at(2026, 12, 31, 23, 59, 59), 16)); // neither
        book.putTransaction(movement(recordKey(A, 6), at(2026, 11, 30, 12), -32.5));      // summed
        book.putTransaction(movement(recordKey(A, 7), at(2027, 1, 1), 64));               // neither
        book.putTransaction(movement(recordKey(B, 8), at(2026, 12, 5), 128));             // other account

        const TransactionTable rows = book.store.fillAccountTransList(at(2026, 12, 1, 0, 0, 0), at(2026, 12, 31, 8), A);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].texts, QStringList({"Balance till 11/30/26", "", "", "-31.50"}));
        QCOMPARE(rows[0].data->amount, -31.5);
        QCOMPARE(rows[0].data->date, at(2026, 12, 1, 0, 0, 2));
        // The listed rows follow the table's order (buckets 6 and 7).
        QCOMPARE(keysOf(rows).mid(1), QStringList({recordKey(A, 3), recordKey(A, 4)}));
        QCOMPARE(rows[1].texts, QStringList({"12/1/26", "Item", "$4.00", ""}));
        QCOMPARE(rows[1].data->accountNumber, QString());

        // The reports gather the same movements with the same start balance, into a
        // table they own and that is not emptied first.
        RecordMap<MovementRecord> movements;
        movements.insert(QStringLiteral("kept"), MovementRecord{});
        QCOMPARE(book.store.gatherAccountMovements(A, at(2026, 12, 1), at(2026, 12, 31), movements), -31.5);
        QStringList gathered = movements.keys();
        gathered.sort();
        QCOMPARE(gathered, QStringList({recordKey(A, 3), recordKey(A, 4), "kept"}));
        QCOMPARE(*movements.find(recordKey(A, 4)),
                 (MovementRecord{recordKey(A, 4), 8.0, at(2026, 12, 31, 23, 59, 58)}));
    }

    void allTransactionsAndPlansLists()
    {
        Book book;
        for (const auto &[id, number] : {std::pair{A, "111"}, std::pair{B, "222"}}) {
            AccountRecord a = account(number);
            a.id = id;
            QVERIFY(writeFile(book.path(id + ".act"), encodeAccount(a)));
        }
        book.store.loadAccounts();
        book.putTransaction(movement(recordKey(A, 1), at(2026, 6, 1, 0, 0, 1), 1)); // on the bound: out
        book.putTransaction(movement(recordKey(A, 2), at(2026, 6, 2), 2));
        book.putTransaction(movement(recordKey(B, 3), at(2026, 6, 30, 23, 59, 58), -3));
        book.putTransaction(movement(recordKey(B, 4), at(2026, 7, 1), 4));
        // Files of an account that does not exist are not part of the books.
        book.putTransaction(movement(recordKey("1999999999999990", 2), at(2026, 6, 2), 9));

        const TransactionTable rows = book.store.fillAllTransList(at(2026, 6, 1), at(2026, 6, 30));
        QCOMPARE(book.store.allTransactions().size(), 4);
        // One bucket: B's account walks first, so A's key went in last and leads.
        QCOMPARE(keysOf(rows), QStringList({recordKey(A, 2), recordKey(B, 3)}));
        QCOMPARE(rows[1].texts, QStringList({"222", "6/30/26", "Item", "-$3.00"}));
        QCOMPARE(rows[1].data->accountNumber, QStringLiteral("222"));
        // Without texts: the same rows, the same row objects.
        const TransactionTable bare =
            book.store.fillAllTransList(at(2026, 6, 1), at(2026, 6, 30), CDataStore::RowTexts::None);
        QCOMPARE(keysOf(bare), keysOf(rows));
        QVERIFY(bare[1].texts.isEmpty());
        QCOMPARE(bare[1].data->amount, rows[1].data->amount);
        QCOMPARE(bare[1].data->accountNumber, QStringLiteral("222"));

        // Every plan in table order, with its account's number (none for an unknown account).
        const QString plan = book.store.addPlan(movement(A, at(2027, 1, 2), -4, "Tax"));
        book.store.addPlan(movement(QStringLiteral("1999999999999990"), at(2027, 1, 3), 1));
        const TransactionTable plans = book.store.fillPlansList();
        QCOMPARE(keysOf(plans), book.store.plans().keys());
        const int mine = keysOf(plans).indexOf(plan);
        QCOMPARE(plans[mine].texts, QStringList({"111", "1/2/27", "Tax", "-$4.00"}));
        QCOMPARE(plans[mine].data->accountNumber, QStringLiteral("111"));
        QCOMPARE(plans[1 - mine].text(0), QString());
    }

    void planFileBytesAndItsReuse()
    {
        Book book;
        QVERIFY(QDir(book.dir.path()).mkdir("Plan1990010100000090.pln")); // a folder is no plan file
        QCOMPARE(book.store.planFilePath(), QString());
        const QString key = book.store.addPlan(movement(A, OleDateTime(39184.5), -12.5, "Pay"));
        const QString name = QFileInfo(book.store.planFilePath()).fileName();
        QVERIFY(QRegularExpression(QStringLiteral("^Plan\\d{14}90\\.pln$")).match(name).hasMatch());
        const QByteArray expected = hex("01000000") + hex("20") + key.toLatin1() + hex("00000000 000000001022e340")
                                    + hex("03 506179") + hex("00000000000029c0") + hex("00000000") + hex("00 00");
        QCOMPARE(readFile(book.store.planFilePath()), expected);

        QTest::qWait(1100); // a later id would name a different file
        const QString second = book.store.addPlan(movement(B, OleDateTime(39185.5), 1));
        QCOMPARE(entries(book.dir.path()), QStringList({"Plan1990010100000090.pln", name}));
        book.store.deletePlan(key);
        QCOMPARE(book.store.lookupPlan(key).subject, QString());
        QCOMPARE(book.store.plans().keys(), QStringList({second}));
        book.store.deletePlan(second);
        QCOMPARE(readFile(book.store.planFilePath()), hex("00000000"));
    }

    void onlyTheFirstPlanFileCounts()
    {
        Book book;
        RecordMap<TransactionRecord> first, second;
        const TransactionRecord p = movement(recordKey(A, 0), at(2026, 1, 1), 1);
        first.insert(p.key, p);
        const TransactionRecord q = movement(recordKey(A, 1), at(2026, 1, 2), 2);
        second.insert(q.key, q);
        QVERIFY(writeFile(book.path("Plan2020010100000090.pln"), encodePlans(first)));
        QVERIFY(writeFile(book.path("plan2030010100000090.PLN"), encodePlans(second)));

        book.store.loadPlans();
        QCOMPARE(book.store.plans().keys(), QStringList({p.key}));
        book.store.addPlan(movement(B, at(2026, 1, 3), 3));
        QCOMPARE(decodePlans(readFile(book.path("Plan2020010100000090.pln"))).size(), 2);
        QCOMPARE(readFile(book.path("plan2030010100000090.PLN")), encodePlans(second));
    }

    void aPlanAddedByAnotherProgramIsKept()
    {
        Book book;
        const QString mine = book.store.addPlan(movement(A, at(2026, 1, 1), 1));
        CDataStore other(book.dir.path());
        const QString theirs = other.addPlan(movement(B, at(2026, 1, 2), 2));
        // The first store still holds its old table, yet its change keeps the other plan.
        QVERIFY(!book.store.plans().contains(theirs));
        TransactionRecord r = book.store.lookupPlan(mine);
        r.subject = QStringLiteral("changed");
        book.store.modifyPlan(mine, r);
        QVERIFY(book.store.plans().contains(theirs));
        CDataStore reader(book.dir.path());
        reader.loadPlans();
        QCOMPARE(reader.plans().size(), 2);
        QCOMPARE(reader.lookupPlan(mine).subject, QStringLiteral("changed"));
        QVERIFY(!QFileInfo::exists(book.path("Plan.lock")));
    }

    void convertKeepsTheDate()
    {
        Book book;
        TransactionRecord plan = movement(A, at(2027, 1, 15, 9, 30), -80, "Insurance");
        plan.category = QStringLiteral("Wear Items");
        plan.notes = QStringLiteral("yearly");
        const QString planKey = book.store.addPlan(plan);
        const QString key = book.store.convertPlan(planKey);
        QVERIFY(key.startsWith(A));
        QVERIFY(key != planKey);
        QVERIFY(book.store.plans().isEmpty());
        plan.key = key;
        QCOMPARE(fromFile(book, key), plan);
        // A plan that is not there converts into nothing.
        QVERIFY_THROWS_EXCEPTION(FileError, book.store.convertPlan(planKey));
        QCOMPARE(entries(book.dir.path()).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDataStore)
#include "tst_datastore.moc"
