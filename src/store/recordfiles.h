#pragma once

#include "store/fileio.h"
#include "store/recordmap.h"
#include "store/records.h"

#include <QByteArray>

#include <optional>

// The bytes of the account, transaction and plan files.

QByteArray encodeAccount(const AccountRecord &record);
QByteArray encodeTransaction(const TransactionRecord &record);
QByteArray encodePlans(const RecordMap<TransactionRecord> &plans);

// Decoders name what is wrong in `problem` and return nothing for a file that
// is cut short or malformed.
std::optional<AccountRecord> decodeAccount(QByteArrayView bytes, QString *problem = nullptr);
std::optional<TransactionRecord> decodeTransaction(QByteArrayView bytes, QString *problem = nullptr);

// The plan file: the records read in file order. A file that does not read
// whole (it breaks off, holds a record that cannot be used, or has bytes after
// the last record) keeps the whole records before the break, and `problem`
// tells what was wrong; such a file must not be written back.
QList<TransactionRecord> decodePlans(QByteArrayView bytes, QString *problem = nullptr);

// The files an account and a transaction are written to and deleted by.
QString accountFileName(const QString &id);
QString transactionFileName(const QString &key);

// The record of an account or transaction file of a folder's listing: read
// (a regular file only), decoded, and held in the file of its own name (a copy
// under another name would outlive every delete). Nothing, with the reason in
// *problem, for anything else.
std::optional<AccountRecord> readAccountFile(const QString &dir, const DirEntry &entry, QString *problem);
std::optional<TransactionRecord> readTransactionFile(const QString &dir, const DirEntry &entry, QString *problem);

// The same checks on bytes already read from the file named `fileName`: not
// empty, decoded whole, and named as its record.
std::optional<AccountRecord> accountFromFile(QByteArrayView bytes, const QString &fileName, QString *problem);
std::optional<TransactionRecord> transactionFromFile(QByteArrayView bytes, const QString &fileName, QString *problem);

// The amount of a transaction file and the table bucket of its key, read
// without decoding its texts. True only when transactionFromFile would take
// the file with this amount and key; false when it must be asked (a key that
// is not plain ASCII, or any fault, whose reason it gives).
bool quickTransactionAmount(QByteArrayView bytes, QByteArrayView nativeFileName, double &amount, int &bucket,
                            OleDateTime *date = nullptr);

// Ids and keys become file names: a 16-character id or a 32-character key,
// with nothing that could leave the working directory or match other files.
bool isValidRecordId(const QString &id);
bool isValidRecordKey(const QString &key);
