#include "cli/fennimarcli.h"

#include "export/exportformats.h"
#include "import/csvmappings.h"
#include "import/statementfile.h"
#include "import/statementimport.h"
#include "print/listprinttables.h"
#include "reports/reportdata.h"
#include "res/stringtable.h"
#include "store/accounttransrows.h"
#include "store/backups.h"
#include "store/bookcheck.h"
#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "store/datastore.h"
#include "store/period.h"
#include "store/profile.h"
#include "store/recordfiles.h"
#include "store/recordrules.h"
#include "store/search.h"
#include "store/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>

#ifdef Q_OS_UNIX
#include <termios.h>
#include <unistd.h>
#endif

namespace {

// A refusal that ends the run with its exit code and message.
struct CliError
{
    int code;
    QString message;
};

[[noreturn]] void usageError(const QString &message)
{
    throw CliError{FennimarCli::Usage, message};
}

[[noreturn]] void failure(const QString &message)
{
    throw CliError{FennimarCli::Failed, message};
}

enum Needs { Nothing = 0, Plans = 1, NoBook = 2 };

const QCommandLineOption kFrom(QStringLiteral("from"), "Start of the period (YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS).",
                               "date");
const QCommandLineOption kTo(QStringLiteral("to"), "End of the period.", "date");
const QCommandLineOption kFormat(QStringLiteral("format"), "tsv (default), csv, text, html, pdf, xlsx or docx.",
                                 "format");
const QCommandLineOption kOut(QStringLiteral("out"), "The file to write.", "file");
const QCommandLineOption kAccount(QStringLiteral("account"), "The account id.", "id");
const QCommandLineOption kNumber(QStringLiteral("number"), "The account number.", "text");
const QCommandLineOption kName(QStringLiteral("name"), "The account's name.", "text");
const QCommandLineOption kBank(QStringLiteral("bank"), "The bank.", "text");
const QCommandLineOption kMinimum(QStringLiteral("minimum"), "The minimum balance.", "amount");
const QCommandLineOption kNotes(QStringLiteral("notes"), "Notes.", "text");
const QCommandLineOption kIcon(QStringLiteral("icon"), "The index of the account's picture.", "index");
const QCommandLineOption kAmount(QStringLiteral("amount"), "The amount, a number of at most two decimals, no sign.",
                                 "amount");
const QCommandLineOption kExpense(QStringLiteral("expense"), "An expense (stored negative).");
const QCommandLineOption kIncome(QStringLiteral("income"), "An income (the default of a new record).");
const QCommandLineOption kDate(QStringLiteral("date"), "The date (default: now).", "date");
const QCommandLineOption kSubject(QStringLiteral("subject"), "The subject.", "text");
const QCommandLineOption kCategory(QStringLiteral("category"), "The category.", "name");
const QCommandLineOption kKind(QStringLiteral("kind"), "line, scatter, bar2d or bar3d.", "kind");
const QCommandLineOption kValues(QStringLiteral("values"), "on or off: the values written on the chart.", "on|off");
const QCommandLineOption kSize(QStringLiteral("size"), "The picture's size in pixels (default 680x620).", "WxH");
const QCommandLineOption kRepair(QStringLiteral("repair"),
                                 "Move every damaged file, and the records of accounts that do not exist, into the "
                                 "folder Damaged beside the working directory.");

const QCommandLineOption kMin(QStringLiteral("min"), "The smallest amount, without its sign.", "amount");
const QCommandLineOption kMax(QStringLiteral("max"), "The largest amount, without its sign.", "amount");
const QCommandLineOption kRestoreTo(QStringLiteral("to"), "The new folder to restore into.", "dir");
const QList<QCommandLineOption> kImportOptions = {
    kAccount,
    {QStringLiteral("format"), "csv, qif or ofx (default: from the file's suffix).", "format"},
    {QStringLiteral("map"), "The CSV columns from 1: date=1,subject=2,amount=3 (also debit, credit, notes, category).",
     "columns"},
    {QStringLiteral("map-name"), "A CSV mapping kept in the profile; with --map, keeps that mapping under the name.",
     "name"},
    {QStringLiteral("date-format"), "The CSV dates in Qt's notation (dd.MM.yyyy).", "format"},
    {QStringLiteral("decimal"), "The CSV decimal separator: , or .", "separator"},
    {QStringLiteral("ofx-account"), "The account of an OFX file that holds several.", "id"},
    {QStringLiteral("dry-run"), "Show what would be imported; write nothing."},
    {QStringLiteral("include-possible"), "Import the possible duplicates too."},
};
const QList<QCommandLineOption> kListOptions = {kFrom, kTo, kFormat, kOut};
const QList<QCommandLineOption> kAccountOptions = {kNumber, kName, kBank, kMinimum, kNotes, kIcon};
const QList<QCommandLineOption> kRecordOptions = {kAmount, kExpense, kIncome, kDate, kSubject, kCategory, kNotes};

// A date of the years 100 to 9999; one given without a time of day is at
// `dayTime` of that day.
OleDateTime parseDate(const QString &text, const QString &what, QTime dayTime = QTime(0, 0))
{
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}(T\\d{2}:\\d{2}:\\d{2})?$"));
    QDateTime value;
    if (form.match(text).hasMatch()) {
        value = text.size() == 10 ? QDateTime(QDate::fromString(text, Qt::ISODate), dayTime)
                                  : QDateTime::fromString(text, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    }
    if (!value.isValid())
        usageError(QStringLiteral("%1 \"%2\" is not a date (YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS)").arg(what, text));
    const OleDateTime date = OleDateTime::fromDateTime(value.date(), value.time());
    if (!isStorableDate(date))
        usageError(QStringLiteral("%1 \"%2\" is not within the years 100 to 9999").arg(what, text));
    return date;
}

// A magnitude as the amount field takes it: digits, at most one point and two
// decimals, at most 1000000000000; rounded to cents.
double parseAmount(const QString &text, const QString &what)
{
    QString problem;
    const std::optional<double> value = parseAmountText(text, &problem);
    if (!value)
        failure(QStringLiteral("%1 \"%2\" %3").arg(what, text, problem));
    return *value;
}

QString money(double value)
{
    return QString::asprintf("%.2f", value);
}

QString tsvField(QString text)
{
    // Most fields hold no tab or line end: those are not copied.
    if (!text.contains(u'\t') && !text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return text;
}

void printTree(QTextStream &out, const QList<CategoryNode> &nodes, int depth)
{
    for (const CategoryNode &node : nodes) {
        out << QString(2 * depth, u' ') << node.name << '\n';
        printTree(out, node.children, depth + 1);
    }
}

} // namespace

struct FennimarCli::Command
{
    QString name;
    QString synopsis;
    QString description;
    QList<QCommandLineOption> options;
    std::function<void(FennimarCli &)> run;
    int needs = Nothing;
};

const QList<FennimarCli::Command> &FennimarCli::commands()
{
    using C = FennimarCli;
    static const QList<C::Command> table = {
        {"init",
         "init",
         "Create the working directory if needed, with its settings, category and chart colour files.",
         {},
         &C::init},
        {"accounts", "accounts [--from D] [--to D] [--format F] [--out FILE]",
         "List the accounts: id, number, name, bank, balance, minimum balance, icon.", kListOptions, &C::listAccounts},
        {"transactions", "transactions --account ID [--from D] [--to D] [--format F] [--out FILE]",
         "The account's transactions of the period, then its plans: kind, key, date, subject, amount, balance.",
         kListOptions + QList{kAccount}, &C::listTransactions, Plans},
        {"all-transactions", "all-transactions [--from D] [--to D]",
         "The transactions of every account in the period: key, account number, date, subject, amount.", kListOptions,
         &C::listAllTransactions},
        {"plans", "plans [--from D] [--to D] [--format F] [--out FILE]",
         "Every plan: key, account number, date, subject, amount.", kListOptions, &C::listPlans, Plans},
        {"add-account", "add-account --number N [--name S] [--bank S] [--minimum X] [--notes S] [--icon I]",
         "Add an account; prints its id.", kAccountOptions, &C::addAccount},
        {"modify-account", "modify-account ID [account options]", "Change the fields given.", kAccountOptions,
         &C::modifyAccount},
        {"delete-account",
         "delete-account ID",
         "Delete the account with its transactions and plans.",
         {},
         &C::deleteAccount},
        {"add-transaction",
         "add-transaction --account ID --amount X [--expense] [--date D] [--subject S] [--category C] [--notes S]",
         "Add a transaction; prints its key.", kRecordOptions + QList{kAccount}, [](C &cli) { cli.addRecord(false); }},
        {"modify-transaction", "modify-transaction KEY [record options]", "Change the fields given.", kRecordOptions,
         [](C &cli) { cli.modifyRecord(false); }},
        {"delete-transaction",
         "delete-transaction KEY",
         "Delete a transaction.",
         {},
         [](C &cli) { cli.deleteRecord(false); }},
        {"add-plan", "add-plan --account ID --amount X [record options]", "Add a plan; prints its key.",
         kRecordOptions + QList{kAccount}, [](C &cli) { cli.addRecord(true); }},
        {"modify-plan", "modify-plan KEY [record options]", "Change the fields given.", kRecordOptions,
         [](C &cli) { cli.modifyRecord(true); }},
        {"delete-plan", "delete-plan KEY", "Delete a plan.", {}, [](C &cli) { cli.deleteRecord(true); }},
        {"convert-plan",
         "convert-plan KEY",
         "Turn a plan into a transaction; prints the transaction's key.",
         {},
         &C::convertPlan},
        {"categories",
         "categories",
         "Print the category tree, two blanks of indent per level.",
         {},
         &C::listCategories},
        {"import",
         "import FILE --account ID [--format csv|qif|ofx] [--map date=1,subject=2,amount=3 | --map-name NAME] "
         "[--date-format F] [--decimal ,|.] [--ofx-account ID] [--dry-run] [--include-possible]",
         "Import a bank statement (CSV, QIF, OFX/QFX) into the account: one line per row (line, status, date, "
         "amount, subject, category or the reason it cannot be read), then the summary. Duplicates of the "
         "account's transactions are left out.",
         kImportOptions, &C::importStatement},
        {"report",
         "report balance|profit-loss --account ID [--from D] [--to D] [--kind K] [--values on|off] --out "
         "FILE.png|FILE.svg "
         "[--size WxH]",
         "Draw the account's balance or profit-and-loss chart of the period as the Reports dialog does.",
         {kAccount, kFrom, kTo, kKind, kValues, kOut, kSize},
         &C::report},
        {"print",
         "print plans|transactions|all-transactions [--account ID] [--from D] [--to D] --out FILE.pdf",
         "Print a list as the Print command does, into a PDF file.",
         {kAccount, kFrom, kTo, kOut},
         &C::print,
         Plans},
        {"check",
         "check [--repair]",
         "Read every data file and name each one that is unreadable, malformed, empty, misnamed, not a file, or of an "
         "account that does not exist; --repair moves them into the folder Damaged beside the working directory.",
         {kRepair},
         &C::check},
        {"find",
         "find TEXT [--account ID] [--from D] [--to D] [--min X] [--max X]",
         "The transactions of every account and every date whose subject, notes, category, date or amount match "
         "every word of TEXT: key, account number, date, subject, amount.",
         {kAccount, kFrom, kTo, kMin, kMax},
         &C::find},
        {"backup",
         "backup",
         "Write today's backup of the working directory into the folder Backups beside it; prints its path.",
         {},
         &C::backup},
        {"restore",
         "restore ZIP --to DIR",
         "Restore a backup into a new folder DIR (never over existing files).",
         {kRestoreTo},
         &C::restore,
         NoBook},
    };
    return table;
}

FennimarCli::FennimarCli(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

FennimarCli::~FennimarCli() = default;

void FennimarCli::printHelp() const
{
    m_out << "Usage: fennimar-cli [--workdir DIR] [--password-file FILE] COMMAND [OPTIONS]\n"
          << "       fennimar-cli --version | --help\n\n"
          << "Keeps the books of a Fennimar working directory.\n\nCommands:\n";
    for (const Command &c : commands())
        m_out << "  " << c.synopsis << "\n      " << c.description << '\n';
    m_out << "\n`fennimar-cli COMMAND --help` lists a command's options. Exit codes: 0 success, 1 the operation "
             "failed, 2 usage error, 3 not admitted.\n";
}

int FennimarCli::run(const QStringList &arguments)
{
    QCommandLineParser global;
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption workdir(QStringLiteral("workdir"), "The working directory.", "dir");
    const QCommandLineOption passwordFile(QStringLiteral("password-file"), "A file whose first line is the password.",
                                          "file");
    const QCommandLineOption help(QStringList{"h", "help"}, "Show this help.");
    const QCommandLineOption version(QStringList{"v", "version"}, "Show the version.");
    global.addOptions({workdir, passwordFile, help, version});
    global.addPositionalArgument("command", "The command to run.");

    try {
        if (!global.parse(arguments))
            usageError(global.errorText());
        const QStringList rest = global.positionalArguments();
        if (global.isSet(version)) {
            m_out << "fennimar-cli " << FENNIMAR_VERSION << '\n';
            m_out.flush();
            return Success;
        }
        if (global.isSet(help)) {
            printHelp();
            return Success;
        }
        if (rest.isEmpty()) {
            printHelp();
            return Usage;
        }
        const auto command = std::find_if(commands().begin(), commands().end(),
                                          [&](const Command &c) { return c.name == rest.first(); });
        if (command == commands().end())
            usageError(QStringLiteral("unknown command \"%1\"").arg(rest.first()));

        m_parser.addOptions(command->options);
        m_parser.addOption(help);
        if (!m_parser.parse(QStringList{arguments.first() + QLatin1Char(' ') + command->name} + rest.mid(1)))
            usageError(m_parser.errorText());
        if (m_parser.isSet(help)) {
            m_out << "Usage: fennimar-cli " << command->synopsis << "\n" << command->description << "\n\n";
            m_out << m_parser.helpText().section(u'\n', 2);
            return Success;
        }

        // A command that works on no book needs neither a folder nor a password.
        if (command->needs & NoBook) {
            command->run(*this);
            m_out.flush();
            return Success;
        }

        m_workDir = global.value(workdir);
        if (m_workDir.isEmpty())
            m_workDir = profileWorkDir();
        if (m_workDir.isEmpty())
            usageError(QStringLiteral("no working directory: give --workdir DIR"));
        m_workDir = QDir(m_workDir).absolutePath();
        if (command->name == QLatin1String("init")) {
            if (!makePrivateDir(m_workDir))
                failure(QStringLiteral("Could not create the working directory %1").arg(m_workDir));
        } else if (!QFileInfo(m_workDir).isDir()) {
            usageError(QStringLiteral("the working directory %1 does not exist").arg(m_workDir));
        }

        // A settings file that is there but cannot be read whole admits nobody.
        const SettingsRead settings = readSettingsFile(m_workDir);
        if (settings.status == SettingsRead::Damaged)
            throw CliError{NotAdmitted, settingsDamageMessage(m_workDir, settings)};
        if (!settings.record.password.isEmpty()) {
            QString entered;
            bool given = false;
            if (global.isSet(passwordFile)) {
                QFile file(global.value(passwordFile));
                if (file.open(QIODevice::ReadOnly)) {
                    QByteArray line = file.readLine();
                    if (line.endsWith('\n'))
                        line.chop(1);
                    if (line.endsWith('\r'))
                        line.chop(1);
                    entered = QString::fromUtf8(line);
                    given = true;
                }
            } else {
                given = readPassword(entered);
            }
            if (!given || !settings.admits(entered))
                throw CliError{NotAdmitted, LoadText(IDS_UNAUTHORIZED)};
        }

        m_store = std::make_unique<CDataStore>(m_workDir);
        m_store->loadAccounts();
        if (command->needs & Plans)
            m_store->loadPlans();
        const Period month = monthPeriod(QDate::currentDate());
        m_from = month.from;
        m_to = month.to;
        const bool takesPeriod = std::any_of(command->options.begin(), command->options.end(),
                                             [](const QCommandLineOption &o) { return o.names() == kFrom.names(); });
        if (takesPeriod) {
            if (m_parser.isSet(kFrom))
                m_from = parseDate(m_parser.value(kFrom), QStringLiteral("--from"));
            if (m_parser.isSet(kTo))
                m_to = parseDate(m_parser.value(kTo), QStringLiteral("--to"));
        }
        command->run(*this);
        m_out.flush();
        return Success;
    } catch (const CliError &e) {
        m_out.flush();
        m_err << e.message << '\n';
        if (e.code == Usage)
            m_err << "Try 'fennimar-cli --help'.\n";
        m_err.flush();
        return e.code;
    } catch (const FileError &e) {
        m_out.flush();
        m_err << e.message() << '\n';
        m_err.flush();
        return Failed;
    }
}

bool FennimarCli::readPassword(QString &entered) const
{
#ifdef Q_OS_UNIX
    if (!::isatty(STDIN_FILENO))
        return false;
    m_err << "Password: ";
    m_err.flush();
    termios saved{};
    ::tcgetattr(STDIN_FILENO, &saved);
    termios silent = saved;
    silent.c_lflag &= ~tcflag_t(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSANOW, &silent);
    // The whole line, however long: a password cut short could match another.
    char *buffer = nullptr;
    size_t capacity = 0;
    const ssize_t length = ::getline(&buffer, &capacity, stdin);
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    m_err << '\n';
    m_err.flush();
    QByteArray line = length >= 0 ? QByteArray(buffer, length) : QByteArray();
    std::free(buffer);
    if (length < 0)
        return false;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    entered = QString::fromUtf8(line);
    return true;
#else
    Q_UNUSED(entered);
    return false;
#endif
}

QString FennimarCli::argument(int index, const QString &name) const
{
    const QStringList args = m_parser.positionalArguments();
    if (index >= args.size())
        usageError(QStringLiteral("missing %1").arg(name));
    if (args.size() > index + 1)
        usageError(QStringLiteral("unexpected argument \"%1\"").arg(args[index + 1]));
    return args[index];
}

QString FennimarCli::format() const
{
    static const QStringList known = {"tsv", "csv", "text", "html", "pdf", "xlsx", "docx"};
    const QString f = isSet(QStringLiteral("format")) ? option(QStringLiteral("format")) : QStringLiteral("tsv");
    if (!known.contains(f))
        usageError(QStringLiteral("unknown format \"%1\"").arg(f));
    if (f != QLatin1String("tsv") && !isSet(QStringLiteral("out")))
        usageError(QStringLiteral("the %1 format needs --out FILE").arg(f));
    return f;
}

void FennimarCli::writeTable(const QList<QStringList> &lines)
{
    writeTable(lines.size(), [&lines](qsizetype i) { return lines[i]; });
}

void FennimarCli::writeTable(qsizetype count, const std::function<QStringList(qsizetype)> &line)
{
    if (m_parser.positionalArguments().size() > 0)
        usageError(QStringLiteral("unexpected argument \"%1\"").arg(m_parser.positionalArguments().first()));
    const bool toFile = isSet(QStringLiteral("out"));
    QString text;
    for (qsizetype n = 0; n < count; ++n) {
        const QStringList fields = line(n);
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0)
                text += u'\t';
            text += tsvField(fields[i]);
        }
        text += u'\n';
        // Standard output takes the lines as they come; a file is written whole.
        if (!toFile && text.size() > 64 * 1024) {
            m_out << text;
            text.clear();
        }
    }
    if (toFile)
        writeExportFile(option(QStringLiteral("out")), text.toUtf8());
    else
        m_out << text;
}

void FennimarCli::writeExport(ExportView view, const QString &accountTitle)
{
    ExportSource source;
    source.view = view;
    source.from = m_from;
    source.to = m_to;
    source.now = OleDateTime::currentDateTime();
    if (view == ExportView::Accounts) {
        source.accounts = m_store->fillAccountList();
    } else if (view == ExportView::Transactions) {
        source.accountSelected = true;
        source.accountTitle = accountTitle;
        source.transactions = buildAccountTransRows(*m_store, option(QStringLiteral("account")), m_from, m_to);
    } else {
        source.plans = m_store->fillPlansList();
    }
    if (!writeExportAs(*exportKindNamed(format()), option(QStringLiteral("out")), source))
        failure(QStringLiteral("There is nothing to export: the list is empty."));
}

QString FennimarCli::requireAccount(const QString &id) const
{
    if (!m_store->accounts().contains(id))
        failure(QStringLiteral("There is no account \"%1\".").arg(id));
    return id;
}

QString FennimarCli::requireRecord(const QString &key, bool plan)
{
    if (plan) {
        if (!m_store->plans().contains(key))
            failure(QStringLiteral("There is no plan \"%1\".").arg(key));
    } else {
        m_store->loadAccountTransactions(accountIdOfKey(key));
        if (!m_store->accountTransactions().contains(key))
            failure(QStringLiteral("There is no transaction \"%1\".").arg(key));
    }
    return key;
}

namespace {

// Plans are looked at and changed under one lock, from one reading of the plan file.
void lockPlans(CDataStore &store, std::optional<CDataStore::ChangeLock> &lock, bool plan)
{
    if (!plan)
        return;
    lock.emplace(store);
    store.loadPlans();
}

} // namespace

// ------------------------------------------------------------------ commands

void FennimarCli::init()
{
    createDefaultSettings(m_workDir);
    ensureCategoryFile(m_workDir);
    ensureChartColourFile(m_workDir);
    if (entryType(settingsFilePath(m_workDir)) == EntryType::Missing)
        failure(QStringLiteral("Could not create the files of %1").arg(m_workDir));
    m_out << m_workDir << '\n';
}

void FennimarCli::listAccounts()
{
    if (format() != QLatin1String("tsv"))
        return writeExport(ExportView::Accounts, QString());
    QList<QStringList> lines;
    for (const auto &row : m_store->fillAccountList()) {
        const AccountRow &a = *row.data;
        lines << QStringList{a.id,
                             a.accountNumber,
                             a.name,
                             a.bank,
                             money(a.transactionSum),
                             money(a.minimumBalance),
                             QString::number(a.icon)};
    }
    writeTable(lines);
}

void FennimarCli::listTransactions()
{
    if (!isSet(QStringLiteral("account")))
        usageError(QStringLiteral("transactions needs --account ID"));
    const QString id = requireAccount(option(QStringLiteral("account")));
    const QString fmt = format();
    if (fmt != QLatin1String("tsv")) {
        const AccountRecord a = m_store->lookupAccount(id);
        return writeExport(ExportView::Transactions, a.bank + QStringLiteral(" - ") + a.accountNumber);
    }
    const AccountTransRows list = buildAccountTransRows(*m_store, id, m_from, m_to);
    QList<QStringList> lines;
    for (int i = 0; i < list.rows.size(); ++i) {
        const auto &row = list.rows[i];
        switch (list.kind(i)) {
        case AccountTransRows::Kind::Opening:
            lines << QStringList{"opening",
                                 QString(),
                                 row.data->date.toIsoString(),
                                 row.text(0),
                                 money(row.data->amount),
                                 money(row.data->balance)};
            break;
        case AccountTransRows::Kind::Transaction:
            lines << QStringList{"transaction",     row.data->key,           row.data->date.toIsoString(),
                                 row.data->subject, money(row.data->amount), money(row.data->balance)};
            break;
        case AccountTransRows::Kind::Plan:
            lines << QStringList{
                "plan",   row.data->key, row.data->date.toIsoString(), row.data->subject, money(row.data->amount),
                QString()};
            break;
        case AccountTransRows::Kind::Separator:
        case AccountTransRows::Kind::Heading:
            break;
        }
    }
    writeTable(lines);
}

namespace {

// Key, account number, date, subject, amount.
QStringList recordLine(const ListRow<TransactionRow> &row)
{
    const TransactionRow &r = *row.data;
    return QStringList{r.key, r.accountNumber, r.date.toIsoString(), r.subject, money(r.amount)};
}

} // namespace

void FennimarCli::listAllTransactions()
{
    if (format() != QLatin1String("tsv"))
        usageError(QStringLiteral("all-transactions offers the tsv format only"));
    const TransactionTable rows = m_store->fillAllTransRows(m_from, m_to, CDataStore::RowTexts::None);
    writeTable(rows.size(), [&rows](qsizetype i) { return recordLine(rows[i]); });
}

void FennimarCli::listPlans()
{
    if (format() != QLatin1String("tsv"))
        return writeExport(ExportView::Plans, QString());
    const TransactionTable rows = m_store->fillPlansList();
    writeTable(rows.size(), [&rows](qsizetype i) { return recordLine(rows[i]); });
}

namespace {

void applyAccountOptions(const QCommandLineParser &p, AccountRecord &a)
{
    if (p.isSet(kNumber))
        a.accountNumber = p.value(kNumber);
    if (p.isSet(kName))
        a.name = p.value(kName);
    if (p.isSet(kBank))
        a.bank = p.value(kBank);
    if (p.isSet(kMinimum))
        a.minimumBalance = parseAmount(p.value(kMinimum), QStringLiteral("--minimum"));
    if (p.isSet(kNotes))
        a.notes = p.value(kNotes);
    if (p.isSet(kIcon)) {
        bool ok = false;
        a.icon = p.value(kIcon).toInt(&ok);
        if (!ok || a.icon < 0)
            failure(QStringLiteral("--icon \"%1\" is not a picture index").arg(p.value(kIcon)));
    }
    const QString problem = accountProblem(a);
    if (!problem.isEmpty())
        failure(problem);
}

// The options given, as the record rules take them.
RecordInput recordInput(const QCommandLineParser &p)
{
    if (p.isSet(kExpense) && p.isSet(kIncome))
        usageError(QStringLiteral("--expense and --income exclude each other"));
    RecordInput input;
    if (p.isSet(kAmount))
        input.magnitude = parseAmount(p.value(kAmount), QStringLiteral("--amount"));
    if (p.isSet(kExpense) || p.isSet(kIncome))
        input.income = p.isSet(kIncome);
    // A day without a time of day is its noon, inside that day's period.
    if (p.isSet(kDate))
        input.date = parseDate(p.value(kDate), QStringLiteral("--date"), QTime(12, 0));
    if (p.isSet(kSubject))
        input.subject = p.value(kSubject);
    if (p.isSet(kCategory))
        input.category = p.value(kCategory);
    if (p.isSet(kNotes))
        input.notes = p.value(kNotes);
    return input;
}

} // namespace

void FennimarCli::addAccount()
{
    if (!m_parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument \"%1\"").arg(m_parser.positionalArguments().first()));
    AccountRecord a;
    applyAccountOptions(m_parser, a);
    m_out << m_store->addAccount(a) << '\n';
}

void FennimarCli::modifyAccount()
{
    const QString id = requireAccount(argument(0, QStringLiteral("the account id")));
    AccountRecord a = m_store->lookupAccount(id);
    applyAccountOptions(m_parser, a);
    m_store->modifyAccount(a);
}

void FennimarCli::deleteAccount()
{
    m_store->deleteAccount(requireAccount(argument(0, QStringLiteral("the account id"))));
}

void FennimarCli::addRecord(bool plan)
{
    if (!m_parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument \"%1\"").arg(m_parser.positionalArguments().first()));
    if (!isSet(QStringLiteral("account")))
        usageError(QStringLiteral("--account ID is needed"));
    if (!isSet(QStringLiteral("amount")))
        usageError(QStringLiteral("--amount X is needed"));
    TransactionRecord r;
    r.key = requireAccount(option(QStringLiteral("account")));
    RecordInput input = recordInput(m_parser);
    // A new record given no --subject is stored with the subject of a blank one.
    input.subject = input.subject.value_or(QString());
    applyRecordInput(input, r);
    m_out << (plan ? m_store->addPlan(r) : m_store->addTransaction(r)) << '\n';
}

void FennimarCli::modifyRecord(bool plan)
{
    std::optional<CDataStore::ChangeLock> lock;
    lockPlans(*m_store, lock, plan);
    const QString key =
        requireRecord(argument(0, plan ? QStringLiteral("the plan key") : QStringLiteral("the key")), plan);
    TransactionRecord r = plan ? m_store->lookupPlan(key) : m_store->lookupTransaction(key);
    applyRecordInput(recordInput(m_parser), r);
    if (plan)
        m_store->modifyPlan(key, r);
    else
        m_store->modifyTransaction(key, r);
}

void FennimarCli::deleteRecord(bool plan)
{
    std::optional<CDataStore::ChangeLock> lock;
    lockPlans(*m_store, lock, plan);
    const QString key =
        requireRecord(argument(0, plan ? QStringLiteral("the plan key") : QStringLiteral("the key")), plan);
    if (plan)
        m_store->deletePlan(key);
    else
        m_store->deleteTransaction(key);
}

void FennimarCli::convertPlan()
{
    std::optional<CDataStore::ChangeLock> lock;
    lockPlans(*m_store, lock, true);
    const QString key = requireRecord(argument(0, QStringLiteral("the plan key")), true);
    m_out << m_store->convertPlan(key) << '\n';
}

void FennimarCli::listCategories()
{
    printTree(m_out, readCategoryFile(m_workDir), 0);
}

void FennimarCli::check()
{
    if (!m_parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument \"%1\"").arg(m_parser.positionalArguments().first()));
    BookCheck found = checkBooks(m_workDir);
    for (const QString &line : found.lines())
        m_out << line << '\n';
    if (isSet(QStringLiteral("repair")) && found.repairable()) {
        const BookRepair repair = repairBooks(*m_store);
        for (const QString &moved : repair.moved)
            m_out << "moved " << moved << '\n';
        for (const QString &failed : repair.failures)
            m_err << failed << '\n';
        found = checkBooks(m_workDir);
        for (const QString &line : found.lines())
            m_out << "left: " << line << '\n';
    }
    if (!found.clean())
        throw CliError{Failed, found.summary(m_workDir)};
    m_out << found.summary(m_workDir) << '\n';
}

// ------------------------------------------------------------ find and backups

void FennimarCli::find()
{
    const QStringList words = m_parser.positionalArguments();
    if (words.isEmpty())
        usageError(QStringLiteral("missing the text to find"));
    FindLimits limits;
    if (isSet(QStringLiteral("account")))
        limits.accountId = requireAccount(option(QStringLiteral("account")));
    // Every date unless limited; a last day given without a time of day is included whole.
    if (isSet(QStringLiteral("from")))
        limits.from = parseDate(option(QStringLiteral("from")), QStringLiteral("--from"));
    if (isSet(QStringLiteral("to")))
        limits.to = parseDate(option(QStringLiteral("to")), QStringLiteral("--to"), QTime(23, 59, 59));
    if (isSet(QStringLiteral("min")))
        limits.minimum = parseAmount(option(QStringLiteral("min")), QStringLiteral("--min"));
    if (isSet(QStringLiteral("max")))
        limits.maximum = parseAmount(option(QStringLiteral("max")), QStringLiteral("--max"));
    for (const TransactionRecord &r : findTransactions(*m_store, SearchQuery(words.join(u' ')), limits)) {
        const QStringList fields{r.key, m_store->lookupAccount(r.accountId()).accountNumber, r.date.toIsoString(),
                                 r.subject, money(r.amount)};
        QStringList cleaned;
        for (const QString &f : fields)
            cleaned << tsvField(f);
        m_out << cleaned.join(u'\t') << '\n';
    }
}

void FennimarCli::backup()
{
    if (!m_parser.positionalArguments().isEmpty())
        usageError(QStringLiteral("unexpected argument \"%1\"").arg(m_parser.positionalArguments().first()));
    const QString path = writeBackup(m_workDir, QDate::currentDate());
    const BackupInfo info = readBackupInfo(path);
    m_out << path << '\n';
    m_err << QStringLiteral("%1 accounts, %2 transactions, %3 plans, %4 files")
                 .arg(info.accounts)
                 .arg(info.transactions)
                 .arg(info.plans)
                 .arg(info.files)
          << '\n';
    m_err.flush();
}

void FennimarCli::restore()
{
    const QString zip = argument(0, QStringLiteral("the backup (ZIP)"));
    if (!isSet(QStringLiteral("to")))
        usageError(QStringLiteral("restore needs --to DIR, a new folder"));
    const QString target = QDir(option(QStringLiteral("to"))).absolutePath();
    const int files = restoreBackup(zip, target);
    m_out << target << '\n';
    m_err << QStringLiteral("%1 files restored").arg(files) << '\n';
    m_err.flush();
}

// ------------------------------------------------------------ pictures and print

bool FennimarCli::drawsPictures(const QStringList &arguments)
{
    // The command is the first argument that is no option nor an option's value.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--workdir") || a == QLatin1String("--password-file")) {
            ++i;
            continue;
        }
        if (a.startsWith(u'-'))
            continue;
        return a == QLatin1String("report") || a == QLatin1String("print");
    }
    return false;
}

void FennimarCli::report()
{
    const QString which = argument(0, QStringLiteral("the report (balance or profit-loss)"));
    if (which != QLatin1String("balance") && which != QLatin1String("profit-loss"))
        usageError(QStringLiteral("unknown report \"%1\": balance or profit-loss").arg(which));
    const bool profitLoss = which == QLatin1String("profit-loss");
    if (!isSet(QStringLiteral("account")))
        usageError(QStringLiteral("report needs --account ID"));
    if (!isSet(QStringLiteral("out")))
        usageError(QStringLiteral("report needs --out FILE.png or FILE.svg"));
    static const QStringList kinds = {"line", "scatter", "bar2d", "bar3d"};
    int kind = profitLoss ? ReportChart::Scatter : ReportChart::Line;
    if (isSet(QStringLiteral("kind"))) {
        kind = int(kinds.indexOf(option(QStringLiteral("kind"))));
        if (kind < 0)
            usageError(QStringLiteral("unknown kind \"%1\": line, scatter, bar2d or bar3d")
                           .arg(option(QStringLiteral("kind"))));
    }
    bool values = readShowValues() != 0;
    if (isSet(QStringLiteral("values"))) {
        const QString v = option(QStringLiteral("values"));
        if (v != QLatin1String("on") && v != QLatin1String("off"))
            usageError(QStringLiteral("--values takes on or off"));
        values = v == QLatin1String("on");
    }
    QSize size = defaultReportSize();
    if (isSet(QStringLiteral("size"))) {
        static const QRegularExpression form(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$"));
        const QRegularExpressionMatch m = form.match(option(QStringLiteral("size")));
        size = m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
        if (size.width() < 100 || size.height() < 100 || size.width() > 10000 || size.height() > 10000)
            usageError(
                QStringLiteral("--size \"%1\" is not WxH of 100 to 10000 pixels").arg(option(QStringLiteral("size"))));
    }
    const QString id = requireAccount(option(QStringLiteral("account")));
    QString problem;
    const std::optional<ReportData> data = gatherReportData(*m_store, id, m_from, m_to, &problem);
    if (!data)
        failure(problem);
    ReportChart chart;
    setUpChart(chart, *data, m_workDir, values);
    saveReportImage(option(QStringLiteral("out")), chart, profitLoss, kind, size);
}

void FennimarCli::print()
{
    const QString list = argument(0, QStringLiteral("the list (plans, transactions or all-transactions)"));
    PrintTable table;
    if (list == QLatin1String("plans")) {
        table = plansPrintTable(m_store->fillPlansList());
    } else if (list == QLatin1String("transactions")) {
        if (!isSet(QStringLiteral("account")))
            usageError(QStringLiteral("print transactions needs --account ID"));
        const QString id = requireAccount(option(QStringLiteral("account")));
        table = accountTransPrintTable(buildAccountTransRows(*m_store, id, m_from, m_to));
    } else if (list == QLatin1String("all-transactions")) {
        table = allTransactionsPrintTable(m_store->fillAllTransRows(m_from, m_to));
    } else {
        usageError(QStringLiteral("unknown list \"%1\": plans, transactions or all-transactions").arg(list));
    }
    if (!isSet(QStringLiteral("out")))
        usageError(QStringLiteral("print needs --out FILE.pdf"));

    // Printed into a file of our own first, so that the named file is written whole or not at all.
    QTemporaryDir work;
    const QString pdf = work.filePath(QStringLiteral("print.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const QString suffix = printTitleSuffix(list);
    printer.setDocName(QStringLiteral("Fennimar") + suffix);
    // Screen pixels per centimetre of a 96-dpi screen, as the lists' widths are measured.
    if (CListPrintJob(table, suffix, 96 * 10 / 254).Print(printer) != GPrintJob::Printed)
        failure(QStringLiteral("Could not print to %1").arg(option(QStringLiteral("out"))));
    const auto bytes = readWholeFile(pdf);
    if (!bytes)
        failure(QStringLiteral("Could not print to %1").arg(option(QStringLiteral("out"))));
    writeExportFile(option(QStringLiteral("out")), *bytes);
}

// ------------------------------------------------------------------- import

void FennimarCli::importStatement()
{
    const QString path = argument(0, QStringLiteral("the statement file"));
    if (!isSet(QStringLiteral("account")))
        usageError(QStringLiteral("import needs --account ID"));
    const QString accountId = requireAccount(option(QStringLiteral("account")));
    std::optional<StatementFormat> format = formatFromSuffix(path);
    if (isSet(QStringLiteral("format"))) {
        format = formatNamed(option(QStringLiteral("format")));
        if (!format)
            usageError(QStringLiteral("unknown format \"%1\": csv, qif or ofx").arg(option(QStringLiteral("format"))));
    }
    StatementOptions options;
    options.ofxAccount = option(QStringLiteral("ofx-account"));
    const QString mapName = isSet(QStringLiteral("map-name")) ? option(QStringLiteral("map-name")) : QString();
    const QString decimal = option(QStringLiteral("decimal"));
    if (isSet(QStringLiteral("decimal")) && decimal != QLatin1String(",") && decimal != QLatin1String("."))
        usageError(QStringLiteral("--decimal takes , or ."));

    const StatementBytes file = readStatementFile(path);
    if (!file.ok())
        failure(file.error);
    if (!format)
        format = guessFormat(file.bytes);
    if (*format == StatementFormat::Csv) {
        // The columns given, kept under the name given, kept for the account's bank, or found in the file.
        CsvMapping mapping = guessCsvMapping(readCsvLayout(file.bytes));
        if (isSet(QStringLiteral("map"))) {
            QString problem;
            if (!mapping.setColumns(option(QStringLiteral("map")), &problem))
                usageError(QStringLiteral("--map: ") + problem);
        } else if (!mapName.isEmpty()) {
            const std::optional<CsvMapping> kept = readCsvMapping(mapName);
            if (!kept)
                usageError(QStringLiteral("no CSV mapping is kept under the name \"%1\"").arg(mapName));
            mapping = *kept;
        } else if (const std::optional<CsvMapping> kept = readCsvMapping(m_store->lookupAccount(accountId).bank)) {
            mapping = *kept;
        }
        if (isSet(QStringLiteral("date-format")))
            mapping.dateFormat = option(QStringLiteral("date-format"));
        if (isSet(QStringLiteral("decimal")))
            mapping.decimal = decimal.front();
        options.mapping = mapping;
    }
    const StatementRead read = readStatement(file.bytes, *format, options);
    if (read.needsAccountChoice)
        usageError(read.error + QStringLiteral(" Give --ofx-account ID."));
    if (!read.error.isEmpty())
        failure(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), read.error));

    m_store->loadAccountTransactions(accountId);
    QList<TransactionRecord> existing;
    for (const auto &entry : m_store->accountTransactions())
        existing << entry.value();
    const QList<CandidateStatus> status = matchCandidates(read.candidates, existing);
    const CategoryTree tree = readCategoryFile(m_workDir);
    const bool includePossible = isSet(QStringLiteral("include-possible"));
    QList<Candidate> wanted;
    QStringList categories;
    for (qsizetype i = 0; i < read.candidates.size(); ++i) {
        const Candidate &c = read.candidates[i];
        const QString category = categoryInTree(tree, c.category);
        m_out << c.line << '\t' << statusName(status[i]) << '\t';
        if (c.readable())
            m_out << c.date.toString(Qt::ISODate) << '\t' << money(c.amount) << '\t' << tsvField(c.subject) << '\t'
                  << category << '\n';
        else
            m_out << "\t\t\t\t" << tsvField(c.problem) << '\n';
        if (status[i] == CandidateStatus::New || (includePossible && status[i] == CandidateStatus::PossibleDuplicate)) {
            wanted << c;
            categories << category;
        }
    }
    m_out << importSummary(status) << '\n';
    if (isSet(QStringLiteral("dry-run"))) {
        m_out << "dry run: nothing was written\n";
        return;
    }
    const ImportResult result = importCandidates(*m_store, accountId, wanted, categories);
    m_out << result.keys.size() << (result.keys.size() == 1 ? " transaction imported\n" : " transactions imported\n");
    if (!result.error.isEmpty())
        failure(result.error);
    if (*format == StatementFormat::Csv && isSet(QStringLiteral("map")) && !mapName.isEmpty())
        writeCsvMapping(mapName, read.mapping);
}
