#pragma once

#include "records.h"
#include "recordmap.h"

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

// The plan file: the records read in file order. A file that breaks off keeps
// the whole records before the break, and `problem` tells what was wrong.
QList<TransactionRecord> decodePlans(QByteArrayView bytes, QString *problem = nullptr);

// Ids and keys become file names: a 16-character id or a 32-character key,
// with nothing that could leave the working directory or match other files.
bool isValidRecordId(const QString &id);
bool isValidRecordKey(const QString &key);
