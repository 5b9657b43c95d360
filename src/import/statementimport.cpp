#include "import/statementimport.h"

#include "import/ofxreader.h"
#include "import/statementfile.h"
#include "store/datastore.h"
#include "store/fileio.h"
#include "store/recordrules.h"

#include <QTime>

StatementRead readStatement(const QByteArray &bytes, StatementFormat format, const StatementOptions &options)
{
    StatementRead read;
    read.format = format;
    switch (format) {
    case StatementFormat::Csv: {
        read.csv = readCsvLayout(bytes);
        read.description = QStringLiteral("CSV: ") + read.csv.description();
        if (read.csv.records.isEmpty()) {
            read.error = QStringLiteral("The CSV file holds no rows of a statement.");
            break;
        }
        read.mapping = options.mapping ? *options.mapping : guessCsvMapping(read.csv);
        const QString problem = read.mapping.problem(int(read.csv.columns.size()));
        if (!problem.isEmpty()) {
            read.error = problem;
            break;
        }
        read.candidates = csvCandidates(read.csv, read.mapping);
        break;
    }
    case StatementFormat::Qif: {
        const QifStatement qif = readQif(bytes, options.dayOrder);
        read.error = qif.error;
        read.candidates = qif.candidates;
        read.ambiguousOrder = qif.ambiguousOrder;
        read.dayOrder = qif.order;
        read.description =
            QStringLiteral("QIF: %1, dates %2")
                .arg(qif.encoding, qif.order == QifStatement::DayOrder::DayFirst ? QStringLiteral("day/month")
                                                                                 : QStringLiteral("month/day"));
        break;
    }
    case StatementFormat::Ofx: {
        const OfxStatement ofx = readOfx(bytes);
        read.error = ofx.error;
        read.ofxAccounts = ofx.accountIds();
        if (!read.error.isEmpty())
            break;
        const OfxStatement::Account *account = nullptr;
        if (!options.ofxAccount.isEmpty()) {
            account = ofx.account(options.ofxAccount);
            if (!account)
                read.error = QStringLiteral("The statement holds no account \"%1\"; it holds %2.")
                                 .arg(options.ofxAccount, read.ofxAccounts.join(QStringLiteral(", ")));
        } else if (ofx.accounts.size() == 1) {
            account = &ofx.accounts.first();
        } else {
            read.needsAccountChoice = true;
            read.error = QStringLiteral("The statement holds %1 accounts (%2): choose one.")
                             .arg(ofx.accounts.size())
                             .arg(read.ofxAccounts.join(QStringLiteral(", ")));
        }
        if (account) {
            read.ofxAccount = account->id;
            read.candidates = account->candidates;
            read.description = QStringLiteral("OFX: account %1").arg(account->id);
        }
        break;
    }
    }
    return read;
}

QString categoryInTree(const CategoryTree &tree, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || findCategory(tree, trimmed).isEmpty())
        return {};
    return trimmed;
}

QString statusName(CandidateStatus status)
{
    switch (status) {
    case CandidateStatus::New:
        return QStringLiteral("new");
    case CandidateStatus::Duplicate:
        return QStringLiteral("duplicate");
    case CandidateStatus::PossibleDuplicate:
        return QStringLiteral("possible duplicate");
    case CandidateStatus::Unreadable:
        return QStringLiteral("unreadable");
    }
    return {};
}

QString importSummary(const QList<CandidateStatus> &statuses)
{
    const auto count = [&](CandidateStatus s) { return int(statuses.count(s)); };
    const auto plural = [](int n, const QString &one, const QString &many) {
        return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? one : many);
    };
    QStringList parts{
        QStringLiteral("%1 new").arg(count(CandidateStatus::New)),
        plural(count(CandidateStatus::Duplicate), QStringLiteral("duplicate"), QStringLiteral("duplicates"))};
    if (const int n = count(CandidateStatus::PossibleDuplicate))
        parts << plural(n, QStringLiteral("possible duplicate"), QStringLiteral("possible duplicates"));
    if (const int n = count(CandidateStatus::Unreadable))
        parts << plural(n, QStringLiteral("line skipped"), QStringLiteral("lines skipped"));
    return parts.join(QStringLiteral(", "));
}

TransactionRecord transactionFor(const Candidate &candidate, const QString &accountId, const QString &category)
{
    TransactionRecord record(OleDateTime::fromDateTime(candidate.date, QTime(12, 0)));
    record.key = accountId;
    RecordInput input;
    input.subject = candidate.subject;
    input.magnitude = std::abs(candidate.amount);
    input.income = candidate.amount >= 0.0;
    input.category = category;
    input.notes = notesWithBankId(candidate.notes, candidate.bankId);
    applyRecordInput(input, record);
    return record;
}

ImportResult importCandidates(CDataStore &store, const QString &accountId, const QList<Candidate> &candidates,
                              const QStringList &categories, const std::function<bool(int, int)> &progress)
{
    ImportResult result;
    const int total = int(candidates.size());
    for (int i = 0; i < total; ++i) {
        const Candidate &c = candidates[i];
        if (!c.readable())
            continue;
        try {
            result.keys << store.addTransaction(transactionFor(c, accountId, categories.value(i)));
        } catch (const FileError &e) {
            result.error = QStringLiteral("%1\n%2 of %3 transactions were imported before it; the rest were not.")
                               .arg(e.message())
                               .arg(result.keys.size())
                               .arg(total);
            return result;
        }
        if (progress && !progress(int(result.keys.size()), total) && i + 1 < total) {
            result.cancelled = true;
            return result;
        }
    }
    return result;
}
