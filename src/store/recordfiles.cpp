#include "store/recordfiles.h"

#include "store/archive.h"
#include "store/filenames.h"
#include "store/recordrules.h"

#include <QDir>

#include <cmath>

namespace {

void writeRecord(ArchiveWriter &out, const TransactionRecord &r)
{
    out.writeString(r.key);
    out.writeDate(r.date);
    out.writeString(r.subject);
    out.writeDouble(r.amount);
    out.writeInt32(r.incomeFlag);
    out.writeString(r.category);
    out.writeString(r.notes);
}

bool readRecord(ArchiveReader &in, TransactionRecord &r, QString *problem)
{
    if (!(in.readString(r.key) && in.readDate(r.date) && in.readString(r.subject) && in.readDouble(r.amount)
          && in.readInt32(r.incomeFlag) && in.readString(r.category) && in.readString(r.notes))) {
        if (problem)
            *problem = QStringLiteral("cut short or malformed");
        return false;
    }
    if (!isStorableDate(r.date)) {
        if (problem)
            *problem = QStringLiteral("a date outside the years 100 to 9999");
        return false;
    }
    if (!std::isfinite(r.amount)) {
        if (problem)
            *problem = QStringLiteral("an amount that is not a number");
        return false;
    }
    if (!isValidRecordKey(r.key)) {
        if (problem)
            *problem = QStringLiteral("unusable key \"%1\"").arg(r.key);
        return false;
    }
    return true;
}

bool isSafeName(const QString &name)
{
    if (name.trimmed() != name || name.contains(QLatin1String("..")))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"\\/:*?\"<>|").contains(c))
            return false;
    }
    return true;
}

template <typename Record>
std::optional<Record> recordFromFile(QByteArrayView bytes, const QString &entryName,
                                     std::optional<Record> (*decode)(QByteArrayView, QString *),
                                     QString (*fileName)(const Record &), QString *problem)
{
    const auto refuse = [&](const QString &why) -> std::optional<Record> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    if (bytes.isEmpty())
        return refuse(QStringLiteral("empty: an interrupted write"));
    QString why;
    auto record = decode(bytes, &why);
    if (!record)
        return refuse(why);
    const QString name = fileName(*record);
    if (name != entryName)
        return refuse(QStringLiteral("its name is not %1, the name of the record it holds").arg(name));
    return record;
}

template <typename Record>
std::optional<Record> readRecordFile(const QString &dir, const DirEntry &entry,
                                     std::optional<Record> (*decode)(QByteArrayView, QString *),
                                     QString (*fileName)(const Record &), QString *problem)
{
    const FileRead file = readDataFile(QDir(dir).filePath(entry.name), kMaxDataFileSize, entry.type == EntryType::File);
    if (!file.ok()) {
        if (problem)
            *problem = file.reason;
        return std::nullopt;
    }
    return recordFromFile<Record>(file.bytes, entry.name, decode, fileName, problem);
}

QString fileOf(const AccountRecord &r)
{
    return accountFileName(r.id);
}

QString fileOf(const TransactionRecord &r)
{
    return transactionFileName(r.key);
}

} // namespace

QString accountFileName(const QString &id)
{
    return id.trimmed() + kAccountExtension;
}

QString transactionFileName(const QString &key)
{
    return key.trimmed() + kTransactionExtension;
}

std::optional<AccountRecord> readAccountFile(const QString &dir, const DirEntry &entry, QString *problem)
{
    return readRecordFile<AccountRecord>(dir, entry, decodeAccount, fileOf, problem);
}

std::optional<TransactionRecord> readTransactionFile(const QString &dir, const DirEntry &entry, QString *problem)
{
    return readRecordFile<TransactionRecord>(dir, entry, decodeTransaction, fileOf, problem);
}

std::optional<AccountRecord> accountFromFile(QByteArrayView bytes, const QString &fileName, QString *problem)
{
    return recordFromFile<AccountRecord>(bytes, fileName, decodeAccount, fileOf, problem);
}

std::optional<TransactionRecord> transactionFromFile(QByteArrayView bytes, const QString &fileName, QString *problem)
{
    return recordFromFile<TransactionRecord>(bytes, fileName, decodeTransaction, fileOf, problem);
}

bool quickTransactionAmount(QByteArrayView bytes, QByteArrayView nativeFileName, double &amount, int &bucket,
                            OleDateTime *dateOut)
{
    ArchiveReader in(bytes);
    QByteArrayView key, text;
    bool wide = false, textWide = false;
    OleDateTime date;
    qint32 incomeFlag = 0;
    if (!(in.readStringBytes(key, wide) && !wide && in.readDate(date) && in.readStringBytes(text, textWide)
          && in.readDouble(amount) && in.readInt32(incomeFlag) && in.readStringBytes(text, textWide)
          && in.readStringBytes(text, textWide)))
        return false;
    if (!isStorableDate(date) || !std::isfinite(amount))
        return false;
    // A key of 32 plain ASCII characters is the same in the file's code page and
    // in the name; anything else is left to the full reading.
    if (key.size() != 32 || key.front() == ' ' || key.back() == ' ' || key.contains(".."))
        return false;
    for (const char c : key) {
        if (c < 0x20 || c > 0x7E || QByteArrayView("\\/:*?\"<>|").contains(c))
            return false;
    }
    if (nativeFileName.size() != key.size() + kTransactionExtension.size() || !nativeFileName.startsWith(key)
        || !nativeFileName.endsWith(QByteArrayView(kTransactionExtension.data(), kTransactionExtension.size())))
        return false;
    bucket = RecordMap<TransactionRecord>::bucketOfAscii(key);
    if (dateOut)
        *dateOut = date;
    return true;
}

bool isValidRecordId(const QString &id)
{
    return id.size() == 16 && isSafeName(id);
}

bool isValidRecordKey(const QString &key)
{
    return key.size() == 32 && isSafeName(key);
}

QByteArray encodeAccount(const AccountRecord &r)
{
    ArchiveWriter out;
    out.writeString(r.id);
    out.writeString(r.accountNumber);
    out.writeString(r.name);
    out.writeString(r.bank);
    out.writeDouble(r.minimumBalance);
    out.writeString(r.notes);
    out.writeInt32(r.icon);
    return out.bytes();
}

std::optional<AccountRecord> decodeAccount(QByteArrayView bytes, QString *problem)
{
    ArchiveReader in(bytes);
    AccountRecord r;
    if (!(in.readString(r.id) && in.readString(r.accountNumber) && in.readString(r.name) && in.readString(r.bank)
          && in.readDouble(r.minimumBalance) && in.readString(r.notes) && in.readInt32(r.icon))) {
        if (problem)
            *problem = QStringLiteral("cut short or malformed");
        return std::nullopt;
    }
    if (!isValidRecordId(r.id)) {
        if (problem)
            *problem = QStringLiteral("unusable id \"%1\"").arg(r.id);
        return std::nullopt;
    }
    return r;
}

QByteArray encodeTransaction(const TransactionRecord &record)
{
    ArchiveWriter out;
    writeRecord(out, record);
    return out.bytes();
}

std::optional<TransactionRecord> decodeTransaction(QByteArrayView bytes, QString *problem)
{
    ArchiveReader in(bytes);
    TransactionRecord r{OleDateTime()};
    if (!readRecord(in, r, problem))
        return std::nullopt;
    return r;
}

QByteArray encodePlans(const RecordMap<TransactionRecord> &plans)
{
    ArchiveWriter out;
    out.writeInt32(qint32(plans.size()));
    for (const auto &entry : plans)
        writeRecord(out, entry.value());
    return out.bytes();
}

QList<TransactionRecord> decodePlans(QByteArrayView bytes, QString *problem)
{
    QList<TransactionRecord> records;
    ArchiveReader in(bytes);
    qint32 count = 0;
    if (!in.readInt32(count)) {
        if (problem)
            *problem = QStringLiteral("cut short or malformed");
        return records;
    }
    for (qint32 i = 0; i < count; ++i) {
        TransactionRecord r{OleDateTime()};
        QString why;
        if (!readRecord(in, r, &why)) {
            if (problem)
                *problem = QStringLiteral("plan %1 of %2: %3").arg(i + 1).arg(count).arg(why);
            // A damaged record leaves nothing after it to trust.
            if (!in.ok())
                break;
            continue;
        }
        records.append(r);
    }
    if (in.ok() && !in.atEnd() && problem && problem->isEmpty())
        *problem = QStringLiteral("%1 bytes after the last of %2 plans").arg(in.remaining()).arg(qMax(count, 0));
    return records;
}
