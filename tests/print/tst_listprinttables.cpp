// The tables Print makes of the store's rows: the rows' texts in the order
// given, the lists' headings, and the column widths given or the first ones.

#include "print/listprinttables.h"

#include <QTest>

namespace {

ListRow<TransactionRow> row(const QStringList &texts, bool withData = true)
{
    ListRow<TransactionRow> r;
    r.texts = texts;
    if (withData)
        r.data = TransactionRow();
    return r;
}

QList<int> widthsOf(const PrintTable &table)
{
    QList<int> widths;
    for (const PrintColumn &column : table.columns)
        widths << column.width;
    return widths;
}

QStringList headingsOf(const PrintTable &table)
{
    QStringList headings;
    for (const PrintColumn &column : table.columns)
        headings << column.heading;
    return headings;
}

} // namespace

class TestListPrintTables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void widths_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QList<int>>("given");
        QTest::addColumn<QList<int>>("printed");
        QTest::newRow("plans, first widths") << "plans" << QList<int>() << QList<int>({150, 150, 312, 100});
        QTest::newRow("plans, the list's") << "plans" << QList<int>({90, 80, 400, 70}) << QList<int>({90, 80, 400, 70});
        QTest::newRow("all, first widths") << "all-transactions" << QList<int>() << QList<int>({150, 150, 300, 100});
        QTest::newRow("all, the list's") << "all-transactions" << QList<int>({1, 2, 3, 4}) << QList<int>({1, 2, 3, 4});
        QTest::newRow("one account, first widths")
            << "transactions" << QList<int>() << QList<int>({160, 260, 150, 155});
        QTest::newRow("one account, the list's")
            << "transactions" << QList<int>({120, 360, 120, 121}) << QList<int>({120, 360, 120, 121});
        // Fewer widths than columns: the rest keep their first widths.
        QTest::newRow("two given") << "transactions" << QList<int>({10, 20}) << QList<int>({10, 20, 150, 155});
    }

    void widths()
    {
        QFETCH(QString, list);
        QFETCH(QList<int>, given);
        QFETCH(QList<int>, printed);
        const TransactionTable rows = {row({"a", "b", "c", "d"})};
        PrintTable table;
        if (list == QLatin1String("plans"))
            table = plansPrintTable(rows, given);
        else if (list == QLatin1String("all-transactions"))
            table = allTransactionsPrintTable(rows, given);
        else
            table = accountTransPrintTable({rows, 1}, given);
        QCOMPARE(widthsOf(table), printed);
    }

    // The rows print in the order given, separator and heading rows included.
    void rowsAndHeadings()
    {
        const TransactionTable rows = {row({"Balance", "", "", "-$5.00"}),
                                       row({"1/2/27", "Rent", "-$700.00", "-$705.00"}), row({"", "", "", ""}, false),
                                       row({"Plans", "", "", ""}, false)};
        const PrintTable table = accountTransPrintTable({rows, 2}, {});
        QCOMPARE(headingsOf(table), QStringList({"Date", "Transaction Name", "Amount", "Balance"}));
        QCOMPARE(table.columns[3].alignment, Qt::Alignment(Qt::AlignRight));
        QCOMPARE(table.rows.size(), 4);
        QCOMPARE(table.rows[1], QStringList({"1/2/27", "Rent", "-$700.00", "-$705.00"}));
        QCOMPARE(table.rows[3], QStringList({"Plans", "", "", ""}));
        QCOMPARE(headingsOf(plansPrintTable({}, {})), QStringList({"Account No", "Date", "Subject", "Amount"}));
        QVERIFY(plansPrintTable({}, {}).rows.isEmpty());
    }

    void titles()
    {
        QCOMPARE(printTitleSuffix(QStringLiteral("plans")), QStringLiteral(" - Plans"));
        QCOMPARE(printTitleSuffix(QStringLiteral("transactions")), QStringLiteral(" - Transactions"));
        QCOMPARE(printTitleSuffix(QStringLiteral("all-transactions")), QStringLiteral(" - All Transactions"));
    }
};

QTEST_GUILESS_MAIN(TestListPrintTables)
#include "tst_listprinttables.moc"
