#pragma once

#include "import/candidate.h"
#include "import/candidatematch.h"
#include "import/csvreader.h"
#include "import/qifreader.h"
#include "store/categoryfile.h"
#include "store/records.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CDataStore;

// How to read a statement; what is not given is found from the file.
struct StatementOptions
{
    std::optional<CsvMapping> mapping;
    QifStatement::DayOrder dayOrder = QifStatement::DayOrder::Auto;
    QString ofxAccount; // the account of an OFX file that holds several
};

// A statement read: its candidates, and what was found on the way.
struct StatementRead
{
    StatementFormat format = StatementFormat::Csv;
    QString error;       // the file could not be read at all: nothing is imported
    QString description; // "CSV: ';' delimiter, header row, UTF-8", for the user
    QList<Candidate> candidates;

    CsvLayout csv;                                                  // CSV
    CsvMapping mapping;                                             // CSV: the mapping used
    bool ambiguousOrder = false;                                    // QIF: no date tells day from month
    QifStatement::DayOrder dayOrder = QifStatement::DayOrder::Auto; // QIF: the order used
    QStringList ofxAccounts;                                        // OFX: every account of the file
    QString ofxAccount;                                             // OFX: the one read
    bool needsAccountChoice = false;                                // OFX: several accounts and none chosen
};
StatementRead readStatement(const QByteArray &bytes, StatementFormat format, const StatementOptions &options = {});

// The category as the tree has it (trimmed, exact); empty when the tree has none of that name.
QString categoryInTree(const CategoryTree &tree, const QString &name);

// "42 new, 17 duplicates, 1 possible duplicate, 1 line skipped".
QString importSummary(const QList<CandidateStatus> &statuses);
// "new", "duplicate", "possible duplicate", "unreadable".
QString statusName(CandidateStatus status);

// The transaction a candidate becomes in the account, through the record rules
// as the dialogs use them: the day at noon, the bank id as the notes' last line.
TransactionRecord transactionFor(const Candidate &candidate, const QString &accountId, const QString &category);

// What an import wrote: the keys of the transactions added, in order. A write
// that failed stops the import; every transaction before it is whole on disk.
struct ImportResult
{
    QStringList keys;
    QString error;
    bool cancelled = false;
};
// Adds each candidate with its category (categories[i], or none) as a
// transaction of the account, one file each. `progress` is asked after each
// with the number written; false from it stops the import there.
ImportResult importCandidates(CDataStore &store, const QString &accountId, const QList<Candidate> &candidates,
                              const QStringList &categories = {},
                              const std::function<bool(int written, int total)> &progress = {});
