#include "fuzzstatements.h"

#include "import/candidatematch.h"
#include "import/csvreader.h"
#include "import/ofxreader.h"
#include "import/qifreader.h"
#include "import/statementfile.h"
#include "import/statementimport.h"
#include "store/recordfiles.h"
#include "store/recordrules.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// A transaction key of the form the store hands out: account id, then an own id.
const QString kKey = QStringLiteral("2024011509301290") + QStringLiteral("2026120108000190");

bool sameBits(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

// Lines as an editor counts them: CR LF, CR and LF each end one.
int lineCount(QByteArrayView bytes)
{
    int lines = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++lines;
        } else if (bytes[i] == '\r') {
            ++lines;
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        }
    }
    return lines;
}

// The <STMTTRN> items of an OFX file, in upper or lower case, with blanks before the >.
int ofxItemCount(QByteArrayView bytes)
{
    static const QRegularExpression item(QStringLiteral("<STMTTRN\\s*>"), QRegularExpression::CaseInsensitiveOption);
    int count = 0;
    for (auto it = item.globalMatch(QString::fromLatin1(bytes)); it.hasNext(); it.next())
        ++count;
    return count;
}

// The file as the program opens it: refused whole, or taken byte for byte.
QString fileProblem(QByteArrayView bytes, bool *opened)
{
    *opened = false;
    QTemporaryFile file;
    if (!file.open() || file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush())
        return QStringLiteral("cannot write the input to a temporary file: ") + file.errorString();
    const StatementBytes read = readStatementFile(file.fileName());
    if (!read.ok()) {
        if (!read.bytes.isEmpty())
            return QStringLiteral("a file refused (%1) still hands over its bytes").arg(read.error);
        return {};
    }
    *opened = true;
    if (bytes.size() > kMaxStatementSize)
        return QStringLiteral("a file of %1 bytes is taken").arg(bytes.size());
    if (QByteArrayView(read.bytes) != bytes)
        return QStringLiteral("the file opens as %1 other bytes").arg(read.bytes.size());
    if (read.bytes.trimmed().isEmpty())
        return QStringLiteral("a blank file is taken");
    return {};
}

QString describe(const Candidate &c)
{
    return QStringLiteral("line %1 (%2 %3)").arg(c.line).arg(c.date.toString(Qt::ISODate), c.subject.left(40));
}

// One candidate, as found at a line of a file of `lastLine` lines (records for
// OFX, where items that libofx makes up beyond the file's tags are numbered on
// after them, unreadable).
QString candidateProblem(const Candidate &c, int lastLine, int lastUnreadableLine)
{
    if (c.line < 1 || c.line > (c.readable() ? lastLine : lastUnreadableLine))
        return QStringLiteral("a candidate at line %1 of a file of %2").arg(c.line).arg(lastLine);
    if (!c.readable()) {
        if (c.date.isValid() || !sameBits(c.amount, 0.0))
            return describe(c) + QStringLiteral(" is unreadable (%1) yet keeps a date or an amount").arg(c.problem);
        return {};
    }
    if (!c.date.isValid() || !isStorableDate(OleDateTime::fromDateTime(c.date, QTime(12, 0))))
        return describe(c) + QStringLiteral(" has a date no transaction may hold");
    if (!amountProblem(c.amount).isEmpty())
        return describe(c)
               + QStringLiteral(": the amount %1 %2").arg(c.amount, 0, 'g', 17).arg(amountProblem(c.amount));
    if (!sameBits(roundToCents(c.amount), c.amount))
        return describe(c) + QStringLiteral(": the amount %1 is no whole number of cents").arg(c.amount, 0, 'g', 17);

    TransactionRecord record = transactionFor(c, kKey.left(16), c.category);
    record.key = kKey;
    if (const QString why = recordProblem(record); !why.isEmpty())
        return describe(c) + QStringLiteral(" becomes a transaction that cannot be written: ") + why;
    if (record.date.date() != c.date || !sameBits(record.amount, c.amount))
        return describe(c) + QStringLiteral(" becomes a transaction of another day or amount");
    QString why;
    const std::optional<TransactionRecord> back = decodeTransaction(encodeTransaction(record), &why);
    if (!back)
        return describe(c) + QStringLiteral(": its transaction is written, then refused: ") + why;
    if (!(*back == record))
        return describe(c) + QStringLiteral(": its transaction changes when written and read again");
    if (bankIdOfNotes(back->notes) != c.bankId)
        return describe(c)
               + QStringLiteral(": the bank id \"%1\" comes back from the notes as \"%2\"")
                     .arg(c.bankId, bankIdOfNotes(back->notes));
    return {};
}

// The candidates of one statement, in file order.
QString candidatesProblem(const QList<Candidate> &candidates, int lastLine, int lastUnreadableLine)
{
    int previous = 0;
    for (const Candidate &c : candidates) {
        if (const QString why = candidateProblem(c, lastLine, lastUnreadableLine); !why.isEmpty())
            return why;
        if (c.line <= previous)
            return QStringLiteral("a candidate at line %1 after one at line %2").arg(c.line).arg(previous);
        previous = c.line;
    }
    // The same statement read again against what it imported adds nothing.
    QList<TransactionRecord> imported;
    for (const Candidate &c : candidates) {
        if (c.readable())
            imported << transactionFor(c, kKey.left(16), c.category);
    }
    const QList<CandidateStatus> status = matchCandidates(candidates, imported);
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const CandidateStatus expected =
            candidates[i].readable() ? CandidateStatus::Duplicate : CandidateStatus::Unreadable;
        if (status[i] != expected)
            return describe(candidates[i])
                   + QStringLiteral(" is \"%1\" against the transactions imported from it").arg(statusName(status[i]));
    }
    return {};
}

bool anyReadable(const QList<Candidate> &candidates)
{
    return std::any_of(candidates.begin(), candidates.end(), [](const Candidate &c) { return c.readable(); });
}

// Mappings a user may choose whatever the file's header says.
QList<CsvMapping> chosenMappings(const CsvMapping &guessed)
{
    CsvMapping signedAmount;
    signedAmount.date = 0;
    signedAmount.subject = 1;
    signedAmount.amount = 2;
    signedAmount.notes = 3;
    signedAmount.category = 4;
    signedAmount.dateFormat = guessed.dateFormat;
    signedAmount.decimal = u',';
    CsvMapping debitCredit;
    debitCredit.date = 0;
    debitCredit.debit = 1;
    debitCredit.credit = 2;
    debitCredit.subject = 3;
    debitCredit.dateFormat = guessed.dateFormat;
    CsvMapping shortYears = debitCredit;
    shortYears.subject = -1;
    shortYears.dateFormat = QStringLiteral("dd.MM.yy");
    shortYears.decimal = u',';
    return {signedAmount, debitCredit, shortYears};
}

QString csvProblem(const QByteArray &bytes, const StatementRead &read)
{
    const CsvLayout &layout = read.csv;
    const int lines = lineCount(bytes);
    int previous = 0;
    for (const CsvRecord &r : layout.records) {
        if (r.line <= previous || r.line > lines || r.line > layout.lineCount)
            return QStringLiteral("a record at line %1 after line %2, in a file of %3 lines (%4 by the layout)")
                .arg(r.line)
                .arg(previous)
                .arg(lines)
                .arg(layout.lineCount);
        if (r.fields.size() > layout.columns.size())
            return QStringLiteral("a record of %1 fields in a layout of %2 columns")
                .arg(r.fields.size())
                .arg(layout.columns.size());
        previous = r.line;
    }
    if (!read.error.isEmpty()) {
        if (!read.candidates.isEmpty())
            return QStringLiteral("refused (%1), yet with candidates").arg(read.error);
        return {};
    }
    if (read.candidates.size() != layout.records.size())
        return QStringLiteral("%1 candidates of %2 records").arg(read.candidates.size()).arg(layout.records.size());
    if (const QString why = candidatesProblem(read.candidates, lines, lines); !why.isEmpty())
        return QStringLiteral("guessed mapping %1: ").arg(read.mapping.columnsText()) + why;
    for (const CsvMapping &mapping : chosenMappings(read.mapping)) {
        if (!mapping.problem(int(layout.columns.size())).isEmpty())
            continue;
        const QList<Candidate> candidates = csvCandidates(layout, mapping);
        if (candidates.size() != layout.records.size())
            return QStringLiteral("%1 candidates of %2 records").arg(candidates.size()).arg(layout.records.size());
        if (const QString why = candidatesProblem(candidates, lines, lines); !why.isEmpty())
            return QStringLiteral("mapping %1, %2, '%3': ")
                       .arg(mapping.columnsText(), mapping.dateFormat, QString(mapping.decimal))
                   + why;
    }
    return {};
}

QString qifProblem(const QByteArray &bytes, const StatementRead &read)
{
    const int lines = lineCount(bytes);
    if (read.error.isEmpty() && read.dayOrder == QifStatement::DayOrder::Auto)
        return QStringLiteral("the day order is left to be found");
    if (!read.error.isEmpty() && !read.candidates.isEmpty())
        return QStringLiteral("refused (%1), yet with candidates").arg(read.error);
    if (const QString why = candidatesProblem(read.candidates, lines, lines); !why.isEmpty())
        return why;
    for (const auto order : {QifStatement::DayOrder::MonthFirst, QifStatement::DayOrder::DayFirst}) {
        const QifStatement qif = readQif(bytes, order);
        if (qif.error.isEmpty() && qif.order != order)
            return QStringLiteral("a day order given is not the one used");
        if (qif.candidates.size() != read.candidates.size())
            return QStringLiteral("%1 candidates in one day order, %2 in another")
                .arg(qif.candidates.size())
                .arg(read.candidates.size());
        if (const QString why = candidatesProblem(qif.candidates, lines, lines); !why.isEmpty())
            return (order == QifStatement::DayOrder::DayFirst ? QStringLiteral("day first: ")
                                                              : QStringLiteral("month first: "))
                   + why;
    }
    return {};
}

QString ofxProblem(const QByteArray &bytes, const OfxStatement &ofx)
{
    if (ofx.error.isEmpty() == ofx.accounts.isEmpty())
        return QStringLiteral("%1 accounts, and the error \"%2\"").arg(ofx.accounts.size()).arg(ofx.error);
    const int items = ofxItemCount(bytes);
    int candidates = 0;
    for (const OfxStatement::Account &account : ofx.accounts)
        candidates += int(account.candidates.size());
    QSet<QString> ids;
    for (const OfxStatement::Account &account : ofx.accounts) {
        if (ids.contains(account.id))
            return QStringLiteral("the account \"%1\" twice").arg(account.id);
        ids.insert(account.id);
        if (account.candidates.isEmpty())
            return QStringLiteral("the account \"%1\" without a transaction").arg(account.id);
        if (ofx.account(account.id) != &account)
            return QStringLiteral("choosing the account \"%1\" gives \"%2\"")
                .arg(account.id, ofx.account(account.id) ? ofx.account(account.id)->id : QStringLiteral("none"));
        if (const QString why = candidatesProblem(account.candidates, items, items + candidates); !why.isEmpty())
            return QStringLiteral("account \"%1\": ").arg(account.id) + why;
    }
    // An account number names the one account that has it, unless another's id is that number.
    for (const OfxStatement::Account &account : ofx.accounts) {
        const QString number = account.id.section(u' ', -1);
        const OfxStatement::Account *expected = nullptr;
        qsizetype numbered = 0;
        for (const OfxStatement::Account &other : ofx.accounts) {
            if (other.id == number)
                expected = &other;
            numbered += other.id.section(u' ', -1) == number ? 1 : 0;
        }
        if (!expected && numbered == 1)
            expected = &account;
        if (const OfxStatement::Account *chosen = ofx.account(number); chosen != expected)
            return QStringLiteral("choosing the account number \"%1\" gives \"%2\"")
                .arg(number, chosen ? chosen->id : QStringLiteral("none"));
    }
    return {};
}

} // namespace

namespace {

// The checks of one statement format: the file as the program opens it, the
// reading, and the format's own invariants.
template <typename Read, typename Accepted, typename Problem>
ReaderVerdict checkStatement(QByteArrayView input, const Read &read, const Accepted &accepted, const Problem &problem)
{
    ReaderVerdict v;
    bool opened = false;
    v.broken = fileProblem(input, &opened);
    if (!v.broken.isEmpty())
        return v;
    const QByteArray bytes = input.toByteArray();
    const auto result = read(bytes);
    v.accepted = opened && accepted(result);
    v.broken = problem(bytes, result);
    return v;
}

ReaderVerdict checkReadStatement(QByteArrayView input, StatementFormat format,
                                 QString (*problem)(const QByteArray &, const StatementRead &))
{
    return checkStatement(
        input, [format](const QByteArray &bytes) { return readStatement(bytes, format); },
        [](const StatementRead &read) { return read.error.isEmpty() && anyReadable(read.candidates); }, problem);
}

} // namespace

ReaderVerdict checkCsvStatement(QByteArrayView input)
{
    return checkReadStatement(input, StatementFormat::Csv, csvProblem);
}

ReaderVerdict checkQifStatement(QByteArrayView input)
{
    return checkReadStatement(input, StatementFormat::Qif, qifProblem);
}

ReaderVerdict checkOfxStatement(QByteArrayView input)
{
    return checkStatement(
        input, [](const QByteArray &bytes) { return readOfx(bytes); },
        [](const OfxStatement &ofx) {
        return ofx.error.isEmpty()
               && std::any_of(ofx.accounts.begin(), ofx.accounts.end(),
                              [](const OfxStatement::Account &a) { return anyReadable(a.candidates); });
        },
        ofxProblem);
}
