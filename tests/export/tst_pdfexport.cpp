#include "exportfixture.h"
#include "pdfcheck.h"
#include "pdfexport.h"
#include "pdfwriter.h"

#include <QTest>

using namespace testutil;

namespace {

// The one-plan document, object by object: pages 9 and 5, then the streams from
// 15 down to 6, and the cross-reference table with each object's offset.
const QByteArray kOnePlan =
    kFixedObjects +
    "4 0 obj<</Type /Pages /Kids [5 0 R 9 0 R ] /Count 2>>\n"
    "endobj\r"
    "9 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] "
    "/Contents [10 0 R 11 0 R 12 0 R 13 0 R 14 0 R 15 0 R ] /Resources<</ProcSet 2 0 R\r\n"
    "/Font << /F1 3 0 R>>>>>>\n"
    "endobj\n"
    "5 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] "
    "/Contents [6 0 R 7 0 R 8 0 R ] /Resources<</ProcSet 2 0 R\r\n"
    "/Font << /F1 3 0 R>>>>>>\n"
    "endobj\n"
    "15 0 obj<</Length 25 >>stream\r\n"
    "1 w\r\n"
    "50 60 m\r\n"
    "500 60 l\r\n"
    "S\r\n"
    "endstream\rendobj\n"
    "14 0 obj<</Length 100>>stream\r\n"
    "0 g\r1 i \rBT\r/F1 1 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
    "50 80 Tm \rT* (Plan 1 of 1) Tj \rET\r\n"
    "endstream\rendobj\n"
    "13 0 obj<</Length 237>>stream\r\n"
    "0 g\r1 i \rBT\r/F1 1 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
    "50 720 Tm \rT* ()Tj T*()Tj T*(  Account No    :A1)Tj T*()Tj T*( Date          :12/6/26)Tj T*()Tj T*("
    " Subject\t\t :Insurance)Tj T*()Tj T*( Amount\t     :$120.50)Tj T*() Tj \rET\r\n"
    "endstream\rendobj\n"
    "12 0 obj<</Length 27 >>stream\r\n"
    "1 w\r\n"
    "50 725 m\r\n"
    "500 725 l\r\n"
    "S\r\n"
    "endstream\rendobj\n"
    "11 0 obj<</Length 102>>stream\r\n"
    "0 g\r1 i \rBT\r/F1 1 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
    "400 750 Tm \rT* (Plan 1 of 1) Tj \rET\r\n"
    "endstream\rendobj\n"
    "10 0 obj<</Length 99>>stream\r\n"
    "0 g\r1 i \rBT\r/F1 1 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
    "50 750 Tm \rT* (Insurance) Tj \rET\r\n"
    "endstream\rendobj\n"
    "8 0 obj<</Length 110>>stream\r\n"
    "0 g\r1 i \rBT\r/F1 2 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
    "200 460 Tm \rT* (12/1/26 to 12/31/26) Tj \rET\r\n"
    "endstream\rendobj\n"
    "7 0 obj<</Length 28 >>stream\r\n"
    "2 w\r\n"
    "100 470 m\r\n"
    "500 470 l\r\n"
    "S\r\n"
    "endstream\rendobj\n"
    "6 0 obj<</Length 107>>stream\r\n"
    "0 g\r1 i \rBT\r/F1 2 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 "
    "100 500 Tm \rT* (Fennimar - Plans) Tj \rET\r\n"
    "endstream\rendobj\n"
    "xref\r\n"
    "0 16\r\n"
    "0000000000 65535 f\r\n"
    "0000000010 00000 n\r\n"
    "0000000056 00000 n\r\n"
    "0000000086 00000 n\r\n"
    "0000000194 00000 n\r\n"
    "0000000428 00000 n\r\n"
    "0000001702 00000 n\r\n"
    "0000001625 00000 n\r\n"
    "0000001466 00000 n\r\n"
    "0000000255 00000 n\r\n"
    "0000001318 00000 n\r\n"
    "0000001166 00000 n\r\n"
    "0000001089 00000 n\r\n"
    "0000000802 00000 n\r\n"
    "0000000652 00000 n\r\n"
    "0000000577 00000 n\r\n"
    "trailer\n"
    "<</Size 16/Root 1 0 R>>\r\n"
    "startxref\r\n"
    "1858\r\n"
    "%%EOF\r\n";

ExportSource twoAccounts()
{
    ExportSource s = exportSource(ExportView::Accounts);
    s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("Northbank"), -3.0)
               << accountRow(QStringLiteral("Z9"), QStringLiteral("Work"), QStringLiteral("Southbank"), 1234.5);
    return s;
}

} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void onePlan()
    {
        ExportSource s = exportSource(ExportView::Plans);
        s.plans << transactionRow(day(2026, 12, 6), QStringLiteral("Insurance"), -120.5, QStringLiteral("A1"));
        const QByteArray pdf = exportPdf(s);
        QCOMPARE(pdf, kOnePlan);
        QCOMPARE(bodyOrder(pdf), (QList<int>{1, 2, 3, 4, 9, 5, 15, 14, 13, 12, 11, 10, 8, 7, 6}));
        checkXref(pdf, 15);
        checkStreamLengths(pdf);
    }

    void accounts()
    {
        const QByteArray pdf = exportPdf(twoAccounts());
        QCOMPARE(bodyOrder(pdf), (QList<int>{1, 2, 3, 4, 9, 5, 16, 15, 14, 13, 12, 11, 10, 8, 7, 6, 22, 21, 20, 19,
                                             18, 17}));
        QVERIFY(pdf.contains("/Kids [5 0 R 9 0 R 16 0 R ] /Count 3>>"));
        checkXref(pdf, 22);
    }

    // The cover page carries the account and the opening balance; then one page
    // per transaction with the running balance in list order; plans stay out.
    void transactions()
    {
        const QByteArray pdf = exportPdf(oneAccountSource(100.0, -2000.0));
        checkXref(pdf, 24);
        QVERIFY(pdf.contains("/Kids [5 0 R 11 0 R 18 0 R ] /Count 3>>"));
        QVERIFY(pdf.contains("5 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] "
                             "/Contents [6 0 R 7 0 R 8 0 R 9 0 R 10 0 R ] "));
    }

    void texts_data()
    {
        QTest::addColumn<bool>("accounts");
        QTest::addColumn<int>("object");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("accounts title") << true << 6 << QByteArray("100 500 Tm \rT* (Fennimar - Accounts) Tj \rET");
        QTest::newRow("accounts period") << true << 8 << QByteArray("200 460 Tm \rT* (12/1/26 to 12/31/26) Tj \rET");
        QTest::newRow("bank heading") << true << 10 << QByteArray("50 750 Tm \rT* (Northbank) Tj \rET");
        QTest::newRow("account counter") << true << 11 << QByteArray("400 750 Tm \rT* (Account 1 of 2) Tj \rET");
        // The negative balance loses the locale's parentheses.
        QTest::newRow("account details")
            << true << 13
            << QByteArray("50 720 Tm \rT* ()Tj T*()Tj T*(  Account No    :A1)Tj T*()Tj T*( Name          :Home)"
                          "Tj T*()Tj T*( Bank\t\t\t :Northbank)Tj T*()Tj T*( Balance\t     :$3.00)Tj T*() Tj \rET");
        QTest::newRow("account footer") << true << 14 << QByteArray("50 80 Tm \rT* (Account 1 of 2) Tj \rET");
        QTest::newRow("second account details")
            << true << 20
            << QByteArray("50 720 Tm \rT* ()Tj T*()Tj T*(  Account No    :Z9)Tj T*()Tj T*( Name          :Work)"
                          "Tj T*()Tj T*( Bank\t\t\t :Southbank)Tj T*()Tj T*( Balance\t     :$1,234.50)Tj T*() Tj \rET");
        QTest::newRow("second account footer") << true << 21 << QByteArray("50 80 Tm \rT* (Account 2 of 2) Tj \rET");

        QTest::newRow("transactions title")
            << false << 6 << QByteArray("100 500 Tm \rT* (Fennimar - Transactions) Tj \rET");
        QTest::newRow("account") << false << 9 << QByteArray("100 350 Tm \rT* (Account No:B - A1) Tj \rET");
        QTest::newRow("opening") << false << 10
                                 << QByteArray("100 300 Tm \rT* (Balance till 11/30/26   $100.00) Tj \rET");
        QTest::newRow("subject heading") << false << 12 << QByteArray("50 750 Tm \rT* (Pay) Tj \rET");
        QTest::newRow("transaction counter")
            << false << 13 << QByteArray("400 750 Tm \rT* (Transaction 1 of 2) Tj \rET");
        QTest::newRow("transaction details")
            << false << 15
            << QByteArray("50 720 Tm \rT* ()Tj T*()Tj T*(  Date\t        :12/3/26)Tj T*()Tj T*( Subject       :Pay)"
                          "Tj T*()Tj T*( Amount   \t :$1,000.00)Tj T*()Tj T*( Balance\t     :$1,100.00)"
                          "Tj T*() Tj \rET");
        QTest::newRow("second transaction counter")
            << false << 20 << QByteArray("400 750 Tm \rT* (Transaction 2 of 2) Tj \rET");
        QTest::newRow("negative amount")
            << false << 22
            << QByteArray("50 720 Tm \rT* ()Tj T*()Tj T*(  Date\t        :12/1/26)Tj T*()Tj T*( Subject       :Rent)"
                          "Tj T*()Tj T*( Amount   \t :$2,000.00)Tj T*()Tj T*( Balance\t     :$900.00)Tj T*() Tj \rET");
    }

    void texts()
    {
        QFETCH(bool, accounts);
        QFETCH(int, object);
        QFETCH(QByteArray, shown);
        const QByteArray pdf = exportPdf(accounts ? twoAccounts() : oneAccountSource(100.0, -2000.0));
        QCOMPARE(shownText(pdf, object), shown);
    }

    void withoutPages_data()
    {
        QTest::addColumn<int>("view");
        QTest::newRow("all accounts") << int(ExportView::Transactions);
        QTest::newRow("other view") << int(ExportView::Other);
    }

    void withoutPages()
    {
        QFETCH(int, view);
        ExportSource s = exportSource(ExportView(view));
        s.transactions = accountTransRows(QStringLiteral("Balance till 11/30/26"), 1.0,
                                          {transactionRow(day(2026, 12, 3), QStringLiteral("Pay"), 1.0)});
        QCOMPARE(exportPdf(s), PdfWriter().document());
    }

    // The heading keeps the parentheses (escaped); the details show blanks.
    void parentheses()
    {
        ExportSource s = exportSource(ExportView::Plans);
        s.plans << transactionRow(day(2026, 12, 6), QStringLiteral("Rent (May) \\ x"), 5.0, QStringLiteral("A1"));
        const QByteArray pdf = exportPdf(s);
        QCOMPARE(shownText(pdf, 10), QByteArray("50 750 Tm \rT* (Rent \\(May\\) \\\\ x) Tj \rET"));
        QVERIFY(streamContent(pdf, 13).contains("T*( Subject\t\t :Rent  May  \\\\ x)Tj"));
        checkStreamLengths(pdf);
    }

    // Details too long for the page continue on a new page, which gets the
    // footer counter and rule.
    void longDetails()
    {
        const QString subject = QStringLiteral("abcdefghij ").repeated(300).trimmed();
        ExportSource s = exportSource(ExportView::Plans);
        s.plans << transactionRow(day(2026, 12, 6), subject, 5.0, QStringLiteral("A1"));
        const QByteArray pdf = exportPdf(s);
        checkXref(pdf, 17);
        QVERIFY(pdf.contains("/Kids [5 0 R 9 0 R 14 0 R ] /Count 3>>"));
        QVERIFY(pdf.contains("9 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] "
                             "/Contents [10 0 R 11 0 R 12 0 R 13 0 R ] "));
        QVERIFY(pdf.contains("14 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] "
                             "/Contents [15 0 R 16 0 R 17 0 R ] "));
        QCOMPARE(streamContent(pdf, 13).count(")Tj T*("), 40);
        QVERIFY(streamContent(pdf, 15).contains(" 750 Tm \rT* ("));
        QVERIFY(streamContent(pdf, 15).endsWith(")Tj T*( Amount\t     :$5.00)Tj T*() Tj \rET"));
        QCOMPARE(shownText(pdf, 16), QByteArray("50 80 Tm \rT* (Plan 1 of 1) Tj \rET"));
        QCOMPARE(streamContent(pdf, 17), QByteArray("1 w\r\n50 60 m\r\n500 60 l\r\nS"));

        SKIP_WITHOUT("/usr/bin/qpdf");
        SKIP_WITHOUT("/usr/bin/pdftotext");
        QCOMPARE(streamContent(pdf, 13).count("abcdefghij") + streamContent(pdf, 15).count("abcdefghij"), 300);
        const QString text = checkedText(pdf).value_or(QString());
        // The heading runs off the page; the details are all there.
        QVERIFY(text.count(QStringLiteral("abcdefghij")) >= 300);
        QVERIFY(text.contains(QStringLiteral("Plan 1 of 1")));
        QCOMPARE(text.count(QChar(u'\f')), 3);
    }

    void readableByTools_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("accounts") << int(ExportView::Accounts)
                                  << QStringList{"Fennimar - Accounts", "12/1/26 to 12/31/26", "Account 1 of 2",
                                                 "Account 2 of 2", "Bank (main) \\ x", "Balance"};
        QTest::newRow("transactions") << int(ExportView::Transactions)
                                      << QStringList{"Fennimar - Transactions", "Account No:Bank (main) \\ x - A1",
                                                     "Balance till 11/30/26", "Transaction 2 of 2",
                                                     "Close) Tj ET (", "Café"};
        QTest::newRow("plans") << int(ExportView::Plans)
                               << QStringList{"Fennimar - Plans", "Plan 1 of 2", "Plan 2 of 2", "Close) Tj ET (",
                                              "Café", "$12.00"};
    }

    void readableByTools()
    {
        SKIP_WITHOUT("/usr/bin/qpdf");
        SKIP_WITHOUT("/usr/bin/pdftotext");
        QFETCH(int, view);
        QFETCH(QStringList, texts);
        ExportSource s = exportSource(ExportView(view));
        s.accountSelected = true;
        s.accountTitle = QStringLiteral("Bank (main) \\ x - A1");
        s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("Bank (main) \\ x"), 1.0)
                   << accountRow(QStringLiteral("A2"), QStringLiteral("Work"), QStringLiteral("Other"), -1.0);
        const QList<ListRow<TransactionRow>> rows{
            transactionRow(day(2026, 12, 3), QStringLiteral("Close) Tj ET ("), 12.0, QStringLiteral("A1")),
            transactionRow(day(2026, 12, 4), QString::fromUtf8("Café ☃"), -2.0, QStringLiteral("A2"))};
        s.plans = rows;
        s.transactions = accountTransRows(QStringLiteral("Balance till 11/30/26"), 0.0, rows);
        const QByteArray pdf = exportPdf(s);
        checkStreamLengths(pdf);
        const QString text = checkedText(pdf).value_or(QString());
        QVERIFY(!text.isEmpty());
        for (const QString &expected : texts)
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + text));
    }
};

QTEST_GUILESS_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
