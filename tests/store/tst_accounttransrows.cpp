#include "store/accounttransrows.h"
#include "storefixture.h"

#include <QTest>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");

ListRow<TransactionRow> dated(double value)
{
    return {{}, 0, TransactionRow{QString::number(value), {}, {}, 0, 0, OleDateTime(value)}};
}

} // namespace

class TestAccountTransRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void sortIsStable()
    {
        TransactionTable rows{dated(3), dated(1), dated(2), dated(1.0)};
        rows[3].data->key = QStringLiteral("1b");
        sortRowsByDate(rows);
        QStringList keys;
        for (const auto &row : rows)
            keys << row.data->key;
        QCOMPARE(keys, QStringList({"1", "1b", "2", "3"}));
    }

    void wholeListWithPlans()
    {
        Book book;
        book.putTransaction(movement(recordKey(A, 1), at(2026, 11, 20), 100));     // brought forward
        book.putTransaction(movement(recordKey(A, 2), at(2026, 12, 20), -150.25)); // later date, earlier key
        book.putTransaction(movement(recordKey(A, 3), at(2026, 12, 3), 20));
        book.putTransaction(movement(recordKey(A, 4), at(2026, 12, 10), 5.5));
        book.store.addPlan(movement(A, at(2027, 2, 1), -40, "Tax"));
        book.store.addPlan(movement(A, at(2027, 1, 1), 60, "Gift"));
        book.store.addPlan(movement(QStringLiteral("2026010100000190"), at(2027, 1, 1), 1, "Other"));

        const AccountTransRows list = buildAccountTransRows(book.store, A, at(2026, 12, 1, 0), at(2026, 12, 31, 0));
        QCOMPARE(list.count, 4);
        // Running balances from the opening row on; a negative one shows "-" and the magnitude.
        const QList<QStringList> expected = {
            {"Balance till 11/30/26", "", "", "100.00"},
            {"12/3/26", "Item", "$20.00", "$120.00"},
            {"12/10/26", "Item", "$5.50", "$125.50"},
            {"12/20/26", "Item", "-$150.25", "-$24.75"},
            {"", "", "", ""}, // the four rows of the plans block
            {"Plans", "", "", ""},
            {"", "", "", ""},
            {"", "", "", ""},
            {"1/1/27", "Gift", "$60.00", ""}, // the plans by date, without balances
            {"2/1/27", "Tax", "-$40.00", ""},
        };
        QList<QStringList> texts;
        QString kinds;
        for (int row = 0; row < list.rows.size(); ++row) {
            texts << list.rows[row].texts;
            kinds += "OTSHP"[int(list.kind(row))];
            QCOMPARE(bool(list.rows[row].data), row < 4 || row > 7);
        }
        QCOMPARE(texts, expected);
        QCOMPARE(kinds, QStringLiteral("OTTTSHSSPP"));
        QCOMPARE(list.rows[3].data->balance, -24.75);
        QCOMPARE(list.planStart(), 8);

        // Without plans, no block.
        book.store.deleteAllPlans(A);
        QCOMPARE(buildAccountTransRows(book.store, A, at(2026, 12, 1), at(2026, 12, 31)).rows.size(), 4);
    }

    void runningBalanceOverARange()
    {
        TransactionTable rows;
        for (double amount : {10.0, -25.0, 5.0, 30.0})
            rows << ListRow<TransactionRow>{{"", "", "", "kept"}, 0, TransactionRow{{}, {}, {}, amount, 0, {}}};
        QCOMPARE(runningBalance(rows, 1, 3), -20.0);
        QCOMPARE(rows[1].text(3), QStringLiteral("kept")); // the first row of the range keeps its text
        QCOMPARE(rows[2].text(3), QStringLiteral("-$20.00"));
        QCOMPARE(rows[3].text(3), QStringLiteral("kept"));
        QCOMPARE(runningBalance(rows, 2, 2), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestAccountTransRows)
#include "tst_accounttransrows.moc"
