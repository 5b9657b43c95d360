#include "storefixture.h"

#include <QTest>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");
const QString B = QStringLiteral("2026010100000190");

QString keyOf(const QString &account, int n)
{
    return account + (QStringLiteral("202612010000%1").arg(n, 2, 10, QLatin1Char('0')) + QStringLiteral("90"));
}

} // namespace

class TestTransactionFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void fileBytes()
    {
        TransactionRecord r(OleDateTime(39184.5));
        r.key = keyOf(A, 1);
        r.subject = QStringLiteral("Pay");
        r.amount = -12.5;
        r.incomeFlag = 0;
        r.category = QStringLiteral("Snacks");
        r.spare = 7; // never written
        const QByteArray expected = hex("20") + r.key.toLatin1() + hex("00000000 000000001022e340") + hex("03 506179")
                                    + hex("00000000000029c0") + hex("00000000") + hex("06 536e61636b73") + hex("00");
        QCOMPARE(encodeTransaction(r), expected);
        const auto back = decodeTransaction(expected);
        QVERIFY(back);
        r.spare = 0;
        QCOMPARE(*back, r);
    }

    void addModifyDeleteLookup()
    {
        Book book;
        const QString key = book.store.addTransaction(movement(A, at(2026, 5, 1), 25, "Salary"));
        QCOMPARE(key.size(), 32);
        QVERIFY(key.startsWith(A));
        QVERIFY(QFileInfo::exists(book.path(key + ".tra")));
        QCOMPARE(book.store.lookupTransaction(key).subject, QStringLiteral("Salary"));

        TransactionRecord changed = book.store.lookupTransaction(key);
        changed.subject = QStringLiteral("Bonus");
        book.store.modifyTransaction(key, changed);
        const auto onDisk = decodeTransaction(readFile(book.path(key + ".tra")));
        QVERIFY(onDisk);
        QCOMPARE(onDisk->subject, QStringLiteral("Bonus"));
        QCOMPARE(onDisk->key, key);

        book.store.deleteTransaction(key);
        QVERIFY(!QFileInfo::exists(book.path(key + ".tra")));
        QCOMPARE(book.store.lookupTransaction(key).subject, QString()); // the default record
        QCOMPARE(book.store.lookupTransaction(key).incomeFlag, 1);
    }

    void loadTakesTheAccountsFilesOnly()
    {
        Book book;
        book.putTransaction(movement(keyOf(A, 1), at(2026, 1, 1), 1));
        book.putTransaction(movement(keyOf(A, 2), at(2026, 1, 2), 2));
        book.putTransaction(movement(keyOf(B, 3), at(2026, 1, 3), 4));
        book.store.loadAccountTransactions(A);
        QCOMPARE(book.store.accountTransactions().size(), 2);
        QCOMPARE(book.store.sumAccountTransactions(), 3.0);
        QVERIFY(book.store.accountTransactions().isEmpty());

        book.store.deleteAllTransactions(A);
        QCOMPARE(entries(book.dir.path()), QStringList({keyOf(B, 3) + ".tra"}));
    }

    void periodBoundsAndOpeningRow()
    {
        Book book;
        const OleDateTime from = at(2026, 12, 1, 0, 0, 0), to = at(2026, 12, 31, 8, 0, 0);
        book.putTransaction(movement(keyOf(A, 1), at(2026, 12, 1, 0, 0, 0), 1));    // summed only
        book.putTransaction(movement(keyOf(A, 2), at(2026, 12, 1, 0, 0, 1), 2));    // neither
        book.putTransaction(movement(keyOf(A, 3), at(2026, 12, 1, 0, 0, 2), 4));    // listed
        book.putTransaction(movement(keyOf(A, 4), at(2026, 12, 31, 23, 59, 58), 8)); // listed
        book.putTransaction(movement(keyOf(A, 5), at(2026, 12, 31, 23, 59, 59), 16)); // neither
        book.putTransaction(movement(keyOf(A, 6), at(2026, 11, 30, 12), -32.5));   // summed
        book.putTransaction(movement(keyOf(A, 7), at(2027, 1, 1), 64));            // neither
        book.putTransaction(movement(keyOf(B, 8), at(2026, 12, 5), 128));          // other account

        const TransactionTable rows = book.store.fillAccountTransList(from, to, A);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].texts, QStringList({"Balance till 11/30/26", "", "", "-31.50"}));
        QCOMPARE(rows[0].image, 0);
        QVERIFY(rows[0].data);
        QCOMPARE(rows[0].data->amount, -31.5);
        QCOMPARE(rows[0].data->key, QString());
        QCOMPARE(rows[0].data->date, at(2026, 12, 1, 0, 0, 2));

        // The listed rows follow the table's order.
        QStringList listed;
        for (const QString &key : book.store.accountTransactions().keys()) {
            if (key == keyOf(A, 3) || key == keyOf(A, 4))
                listed << key;
        }
        QCOMPARE(QStringList({rows[1].data->key, rows[2].data->key}), listed);
        const auto &row3 = rows[1].data->key == keyOf(A, 3) ? rows[1] : rows[2];
        QCOMPARE(row3.texts, QStringList({"12/1/26", "Item", "$4.00", ""}));
        QCOMPARE(row3.data->accountNumber, QString());
        QCOMPARE(row3.data->balance, 0.0);
        QCOMPARE(row3.data->date, at(2026, 12, 1, 0, 0, 2));
    }

    void noTransactionsGivesTheOpeningRowOnly()
    {
        Book book;
        const TransactionTable rows = book.store.fillAccountTransList(at(2026, 3, 1), at(2026, 3, 31), A);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].texts, QStringList({"Balance till 2/28/26", "", "", "0.00"}));
    }

    void expenseText()
    {
        Book book;
        book.putTransaction(movement(keyOf(A, 1), at(2026, 3, 2), -12.5));
        const TransactionTable rows = book.store.fillAccountTransList(at(2026, 3, 1), at(2026, 3, 31), A);
        QCOMPARE(rows[1].text(2), QStringLiteral("-$12.50"));
        QCOMPARE(rows[1].data->amount, -12.5);
    }

    void allTransactions()
    {
        Book book;
        AccountRecord a = account("111");
        a.id = A;
        AccountRecord b = account("222");
        b.id = B;
        book.store.modifyAccount(a);
        book.store.modifyAccount(b);
        book.putTransaction(movement(keyOf(A, 1), at(2026, 6, 1, 0, 0, 1), 1)); // on the bound: out
        book.putTransaction(movement(keyOf(A, 2), at(2026, 6, 2), 2));
        book.putTransaction(movement(keyOf(B, 3), at(2026, 6, 30, 23, 59, 58), -3));
        book.putTransaction(movement(keyOf(B, 4), at(2026, 7, 1), 4));
        // Files of an account that does not exist are not part of the books.
        book.putTransaction(movement(QStringLiteral("1999999999999990") + "2026060200000090", at(2026, 6, 2), 9));

        const TransactionTable rows = book.store.fillAllTransList(at(2026, 6, 1), at(2026, 6, 30));
        QCOMPARE(book.store.allTransactions().size(), 4);
        QStringList keys;
        for (const auto &row : rows)
            keys << row.data->key;
        QStringList expected = book.store.allTransactions().keys();
        expected.removeAll(keyOf(A, 1));
        expected.removeAll(keyOf(B, 4));
        QCOMPARE(keys, expected);
        for (const auto &row : rows) {
            if (row.data->key == keyOf(B, 3)) {
                QCOMPARE(row.texts, QStringList({"222", "6/30/26", "Item", "-$3.00"}));
                QCOMPARE(row.data->accountNumber, QStringLiteral("222"));
            }
        }

        // The all-transactions table's own modify, delete and look-up.
        TransactionRecord r = book.store.lookupAllTransaction(keyOf(A, 2));
        QCOMPARE(r.amount, 2.0);
        r.amount = 20;
        book.store.modifyAllTransaction(keyOf(A, 2), r);
        QCOMPARE(decodeTransaction(readFile(book.path(keyOf(A, 2) + ".tra")))->amount, 20.0);
        book.store.deleteAllTransaction(keyOf(A, 2));
        QVERIFY(!QFileInfo::exists(book.path(keyOf(A, 2) + ".tra")));
        QVERIFY(!book.store.allTransactions().contains(keyOf(A, 2)));
    }

    void gatherMovements()
    {
        Book book;
        book.putTransaction(movement(keyOf(A, 1), at(2026, 5, 31), 10));
        book.putTransaction(movement(keyOf(A, 2), at(2026, 6, 1, 0, 0, 0), 5));
        book.putTransaction(movement(keyOf(A, 3), at(2026, 6, 15), -7));
        book.putTransaction(movement(keyOf(A, 4), at(2026, 7, 15), 1));
        RecordMap<MovementRecord> out;
        out.insert(QStringLiteral("kept"), MovementRecord{});
        const double start = book.store.gatherAccountMovements(A, at(2026, 6, 1), at(2026, 6, 30), out);
        QCOMPARE(start, 15.0);
        QCOMPARE(out.size(), 2); // not emptied first
        QCOMPARE(*out.find(keyOf(A, 3)), (MovementRecord{keyOf(A, 3), -7.0, at(2026, 6, 15)}));
    }
};

QTEST_GUILESS_MAIN(TestTransactionFiles)
#include "tst_transactionfiles.moc"
