#include "accounttransrows.h"
#include "storefixture.h"

#include <QTest>

using namespace testutil;

namespace {

const QString A = QStringLiteral("2026010100000090");

QString keyOf(int n)
{
    return A + (QStringLiteral("202612010000%1").arg(n, 2, 10, QLatin1Char('0')) + QStringLiteral("90"));
}

ListRow<TransactionRow> dated(double value, qint32 status = OleDateTime::Valid)
{
    ListRow<TransactionRow> row;
    row.data = TransactionRow{QString::number(value), {}, {}, 0, 0, OleDateTime(value, status)};
    return row;
}

QStringList keys(const TransactionTable &rows)
{
    QStringList out;
    for (const auto &row : rows)
        out << (row.data ? row.data->key : QStringLiteral("-"));
    return out;
}

} // namespace

class TestAccountTransRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void sortIsStableAndKeepsRowsWithoutDates()
    {
        TransactionTable rows{dated(3), dated(1), dated(2), dated(1.0)};
        rows[3].data->key = QStringLiteral("1b");
        sortRowsByDate(rows);
        QCOMPARE(keys(rows), QStringList({"1", "1b", "2", "3"}));

        // Rows without data or a valid date compare equal to every row; the sort
        // still ends with every row in place exactly once.
        TransactionTable mixed{dated(5), ListRow<TransactionRow>{}, dated(4, OleDateTime::Invalid), dated(2), dated(1)};
        sortRowsByDate(mixed);
        QCOMPARE(mixed.size(), 5);
        QStringList sorted = keys(mixed);
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, QStringList({"-", "1", "2", "4", "5"}));
    }

    void runningBalances()
    {
        TransactionTable rows;
        for (double amount : {10.0, -25.0, 5.0, 30.0}) {
            ListRow<TransactionRow> row;
            row.texts = QStringList{QString(), QString(), QString(), QStringLiteral("opening text")};
            row.data = TransactionRow{{}, {}, {}, amount, 0, {}};
            rows << row;
        }
        QCOMPARE(runningBalance(rows, 0, 4), 20.0);
        QCOMPARE(rows[0].data->balance, 10.0);
        QCOMPARE(rows[0].text(3), QStringLiteral("opening text")); // the first row keeps its text
        QCOMPARE(rows[1].data->balance, -15.0);
        QCOMPARE(rows[1].text(3), QStringLiteral("-$15.00"));
        QCOMPARE(rows[2].text(3), QStringLiteral("-$10.00"));
        QCOMPARE(rows[3].text(3), QStringLiteral("$20.00"));
        QCOMPARE(runningBalance(rows, 2, 2), 0.0);
    }

    void wholeListWithPlans()
    {
        Book book;
        book.putTransaction(movement(keyOf(1), at(2026, 11, 20), 100));      // brought forward
        book.putTransaction(movement(keyOf(2), at(2026, 12, 20), -150.25)); // later date, earlier key
        book.putTransaction(movement(keyOf(3), at(2026, 12, 3), 20));
        book.putTransaction(movement(keyOf(4), at(2026, 12, 10), 5.5));
        book.store.addPlan(movement(A, at(2027, 2, 1), -40, "Tax"));
        book.store.addPlan(movement(A, at(2027, 1, 1), 60, "Gift"));
        book.store.addPlan(movement(QStringLiteral("2026010100000190"), at(2027, 1, 1), 1, "Other"));

        const AccountTransRows list = buildAccountTransRows(book.store, A, at(2026, 12, 1, 0), at(2026, 12, 31, 0));
        QCOMPARE(list.count, 4);
        QVERIFY(list.hasPlans());
        QCOMPARE(list.rows.size(), 4 + 4 + 2);

        QCOMPARE(list.rows[0].texts, QStringList({"Balance till 11/30/26", "", "", "100.00"}));
        QCOMPARE(list.rows[1].texts, QStringList({"12/3/26", "Item", "$20.00", "$120.00"}));
        QCOMPARE(list.rows[2].texts, QStringList({"12/10/26", "Item", "$5.50", "$125.50"}));
        QCOMPARE(list.rows[3].texts, QStringList({"12/20/26", "Item", "-$150.25", "-$24.75"}));
        QCOMPARE(list.rows[3].data->balance, -24.75);

        QCOMPARE(list.rows[4].texts, QStringList({"", "", "", ""}));
        QCOMPARE(list.rows[5].texts, QStringList({"Plans", "", "", ""}));
        QVERIFY(!list.rows[4].data && !list.rows[5].data && !list.rows[6].data && !list.rows[7].data);
        QCOMPARE(list.rows[8].texts, QStringList({"1/1/27", "Gift", "$60.00", ""}));
        QCOMPARE(list.rows[9].texts, QStringList({"2/1/27", "Tax", "-$40.00", ""}));

        using Kind = AccountTransRows::Kind;
        QCOMPARE(list.kind(0), Kind::Opening);
        QCOMPARE(list.kind(3), Kind::Transaction);
        QCOMPARE(list.kind(4), Kind::Separator);
        QCOMPARE(list.kind(5), Kind::Heading);
        QCOMPARE(list.kind(7), Kind::Separator);
        QCOMPARE(list.kind(8), Kind::Plan);
        QCOMPARE(list.planStart(), 8);
    }

    void noPlansNoBlock()
    {
        Book book;
        book.putTransaction(movement(keyOf(1), at(2026, 12, 2), 1));
        const AccountTransRows list = buildAccountTransRows(book.store, A, at(2026, 12, 1), at(2026, 12, 31));
        QCOMPARE(list.count, 2);
        QCOMPARE(list.rows.size(), 2);
        QVERIFY(!list.hasPlans());
    }
};

QTEST_GUILESS_MAIN(TestAccountTransRows)
#include "tst_accounttransrows.moc"
