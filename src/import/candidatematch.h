#pragma once

#include "import/candidate.h"
#include "store/records.h"

#include <QList>
#include <QString>

// How a candidate stands against the transactions an account already holds.
enum class CandidateStatus { New, Duplicate, PossibleDuplicate, Unreadable };

// The bank's id of a transaction is kept as the last line of its notes.
QString bankIdOfNotes(const QString &notes);
// Notes with "[bank id: ID]" as their last line (lines end in CR LF); the
// notes as they are for an empty id.
QString notesWithBankId(const QString &notes, const QString &bankId);

// The status of each candidate, in order. A candidate with a bank id is a
// duplicate of a transaction that carries that id, whatever else changed
// since. Otherwise it matches a transaction of the same day, the same amount
// to the cent and the same subject (trimmed, case ignored), unless both carry
// bank ids and they differ: occurrences count, so N equal
// candidates against M equal transactions give N - M new ones. A second pass
// marks a new candidate as a possible duplicate when a transaction not
// matched yet has its amount within 3 days under another subject.
QList<CandidateStatus> matchCandidates(const QList<Candidate> &candidates, const QList<TransactionRecord> &existing);
