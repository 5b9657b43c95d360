#include "export/fileexport.h"
#include "export/textexport.h"
#include "exportfixture.h"
#include "store/fileio.h"

#include <QTest>

using namespace testutil;

class TestTextExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useUsEnglish(); }

    void accounts_data()
    {
        QTest::addColumn<double>("balance");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("example") << 12.5 << QByteArray("     12.50");
        QTest::newRow("negative") << -3.0 << QByteArray("     -3.00");
        QTest::newRow("ten million") << 10000000.0 << QByteArray("10000000.00");
    }

    void accounts()
    {
        QFETCH(double, balance);
        QFETCH(QByteArray, field);
        const ExportSource s = oneAccount(balance);
        QCOMPARE(exportCsv(s), "AccountNumber,Name,Bank,Balance\r\nA1,Home,B," + field + "\r\n");
        QCOMPARE(exportText(s), "AccountNumber\t\t\tName\t\t\tBank\t\t\tBalance\r\n\r\n"
                                "A1\t\t\tHome\t\t\tB\t\t\t"
                                    + field + "\r\n\r\n");
    }

    // The balances the rows carry, run from the opening amount in list order; the plans that follow stay out.
    void transactions()
    {
        const ExportSource s = oneAccountSource(100.0, -50.5);
        QCOMPARE(exportCsv(s), QByteArray("Account No:,B - A1\r\n"
                                          "Date,Subject,Amount,Balance\r\n"
                                          "Balance till 11/30/26,,,    100.00\r\n"
                                          "12/3/26,Pay,   1000.00,   1100.00\r\n"
                                          "12/1/26,Rent,    -50.50,   1049.50\r\n"
                                          "\r\n\r\n\r\n"));
    }

    // The transactions of all accounts are no list to export.
    void nothingToExport()
    {
        ExportSource s = sourceWith(ExportView::Transactions, {QStringLiteral("A1"), QStringLiteral("B")});
        s.accountSelected = false;
        QCOMPARE(exportCsv(s) + exportText(s), QByteArray());
    }

    void quoting_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QByteArray>("csvField");
        QTest::addColumn<QByteArray>("textField");
        QTest::newRow("comma") << "Rent, May" << QByteArray("\"Rent, May\"") << QByteArray("Rent, May");
        QTest::newRow("quote") << "5\" pipe" << QByteArray("\"5\"\" pipe\"") << QByteArray("\"5\"\" pipe\"");
        QTest::newRow("line feed") << "a\nb" << QByteArray("\"a\nb\"") << QByteArray("\"a\nb\"");
        QTest::newRow("carriage return") << "a\rb" << QByteArray("\"a\rb\"") << QByteArray("\"a\rb\"");
        QTest::newRow("tab") << "a\tb" << QByteArray("a\tb") << QByteArray("\"a\tb\"");
        QTest::newRow("utf-8") << QString::fromUtf8("Café €") << QByteArray("Caf\xc3\xa9 \xe2\x82\xac")
                               << QByteArray("Caf\xc3\xa9 \xe2\x82\xac");
    }

    void quoting()
    {
        QFETCH(QString, subject);
        QFETCH(QByteArray, csvField);
        QFETCH(QByteArray, textField);
        ExportSource s = exportSource(ExportView::Plans);
        s.plans << transactionRow(day(2026, 12, 6), subject, -1.0, QStringLiteral("A1"));
        QCOMPARE(exportCsv(s), "Account Number,Date,Subject,Amount\r\nA1,12/6/26," + csvField + ",     -1.00\r\n");
        QCOMPARE(exportText(s), "Account Number\t\t\tDate\t\t\tSubject\t\t\tAmount\r\n\r\nA1\t\t\t12/6/26\t\t\t"
                                    + textField + "\t\t\t     -1.00\r\n\r\n");
    }

    // A file that cannot be written throws, and the old file stays as it was.
    void failedWrite()
    {
        QTemporaryDir dir;
        ExportSource big = oneAccount(1.0);
        big.accounts = AccountTable(200, big.accounts[0]);
        const QString path = dir.filePath(QStringLiteral("out.csv"));
        QVERIFY(testutil::writeFile(path, QByteArray("old")));
        {
            FileSizeLimit limit(1000);
            QVERIFY_THROWS_EXCEPTION(FileError, writeExport(ExportFormat::Csv, path, big));
        }
        QCOMPARE(testutil::readFile(path), QByteArray("old"));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("out.csv")});
    }
};

QTEST_GUILESS_MAIN(TestTextExport)
#include "tst_textexport.moc"
