#include "export/exportrows.h"
#include "export/htmlexport.h"
#include "export/office/officecontent.h"
#include "export/pdf/pdfexport.h"
#include "export/textexport.h"
#include "exportfixture.h"
#include "store/accounttransrows.h"
#include "storefixture.h"

#include <QTest>

using namespace testutil;

namespace {

// The one-account list as the store hands it over: the opening row and three
// transactions whose balances are not their running sums, then a plans block.
// An export that wrote anything but the rows' own balances would show it.
ExportSource oddBalances()
{
    ExportSource s = exportSource(ExportView::Transactions);
    s.accountSelected = true;
    s.accountTitle = QStringLiteral("B - A1");
    s.transactions.rows = {transactionRow(day(2026, 12, 1), QString(), 100.0),
                           transactionRow(day(2026, 12, 2), QStringLiteral("One"), 1.0),
                           transactionRow(day(2026, 12, 3), QStringLiteral("Two"), 2.0),
                           transactionRow(day(2026, 12, 4), QStringLiteral("Three"), 3.0),
                           {{QStringLiteral("Plans")}, -1, std::nullopt},
                           transactionRow(day(2027, 1, 1), QStringLiteral("Plan"), 7.0)};
    s.transactions.rows[0].texts[0] = QStringLiteral("Balance till 11/30/26");
    s.transactions.count = 4;
    const double balances[] = {555.0, 611.11, 622.22, 633.33, 0.0, 0.0};
    for (qsizetype i = 0; i < s.transactions.rows.size(); ++i) {
        if (s.transactions.rows[i].data)
            s.transactions.rows[i].data->balance = balances[i];
    }
    return s;
}

QStringList balanceTexts(const ExportTransactions &t)
{
    QStringList texts{fixedAmount(t.openingBalance)};
    for (const TransactionRow &row : t.rows)
        texts << row.subject + QLatin1Char(' ') + fixedAmount(row.balance);
    return texts;
}

} // namespace

class TestExportRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void amounts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("fixed");
        QTest::addColumn<QString>("currency");
        QTest::newRow("cents") << 12.5 << "     12.50"
                               << "$12.50";
        QTest::newRow("negative") << -2000.0 << "  -2000.00"
                                  << "$2,000.00";
        QTest::newRow("wider than ten") << 12345678.9 << "12345678.90"
                                        << "$12,345,678.90";
        QTest::newRow("zero") << 0.0 << "      0.00"
                              << "$0.00";
    }

    void amounts()
    {
        QFETCH(double, value);
        QFETCH(QString, fixed);
        QFETCH(QString, currency);
        QCOMPARE(fixedAmount(value), fixed);
        QCOMPARE(currencyAmount(value), currency);
    }

    // The opening row and the transactions with the balances the rows carry;
    // the plans block stays out.
    void rowsKeepTheirBalances()
    {
        const ExportTransactions t = exportTransactions(oddBalances().transactions);
        QCOMPARE(t.openingText, QStringLiteral("Balance till 11/30/26"));
        QCOMPARE(balanceTexts(t), QStringList({"    555.00", "One     611.11", "Two     622.22", "Three     633.33"}));
    }

    void rowsWithoutDataAreLeftOut()
    {
        ExportSource s = oddBalances();
        s.transactions.rows.insert(2, ListRow<TransactionRow>{{QString()}, -1, std::nullopt});
        s.transactions.count = 5;
        QCOMPARE(balanceTexts(exportTransactions(s.transactions)),
                 QStringList({"    555.00", "One     611.11", "Two     622.22", "Three     633.33"}));
    }

    void anEmptyListHasABlankOpening_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("rows");
        QTest::newRow("no rows") << 0 << false;
        QTest::newRow("a count of none") << 0 << true;
        QTest::newRow("a count beyond the rows") << 3 << false;
    }

    void anEmptyListHasABlankOpening()
    {
        QFETCH(int, count);
        QFETCH(bool, rows);
        AccountTransRows list;
        if (rows)
            list = oddBalances().transactions;
        list.count = count;
        const ExportTransactions t = exportTransactions(list);
        QCOMPARE(t.openingText, QString());
        QCOMPARE(t.openingBalance, 0.0);
        QCOMPARE(t.rows.size(), qsizetype(0));
    }

    // Every export writes the rows' own balances.
    void everyExportWritesTheRowsBalances()
    {
        const ExportSource s = oddBalances();
        const QByteArray csv = exportCsv(s);
        QCOMPARE(csv, QByteArray("Account No:,B - A1\r\nDate,Subject,Amount,Balance\r\n"
                                 "Balance till 11/30/26,,,    555.00\r\n"
                                 "12/2/26,One,      1.00,    611.11\r\n"
                                 "12/3/26,Two,      2.00,    622.22\r\n"
                                 "12/4/26,Three,      3.00,    633.33\r\n\r\n\r\n\r\n"));
        QCOMPARE(exportText(s), QByteArray(csv).replace(",", "\t\t\t").replace("\r\n", "\r\n\r\n"));
        const QByteArray html = exportHtml(s);
        const QByteArray pdf = exportPdf(s);
        const std::optional<OfficeContent> office = officeContent(s);
        QVERIFY(office);
        QCOMPARE(office->openingBalance, 555.0);
        QCOMPARE(office->rows.size(), qsizetype(3));
        for (const char *balance : {"611.11", "622.22", "633.33"}) {
            QVERIFY2(html.contains(QByteArray("</td><td align='right'>$") + balance + "</td></tr>"), balance);
            QVERIFY2(pdf.contains(QByteArray(" Balance\t     :$") + balance + ")"), balance);
        }
        QCOMPARE(office->rows[0][3].value, 611.11);
        QCOMPARE(office->rows[1][3].value, 622.22);
        QCOMPARE(office->rows[2][3].value, 633.33);
    }

    // A book whose balance goes below zero: the list and the exports carry the
    // same running balances, and the plans stay out of the exports.
    void aBookWithNegativeBalances()
    {
        Book book;
        AccountRecord a = account(QStringLiteral("12-3456"), QStringLiteral("Kestrel"));
        const QString id = book.store.addAccount(a);
        book.putTransaction(movement(recordKey(id, 1), at(2026, 11, 20), -50));
        book.putTransaction(movement(recordKey(id, 2), at(2026, 12, 20), 200));
        book.putTransaction(movement(recordKey(id, 3), at(2026, 12, 3), 20));
        book.putTransaction(movement(recordKey(id, 4), at(2026, 12, 10), -100.25));
        book.store.addPlan(movement(id, at(2027, 1, 1), 60, QStringLiteral("Gift")));

        ExportSource s = exportSource(ExportView::Transactions);
        s.accountSelected = true;
        s.accountTitle = QStringLiteral("Kestrel - 12-3456");
        s.transactions = buildAccountTransRows(book.store, id, at(2026, 12, 1, 0), at(2026, 12, 31, 0));

        QList<QStringList> list;
        for (int i = 0; i < s.transactions.count; ++i)
            list << s.transactions.rows[i].texts;
        QCOMPARE(list, QList<QStringList>({{"Balance till 11/30/26", "", "", "-50.00"},
                                           {"12/3/26", "Item", "$20.00", "-$30.00"},
                                           {"12/10/26", "Item", "-$100.25", "-$130.25"},
                                           {"12/20/26", "Item", "$200.00", "$69.75"}}));
        QCOMPARE(exportCsv(s), QByteArray("Account No:,Kestrel - 12-3456\r\nDate,Subject,Amount,Balance\r\n"
                                          "Balance till 11/30/26,,,    -50.00\r\n"
                                          "12/3/26,Item,     20.00,    -30.00\r\n"
                                          "12/10/26,Item,   -100.25,   -130.25\r\n"
                                          "12/20/26,Item,    200.00,     69.75\r\n\r\n\r\n\r\n"));
        // The page marks a negative sum red.
        const QByteArray html = exportHtml(s);
        QVERIFY(html.contains("<b><font color = '#FF0000'> $50.00 </font></b>"));
        QVERIFY(html.contains("<td align='right'>$20.00</td>"
                              "<td align='right'><font color = '#FF0000'> $30.00 </font></td></tr>"));
        QVERIFY(html.contains("<td align='right'><font color = '#FF0000'> $100.25 </font></td>"
                              "<td align='right'><font color = '#FF0000'> $130.25 </font></td></tr>"));
        QVERIFY(html.contains("<td align='right'>$200.00</td><td align='right'>$69.75</td></tr>"));
        const std::optional<OfficeContent> office = officeContent(s);
        QVERIFY(office);
        QCOMPARE(office->openingBalance, -50.0);
        QList<double> balances;
        for (const OfficeRow &row : office->rows)
            balances << row[3].value;
        QCOMPARE(balances, QList<double>({-30.0, -130.25, 69.75}));
    }
};

QTEST_GUILESS_MAIN(TestExportRows)
#include "tst_exportrows.moc"
