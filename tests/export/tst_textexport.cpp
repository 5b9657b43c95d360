#include "accounttransrows.h"
#include "exportfixture.h"
#include "fileexport.h"
#include "fileio.h"
#include "storefixture.h"
#include "textexport.h"

#include <QTest>

using namespace testutil;

class TestTextExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void accountsExample_data()
    {
        QTest::addColumn<bool>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("csv") << false << QByteArray("AccountNumber,Name,Bank,Balance\r\n"
                                                    "A1,Home,B,     12.50\r\n");
        QTest::newRow("text") << true << QByteArray("AccountNumber\t\t\tName\t\t\tBank\t\t\tBalance\r\n\r\n"
                                                    "A1\t\t\tHome\t\t\tB\t\t\t     12.50\r\n\r\n");
    }

    void accountsExample()
    {
        QFETCH(bool, text);
        QFETCH(QByteArray, bytes);
        ExportSource s = exportSource(ExportView::Accounts);
        s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("B"), 12.5);
        QCOMPARE(text ? exportText(s) : exportCsv(s), bytes);
    }

    void amounts_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("negative") << -3.0 << QByteArray("     -3.00");
        QTest::newRow("zero") << 0.0 << QByteArray("      0.00");
        QTest::newRow("rounded") << 1234567.891 << QByteArray("1234567.89");
        QTest::newRow("ten million") << 10000000.0 << QByteArray("10000000.00");
        QTest::newRow("negative ten million") << -12345678.9 << QByteArray("-12345678.90");
        QTest::newRow("small negative") << -0.5 << QByteArray("     -0.50");
    }

    void amounts()
    {
        QFETCH(double, amount);
        QFETCH(QByteArray, field);
        ExportSource s = exportSource(ExportView::Accounts);
        s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("B"), amount);
        QCOMPARE(exportCsv(s), "AccountNumber,Name,Bank,Balance\r\nA1,Home,B," + field + "\r\n");
    }

    void transactions_data()
    {
        QTest::addColumn<bool>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("csv") << false
                             << QByteArray("Account No:,B - A1\r\n"
                                           "Date,Subject,Amount,Balance\r\n"
                                           "Balance till 11/30/26,,,    100.00\r\n"
                                           "12/3/26,Pay,   1000.00,   1100.00\r\n"
                                           "12/1/26,Rent,    -50.50,   1049.50\r\n"
                                           "\r\n\r\n\r\n");
        QTest::newRow("text") << true
                              << QByteArray("Account No:\t\t\tB - A1\r\n\r\n"
                                            "Date\t\t\tSubject\t\t\tAmount\t\t\tBalance\r\n\r\n"
                                            "Balance till 11/30/26\t\t\t\t\t\t\t\t\t    100.00\r\n\r\n"
                                            "12/3/26\t\t\tPay\t\t\t   1000.00\t\t\t   1100.00\r\n\r\n"
                                            "12/1/26\t\t\tRent\t\t\t    -50.50\t\t\t   1049.50\r\n\r\n"
                                            "\r\n\r\n\r\n\r\n\r\n\r\n");
    }

    // The running balance starts at the opening amount and follows the list
    // order; the plans after the transactions are not part of the block.
    void transactions()
    {
        QFETCH(bool, text);
        QFETCH(QByteArray, bytes);
        const ExportSource s = oneAccountSource(100.0, -50.5);
        QCOMPARE(text ? exportText(s) : exportCsv(s), bytes);
    }

    void plans()
    {
        ExportSource s = exportSource(ExportView::Plans);
        s.plans << transactionRow(day(2026, 12, 6), QStringLiteral("Insurance"), -120.0, QStringLiteral("A1"))
                << transactionRow(day(2027, 1, 15), QStringLiteral("Bonus"), 2500.0, QString());
        QCOMPARE(exportCsv(s), QByteArray("Account Number,Date,Subject,Amount\r\n"
                                          "A1,12/6/26,Insurance,   -120.00\r\n"
                                          ",1/15/27,Bonus,   2500.00\r\n"));
        QCOMPARE(exportText(s), QByteArray("Account Number\t\t\tDate\t\t\tSubject\t\t\tAmount\r\n\r\n"
                                           "A1\t\t\t12/6/26\t\t\tInsurance\t\t\t   -120.00\r\n\r\n"
                                           "\t\t\t1/15/27\t\t\tBonus\t\t\t   2500.00\r\n\r\n"));
    }

    void emptyExports_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<bool>("accountSelected");
        QTest::newRow("transactions of all accounts") << int(ExportView::Transactions) << false;
        QTest::newRow("other view") << int(ExportView::Other) << true;
    }

    void emptyExports()
    {
        QFETCH(int, view);
        QFETCH(bool, accountSelected);
        ExportSource s = exportSource(ExportView(view));
        s.accountSelected = accountSelected;
        s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("B"), 1.0);
        s.transactions = accountTransRows(QStringLiteral("Balance till 11/30/26"), 1.0, {});
        QCOMPARE(exportCsv(s), QByteArray());
        QCOMPARE(exportText(s), QByteArray());

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("empty.csv"));
        writeExport(ExportFormat::Csv, path, s);
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void quoting_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QByteArray>("csvField");
        QTest::addColumn<QByteArray>("textField");
        QTest::newRow("plain") << "Rent May" << QByteArray("Rent May") << QByteArray("Rent May");
        QTest::newRow("comma") << "Rent, May" << QByteArray("\"Rent, May\"") << QByteArray("Rent, May");
        QTest::newRow("quote") << "5\" pipe" << QByteArray("\"5\"\" pipe\"") << QByteArray("\"5\"\" pipe\"");
        QTest::newRow("line end") << "two\r\nlines" << QByteArray("\"two\r\nlines\"")
                                  << QByteArray("\"two\r\nlines\"");
        QTest::newRow("line feed") << "a\nb" << QByteArray("\"a\nb\"") << QByteArray("\"a\nb\"");
        QTest::newRow("tab") << "a\tb" << QByteArray("a\tb") << QByteArray("\"a\tb\"");
        QTest::newRow("leading blanks stay") << "  x  " << QByteArray("  x  ") << QByteArray("  x  ");
        QTest::newRow("utf-8") << QString::fromUtf8("Café €") << QByteArray("Caf\xc3\xa9 \xe2\x82\xac")
                               << QByteArray("Caf\xc3\xa9 \xe2\x82\xac");
    }

    void quoting()
    {
        QFETCH(QString, subject);
        QFETCH(QByteArray, csvField);
        QFETCH(QByteArray, textField);
        ExportSource s = exportSource(ExportView::Plans);
        s.plans << transactionRow(day(2026, 12, 6), subject, 1.0, QStringLiteral("A1"));
        QCOMPARE(exportCsv(s), "Account Number,Date,Subject,Amount\r\nA1,12/6/26," + csvField + ",      1.00\r\n");
        QCOMPARE(exportText(s), "Account Number\t\t\tDate\t\t\tSubject\t\t\tAmount\r\n\r\nA1\t\t\t12/6/26\t\t\t"
                                    + textField + "\t\t\t      1.00\r\n\r\n");
    }

    // The rows as the store builds them for a book on disk.
    void fromStore()
    {
        Book book;
        AccountRecord a = account(QStringLiteral("4711"), QStringLiteral("Northbank"));
        const QString id = book.store.addAccount(a);
        book.store.addTransaction(movement(id, at(2026, 11, 20), 40.0, QStringLiteral("Before")));
        book.store.addTransaction(movement(id, at(2026, 12, 9), -15.25, QStringLiteral("Shop, corner")));
        book.store.addTransaction(movement(id, at(2026, 12, 2), 300.0, QStringLiteral("Salary")));
        book.store.addPlan(movement(id, at(2026, 12, 24), -99.0, QStringLiteral("Gift")));
        book.store.LoadAll();

        ExportSource s = exportSource(ExportView::Transactions);
        s.accountSelected = true;
        s.accountTitle = QStringLiteral("Northbank - 4711");
        s.transactions = buildAccountTransRows(book.store, id, s.from, s.to);
        QCOMPARE(exportCsv(s), QByteArray("Account No:,Northbank - 4711\r\n"
                                          "Date,Subject,Amount,Balance\r\n"
                                          "Balance till 11/30/26,,,     40.00\r\n"
                                          "12/2/26,Salary,    300.00,    340.00\r\n"
                                          "12/9/26,\"Shop, corner\",    -15.25,    324.75\r\n"
                                          "\r\n\r\n\r\n"));

        s.view = ExportView::Plans;
        s.plans = book.store.fillPlansList();
        QCOMPARE(exportCsv(s), QByteArray("Account Number,Date,Subject,Amount\r\n"
                                          "4711,12/24/26,Gift,    -99.00\r\n"));

        s.view = ExportView::Accounts;
        s.accounts = book.store.fillAccountList();
        QCOMPARE(exportCsv(s), QByteArray("AccountNumber,Name,Bank,Balance\r\n"
                                          "4711,Name 4711,Northbank,    324.75\r\n"));
    }

    void writesFiles_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("text") << int(ExportFormat::Text);
        QTest::newRow("csv") << int(ExportFormat::Csv);
        QTest::newRow("html") << int(ExportFormat::Html);
        QTest::newRow("pdf") << int(ExportFormat::Pdf);
    }

    void writesFiles()
    {
        QFETCH(int, format);
        ExportSource s = exportSource(ExportView::Accounts);
        s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("B"), 12.5);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.") + exportSuffix(ExportFormat(format)));
        QVERIFY(testutil::writeFile(path, QByteArray(100000, 'x')));
        writeExport(ExportFormat(format), path, s);
        const QByteArray expected = exportBytes(ExportFormat(format), s);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(testutil::readFile(path), expected);
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("out.") + exportSuffix(ExportFormat(format))});
    }

    // A file that cannot be written is reported, and nothing is left behind.
    void unwritableFile()
    {
        ExportSource s = exportSource(ExportView::Accounts);
        s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("B"), 12.5);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/out.csv"));
        bool thrown = false;
        try {
            writeExport(ExportFormat::Csv, path, s);
        } catch (const FileError &e) {
            thrown = true;
            QCOMPARE(e.path(), path);
            QVERIFY(e.message().contains(QStringLiteral("out.csv")));
        }
        QVERIFY(thrown);
        QVERIFY(!QFileInfo::exists(path));
    }

    void fullDisk()
    {
        ExportSource s = exportSource(ExportView::Accounts);
        for (int i = 0; i < 200; ++i)
            s.accounts << accountRow(QString::number(i), QStringLiteral("Home"), QStringLiteral("B"), i);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        QVERIFY(testutil::writeFile(path, QByteArray("old")));
        bool thrown = false;
        {
            FileSizeLimit limit(1000);
            try {
                writeExport(ExportFormat::Csv, path, s);
            } catch (const FileError &) {
                thrown = true;
            }
        }
        QVERIFY(thrown);
        QCOMPARE(testutil::readFile(path), QByteArray("old"));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("out.csv")});
    }
};

QTEST_GUILESS_MAIN(TestTextExport)
#include "tst_textexport.moc"
