#include "export/pdf/pdfexport.h"
#include "exportfixture.h"

#include <QTest>

using namespace testutil;

namespace {

const QByteArray kText1 = "0 g\r1 i \rBT\r/F1 1 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 ";
const QByteArray kText2 = "0 g\r1 i \rBT\r/F1 2 Tf\r0 Tc 0 Tw 0  Ts 100  Tz 0 Tr 1.2 TL 12 0 0 12 ";
const QByteArray kEnd = "\r\nendstream\rendobj\n";
const QByteArray kPage = " 0 obj<</Type /Page /Parent 4 0 R /MediaBox[0 0 612 792] /Contents [";
const QByteArray kResources = "] /Resources<</ProcSet 2 0 R\r\n/Font << /F1 3 0 R>>>>>>\nendobj\n";

// The one-plan document up to its cross-reference table: the page tree, pages
// 9 and 5, then the streams from 15 down to 6.
const QByteArray kOnePlan =
    kFixedObjects + "4 0 obj<</Type /Pages /Kids [5 0 R 9 0 R ] /Count 2>>\nendobj\r" + "9" + kPage
    + "10 0 R 11 0 R 12 0 R 13 0 R 14 0 R 15 0 R " + kResources + "5" + kPage + "6 0 R 7 0 R 8 0 R " + kResources
    + "15 0 obj<</Length 25 >>stream\r\n1 w\r\n50 60 m\r\n500 60 l\r\nS" + kEnd + "14 0 obj<</Length 100>>stream\r\n"
    + kText1 + "50 80 Tm \rT* (Plan 1 of 1) Tj \rET" + kEnd + "13 0 obj<</Length 237>>stream\r\n" + kText1
    + "50 720 Tm \rT* ()Tj T*()Tj T*(  Account No    :A1)Tj T*()Tj T*( Date          :12/6/26)Tj T*()Tj T*("
      " Subject\t\t :Insurance)Tj T*()Tj T*( Amount\t     :$120.50)Tj T*() Tj \rET"
    + kEnd + "12 0 obj<</Length 27 >>stream\r\n1 w\r\n50 725 m\r\n500 725 l\r\nS" + kEnd
    + "11 0 obj<</Length 102>>stream\r\n" + kText1 + "400 750 Tm \rT* (Plan 1 of 1) Tj \rET" + kEnd
    + "10 0 obj<</Length 99>>stream\r\n" + kText1 + "50 750 Tm \rT* (Insurance) Tj \rET" + kEnd
    + "8 0 obj<</Length 110>>stream\r\n" + kText2 + "200 460 Tm \rT* (12/1/26 to 12/31/26) Tj \rET" + kEnd
    + "7 0 obj<</Length 28 >>stream\r\n2 w\r\n100 470 m\r\n500 470 l\r\nS" + kEnd + "6 0 obj<</Length 107>>stream\r\n"
    + kText2 + "100 500 Tm \rT* (Fennimar - Plans) Tj \rET" + kEnd;

ExportSource plan(const QString &subject)
{
    ExportSource s = exportSource(ExportView::Plans);
    s.plans << transactionRow(day(2026, 12, 6), subject, -120.5, QStringLiteral("A1"));
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
        const QByteArray pdf = exportPdf(plan(QStringLiteral("Insurance")));
        QCOMPARE(pdf.left(xrefOffset(pdf)), kOnePlan);
        checkStructure(pdf, 15);
    }

    // A page per account and transaction: negative sums lose the locale's parentheses, the balance runs
    // in list order; the heading escapes parentheses and the details blank them.
    void recordPages()
    {
        ExportSource source = oneAccount(-3.0);
        source.accounts[0].data->bank = QStringLiteral("B (x) \\");
        const QByteArray accounts = exportPdf(source);
        checkStructure(accounts, 15);
        QCOMPARE(streamContent(accounts, 10), kText1 + "50 750 Tm \rT* (B \\(x\\) \\\\) Tj \rET");
        QCOMPARE(streamContent(accounts, 13),
                 kText1
                     + "50 720 Tm \rT* ()Tj T*()Tj T*(  Account No    :A1)Tj T*()Tj T*( Name          :Home)"
                       "Tj T*()Tj T*( Bank\t\t\t :B  x  \\\\)Tj T*()Tj T*( Balance\t     :$3.00)Tj T*() Tj \rET");
        const QByteArray transactions = exportPdf(oneAccountSource(100.0, -2000.0));
        checkStructure(transactions, 24);
        QCOMPARE(streamContent(transactions, 10), kText2 + "100 300 Tm \rT* (Balance till 11/30/26   $100.00) Tj \rET");
        QCOMPARE(streamContent(transactions, 22),
                 kText1
                     + "50 720 Tm \rT* ()Tj T*()Tj T*(  Date\t        :12/1/26)Tj T*()Tj T*( Subject       :Rent)"
                       "Tj T*()Tj T*( Amount   \t :$2,000.00)Tj T*()Tj T*( Balance\t     :$900.00)Tj T*() Tj \rET");
    }

    // The transactions of all accounts give no pages.
    void withoutPages()
    {
        ExportSource s = sourceWith(ExportView::Transactions, {QStringLiteral("A1"), QStringLiteral("B")});
        s.accountSelected = false;
        const QByteArray pdf = exportPdf(s);
        QCOMPARE(pdf.left(xrefOffset(pdf)), kFixedObjects + "4 0 obj<</Type /Pages /Kids [] /Count 0>>\nendobj\r");
        checkStructure(pdf, 4);
    }

    // Details too long for the page continue on a new page, which gets the
    // footer counter and rule.
    void longDetails()
    {
        const QByteArray pdf = exportPdf(plan(QStringLiteral("abcdefghij ").repeated(300).trimmed()));
        checkStructure(pdf, 17);
        QVERIFY(pdf.contains("/Kids [5 0 R 9 0 R 14 0 R ] /Count 3>>"));
        QVERIFY(pdf.contains("14" + kPage + "15 0 R 16 0 R 17 0 R " + kResources));
        QCOMPARE(streamContent(pdf, 13).count(")Tj T*("), 40);
        QVERIFY(streamContent(pdf, 15).startsWith(kText1 + "50 750 Tm \rT* (abcdefghij"));
        QVERIFY(streamContent(pdf, 15).endsWith(")Tj T*( Amount\t     :$120.50)Tj T*() Tj \rET"));
        QCOMPARE(streamContent(pdf, 16), kText1 + "50 80 Tm \rT* (Plan 1 of 1) Tj \rET");
    }

    void readableByTools_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("accounts") << int(ExportView::Accounts)
                                  << QStringList{"Fennimar - Accounts", "12/1/26 to 12/31/26", "Account 3 of 3",
                                                 "Bank (main) \\ x", ":$1.00"};
        QTest::newRow("transactions") << int(ExportView::Transactions)
                                      << QStringList{"Account No:Bank (main) \\ x", "Close) Tj ET (", "Café",
                                                     "Transaction 3 of 3", ":$2.00"};
        QTest::newRow("plans") << int(ExportView::Plans)
                               << QStringList{"Fennimar - Plans", "Café", "Plan 3 of 4", "Plan 4 of 4"};
    }

    // qpdf finds the documents sound, long details continued on another page
    // too, and pdftotext reads their texts back.
    void readableByTools()
    {
        if (!QFile::exists(QStringLiteral("/usr/bin/qpdf")) || !QFile::exists(QStringLiteral("/usr/bin/pdftotext")))
            QSKIP("qpdf or pdftotext is not installed");
        QFETCH(int, view);
        QFETCH(QStringList, texts);
        ExportSource s = sourceWith(ExportView(view), {QStringLiteral("Bank (main) \\ x"),
                                                       QStringLiteral("Close) Tj ET ("), QString::fromUtf8("Café ☃")});
        s.plans << plan(QStringLiteral("abcdefghij ").repeated(300)).plans;
        const QString text = checkedText(exportPdf(s));
        for (const QString &expected : texts)
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + text));
    }
};

QTEST_GUILESS_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
