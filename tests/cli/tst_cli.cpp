#include "clirunner.h"
#include "export/exportformats.h"
#include "store/accounttransrows.h"
#include "store/categoryfile.h"
#include "store/settingsfile.h"
#include "storefixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

#include <QElapsedTimer>
#include <QImage>
#include <QXmlStreamReader>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testutil;

class TestCli : public QObject
{
    Q_OBJECT

    using Result = CliResult;

    QTemporaryDir m_config;
    QTemporaryDir m_root;
    QString m_book;
    bool m_limitWrites = false;
    bool m_killOnLimit = false; // a write past the limit kills the process (SIGXFSZ), as by default
    QByteArray m_terminalInput; // typed on a terminal that is the process's standard input

    Result cli(const QStringList &args, const QString &workDir = QString())
    {
        QProcess p;
        setUpCli(p, m_config.path());
        if (m_limitWrites) {
            const bool kill = m_killOnLimit;
            p.setChildProcessModifier([kill] {
                std::signal(SIGXFSZ, kill ? SIG_DFL : SIG_IGN);
                rlimit none{0, 0};
                ::setrlimit(RLIMIT_FSIZE, &none);
            });
        }
        int terminal = -1;
        QByteArray slave;
        if (!m_terminalInput.isNull()) {
            terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
            if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0)
                return {};
            slave = ::ptsname(terminal);
            p.setChildProcessModifier([slave] {
                const int fd = ::open(slave.constData(), O_RDWR);
                ::dup2(fd, STDIN_FILENO);
            });
        }
        const QStringList dir = workDir.isNull() ? QStringList() : QStringList{QStringLiteral("--workdir"), workDir};
        p.start(QStringLiteral(FENNIMAR_CLI), dir + args);
        if (terminal >= 0) {
            // Typed once the program has turned echo off, as a person would.
            QTest::qWait(300);
            (void)::write(terminal, m_terminalInput.constData(), size_t(m_terminalInput.size()));
        }
        const Result result = cliResult(p);
        if (terminal >= 0)
            ::close(terminal);
        return result;
    }

    Result inBook(const QStringList &args) { return cli(args, m_book); }

    // Runs a command in the book that must succeed; its output, trimmed.
    QString ok(const QStringList &args)
    {
        const Result r = inBook(args);
        if (r.code != 0)
            QTest::qFail(qPrintable(args.join(u' ') + QStringLiteral(" failed: ") + r.err), __FILE__, __LINE__);
        return r.out.trimmed();
    }

    QString addAccount(const QString &number)
    {
        return ok({"add-account", "--number", number, "--name", "Name " + number, "--bank", "Bank"});
    }

private Q_SLOTS:
    void init()
    {
        m_limitWrites = false;
        m_killOnLimit = false;
        m_terminalInput = QByteArray();
        m_book = m_root.filePath(QString::number(QRandomGenerator::global()->generate()));
        QCOMPARE(cli({"init"}, m_book).code, 0);
    }

    void initAndCategories()
    {
        const QString dir = m_root.filePath("fresh/deeper");
        QCOMPARE(cli({"init"}, dir).code, 0);
        QCOMPARE(entries(dir), QStringList({"Category.cat", "Graph.grp", "setfnpngs.pss"}));
        QCOMPARE(readSettings(dir), SettingsRecord());

        QVERIFY(ok({"categories"}).startsWith("Categories\n  Kitchen Items\n  Household Items\n"));
        writeCategoryFile(m_book, {CategoryNode{"Top", {CategoryNode{"Mid", {CategoryNode{"Low", {}}}}}}});
        QCOMPARE(ok({"categories"}), QStringLiteral("Top\n  Mid\n    Low"));
    }

    void accountsAndTheirLines()
    {
        const QString id = ok({"add-account", "--number", "12-34", "--name", "Home\tOffice", "--bank", "My Bank",
                               "--minimum", "50.5", "--icon", "7", "--notes", "line1\nline2"});
        ok({"add-transaction", "--account", id, "--amount", "100", "--date", "2026-01-02"});
        ok({"add-transaction", "--account", id, "--amount", "12.5", "--expense", "--date", "2026-01-03"});
        QCOMPARE(ok({"accounts"}), id + "\t12-34\tHome Office\tMy Bank\t87.50\t50.50\t7");

        ok({"modify-account", id, "--bank", "Other"});
        CDataStore store(m_book);
        store.loadAccounts();
        const AccountRecord a = store.lookupAccount(id);
        QCOMPARE(a.bank, QStringLiteral("Other"));
        QCOMPARE(a.name, QStringLiteral("Home\tOffice"));
        QCOMPARE(a.notes, QStringLiteral("line1\nline2"));
        QCOMPARE(a.minimumBalance, 50.5);
    }

    void listsInTheDesktopOrder()
    {
        const QString id = addAccount("A1");
        const QString t1 = ok({"add-transaction", "--account", id, "--amount", "20", "--date", "2026-03-10T08:30:00",
                               "--subject", "  Salary  ", "--category", "Snacks"});
        const QString t2 =
            ok({"add-transaction", "--account", id, "--amount", "5.25", "--expense", "--date", "2026-03-02"});
        ok({"add-transaction", "--account", id, "--amount", "1", "--date", "2026-02-27"});
        const QString p1 =
            ok({"add-plan", "--account", id, "--amount", "7", "--expense", "--date", "2026-05-01", "--subject", "Tax"});
        QVERIFY(t1.size() == 32);
        QVERIFY(t1.startsWith(id));

        QCOMPARE(inBook({"transactions", "--account", id, "--from", "2026-03-01", "--to", "2026-03-31"}).out,
                 QStringLiteral("opening\t\t2026-03-01T00:00:02\tBalance till 2/28/26\t1.00\t1.00\n"
                                "transaction\t%1\t2026-03-02T12:00:00\tNo Subject\t-5.25\t-4.25\n"
                                "transaction\t%2\t2026-03-10T08:30:00\tSalary\t20.00\t15.75\n"
                                "plan\t%3\t2026-05-01T12:00:00\tTax\t-7.00\t\n")
                     .arg(t2, t1, p1));
        const QStringList all = ok({"all-transactions", "--from", "2026-03-01", "--to", "2026-03-31"}).split(u'\n');
        QCOMPARE(all.size(), 2);
        QVERIFY(all.contains(t1 + "\tA1\t2026-03-10T08:30:00\tSalary\t20.00"));
        QCOMPARE(ok({"plans"}), p1 + "\tA1\t2026-05-01T12:00:00\tTax\t-7.00");
    }

    void exportsAreTheExportersBytes_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("list");
        for (const char *list : {"accounts", "transactions", "plans"})
            for (const char *format : {"csv", "text", "html", "pdf"})
                QTest::addRow("%s %s", list, format) << format << list;
        QTest::newRow("transactions xlsx") << "xlsx"
                                           << "transactions";
        QTest::newRow("transactions docx") << "docx"
                                           << "transactions";
    }

    void exportsAreTheExportersBytes()
    {
        QFETCH(QString, format);
        QFETCH(QString, list);
        const QString id = addAccount("A1");
        ok({"add-transaction", "--account", id, "--amount", "20.5", "--date", "2026-03-10", "--subject", "Rent, May"});
        ok({"add-transaction", "--account", id, "--amount", "7", "--expense", "--date", "2026-03-11"});
        ok({"add-plan", "--account", id, "--amount", "3", "--date", "2026-04-01", "--subject", "<b>Tax</b>"});
        const QString out = m_root.filePath(list + "." + format);
        QStringList args{list, "--format", format, "--out", out, "--from", "2026-03-01", "--to", "2026-03-31"};
        if (list == "transactions")
            args << "--account" << id;
        ok(args);
        if (format.endsWith(u'x')) { // the office files hold the moment they were made
            QVERIFY(readFile(out).startsWith("PK\x03\x04"));
            return;
        }

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
        QVERIFY(writeExportAs(*exportKindNamed(format), out + ".expected", source));
        QCOMPARE(readFile(out), readFile(out + ".expected"));
    }

    void modifyDeleteAndConvert()
    {
        const QString id = addAccount("A1");
        const QString t = ok({"add-transaction", "--account", id, "--amount", "20", "--expense"});
        ok({"modify-transaction", t, "--amount", "30"});
        CDataStore store(m_book);
        store.loadAccountTransactions(id);
        QCOMPARE(store.lookupTransaction(t).amount, -30.0); // still an expense
        ok({"modify-transaction", t, "--income", "--subject", " "});
        store.loadAccountTransactions(id);
        QCOMPARE(store.lookupTransaction(t).amount, 30.0);
        QCOMPARE(store.lookupTransaction(t).incomeFlag, 1);
        QCOMPARE(store.lookupTransaction(t).subject, QStringLiteral("No Subject"));

        const QString p = ok({"add-plan", "--account", id, "--amount", "3", "--date", "2027-02-03"});
        ok({"modify-plan", p, "--subject", "Later"});
        const QString converted = ok({"convert-plan", p});
        store.loadPlans();
        QVERIFY(store.plans().isEmpty());
        store.loadAccountTransactions(id);
        QCOMPARE(store.lookupTransaction(converted).subject, QStringLiteral("Later"));
        QCOMPARE(store.lookupTransaction(converted).date, at(2027, 2, 3, 12, 0, 0));

        ok({"delete-transaction", t});
        QVERIFY(!QFileInfo::exists(m_book + "/" + t + ".tra"));
        ok({"delete-account", id});
        QCOMPARE(entries(m_book).filter(QRegularExpression("\\.(act|tra)$")), QStringList());
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QStringList add{"add-transaction", "--account", "ID", "--amount"};
        QTest::newRow("empty number") << QStringList{"add-account", "--number", ""} << 1
                                      << "Please enter the Account Number.";
        QTest::newRow("no number") << QStringList{"add-account", "--name", "x"} << 1
                                   << "Please enter the Account Number.";
        QTest::newRow("unknown account") << QStringList{"add-transaction", "--account", "2000010100000090", "--amount",
                                                        "1"}
                                         << 1 << "There is no account";
        QTest::newRow("three decimals") << add + QStringList{"1.234"} << 1 << "is not an amount";
        QTest::newRow("signed amount") << add + QStringList{"-5"} << 1 << "is not an amount";
        QTest::newRow("bad date") << add + QStringList{"5", "--date", "2026-02-30"} << 2 << "is not a date";
        QTest::newRow("year 99") << add + QStringList{"5", "--date", "0099-12-31"} << 2
                                 << "is not within the years 100 to 9999";
        QTest::newRow("period of year 0")
            << QStringList{"all-transactions", "--from", "0050-01-01"} << 2 << "is not within the years 100 to 9999";
        QTest::newRow("309 digits") << add + QStringList{QString(309, u'9')} << 1 << "is too large";
        QTest::newRow("17 digits") << add + QStringList{"12345678901234567.89"} << 1 << "is too large";
        QTest::newRow("minimum too large")
            << QStringList{"modify-account", "ID", "--minimum", "1000000000000.01"} << 1 << "is too large";
        QTest::newRow("check takes no argument") << QStringList{"check", "x"} << 2 << "unexpected argument";
        QTest::newRow("unknown key") << QStringList{"delete-transaction", "ID2000010100000090"} << 1
                                     << "There is no transaction";
        QTest::newRow("unknown plan") << QStringList{"convert-plan", "ID2000010100000090"} << 1 << "There is no plan";
        QTest::newRow("empty list to xlsx")
            << QStringList{"plans", "--format", "xlsx", "--out", "BOOK/none.xlsx"} << 1 << "nothing to export";
        QTest::newRow("missing --out") << QStringList{"accounts", "--format", "csv"} << 2 << "needs --out";
        QTest::newRow("unknown format") << QStringList{"accounts", "--format", "odt", "--out", "x"} << 2
                                        << "unknown format";
        QTest::newRow("all-transactions csv")
            << QStringList{"all-transactions", "--format", "csv", "--out", "x"} << 2 << "tsv format only";
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
        ok({"add-transaction", "--account", id, "--amount", "1"});
        args.replaceInStrings(QRegularExpression("^ID"), id).replaceInStrings("BOOK", m_book);
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
        QCOMPARE(cli({"--password-file", right, "accounts"}, m_book).code, 0);
        const Result r = cli({"--password-file", wrong, "accounts"}, m_book);
        QCOMPARE(r.code, 3);
        QCOMPARE(r.err, QStringLiteral("Sorry, Unauthorized User !!!\n"));
        // No file and no terminal to ask on, or a file that is not there: not admitted.
        QCOMPARE(cli({"add-account", "--number", "9"}, m_book).code, 3);
        QCOMPARE(entries(m_book).filter(".act").size(), 0);
        QCOMPARE(cli({"--password-file", m_root.filePath("missing.txt"), "accounts"}, m_book).code, 3);
    }

    void workingDirectory()
    {
        const Result r = cli({"accounts"}, m_root.filePath("nowhere"));
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("does not exist"));
        // Without --workdir, the folder the desktop program remembers.
        QCOMPARE(cli({"accounts"}).code, 2);
        QSettings profile(m_config.filePath("Kestrune/Fennimar.conf"), QSettings::IniFormat);
        profile.setValue("Directory/Path", m_book);
        profile.sync();
        addAccount("remembered");
        QVERIFY(cli({"accounts"}).out.contains("\tremembered\t"));
    }

    void writesThatFail()
    {
        const QString id = addAccount("A1");
        const auto before = snapshot(m_book);
        if (runningAsRoot())
            m_limitWrites = true; // root writes anywhere: fail the writes instead
        else
            QVERIFY(QFile::setPermissions(m_book, QFile::ReadOwner | QFile::ExeOwner));
        const Result r = inBook({"add-account", "--number", "B2"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith("Could not save " + m_book), qPrintable(r.err));
        QCOMPARE(inBook({"add-plan", "--account", id, "--amount", "4"}).code, 1);
        QCOMPARE(inBook({"accounts", "--out", m_book + "/list.tsv"}).code, 1);
        QFile::setPermissions(m_book, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(snapshot(m_book), before);
    }

    // A change that gives neither amount nor kind keeps the stored amount exactly,
    // even one whose sign disagrees with its kind.
    void anUntouchedAmountStays()
    {
        const QString id = addAccount("A1");
        TransactionRecord odd = movement(recordKey(id, 1), at(2026, 1, 1), -5.5);
        odd.incomeFlag = 1;
        QVERIFY(writeFile(m_book + "/" + odd.key + ".tra", encodeTransaction(odd)));
        ok({"modify-transaction", odd.key, "--subject", "Renamed"});
        const auto back = decodeTransaction(readFile(m_book + "/" + odd.key + ".tra"));
        QVERIFY(back);
        QCOMPARE(back->amount, -5.5);
        QCOMPARE(back->incomeFlag, 1);
        QCOMPARE(back->subject, QStringLiteral("Renamed"));
        ok({"modify-transaction", odd.key, "--expense", "--amount", "0"});
        const auto stored = decodeTransaction(readFile(m_book + "/" + odd.key + ".tra"));
        QVERIFY(stored);
        QVERIFY(!std::signbit(stored->amount));
    }

    // A date without a time of day is its noon, so it falls in its own day's period.
    void aDayIsItsNoon()
    {
        const QString id = addAccount("A1");
        const QString key =
            ok({"add-transaction", "--account", id, "--amount", "1250", "--subject", "Salary", "--date", "2026-12-01"});
        QCOMPARE(ok({"all-transactions", "--from", "2026-12-01", "--to", "2026-12-31"}),
                 key + "\tA1\t2026-12-01T12:00:00\tSalary\t1250.00");
        ok({"modify-transaction", key, "--date", "2026-12-31"});
        QCOMPARE(ok({"all-transactions", "--from", "2026-12-31", "--to", "2026-12-31"}),
                 key + "\tA1\t2026-12-31T12:00:00\tSalary\t1250.00");
        // The amount is rounded once, where it is read.
        ok({"modify-transaction", key, "--amount", "999999999999.99"});
        QVERIFY(ok({"accounts"}).contains("\t999999999999.99\t"));
    }

    // Processes killed at random moments of an add: every add that said so is
    // there, and nothing is left half-written.
    void killedAddsLeaveNothingHalfWritten()
    {
        const QString id = addAccount("A1");
        QStringList acknowledged;
        QElapsedTimer running;
        running.start();
        int killed = 0;
        for (int round = 0; running.elapsed() < 4000; ++round) {
            QProcess p;
            const QStringList args = round % 3 == 2 ? QStringList{"add-account", "--number", "K"}
                                                    : QStringList{"add-transaction", "--account", id, "--amount", "1"};
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(FENNIMAR_CLI), QStringList{"--workdir", m_book} + args);
            if (!p.waitForFinished(int(QRandomGenerator::global()->bounded(60)))) {
                p.kill();
                ++killed;
            }
            p.waitForFinished(10000);
            if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
                acknowledged << QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        }
        QVERIFY(killed > 0);
        QVERIFY(!acknowledged.isEmpty());
        for (const QString &made : acknowledged) {
            const QByteArray bytes = readFile(m_book + "/" + made + (made.size() == 32 ? ".tra" : ".act"));
            QVERIFY2(made.size() == 32 ? bool(decodeTransaction(bytes)) : bool(decodeAccount(bytes)), qPrintable(made));
        }
        for (const QString &name : entries(m_book))
            QVERIFY2(QFileInfo(m_book + "/" + name).size() > 0, qPrintable(name + " is empty"));
        const Result r = inBook({"check"});
        QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    }

    void aWriteKilledByTheFileSizeLimitLeavesNothing()
    {
        const QString id = addAccount("A1");
        const auto before = snapshot(m_book);
        m_limitWrites = m_killOnLimit = true;
        QCOMPARE(inBook({"add-account", "--number", "B2"}).code, -1); // killed, no exit code
        QCOMPARE(inBook({"add-transaction", "--account", id, "--amount", "1"}).code, -1);
        m_limitWrites = false;
        QCOMPARE(snapshot(m_book), before);
        QCOMPARE(inBook({"check"}).code, 0);
    }

    void aPlanConvertsOnce()
    {
        const QString id = addAccount("A1");
        const QString plan = ok({"add-plan", "--account", id, "--amount", "40"});
        QList<QProcess *> runs;
        for (int i = 0; i < 4; ++i) {
            auto *p = new QProcess(this);
            p->start(QStringLiteral(FENNIMAR_CLI), {"--workdir", m_book, "convert-plan", plan});
            runs << p;
        }
        int converted = 0;
        for (QProcess *p : runs) {
            QVERIFY(p->waitForFinished(30000));
            if (p->exitCode() == 0)
                ++converted;
            else
                QVERIFY(p->readAllStandardError().contains("There is no plan"));
            delete p;
        }
        QCOMPARE(converted, 1);
        QCOMPARE(ok({"accounts"}).section(u'\t', 4, 4), QStringLiteral("40.00"));
    }

    void aBookIsPrivate()
    {
        const QString dir = m_root.filePath("private/Books");
        QCOMPARE(cli({"init"}, dir).code, 0);
        struct stat st
        {};
        QVERIFY(::stat(QFile::encodeName(dir).constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 0777), 0700);
        const QString id = cli({"add-account", "--number", "1"}, dir).out.trimmed();
        QCOMPARE(cli({"add-plan", "--account", id, "--amount", "1"}, dir).code, 0);
        for (const QString &name : entries(dir)) {
            QVERIFY(::lstat(QFile::encodeName(dir + "/" + name).constData(), &st) == 0);
            QVERIFY2((st.st_mode & 0777) == 0600, qPrintable(name));
        }
        QCOMPARE(entries(dir).size(), 5);
    }

    // A password file that is there but cannot be read whole admits nobody.
    void aDamagedPasswordFileAdmitsNobody_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("cut short") << "cut"
                                   << "field 4 is missing or not enciphered text";
        QTest::newRow("empty") << "empty"
                               << "field 1 is missing or not enciphered text";
        QTest::newRow("trailing bytes") << "trailing"
                                        << "2 bytes after the four fields";
        QTest::newRow("a folder") << "folder"
                                  << "is a folder, not a file";
        QTest::newRow("a FIFO") << "fifo"
                                << "is a FIFO, not a file";
        QTest::newRow("a link") << "link"
                                << "is a symbolic link, not a file";
        QTest::newRow("unreadable") << "unreadable"
                                    << "Permission denied";
    }

    void aDamagedPasswordFileAdmitsNobody()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        if (damage == "unreadable" && runningAsRoot())
            QSKIP("root reads every file");
        const QString path = settingsFilePath(m_book);
        const QByteArray whole = readFile(path);
        QVERIFY(QFile::remove(path));
        if (damage == "cut")
            QVERIFY(writeFile(path, whole.chopped(1)));
        else if (damage == "empty")
            QVERIFY(writeFile(path, QByteArray()));
        else if (damage == "trailing")
            QVERIFY(writeFile(path, whole + "\r\n"));
        else if (damage == "folder")
            QVERIFY(QDir().mkdir(path));
        else if (damage == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        else if (damage == "link")
            QVERIFY(QFile::link(m_root.filePath("elsewhere.pss"), path));
        else if (damage == "unreadable") {
            QVERIFY(writeFile(path, whole));
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        }
        const QString empty = m_root.filePath("empty.txt");
        QVERIFY(writeFile(empty, "\n"));
        const Result r = cli({"--password-file", empty, "add-account", "--number", "9"}, m_book);
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.startsWith("The password file " + path + " cannot be read: " + reason + ". Nobody is admitted"),
                 qPrintable(r.err));
        QCOMPARE(entries(m_book).filter(".act").size(), 0);
        QCOMPARE(cli({"init"}, m_book).code, 3); // and init does not write it over
    }

    // Typed on a terminal: the whole line, however long, and no other. A
    // password may begin with the characters of a UTF-8 byte-order mark.
    void aLongPasswordOnTheTerminal()
    {
        const QString password = QStringLiteral("ï»¿") + QString(1500, u'x') + QStringLiteral("é");
        QVERIFY(writeSettings(m_book, {QString(), password, QString(), QString()}));
        m_terminalInput = password.toUtf8() + "\n";
        const Result r = inBook({"accounts"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.err.startsWith("Password: "));

        QVERIFY(writeSettings(m_book, {QString(), QString(1023, u'x'), QString(), QString()}));
        m_terminalInput = QByteArray(1023, 'x') + "yz\n";
        QCOMPARE(inBook({"accounts"}).code, 3);
        m_terminalInput = QByteArray(1023, 'x') + "\n";
        QCOMPARE(inBook({"accounts"}).code, 0);
    }

    void repairMovesDamageAside()
    {
        const QString id = addAccount("A1");
        ok({"add-transaction", "--account", id, "--amount", "1"});
        const QString lost = recordKey("2020010100000090", 0);
        QVERIFY(writeFile(m_book + "/" + lost + ".tra", encodeTransaction(movement(lost, at(2026, 1, 1), 9))));
        QVERIFY(writeFile(m_book + "/" + recordKey(id, 1) + ".tra", QByteArray()));
        const Result found = inBook({"check"});
        QCOMPARE(found.code, 1);
        QVERIFY(found.out.contains(recordKey(id, 1) + ".tra: empty: an interrupted write\n"));
        QVERIFY(found.out.contains(lost + ".tra: its account 2020010100000090 does not exist\n"));

        const Result repaired = inBook({"check", "--repair"});
        QCOMPARE(repaired.code, 0);
        const QString damaged = QFileInfo(m_book).absolutePath() + "/Damaged";
        QVERIFY2(repaired.out.contains("moved " + lost + ".tra -> " + damaged + "/" + lost + ".tra\n"),
                 qPrintable(repaired.out));
        QVERIFY(repaired.out.endsWith("1 accounts, 1 transactions, 0 plans: no problems found in " + m_book + "\n"));
        QCOMPARE(readFile(damaged + "/" + recordKey(id, 1) + ".tra"), QByteArray());
    }

    // Charts as the Reports dialog draws them, written without a display.
    void reportPictures()
    {
        const QString id = addAccount("A1");
        ok({"add-transaction", "--account", id, "--amount", "500", "--date", "2026-03-02"});
        ok({"add-transaction", "--account", id, "--amount", "820.5", "--expense", "--date", "2026-03-09"});
        const QStringList period = {"--from", "2026-03-01", "--to", "2026-03-31"};
        const QString png = m_root.filePath("balance.png");
        ok(QStringList{"report", "balance", "--account", id, "--out", png} + period);
        QCOMPARE(QImage(png).size(), QSize(680, 620));
        ok(QStringList{"report", "balance", "--account", id, "--kind", "bar3d", "--values", "off", "--size", "400x300",
                       "--out", png}
           + period);
        QCOMPARE(QImage(png).size(), QSize(400, 300));

        const QString svg = m_root.filePath("pl.svg");
        ok(QStringList{"report", "profit-loss", "--account", id, "--kind", "line", "--out", svg} + period);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString root;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && root.isEmpty())
                root = xml.name().toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(root, QStringLiteral("svg"));
    }

    void reportRefusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QStringList out = {"--out", "OUT/chart.png"};
        QTest::newRow("no such account") << QStringList{"report", "balance", "--account", "2000010100000090"} + out << 1
                                         << "There is no account";
        QTest::newRow("over 366 days") << QStringList{"report", "balance",    "--account", "ID",
                                                      "--from", "2026-01-01", "--to",      "2027-01-02"}
                                              + out
                                       << 1 << "A report covers at most 366 days; this period has 367.";
        QTest::newRow("unwritable file") << QStringList{"report", "balance", "--account",
                                                        "ID",     "--out",   "OUT/none/chart.png"}
                                         << 1 << "Could not save";
        QTest::newRow("unknown report") << QStringList{"report", "cashflow", "--account", "ID"} + out << 2
                                        << "unknown report";
        QTest::newRow("unknown kind") << QStringList{"report", "balance", "--account", "ID", "--kind", "pie"} + out << 2
                                      << "unknown kind";
        QTest::newRow("bad size") << QStringList{"report", "balance", "--account", "ID", "--size", "9x9"} + out << 2
                                  << "--size";
        QTest::newRow("no --out") << QStringList{"report", "balance", "--account", "ID"} << 2 << "needs --out";
        QTest::newRow("print no --out") << QStringList{"print", "plans"} << 2 << "needs --out";
        QTest::newRow("print unknown list")
            << QStringList{"print", "accounts", "--out", "OUT/x.pdf"} << 2 << "unknown list";
    }

    void reportRefusals()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QString id = addAccount("A1");
        args.replaceInStrings(QRegularExpression("^ID$"), id).replaceInStrings("OUT", m_root.filePath("pictures"));
        QDir().mkpath(m_root.filePath("pictures"));
        const Result r = inBook(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(m_root.filePath("pictures/chart.png")));
    }

    // The pages Print makes, as a PDF: its text holds the headings and the rows.
    void printIntoPdf()
    {
        if (!QFile::exists(QStringLiteral("/usr/bin/pdftotext")))
            QSKIP("pdftotext is not installed");
        const QString id = addAccount("A1");
        ok({"add-transaction", "--account", id, "--amount", "250", "--subject", "Salary", "--date", "2026-04-03"});
        ok({"add-plan", "--account", id, "--amount", "40", "--expense", "--subject", "Insurance", "--date",
            "2026-05-01"});
        const auto text = [](const QString &pdf) {
            QProcess p;
            p.start(QStringLiteral("/usr/bin/pdftotext"), {"-layout", pdf, "-"});
            p.waitForFinished(30000);
            return QString::fromUtf8(p.readAllStandardOutput());
        };
        const QString plans = m_root.filePath("plans.pdf");
        ok({"print", "plans", "--out", plans});
        QString printed = text(plans);
        for (const char *expected : {"Fennimar - Plans", "Account No", "Subject", "A1", "Insurance", "-$40.00"})
            QVERIFY2(printed.contains(QLatin1String(expected)), qPrintable(printed));

        const QString one = m_root.filePath("one.pdf");
        ok({"print", "transactions", "--account", id, "--from", "2026-04-01", "--to", "2026-04-30", "--out", one});
        printed = text(one);
        for (const char *expected : {"Fennimar - Transactions", "Transaction Name", "Balance till 3/31/26", "Salary",
                                     "$250.00", "Plans", "Insurance"})
            QVERIFY2(printed.contains(QLatin1String(expected)), qPrintable(printed));

        const QString all = m_root.filePath("all.pdf");
        ok({"print", "all-transactions", "--from", "2026-04-01", "--to", "2026-04-30", "--out", all});
        printed = text(all);
        QVERIFY2(printed.contains("Fennimar - All Transactions") && printed.contains("Salary"), qPrintable(printed));
    }

    void check()
    {
        const QString id = addAccount("A1");
        ok({"add-transaction", "--account", id, "--amount", "1"});
        ok({"add-plan", "--account", id, "--amount", "1"});
        QVERIFY(ok({"check"}).startsWith("1 accounts, 1 transactions, 1 plans: no problems found"));

        QVERIFY(writeFile(m_book + "/2000010100000090.act", hex("ff ffff ffffff7f")));
        QVERIFY(writeFile(m_book + "/2000010100000190.act", encodeAccount(account("x"))));
        QVERIFY(writeFile(m_book + "/Graph.grp", hex("0d000000")));
        const Result r = inBook({"check"});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.contains("2000010100000090.act: cut short or malformed\n"));
        QVERIFY(r.out.contains("2000010100000190.act: unusable id \"\"\n"));
        QVERIFY(r.out.contains("Graph.grp: "));
        QVERIFY(r.err.contains("3 problem(s)"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
