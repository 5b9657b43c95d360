#pragma once

#include "store/fileio.h"
#include "store/records.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

// Reads many record files of one folder at once: the reads go to a pool of
// threads larger than the machine's core count, so that a disk whose cache is
// cold has many requests to answer together, and the threads decode what they
// read. The results come back in the order of the entries given, so a fill
// that walks them in that order inserts, sums and reports exactly as one that
// reads them one by one.

// How much of a transaction file a fill needs.
enum class ReadDepth {
    Whole,        // the record
    KeyAndAmount, // the amount and the table bucket of the key (the account list)
    WholeWithin,  // the record when its date lies within the ReadWindow, else as KeyAndAmount
};

// The dates a WholeWithin reading keeps records of: strictly after `after`
// and strictly before `before`.
struct ReadWindow
{
    OleDateTime after;
    OleDateTime before;
};

template <typename Record>
struct RecordRead
{
    std::optional<Record> record; // Whole (WholeWithin: within the window): the record, when usable
    QString problem;              // why the file cannot be used; empty when it can
    double amount = 0.0;          // transactions: the amount
    int bucket = 0;               // transactions: RecordMap bucket of the key
    FileIdentity identity;        // of the file as it was read (unknown when it was not)
    bool reused = false;          // the caller's copy is still good (see `expected`)

    bool ok() const { return problem.isEmpty(); }
};

using AccountRead = RecordRead<AccountRecord>;
using TransactionRead = RecordRead<TransactionRecord>;

// The entries of `dir` read as account or transaction files, with the checks
// and reasons of readAccountFile and readTransactionFile. With `expected`
// (one per entry, unknown for none), an entry whose file has that identity
// now is not read again: its result says `reused`.
std::vector<AccountRead> readAccountFiles(const QString &dir, const QList<DirEntry> &entries,
                                          const std::vector<FileIdentity> *expected = nullptr);
std::vector<TransactionRead> readTransactionFiles(const QString &dir, const QList<DirEntry> &entries, ReadDepth depth,
                                                  const std::vector<FileIdentity> *expected = nullptr,
                                                  const ReadWindow *window = nullptr);

// The number of reads in flight at most.
int recordReaderThreads();
