// fennimar-cli import: the lines it prints, what it writes and its exit codes.

#include "clirunner.h"
#include "import/candidatematch.h"
#include "storefixture.h"

#include <QProcess>
#include <QTest>

using namespace testutil;

class TestImportCli : public QObject
{
    Q_OBJECT

    using Result = CliResult;

    QTemporaryDir m_config;

    Result cli(const QString &workDir, const QStringList &args)
    {
        return runCli(QStringLiteral(FENNIMAR_CLI), QStringList{"--workdir", workDir} + args, m_config.path(),
                      QStringLiteral("C.UTF-8"));
    }

    static QStringList transactionFiles(const QString &dir)
    {
        return QDir(dir).entryList({"*.tra"}, QDir::Files, QDir::Name);
    }

private Q_SLOTS:
    void aCsvStatementTwice()
    {
        Book book;
        const QString id = book.store.addAccount(account("1", "Nord Bank"));
        const QString csv = book.path("june.csv");
        QVERIFY(writeFile(csv, "Datum;Empfänger;Betrag\r\n03.06.2026;Bäcker;-3,45\r\n03.06.2026;Bäcker;-3,45\r\n"
                               "32.06.2026;Typo;1,00\r\n05.06.2026;Lohn;2.000,00\r\n"));
        const QString rows = "2\tnew\t2026-06-03\t-3.45\tBäcker\t\n"
                             "3\tnew\t2026-06-03\t-3.45\tBäcker\t\n"
                             "4\tunreadable\t\t\t\t\t\"32.06.2026\" is not a date of the form dd.MM.yyyy\n"
                             "5\tnew\t2026-06-05\t2000.00\tLohn\t\n";
        const Result dry = cli(book.dir.path(), {"import", csv, "--account", id, "--dry-run"});
        QCOMPARE(dry.code, 0);
        QCOMPARE(dry.out, rows + "3 new, 0 duplicates, 1 line skipped\ndry run: nothing was written\n");
        QVERIFY(transactionFiles(book.dir.path()).isEmpty());

        const Result first = cli(book.dir.path(), {"import", csv, "--account", id});
        QCOMPARE(first.code, 0);
        QCOMPARE(first.out, rows + "3 new, 0 duplicates, 1 line skipped\n3 transactions imported\n");
        QCOMPARE(transactionFiles(book.dir.path()).size(), 3);

        const Result again = cli(book.dir.path(), {"import", csv, "--account", id});
        QCOMPARE(again.code, 0);
        QVERIFY(again.out.endsWith("0 new, 3 duplicates, 1 line skipped\n0 transactions imported\n"));
        QCOMPARE(transactionFiles(book.dir.path()).size(), 3);
    }

    // Columns named by --map, kept under a name, used again by that name.
    void mappingsByName()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString csv = book.path("card.txt");
        QVERIFY(writeFile(csv, "x,06/03/2026,Coffee,4.25,\ny,06/04/2026,Refund,,12.00\n"));
        const Result first =
            cli(book.dir.path(), {"import", csv, "--account", id, "--map", "date=2,subject=3,debit=4,credit=5",
                                  "--map-name", "card", "--date-format", "MM/dd/yyyy"});
        QCOMPARE(first.code, 0);
        QCOMPARE(first.out, QStringLiteral("1\tnew\t2026-06-03\t-4.25\tCoffee\t\n2\tnew\t2026-06-04\t12.00\tRefund\t\n"
                                           "2 new, 0 duplicates\n2 transactions imported\n"));
        const Result byName = cli(book.dir.path(), {"import", csv, "--account", id, "--map-name", "card"});
        QCOMPARE(byName.code, 0);
        QVERIFY2(byName.out.endsWith("0 new, 2 duplicates\n0 transactions imported\n"), qPrintable(byName.out));
        const Result unknown = cli(book.dir.path(), {"import", csv, "--account", id, "--map-name", "nothing"});
        QCOMPARE(unknown.code, 2);
        QCOMPARE(unknown.err.section(u'\n', 0, 0), QStringLiteral("no CSV mapping is kept under the name \"nothing\""));
        const Result bad = cli(book.dir.path(), {"import", csv, "--account", id, "--map", "date=1,payee=2"});
        QCOMPARE(bad.code, 2);
    }

    // An OFX file of two accounts needs one chosen; the bank ids land in the notes.
    void ofxAccountsAndBankIds()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        const QString ofx = book.path("two.ofx");
        QVERIFY(writeFile(ofx, "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nSECURITY:NONE\nENCODING:USASCII\n"
                               "CHARSET:1252\nCOMPRESSION:NONE\nOLDFILEUID:NONE\nNEWFILEUID:NONE\n\n<OFX>\n"
                               "<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS><STMTRS>"
                               "<CURDEF>EUR<BANKACCTFROM><BANKID>9<ACCTID>A1<ACCTTYPE>CHECKING</BANKACCTFROM>"
                               "<BANKTRANLIST><DTSTART>20260601<DTEND>20260630\n"
                               "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260602<TRNAMT>-9.99<FITID>F-1<NAME>Music"
                               "<MEMO>monthly</STMTTRN>\n</BANKTRANLIST></STMTRS></STMTTRNRS>\n"
                               "<STMTTRNRS><TRNUID>2<STATUS><CODE>0<SEVERITY>INFO</STATUS><STMTRS>"
                               "<CURDEF>EUR<BANKACCTFROM><BANKID>9<ACCTID>B2<ACCTTYPE>SAVINGS</BANKACCTFROM>"
                               "<BANKTRANLIST><DTSTART>20260601<DTEND>20260630\n"
                               "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260630<TRNAMT>1.50<FITID>F-2<NAME>Interest"
                               "</STMTTRN>\n</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>\n"));
        const Result unchosen = cli(book.dir.path(), {"import", ofx, "--account", id});
        QCOMPARE(unchosen.code, 2);
        QCOMPARE(unchosen.err.section(u'\n', 0, 0),
                 QStringLiteral("The statement holds 2 accounts (9  A1, 9  B2): choose one. Give --ofx-account ID."));
        QVERIFY(transactionFiles(book.dir.path()).isEmpty());
        const Result chosen = cli(book.dir.path(), {"import", ofx, "--account", id, "--ofx-account", "A1"});
        QCOMPARE(chosen.code, 0);
        QCOMPARE(chosen.out, QStringLiteral("1\tnew\t2026-06-02\t-9.99\tMusic\t\n1 new, 0 duplicates\n"
                                            "1 transaction imported\n"));
        const QStringList files = transactionFiles(book.dir.path());
        QCOMPARE(files.size(), 1);
        const auto record = decodeTransaction(readFile(book.path(files.first())));
        QVERIFY(record);
        QCOMPARE(record->notes, QStringLiteral("monthly\r\n[bank id: F-1]"));
        QCOMPARE(bankIdOfNotes(record->notes), QStringLiteral("F-1"));
    }

    // Possible duplicates are written only when asked for.
    void possibleDuplicates()
    {
        Book book;
        const QString id = book.store.addAccount(account("1"));
        book.store.addTransaction(movement(id, at(2026, 6, 1), -40.0, "FUEL STATION 22"));
        const QString qif = book.path("s.qif");
        QVERIFY(writeFile(qif, "!Type:Bank\nD06/02/2026\nT-40.00\nPShell\n^\n"));
        const Result left = cli(book.dir.path(), {"import", qif, "--account", id});
        QCOMPARE(left.out, QStringLiteral("2\tpossible duplicate\t2026-06-02\t-40.00\tShell\t\n"
                                          "0 new, 0 duplicates, 1 possible duplicate\n0 transactions imported\n"));
        QCOMPARE(transactionFiles(book.dir.path()).size(), 1);
        const Result taken = cli(book.dir.path(), {"import", qif, "--account", id, "--include-possible"});
        QVERIFY(taken.out.endsWith("1 transaction imported\n"));
        QCOMPARE(transactionFiles(book.dir.path()).size(), 2);
    }

    // Files that cannot be read at all: exit 1, a clear message, nothing written.
    void unreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << "e.csv"
                               << "e.csv is empty: there is nothing to import.";
        QTest::newRow("picture") << QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11) << "p.qif"
                                 << "p.qif is not a bank statement (CSV, QIF or OFX text): it holds binary data. "
                                    "Nothing was imported.";
        QTest::newRow("no ofx") << QByteArray("hello\n") << "h.ofx"
                                << "h.ofx: The file is no OFX statement that can be read.";
        QTest::newRow("no qif") << QByteArray("!Type:Invst\nD1/2/26\nT3\n^\n") << "i.qif"
                                << "i.qif: The QIF file holds no transactions of a bank, card or cash account.";
    }
    void unreadableFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QString, message);
        Book book;
        const QString id = book.store.addAccount(account("1"));
        QVERIFY(writeFile(book.path(name), bytes));
        const auto before = snapshot(book.dir.path());
        const Result r = cli(book.dir.path(), {"import", book.path(name), "--account", id});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, message + u'\n');
        QCOMPARE(snapshot(book.dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestImportCli)
#include "tst_importcli.moc"
