#include "accounttransrows.h"
#include "categoryfile.h"
#include "exportformats.h"
#include "fileexport.h"
#include "settingsfile.h"
#include "storefixture.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QRegularExpression>
#include <QTest>

#include <sys/resource.h>
#include <csignal>

using namespace testutil;

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

// Every entry of a folder with a digest of its content, to see that nothing changed.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        files.insert(it.fileName(), QCryptographicHash::hash(readFile(it.filePath()), QCryptographicHash::Sha1));
    }
    return files;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_root;
    QString m_book;
    bool m_limitWrites = false;

    Result cli(const QStringList &args, const QString &workDir = QString())
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        p.setProcessEnvironment(env);
        if (m_limitWrites) {
            p.setChildProcessModifier([] {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit none{0, 0};
                ::setrlimit(RLIMIT_FSIZE, &none);
            });
        }
        QStringList all;
        if (!workDir.isNull())
            all << QStringLiteral("--workdir") << workDir;
        p.start(QStringLiteral(FENNIMAR_CLI), all + args);
        p.closeWriteChannel();
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    Result inBook(const QStringList &args) { return cli(args, m_book); }

    QString addAccount(const QString &number)
    {
        const Result r = inBook({"add-account", "--number", number, "--name", "Name " + number, "--bank", "Bank"});
        return r.out.trimmed();
    }

private Q_SLOTS:
    void init()
    {
        m_limitWrites = false;
        m_book = m_root.filePath(QString::number(QRandomGenerator::global()->generate()));
        QCOMPARE(cli({"init"}, m_book).code, 0);
    }

    void initMakesTheDefaultFiles()
    {
        const QString dir = m_root.filePath("fresh/deeper");
        const Result r = cli({"init"}, dir);
        QCOMPARE(r.code, 0);
        QCOMPARE(entries(dir), QStringList({"Category.cat", "Graph.grp", "setfnpngs.pss"}));
        QCOMPARE(readSettings(dir), SettingsRecord());
        QCOMPARE(readFile(dir + "/Graph.grp").size(), 52);
    }

    void accountsAndTheirLines()
    {
        const Result add = inBook({"add-account", "--number", "12-34", "--name", "Home\tOffice", "--bank", "My Bank",
                                   "--minimum", "50.5", "--icon", "7", "--notes", "line1\nline2"});
        QCOMPARE(add.code, 0);
        const QString id = add.out.trimmed();
        QVERIFY(QRegularExpression("^\\d{14}90$").match(id).hasMatch());
        QVERIFY(QFileInfo::exists(m_book + "/" + id + ".act"));
        inBook({"add-transaction", "--account", id, "--amount", "100", "--date", "2026-01-02"});
        inBook({"add-transaction", "--account", id, "--amount", "12.5", "--expense", "--date", "2026-01-03"});

        Result list = inBook({"accounts"});
        QCOMPARE(list.code, 0);
        QCOMPARE(list.out, id + "\t12-34\tHome Office\tMy Bank\t87.50\t50.50\t7\n");

        QCOMPARE(inBook({"modify-account", id, "--bank", "Other"}).code, 0);
        CDataStore store(m_book);
        store.loadAccounts();
        const AccountRecord a = store.lookupAccount(id);
        QCOMPARE(a.bank, QStringLiteral("Other"));
        QCOMPARE(a.name, QStringLiteral("Home\tOffice"));
        QCOMPARE(a.notes, QStringLiteral("line1\nline2"));
        QCOMPARE(a.minimumBalance, 50.5);
    }

    void transactionsListInTheDesktopOrder()
    {
        const QString id = addAccount("A1");
        const QString t1 = inBook({"add-transaction", "--account", id, "--amount", "20", "--date", "2026-03-10T08:30:00",
                                   "--subject", "  Salary  ", "--category", "Snacks"})
                               .out.trimmed();
        const QString t2 = inBook({"add-transaction", "--account", id, "--amount", "5.25", "--expense", "--date",
                                   "2026-03-02"})
                               .out.trimmed();
        inBook({"add-transaction", "--account", id, "--amount", "1", "--date", "2026-02-27"});
        const QString p1 = inBook({"add-plan", "--account", id, "--amount", "7", "--expense", "--date", "2026-05-01",
                                   "--subject", "Tax"})
                               .out.trimmed();
        QCOMPARE(t1.size(), 32);
        QVERIFY(t1.startsWith(id));

        const Result r = inBook({"transactions", "--account", id, "--from", "2026-03-01", "--to", "2026-03-31"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("opening\t\t2026-03-01T00:00:02\tBalance till 2/28/26\t1.00\t1.00\n"
                                       "transaction\t%1\t2026-03-02T00:00:00\tNo Subject\t-5.25\t-4.25\n"
                                       "transaction\t%2\t2026-03-10T08:30:00\tSalary\t20.00\t15.75\n"
                                       "plan\t%3\t2026-05-01T00:00:00\tTax\t-7.00\t\n")
                            .arg(t2, t1, p1));

        const Result all = inBook({"all-transactions", "--from", "2026-03-01", "--to", "2026-03-31"});
        QCOMPARE(all.code, 0);
        QCOMPARE(all.out.count('\n'), 2);
        QVERIFY(all.out.contains(t1 + "\tA1\t2026-03-10T08:30:00\tSalary\t20.00\n"));

        QCOMPARE(inBook({"plans"}).out, p1 + "\tA1\t2026-05-01T00:00:00\tTax\t-7.00\n");
    }

    void exportsAreTheExportersBytes_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("list");
        for (const char *list : {"accounts", "transactions", "plans"})
            for (const char *format : {"csv", "text", "html", "pdf"})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(list, format))) << format << list;
    }

    void exportsAreTheExportersBytes()
    {
        QFETCH(QString, format);
        QFETCH(QString, list);
        const QString id = addAccount("A1");
        inBook({"add-transaction", "--account", id, "--amount", "20.5", "--date", "2026-03-10", "--subject",
                "Rent, March"});
        inBook({"add-transaction", "--account", id, "--amount", "7", "--expense", "--date", "2026-03-11"});
        inBook({"add-plan", "--account", id, "--amount", "3", "--date", "2026-04-01", "--subject", "<b>Tax</b>"});
        const QString out = m_root.filePath(list + "." + format);
        QStringList args{list, "--format", format, "--out", out, "--from", "2026-03-01", "--to", "2026-03-31"};
        if (list == "transactions")
            args << "--account" << id;
        const Result r = inBook(args);
        QCOMPARE(r.code, 0);

        // The same rows through the exporter, in this process.
        useUsEnglish();
        CDataStore store(m_book);
        store.loadAccounts();
        store.loadPlans();
        ExportSource source;
        source.from = at(2026, 3, 1, 0, 0, 0);
        source.to = at(2026, 3, 31, 0, 0, 0);
        source.now = OleDateTime::currentDateTime();
        if (list == "accounts") {
            source.view = ExportView::Accounts;
            source.accounts = store.fillAccountList();
        } else if (list == "plans") {
            source.view = ExportView::Plans;
            source.plans = store.fillPlansList();
        } else {
            source.view = ExportView::Transactions;
            source.accountSelected = true;
            source.accountTitle = "Bank - A1";
            source.transactions = buildAccountTransRows(store, id, source.from, source.to);
        }
        const auto kind = *exportKindNamed(format);
        const ExportFormat fileFormat = kind == ExportKind::Csv    ? ExportFormat::Csv
                                        : kind == ExportKind::Text ? ExportFormat::Text
                                        : kind == ExportKind::Html ? ExportFormat::Html
                                                                   : ExportFormat::Pdf;
        QCOMPARE(readFile(out), exportBytes(fileFormat, source));
    }

    void officeExports()
    {
        const QString id = addAccount("A1");
        inBook({"add-transaction", "--account", id, "--amount", "5", "--date", "2026-03-10"});
        for (const char *format : {"xlsx", "docx"}) {
            const QString out = m_root.filePath(QStringLiteral("t.") + format);
            const Result r = inBook({"transactions", "--account", id, "--format", format, "--out", out, "--from",
                                     "2026-03-01", "--to", "2026-03-31"});
            QCOMPARE(r.code, 0);
            QVERIFY(readFile(out).startsWith("PK\x03\x04"));
        }
        // An empty list makes no workbook.
        const Result none = inBook({"plans", "--format", "xlsx", "--out", m_root.filePath("none.xlsx")});
        QCOMPARE(none.code, 1);
        QVERIFY(!QFileInfo::exists(m_root.filePath("none.xlsx")));
    }

    void modifyDeleteAndConvert()
    {
        const QString id = addAccount("A1");
        const QString t = inBook({"add-transaction", "--account", id, "--amount", "20", "--expense"}).out.trimmed();
        QCOMPARE(inBook({"modify-transaction", t, "--amount", "30"}).code, 0);
        CDataStore store(m_book);
        store.loadAccountTransactions(id);
        QCOMPARE(store.lookupTransaction(t).amount, -30.0); // still an expense
        QCOMPARE(inBook({"modify-transaction", t, "--income", "--subject", " "}).code, 0);
        store.loadAccountTransactions(id);
        QCOMPARE(store.lookupTransaction(t).amount, 30.0);
        QCOMPARE(store.lookupTransaction(t).incomeFlag, 1);
        QCOMPARE(store.lookupTransaction(t).subject, QStringLiteral("No Subject"));

        const QString p = inBook({"add-plan", "--account", id, "--amount", "3", "--date", "2027-02-03"}).out.trimmed();
        QCOMPARE(inBook({"modify-plan", p, "--subject", "Later"}).code, 0);
        const Result converted = inBook({"convert-plan", p});
        QCOMPARE(converted.code, 0);
        const QString newKey = converted.out.trimmed();
        store.loadPlans();
        QVERIFY(store.plans().isEmpty());
        store.loadAccountTransactions(id);
        QCOMPARE(store.lookupTransaction(newKey).subject, QStringLiteral("Later"));
        QCOMPARE(store.lookupTransaction(newKey).date, at(2027, 2, 3, 0, 0, 0));

        QCOMPARE(inBook({"delete-transaction", t}).code, 0);
        QVERIFY(!QFileInfo::exists(m_book + "/" + t + ".tra"));
        QCOMPARE(inBook({"delete-account", id}).code, 0);
        QCOMPARE(entries(m_book).filter(".act").size(), 0);
        QCOMPARE(entries(m_book).filter(".tra").size(), 0);
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty number") << QStringList{"add-account", "--number", ""} << 1
                                      << "Please enter the Account Number.";
        QTest::newRow("no number") << QStringList{"add-account", "--name", "x"} << 1
                                   << "Please enter the Account Number.";
        QTest::newRow("unknown account") << QStringList{"add-transaction", "--account", "2000010100000090", "--amount", "1"}
                                         << 1 << "There is no account";
        QTest::newRow("three decimals") << QStringList{"add-transaction", "--account", "ID", "--amount", "1.234"} << 1
                                        << "is not an amount";
        QTest::newRow("signed amount") << QStringList{"add-transaction", "--account", "ID", "--amount", "-5"} << 1
                                       << "is not an amount";
        QTest::newRow("bad date") << QStringList{"add-transaction", "--account", "ID", "--amount", "5", "--date",
                                                 "2026-02-30"}
                                  << 2 << "is not a date";
        QTest::newRow("unknown key") << QStringList{"delete-transaction", "ID2000010100000090"} << 1
                                     << "There is no transaction";
        QTest::newRow("unknown plan") << QStringList{"convert-plan", "ID2000010100000090"} << 1 << "There is no plan";
        QTest::newRow("missing --out") << QStringList{"accounts", "--format", "csv"} << 2 << "needs --out";
        QTest::newRow("unknown format") << QStringList{"accounts", "--format", "odt", "--out", "x"} << 2
                                        << "unknown format";
        QTest::newRow("all-transactions csv") << QStringList{"all-transactions", "--format", "csv", "--out", "x"} << 2
                                              << "tsv format only";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "unknown command";
        QTest::newRow("unknown option") << QStringList{"accounts", "--colour", "red"} << 2 << "Unknown option";
        QTest::newRow("missing key") << QStringList{"delete-plan"} << 2 << "missing";
    }

    void refusalsChangeNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QString id = addAccount("A1");
        inBook({"add-transaction", "--account", id, "--amount", "1"});
        args.replaceInStrings(QRegularExpression("^ID"), id);
        const auto before = snapshot(m_book);
        const Result r = inBook(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(snapshot(m_book), before);
    }

    void password()
    {
        QVERIFY(writeSettings(m_book, {QString(), QStringLiteral("sésame"), QStringLiteral("q"), QStringLiteral("a")}));
        const QString right = m_root.filePath("right.txt"), wrong = m_root.filePath("wrong.txt");
        QVERIFY(writeFile(right, "s\xc3\xa9same\r\nsecond line"));
        QVERIFY(writeFile(wrong, "sesame\n"));

        Result r = cli({"--password-file", right, "accounts"}, m_book);
        QCOMPARE(r.code, 0);
        r = cli({"--password-file", wrong, "accounts"}, m_book);
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err, QStringLiteral("Sorry, Unauthorized User !!!\n"));
        // No file and no terminal to ask on: not admitted.
        r = cli({"add-account", "--number", "9"}, m_book);
        QCOMPARE(r.code, 3);
        QCOMPARE(entries(m_book).filter(".act").size(), 0);
        r = cli({"--password-file", m_root.filePath("missing.txt"), "accounts"}, m_book);
        QCOMPARE(r.code, 3);
    }

    void workingDirectory()
    {
        Result r = cli({"accounts"}, m_root.filePath("nowhere"));
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("does not exist"));
        // Without --workdir, the folder the desktop program remembers.
        r = cli({"accounts"});
        QCOMPARE(r.code, 2);
        QSettings profile(m_config.filePath("Kestrune/Fennimar.conf"), QSettings::IniFormat);
        profile.setValue("Directory/Path", m_book);
        profile.sync();
        addAccount("remembered");
        r = cli({"accounts"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("\tremembered\t"));
    }

    void writesThatFail()
    {
        const QString id = addAccount("A1");
        const auto before = snapshot(m_book);
        if (runningAsRoot())
            m_limitWrites = true; // root writes anywhere: fail the writes instead
        else
            QVERIFY(QFile::setPermissions(m_book, QFile::ReadOwner | QFile::ExeOwner));
        Result r = inBook({"add-account", "--number", "B2"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith("Could not save " + m_book), qPrintable(r.err));
        r = inBook({"add-plan", "--account", id, "--amount", "4"});
        QCOMPARE(r.code, 1);
        r = inBook({"accounts", "--out", m_book + "/list.tsv"});
        QCOMPARE(r.code, 1);
        QFile::setPermissions(m_book, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(snapshot(m_book), before);
    }

    void categories()
    {
        const Result r = inBook({"categories"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith("Categories\n  Kitchen Items\n  Household Items\n"));
        writeCategoryFile(m_book, {CategoryNode{"Top", {CategoryNode{"Mid", {CategoryNode{"Low", {}}}}}}});
        QCOMPARE(inBook({"categories"}).out, QStringLiteral("Top\n  Mid\n    Low\n"));
    }

    void check()
    {
        const QString id = addAccount("A1");
        inBook({"add-transaction", "--account", id, "--amount", "1"});
        inBook({"add-plan", "--account", id, "--amount", "1"});
        Result r = inBook({"check"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith("1 accounts, 1 transactions, 1 plans: no problems found"), qPrintable(r.out));

        QVERIFY(writeFile(m_book + "/2000010100000090.act", hex("ff ffff ffffff7f")));
        AccountRecord empty = account("x");
        QVERIFY(writeFile(m_book + "/2000010100000190.act", encodeAccount(empty)));
        QVERIFY(writeFile(m_book + "/Graph.grp", hex("0d000000")));
        r = inBook({"check"});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.contains("2000010100000090.act: cut short or malformed\n"));
        QVERIFY(r.out.contains("2000010100000190.act: unusable id \"\"\n"));
        QVERIFY(r.out.contains("Graph.grp: "));
        QVERIFY(r.err.contains("3 problem(s)"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
