// The statement readers: files refused whole, amounts and dates as banks write
// them, CSV shapes of several banks, QIF date spellings, OFX 1.x and 2.x.

#include "import/csvreader.h"
#include "import/ofxreader.h"
#include "import/qifreader.h"
#include "import/statementfile.h"
#include "import/statementimport.h"
#include "testutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace testutil;

namespace {

// "2026-06-03 -12.50 Subject" per readable candidate, "line N: reason" per other.
QStringList described(const QList<Candidate> &candidates)
{
    QStringList lines;
    for (const Candidate &c : candidates) {
        if (c.readable())
            lines << QStringLiteral("%1: %2 %3 %4")
                         .arg(c.line)
                         .arg(c.date.toString(Qt::ISODate))
                         .arg(QString::asprintf("%.2f", c.amount), c.subject);
        else
            lines << QStringLiteral("%1: %2").arg(c.line).arg(c.problem);
    }
    return lines;
}

QByteArray windows1252(const char *utf8)
{
    return QString::fromUtf8(utf8).toLatin1();
}

const char kOfxSgml[] = "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\n"
                        "CHARSET:1252\r\nCOMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n"
                        "<OFX>\r\n<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0<SEVERITY>INFO</STATUS>"
                        "<DTSERVER>20260615<LANGUAGE>ENG</SONRS></SIGNONMSGSRSV1>\r\n"
                        "<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS>\r\n"
                        "<STMTRS><CURDEF>EUR<BANKACCTFROM><BANKID>12345<ACCTID>DE001<ACCTTYPE>CHECKING"
                        "</BANKACCTFROM>\r\n<BANKTRANLIST><DTSTART>20260601<DTEND>20260615\r\n"
                        "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260603<TRNAMT>-12.50<FITID>A1<NAME>Bakery Korn"
                        "<MEMO>card 4411</STMTTRN>\r\n"
                        "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260605120000[+2:CEST]<TRNAMT>1500.00<FITID>A2"
                        "<NAME>Salary</STMTTRN>\r\n"
                        "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260101235959.000[-5:EST]<TRNAMT>-3.1<FITID>A3"
                        "<NAME>Late night</STMTTRN>\r\n"
                        "</BANKTRANLIST><LEDGERBAL><BALAMT>100<DTASOF>20260615</LEDGERBAL></STMTRS></STMTTRNRS>\r\n"
                        "<STMTTRNRS><TRNUID>2<STATUS><CODE>0<SEVERITY>INFO</STATUS>\r\n"
                        "<STMTRS><CURDEF>EUR<BANKACCTFROM><BANKID>12345<ACCTID>DE002<ACCTTYPE>SAVINGS"
                        "</BANKACCTFROM>\r\n<BANKTRANLIST><DTSTART>20260601<DTEND>20260615\r\n"
                        "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260607<TRNAMT>20.00<FITID>B1<NAME>Interest"
                        "</STMTTRN>\r\n</BANKTRANLIST><LEDGERBAL><BALAMT>100<DTASOF>20260615</LEDGERBAL>"
                        "</STMTRS></STMTTRNRS>\r\n</BANKMSGSRSV1></OFX>\r\n";

const char kOfxXml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
    "<?OFX OFXHEADER=\"200\" VERSION=\"211\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\n"
    "<OFX>\n<SIGNONMSGSRSV1><SONRS><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>"
    "<DTSERVER>20260615</DTSERVER><LANGUAGE>ENG</LANGUAGE></SONRS></SIGNONMSGSRSV1>\n"
    "<CREDITCARDMSGSRSV1><CCSTMTTRNRS><TRNUID>1</TRNUID><STATUS><CODE>0</CODE><SEVERITY>INFO</SEVERITY></STATUS>\n"
    "<CCSTMTRS><CURDEF>USD</CURDEF><CCACCTFROM><ACCTID>4111222233334444</ACCTID></CCACCTFROM>\n"
    "<BANKTRANLIST><DTSTART>20260601</DTSTART><DTEND>20260615</DTEND>\n"
    "<STMTTRN><TRNTYPE>DEBIT</TRNTYPE><DTPOSTED>20260603</DTPOSTED><TRNAMT>-4.25</TRNAMT><FITID>C1</FITID>"
    "<NAME>Coffee &amp; Co</NAME></STMTTRN>\n"
    "<STMTTRN><TRNTYPE>DEBIT</TRNTYPE><DTPOSTED>20260603</DTPOSTED><TRNAMT>-4.25</TRNAMT><FITID>C2</FITID>"
    "<NAME>Coffee &amp; Co</NAME><MEMO>second cup</MEMO></STMTTRN>\n"
    "<STMTTRN><TRNTYPE>CREDIT</TRNTYPE><DTPOSTED>20260610</DTPOSTED><TRNAMT>250</TRNAMT><FITID>C3</FITID>"
    "<NAME>Refund</NAME></STMTTRN>\n"
    "</BANKTRANLIST><LEDGERBAL><BALAMT>-8.50</BALAMT><DTASOF>20260615</DTASOF></LEDGERBAL></CCSTMTRS>"
    "</CCSTMTTRNRS></CREDITCARDMSGSRSV1>\n</OFX>\n";

} // namespace

class TestStatementReaders : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void amounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("problem");
        const QChar point = u'.', comma = u',';
        QTest::newRow("plain") << "12.50" << point << 12.5 << "";
        QTest::newRow("negative") << "-12.50" << point << -12.5 << "";
        QTest::newRow("plus") << "+7" << point << 7.0 << "";
        QTest::newRow("thousands with a comma") << "1,234.56" << point << 1234.56 << "";
        QTest::newRow("decimal comma") << "1.234,56" << comma << 1234.56 << "";
        QTest::newRow("blank thousands") << "-1 234,5" << comma << -1234.5 << "";
        QTest::newRow("apostrophe thousands") << "1'000'000.00" << point << 1000000.0 << "";
        QTest::newRow("parentheses") << "(4.00)" << point << -4.0 << "";
        QTest::newRow("trailing minus") << "12,50-" << comma << -12.5 << "";
        QTest::newRow("currency code") << "EUR 3,10" << comma << 3.1 << "";
        QTest::newRow("currency sign") << "-$45.10" << point << -45.1 << "";
        QTest::newRow("zero is never negative") << "-0.00" << point << 0.0 << "";
        QTest::newRow("comma under a point") << "12,5" << point << 0.0 << "\"12,5\" is not an amount";
        QTest::newRow("point under a comma") << "12.50" << comma << 0.0 << "\"12.50\" is not an amount";
        QTest::newRow("words") << "twelve" << point << 0.0 << "\"twelve\" is not an amount";
        QTest::newRow("three decimals") << "1.005" << point << 0.0 << "\"1.005\" is not an amount";
        QTest::newRow("empty") << " " << point << 0.0 << "no amount";
        QTest::newRow("too large") << "2000000000000" << point << 0.0
                                   << "the amount is too large: an amount is at most 1000000000000";
    }
    void amounts()
    {
        QFETCH(QString, text);
        QFETCH(QChar, decimal);
        QFETCH(double, amount);
        QFETCH(QString, problem);
        QString why;
        const std::optional<double> value = parseStatementAmount(text, decimal, &why);
        QCOMPARE(why, problem);
        QCOMPARE(value.has_value(), problem.isEmpty());
        if (value)
            QCOMPARE(*value, amount);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDate>("date");
        QTest::newRow("iso") << "2026-06-03"
                             << "yyyy-MM-dd" << QDate(2026, 6, 3);
        QTest::newRow("german") << "03.06.2026"
                                << "dd.MM.yyyy" << QDate(2026, 6, 3);
        QTest::newRow("two-digit year") << "03.06.26"
                                        << "dd.MM.yy" << QDate(2026, 6, 3);
        QTest::newRow("two-digit year of the last century") << "12/31/99"
                                                            << "MM/dd/yy" << QDate(1999, 12, 31);
        QTest::newRow("no such day") << "31.02.2026"
                                     << "dd.MM.yyyy" << QDate();
        QTest::newRow("another format") << "2026-06-03"
                                        << "dd.MM.yyyy" << QDate();
        QTest::newRow("beyond the years a record holds") << "00050101"
                                                         << "yyyyMMdd" << QDate();
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QString, format);
        QFETCH(QDate, date);
        QCOMPARE(parseStatementDate(text, format), date);
    }

    // Files that are no statement are refused whole, with a message that says why.
    void filesThatAreNoStatement()
    {
        QTemporaryDir dir;
        const QString empty = dir.filePath("empty.csv");
        QVERIFY(writeFile(empty, "  \r\n"));
        QCOMPARE(readStatementFile(empty).error, QStringLiteral("empty.csv is empty: there is nothing to import."));

        const QString picture = dir.filePath("statement.csv");
        QVERIFY(writeFile(picture, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
        QCOMPARE(readStatementFile(picture).error,
                 QStringLiteral("statement.csv is not a bank statement (CSV, QIF or OFX text): it holds binary data. "
                                "Nothing was imported."));

        const QString huge = dir.filePath("huge.ofx");
        {
            QFile f(huge);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(kMaxStatementSize + 1)); // sparse: nothing is written
        }
        QCOMPARE(readStatementFile(huge).error,
                 QStringLiteral("huge.ofx is larger than 64 MB: no bank statement is that large, nothing was "
                                "imported."));

        QCOMPARE(readStatementFile(dir.filePath("gone.qif")).error,
                 QStringLiteral("There is no file %1.").arg(dir.filePath("gone.qif")));
        QVERIFY(readStatementFile(dir.path()).error.startsWith(QStringLiteral("Could not read ")));

        const QString fine = dir.filePath("fine.csv");
        QVERIFY(writeFile(fine, "2026-01-02,Shop,-3.00\n"));
        const StatementBytes read = readStatementFile(fine);
        QVERIFY(read.ok());
        QCOMPARE(read.bytes, QByteArray("2026-01-02,Shop,-3.00\n"));
    }

    // A file over the limit is refused for its size before
    // anything of it is read; one at the limit is not (its zeros are refused
    // as binary instead).
    void fileSizeLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("tooLarge");
        QTest::newRow("at the limit") << kMaxStatementSize << false;
        QTest::newRow("far over") << 4 * kMaxStatementSize << true;
    }

    void fileSizeLimit()
    {
        QFETCH(qint64, size);
        QFETCH(bool, tooLarge);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A statement padded with zeros, sparse where the file system allows.
        QFile file(dir.filePath(QStringLiteral("big.csv")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray head = "Date,Payee,Amount\n2026-06-03,Bakery,-2.40\n";
        QCOMPARE(file.write(head), head.size());
        QVERIFY(file.resize(size));
        file.close();

        const StatementBytes read = readStatementFile(file.fileName());
        QVERIFY(!read.ok());
        QVERIFY(read.bytes.isEmpty());
        QCOMPARE(read.error.contains(QLatin1String(" MB: no bank statement is that large")), tooLarge);
    }

    void formats()
    {
        QCOMPARE(formatFromSuffix("a/b/Statement.CSV"), StatementFormat::Csv);
        QCOMPARE(formatFromSuffix("x.qif"), StatementFormat::Qif);
        QCOMPARE(formatFromSuffix("x.qfx"), StatementFormat::Ofx);
        QCOMPARE(formatFromSuffix("x.ofx"), StatementFormat::Ofx);
        QVERIFY(!formatFromSuffix("x.pdf"));
        QCOMPARE(guessFormat(kOfxSgml), StatementFormat::Ofx);
        QCOMPARE(guessFormat(kOfxXml), StatementFormat::Ofx);
        QCOMPARE(guessFormat("!Type:Bank\nD1/2/26\n"), StatementFormat::Qif);
        QCOMPARE(guessFormat("Date;Amount\n"), StatementFormat::Csv);
        QCOMPARE(formatNamed("QIF"), StatementFormat::Qif);
        QVERIFY(!formatNamed("xls"));
    }

    // A German bank: semicolons, decimal comma, Windows-1252, a header row.
    void csvWithSemicolonsAndDecimalComma()
    {
        const QByteArray file = windows1252("Buchungstag;Empfänger;Verwendungszweck;Betrag;Kategorie\r\n"
                                            "03.06.2026;Bäckerei Korn;Brötchen;-3,45;Groceries\r\n"
                                            "05.06.2026;Arbeitgeber GmbH;Gehalt Juni;2.345,67;Salary\r\n"
                                            "\r\n"
                                            "07.06.2026;\"Miete; Wohnung\";Juni;-1.200,00;\r\n");
        const CsvLayout layout = readCsvLayout(file);
        QCOMPARE(layout.description(), QStringLiteral("';' delimiter, header row, Windows-1252"));
        QCOMPARE(layout.columns, QStringList({"Buchungstag", "Empfänger", "Verwendungszweck", "Betrag", "Kategorie"}));
        const CsvMapping m = guessCsvMapping(layout);
        QCOMPARE(m.columnsText(), QStringLiteral("date=1,subject=2,amount=4,notes=3,category=5"));
        QCOMPARE(m.dateFormat, QStringLiteral("dd.MM.yyyy"));
        QCOMPARE(m.decimal, QChar(u','));
        const QList<Candidate> c = csvCandidates(layout, m);
        QCOMPARE(described(c),
                 QStringList({"2: 2026-06-03 -3.45 Bäckerei Korn", "3: 2026-06-05 2345.67 Arbeitgeber GmbH",
                              "5: 2026-06-07 -1200.00 Miete; Wohnung"}));
        QCOMPARE(c[0].notes, QStringLiteral("Brötchen"));
        QCOMPARE(c[0].category, QStringLiteral("Groceries"));
        QCOMPARE(c[2].category, QString());
    }

    // A card statement: commas, UTF-8 with a byte order mark, debit and credit
    // columns, quoted fields with commas, doubled quotes and line breaks.
    void csvWithDebitAndCreditColumns()
    {
        const QByteArray file = "\xEF\xBB\xBF"
                                "Date,Description,Debit,Credit,Memo\n"
                                "06/03/2026,\"Coffee, Tea & More\",4.25,,\n"
                                "06/03/2026,\"The \"\"Corner\"\" Shop\",\"1,020.00\",,\"two\nlines\"\n"
                                "06/04/2026,Refund,,12.00,\n"
                                "06/05/2026,Nothing,,,\n"
                                "06/32/2026,Bad day,1.00,,\n";
        const CsvLayout layout = readCsvLayout(file);
        QCOMPARE(layout.description(), QStringLiteral("',' delimiter, header row, UTF-8 with BOM"));
        const CsvMapping m = guessCsvMapping(layout);
        QCOMPARE(m.columnsText(), QStringLiteral("date=1,subject=2,debit=3,credit=4,notes=5"));
        // The format that reads most dates; the one that reads none is named.
        QCOMPARE(m.dateFormat, QStringLiteral("MM/dd/yyyy"));
        const QList<Candidate> c = csvCandidates(layout, m);
        QCOMPARE(described(c),
                 QStringList({"2: 2026-06-03 -4.25 Coffee, Tea & More", "3: 2026-06-03 -1020.00 The \"Corner\" Shop",
                              "5: 2026-06-04 12.00 Refund", "6: no amount in the debit or credit column",
                              "7: \"06/32/2026\" is not a date of the form MM/dd/yyyy"}));
        QCOMPARE(c[1].notes, QStringLiteral("two\nlines"));
    }

    // No header: the columns are given; bad lines carry their number and reason.
    void csvWithoutHeaderAndBadLines()
    {
        const QByteArray file = "2026-06-01,Rent,-800.00\n"
                                "2026-06-02,Lottery,2000000000000.00\n"
                                "2026-13-01,Typo,-1.00\n"
                                "2026-06-03,Cash,ten\n"
                                "2026-06-03,Coffee,-2.50\n"
                                "2026-06-03,Coffee,-2.50\n";
        const CsvLayout layout = readCsvLayout(file);
        QVERIFY(!layout.header);
        QCOMPARE(layout.columns, QStringList({"Column 1", "Column 2", "Column 3"}));
        CsvMapping m;
        QString problem;
        QVERIFY(m.setColumns("date=1,subject=2,amount=3", &problem));
        QCOMPARE(
            described(csvCandidates(layout, m)),
            QStringList({"1: 2026-06-01 -800.00 Rent", "2: the amount is too large: an amount is at most 1000000000000",
                         "3: \"2026-13-01\" is not a date of the form yyyy-MM-dd", "4: \"ten\" is not an amount",
                         "5: 2026-06-03 -2.50 Coffee", "6: 2026-06-03 -2.50 Coffee"}));
    }

    void csvMappingTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("back");
        QTest::newRow("every key") << "category=7,notes=6,credit=5,debit=4,subject=2,date=1"
                                   << ""
                                   << "date=1,subject=2,debit=4,credit=5,notes=6,category=7";
        QTest::newRow("unknown key") << "date=1,payee=2"
                                     << "unknown column key \"payee\": date, subject, amount, "
                                        "debit, credit, notes or category"
                                     << "";
        QTest::newRow("column 0") << "date=0"
                                  << "\"date=0\" names no column: columns count from 1"
                                  << "";
    }
    void csvMappingTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QFETCH(QString, back);
        CsvMapping m;
        QString why;
        QCOMPARE(m.setColumns(text, &why), problem.isEmpty());
        QCOMPARE(why, problem);
        if (problem.isEmpty())
            QCOMPARE(m.columnsText(), back);
    }

    void csvMappingProblems()
    {
        CsvMapping m;
        QCOMPARE(m.problem(3), QStringLiteral("Choose the column that holds the date."));
        m.setColumns("date=1,subject=2");
        QCOMPARE(m.problem(3), QStringLiteral("Choose the column of the amount, or the debit and credit columns."));
        m.setColumns("date=1,amount=2,debit=3");
        QCOMPARE(m.problem(3), QStringLiteral("Choose either an amount column or debit and credit columns, not both."));
        m.setColumns("date=1,amount=4");
        QCOMPARE(m.problem(3), QStringLiteral("The amount column 4 is beyond the 3 columns of the file."));
        m.setColumns("date=1,amount=3");
        QCOMPARE(m.problem(3), QString());
    }

    // Each date spelling, in the day order given.
    void qifDates_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("order");
        QTest::addColumn<QDate>("expected");
        using O = QifStatement::DayOrder;
        QTest::newRow("12/6/26 month first") << "12/6/26" << int(O::MonthFirst) << QDate(2026, 12, 6);
        QTest::newRow("12/6/26 day first") << "12/6/26" << int(O::DayFirst) << QDate(2026, 6, 12);
        QTest::newRow("12/06/2026") << "12/06/2026" << int(O::MonthFirst) << QDate(2026, 12, 6);
        QTest::newRow("12/ 6'26") << "12/ 6'26" << int(O::MonthFirst) << QDate(2026, 12, 6);
        QTest::newRow("1/ 2'05") << " 1/ 2'05" << int(O::MonthFirst) << QDate(2005, 1, 2);
        QTest::newRow("6.12.2026") << "6.12.2026" << int(O::DayFirst) << QDate(2026, 12, 6);
        QTest::newRow("6.12.2026 by itself") << "6.12.2026" << int(O::Auto) << QDate(2026, 12, 6);
        QTest::newRow("12/6/26 by itself") << "12/6/26" << int(O::Auto) << QDate(2026, 12, 6);
        QTest::newRow("iso") << "2026-12-06" << int(O::DayFirst) << QDate(2026, 12, 6);
    }
    void qifDates()
    {
        QFETCH(QString, date);
        QFETCH(int, order);
        QFETCH(QDate, expected);
        const QByteArray file = "!Type:Bank\nD" + date.toUtf8() + "\nT-1.00\nPShop\n^\n";
        const QifStatement qif = readQif(file, QifStatement::DayOrder(order));
        QCOMPARE(qif.candidates.size(), 1);
        QCOMPARE(qif.candidates.first().date, expected);
        QCOMPARE(qif.candidates.first().problem, QString());
    }

    // The day order from a date that tells; asked for when none does.
    void qifDayOrderFromTheFile()
    {
        const QifStatement telling = readQif("!Type:Bank\nD3/4/26\nT1\n^\nD25/4/26\nT2\n^\n");
        QVERIFY(!telling.ambiguousOrder);
        QCOMPARE(telling.order, QifStatement::DayOrder::DayFirst);
        QCOMPARE(telling.candidates[0].date, QDate(2026, 4, 3));
        const QifStatement ambiguous = readQif("!Type:Bank\nD3/4/26\nT1\n^\n");
        QVERIFY(ambiguous.ambiguousOrder);
        QCOMPARE(ambiguous.candidates[0].date, QDate(2026, 3, 4));
    }

    // Bank, card and cash sections are read; other sections are passed over.
    void qifRecords()
    {
        const QByteArray file = "!Option:AutoSwitch\n!Account\nNChecking\nTBank\n^\n!Type:Bank\n"
                                "D06/03/2026\nT-1,234.56\nPLandlord\nMJune rent\nLHousing\nN101\nCX\n^\n"
                                "D06/04/2026\nU20.00\nT20.00\nPFriend\nL[Savings]\n^\n"
                                "D06/05/2026\nPNo amount\n^\n"
                                "D06/31/2026\nT1.00\nPNo day\n^\n"
                                "!Type:Invst\nD06/05/2026\nNBuy\nT100.00\n^\n"
                                "!Type:CCard\nD06/07/2026\nT-9.99\nPStreaming\nLEntertainment/Home\n^\n"
                                "!Type:Cash\nD06/08/2026\nT-3.00\nPMarket\n";
        const QifStatement qif = readQif(file);
        QCOMPARE(qif.error, QString());
        QCOMPARE(described(qif.candidates),
                 QStringList({"7: 2026-06-03 -1234.56 Landlord", "15: 2026-06-04 20.00 Friend",
                              "21: no amount (T line)", "24: \"06/31/2026\" is not a date",
                              "34: 2026-06-07 -9.99 Streaming", "40: 2026-06-08 -3.00 Market"}));
        QCOMPARE(qif.candidates[0].notes, QStringLiteral("June rent"));
        QCOMPARE(qif.candidates[0].category, QStringLiteral("Housing"));
        QCOMPARE(qif.candidates[1].category, QString()); // a transfer
        QCOMPARE(qif.candidates[4].category, QStringLiteral("Entertainment"));
    }

    void qifThatIsNone()
    {
        QCOMPARE(readQif("!Type:Invst\nD1/2/26\nT5\n^\n").error,
                 QStringLiteral("The QIF file holds no transactions of a bank, card or cash account."));
        QCOMPARE(readQif("!Type:Bank\n").error,
                 QStringLiteral("The QIF file holds no transactions of a bank, card or cash account."));
    }

    // OFX 1.x with two accounts: each read apart; the posted day as written,
    // whatever time zone the file gives.
    void ofxSgmlWithTwoAccounts()
    {
        const OfxStatement ofx = readOfx(kOfxSgml);
        QCOMPARE(ofx.error, QString());
        QCOMPARE(ofx.accountIds(), QStringList({"12345  DE001", "12345  DE002"}));
        QVERIFY(ofx.account("DE002"));
        QVERIFY(!ofx.account("DE003"));
        const QList<Candidate> &first = ofx.account("12345  DE001")->candidates;
        QCOMPARE(described(first), QStringList({"1: 2026-06-03 -12.50 Bakery Korn", "2: 2026-06-05 1500.00 Salary",
                                                "3: 2026-01-01 -3.10 Late night"}));
        QCOMPARE(first[0].bankId, QStringLiteral("A1"));
        QCOMPARE(first[0].notes, QStringLiteral("card 4411"));
        QCOMPARE(described(ofx.account("DE002")->candidates), QStringList({"4: 2026-06-07 20.00 Interest"}));

        StatementOptions options;
        const StatementRead unchosen = readStatement(kOfxSgml, StatementFormat::Ofx, options);
        QVERIFY(unchosen.needsAccountChoice);
        QVERIFY(unchosen.candidates.isEmpty());
        options.ofxAccount = QStringLiteral("DE002");
        const StatementRead chosen = readStatement(kOfxSgml, StatementFormat::Ofx, options);
        QCOMPARE(chosen.error, QString());
        QCOMPARE(chosen.candidates.size(), 1);
        options.ofxAccount = QStringLiteral("DE009");
        QCOMPARE(readStatement(kOfxSgml, StatementFormat::Ofx, options).error,
                 QStringLiteral("The statement holds no account \"DE009\"; it holds 12345  DE001, 12345  DE002."));
    }

    void ofxXml()
    {
        const StatementRead read = readStatement(kOfxXml, StatementFormat::Ofx);
        QCOMPARE(read.error, QString());
        QCOMPARE(read.ofxAccount, QStringLiteral("4111222233334444"));
        QCOMPARE(described(read.candidates),
                 QStringList({"1: 2026-06-03 -4.25 Coffee & Co", "2: 2026-06-03 -4.25 Coffee & Co",
                              "3: 2026-06-10 250.00 Refund"}));
        QCOMPARE(read.candidates[1].notes, QStringLiteral("second cup"));
        QCOMPARE(read.candidates[2].bankId, QStringLiteral("C3"));
    }

    // A statement cut short: what came before the cut is read, the rest is named.
    void ofxCutShort()
    {
        const QByteArray whole(kOfxXml);
        const QByteArray cut = whole.left(whole.indexOf("<FITID>C2"));
        const StatementRead read = readStatement(cut, StatementFormat::Ofx);
        QCOMPARE(read.error, QString());
        QCOMPARE(described(read.candidates),
                 QStringList({"1: 2026-06-03 -4.25 Coffee & Co",
                              "2: the transaction is cut short (the file ends before its </STMTTRN>)"}));
    }

    // A record without its posted date is named by its number.
    void ofxWithAnUnreadableRecord()
    {
        QByteArray file(kOfxXml);
        file.replace("<DTPOSTED>20260603</DTPOSTED><TRNAMT>-4.25</TRNAMT><FITID>C2</FITID>",
                     "<TRNAMT>-4.25</TRNAMT><FITID>C2</FITID>");
        const StatementRead read = readStatement(file, StatementFormat::Ofx);
        QCOMPARE(read.candidates.size(), 3);
        QCOMPARE(read.candidates[0].problem, QString());
        QCOMPARE(described(read.candidates.mid(1)),
                 QStringList({"2: no posted date (DTPOSTED)", "3: 2026-06-10 250.00 Refund"}));
    }

    // Amounts are read from the file's own text, to the cent: grouped, with a
    // decimal comma, without digits before or after the point; anything else
    // is no amount, never a guess.
    void ofxAmountsAsWritten()
    {
        QFile seed(QStringLiteral(FENNIMAR_FUZZ_CORPUS "/ofx/regression-grouped-amounts"));
        QVERIFY(seed.open(QIODevice::ReadOnly));
        const QByteArray file = seed.readAll();
        const StatementRead read = readStatement(file, StatementFormat::Ofx);
        QCOMPARE(described(read.candidates),
                 QStringList({"1: 2026-06-07 -1234.56 Item 0", "2: 2026-06-07 1234.56 Item 1",
                              "3: 2026-06-07 1.50 Item 2", "4: 2026-06-07 -0.50 Item 3", "5: 2026-06-07 7.00 Item 4"}));
        QByteArray bad = file;
        bad.replace("<TRNAMT>1,50<", "<TRNAMT>12abc<").replace("<TRNAMT>7.<", "<TRNAMT><");
        const StatementRead badRead = readStatement(bad, StatementFormat::Ofx);
        QCOMPARE(badRead.candidates.size(), 5);
        QVERIFY(!badRead.candidates[2].problem.isEmpty());
        QVERIFY(!badRead.candidates[4].problem.isEmpty());
        QCOMPARE(badRead.candidates[0].amount, -1234.56);
        QCOMPARE(badRead.candidates[3].amount, -0.5);
    }

    void ofxThatIsNone()
    {
        QCOMPARE(readOfx("just some words\n").error, QStringLiteral("The file is no OFX statement that can be read."));
        QByteArray noItems(kOfxXml);
        noItems.replace(noItems.indexOf("<STMTTRN>"),
                        noItems.lastIndexOf("</STMTTRN>") + 10 - noItems.indexOf("<STMTTRN>"), "");
        QCOMPARE(readOfx(noItems).error, QStringLiteral("The OFX statement holds no transactions."));
    }

    void statementDescriptions()
    {
        QCOMPARE(readStatement("Date,Payee,Amount\n2026-01-02,Shop,-3.00\n", StatementFormat::Csv).description,
                 QStringLiteral("CSV: ',' delimiter, header row, UTF-8"));
        QCOMPARE(readStatement("!Type:Bank\nD6.12.2026\nT1\n^\n", StatementFormat::Qif).description,
                 QStringLiteral("QIF: UTF-8, dates day/month"));
        QCOMPARE(readStatement("Date;Text\n2026-01-02;x\n", StatementFormat::Csv).error,
                 QStringLiteral("Choose the column of the amount, or the debit and credit columns."));
    }
};

QTEST_GUILESS_MAIN(TestStatementReaders)
#include "tst_statementreaders.moc"
