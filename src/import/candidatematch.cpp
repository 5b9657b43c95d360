#include "import/candidatematch.h"

#include "store/recordrules.h"

#include <QHash>

#include <cmath>

namespace {

const QString kBankIdStart = QStringLiteral("[bank id: ");

qint64 cents(double amount)
{
    return std::llround(amount * 100.0);
}

QString matchKey(const QDate &day, double amount, const QString &subject)
{
    return QStringLiteral("%1|%2|%3").arg(day.toJulianDay()).arg(cents(amount)).arg(subject.trimmed().toCaseFolded());
}

// The subject a candidate's transaction is stored with: a blank one becomes the
// placeholder, so that the candidate read again matches its own transaction.
QString storedSubject(const QString &subject)
{
    TransactionRecord record{OleDateTime()};
    RecordInput input;
    input.subject = subject;
    applyRecordInput(input, record);
    return record.subject;
}

} // namespace

QString bankIdOfNotes(const QString &notes)
{
    const qsizetype lineStart = notes.lastIndexOf(u'\n') + 1;
    const QString last = notes.mid(lineStart).trimmed();
    if (!last.startsWith(kBankIdStart) || !last.endsWith(u']'))
        return {};
    return last.mid(kBankIdStart.size(), last.size() - kBankIdStart.size() - 1);
}

QString notesWithBankId(const QString &notes, const QString &bankId)
{
    if (bankId.isEmpty())
        return notes;
    const QString line = kBankIdStart + bankId + u']';
    return notes.isEmpty() ? line : notes + QStringLiteral("\r\n") + line;
}

QList<CandidateStatus> matchCandidates(const QList<Candidate> &candidates, const QList<TransactionRecord> &existing)
{
    QList<CandidateStatus> status(candidates.size(), CandidateStatus::New);
    QList<bool> used(existing.size(), false);

    // The transactions by bank id, and by day, amount and subject.
    QHash<QString, QList<qsizetype>> byBankId;
    QHash<QString, QList<qsizetype>> byKey;
    QHash<qint64, QList<qsizetype>> byCents;
    QStringList bankIds;
    bankIds.reserve(existing.size());
    for (qsizetype i = 0; i < existing.size(); ++i) {
        const TransactionRecord &t = existing[i];
        const QString id = bankIdOfNotes(t.notes);
        bankIds << id;
        if (!id.isEmpty())
            byBankId[id] << i;
        byKey[matchKey(t.date.date(), t.amount, t.subject)] << i;
        byCents[cents(t.amount)] << i;
    }
    // Transactions taken by earlier candidates leave the front of a list, so
    // many equal rows against many equal transactions stay linear.
    const auto dropTaken = [&](QList<qsizetype> &list) {
        qsizetype n = 0;
        while (n < list.size() && used[list[n]])
            ++n;
        list.remove(0, n);
    };
    const auto take = [&](QList<qsizetype> &list) -> bool {
        while (!list.isEmpty()) {
            const qsizetype i = list.takeFirst();
            if (!used[i]) {
                used[i] = true;
                return true;
            }
        }
        return false;
    };

    for (qsizetype c = 0; c < candidates.size(); ++c) {
        const Candidate &candidate = candidates[c];
        if (!candidate.readable())
            status[c] = CandidateStatus::Unreadable;
        else if (!candidate.bankId.isEmpty() && take(byBankId[candidate.bankId]))
            status[c] = CandidateStatus::Duplicate;
    }
    for (qsizetype c = 0; c < candidates.size(); ++c) {
        if (status[c] != CandidateStatus::New)
            continue;
        const Candidate &candidate = candidates[c];
        QList<qsizetype> &same = byKey[matchKey(candidate.date, candidate.amount, storedSubject(candidate.subject))];
        dropTaken(same);
        for (const qsizetype i : std::as_const(same)) {
            // A transaction of another bank id is another movement, whatever it looks like.
            const QString &id = bankIds[i];
            if (used[i] || (!id.isEmpty() && !candidate.bankId.isEmpty() && id != candidate.bankId))
                continue;
            used[i] = true;
            status[c] = CandidateStatus::Duplicate;
            break;
        }
    }
    for (qsizetype c = 0; c < candidates.size(); ++c) {
        if (status[c] != CandidateStatus::New)
            continue;
        const Candidate &candidate = candidates[c];
        QList<qsizetype> &sameAmount = byCents[cents(candidate.amount)];
        dropTaken(sameAmount);
        for (const qsizetype i : std::as_const(sameAmount)) {
            const TransactionRecord &t = existing[i];
            if (used[i] || !t.date.date().isValid())
                continue;
            if (std::abs(t.date.date().daysTo(candidate.date)) <= 3) {
                used[i] = true;
                status[c] = CandidateStatus::PossibleDuplicate;
                break;
            }
        }
    }
    return status;
}
