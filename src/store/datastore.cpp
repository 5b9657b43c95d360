#include "datastore.h"

#include "categoryfile.h"
#include "chartcolours.h"
#include "formatters.h"
#include "recordfiles.h"

#include <QDir>

namespace {

const QString kAccountExt = QStringLiteral(".act");
const QString kTransactionExt = QStringLiteral(".tra");

// The newest id handed out by this process.
QDateTime g_lastIdTime;

QString accountFileName(const QString &id)
{
    return id.trimmed() + kAccountExt;
}

QString transactionFileName(const QString &key)
{
    return key.trimmed() + kTransactionExt;
}

void requireId(const QString &id)
{
    if (!isValidRecordId(id))
        throw FileError(id + kAccountExt, QStringLiteral("\"%1\" is not an account id").arg(id));
}

void requireKey(const QString &key, const QString &ext)
{
    if (!isValidRecordKey(key))
        throw FileError(key + ext, QStringLiteral("\"%1\" is not a record key").arg(key));
}

} // namespace

CDataStore::CDataStore(const QString &workDir) : m_workDir(workDir)
{
}

void CDataStore::setWorkDir(const QString &workDir)
{
    m_workDir = workDir;
    m_mapAccounts.clear();
    m_mapAccountTrans.clear();
    m_mapAllTrans.clear();
    m_mapPlans.clear();
    m_mapAccountPlans.clear();
}

QString CDataStore::filePath(const QString &name) const
{
    return QDir(m_workDir).filePath(name);
}

void CDataStore::skip(const QString &path, const QString &reason) const
{
    if (m_problemHandler)
        m_problemHandler(path, reason);
}

template <typename Record>
std::optional<Record> CDataStore::readRecordFile(const QString &name,
                                                 std::optional<Record> (*decode)(QByteArrayView, QString *)) const
{
    const QString path = filePath(name);
    const auto bytes = readWholeFile(path);
    if (!bytes) {
        skip(path, QStringLiteral("cannot be read"));
        return std::nullopt;
    }
    QString problem;
    auto record = decode(*bytes, &problem);
    if (!record)
        skip(path, problem);
    return record;
}

void CDataStore::LoadAll()
{
    loadAccounts();
    m_mapAccountTrans.clear();
    loadPlans();
    rebuildAllTransactions();
    ensureCategoryFile();
    ensureChartColourFile();
}

void CDataStore::loadAtStartup()
{
    ensureCategoryFile();
    ensureChartColourFile();
    loadAccounts();
}

QString CDataStore::NewRecordId()
{
    const QDateTime now = QDateTime::currentDateTime();
    // Wall-clock seconds, kept apart from time zones so a clock set back by
    // daylight saving still yields later ids.
    QDateTime wall(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC);
    if (g_lastIdTime.isValid() && wall <= g_lastIdTime)
        wall = g_lastIdTime.addSecs(1);
    g_lastIdTime = wall;
    return wall.toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral("90");
}

QString CDataStore::nextFreeId(const std::function<bool(const QString &)> &taken)
{
    for (int attempt = 0; attempt < 100000; ++attempt) {
        const QString id = NewRecordId();
        if (!taken(id))
            return id;
    }
    throw FileError(m_workDir, QStringLiteral("no free record id"));
}

// ---------------------------------------------------------------- accounts

void CDataStore::loadAccounts()
{
    m_mapAccounts.clear();
    for (const QString &name : listEntries(m_workDir, kAccountExt, true)) {
        if (const auto record = readRecordFile(name, decodeAccount))
            m_mapAccounts.insert(record->id, *record);
    }
}

QString CDataStore::addAccount(AccountRecord record)
{
    const QString id = nextFreeId([&](const QString &candidate) {
        record.id = candidate;
        return !writeNewFile(filePath(accountFileName(candidate)), encodeAccount(record));
    });
    m_mapAccounts.insert(id, record);
    return id;
}

void CDataStore::modifyAccount(const AccountRecord &record)
{
    requireId(record.id);
    writeFileAtomic(filePath(accountFileName(record.id)), encodeAccount(record));
    m_mapAccounts.insert(record.id, record);
}

void CDataStore::deleteAccount(const QString &id)
{
    requireId(id);
    deleteAllTransactions(id);
    deleteAllPlans(id);
    removeFile(filePath(accountFileName(id)));
    m_mapAccounts.remove(id);
}

AccountRecord CDataStore::lookupAccount(const QString &id) const
{
    return m_mapAccounts.value(id, AccountRecord());
}

AccountTable CDataStore::fillAccountList()
{
    AccountTable list;
    const TransactionIndex index = listTransactionFiles();
    for (const auto &entry : m_mapAccounts) {
        const AccountRecord &a = entry.value();
        loadTransactionFiles(m_mapAccountTrans, a.id, index.value(a.id));
        const double sum = sumAccountTransactions();
        ListRow<AccountRow> row;
        row.texts = QStringList{QString()};
        row.image = a.icon;
        row.data = AccountRow{a.id, a.name, a.accountNumber, a.bank, sum, a.minimumBalance, a.icon};
        list.append(std::move(row));
    }
    return list;
}

AccountCombo CDataStore::fillAccountCombo(const QString &idToSelect) const
{
    AccountCombo combo;
    int select = 0;
    for (const auto &entry : m_mapAccounts) {
        const AccountRecord &a = entry.value();
        if (!idToSelect.isEmpty() && idToSelect == a.id)
            select = int(combo.items.size());
        combo.items.append({a.bank + QStringLiteral(" - ") + a.accountNumber, a.id, a.accountNumber});
    }
    if (!combo.items.isEmpty())
        combo.currentIndex = select;
    return combo;
}

// ------------------------------------------------------------ transactions

CDataStore::TransactionIndex CDataStore::listTransactionFiles() const
{
    TransactionIndex index;
    for (const QString &name : listEntries(m_workDir, kTransactionExt, true))
        index[name.left(16)].append(name);
    return index;
}

void CDataStore::loadTransactionFiles(RecordMap<TransactionRecord> &table, const QString &accountId,
                                      const QStringList &fileNames)
{
    table.clear();
    for (const QString &name : fileNames) {
        const auto record = readRecordFile(name, decodeTransaction);
        if (!record)
            continue;
        // The key names the file the record is written back to and deleted by.
        if (record->key.left(16) != accountId) {
            skip(filePath(name), QStringLiteral("key \"%1\" belongs to another account").arg(record->key));
            continue;
        }
        table.insert(record->key, *record);
    }
}

void CDataStore::loadAccountTransactions(const QString &accountId)
{
    loadTransactionFiles(m_mapAccountTrans, accountId, listTransactionFiles().value(accountId));
}

double CDataStore::sumAccountTransactions()
{
    double sum = 0.0;
    for (const auto &entry : m_mapAccountTrans)
        sum += entry.value().amount;
    m_mapAccountTrans.clear();
    return sum;
}

QString CDataStore::addTransaction(TransactionRecord record)
{
    const QString accountId = record.key;
    requireId(accountId);
    const QString key = accountId + nextFreeId([&](const QString &candidate) {
        record.key = accountId + candidate;
        return !writeNewFile(filePath(transactionFileName(record.key)), encodeTransaction(record));
    });
    m_mapAccountTrans.insert(key, record);
    return key;
}

void CDataStore::modifyTransactionIn(RecordMap<TransactionRecord> &table, const QString &key,
                                     const TransactionRecord &record)
{
    requireKey(key, kTransactionExt);
    TransactionRecord stored = record;
    stored.key = key;
    writeFileAtomic(filePath(transactionFileName(key)), encodeTransaction(stored));
    table.insert(key, stored);
}

void CDataStore::deleteTransactionIn(RecordMap<TransactionRecord> &table, const QString &key)
{
    requireKey(key, kTransactionExt);
    removeFile(filePath(transactionFileName(key)));
    table.remove(key);
}

void CDataStore::modifyTransaction(const QString &key, const TransactionRecord &record)
{
    modifyTransactionIn(m_mapAccountTrans, key, record);
}

void CDataStore::deleteTransaction(const QString &key)
{
    deleteTransactionIn(m_mapAccountTrans, key);
}

void CDataStore::deleteAllTransactions(const QString &accountId)
{
    loadAccountTransactions(accountId);
    for (const QString &key : m_mapAccountTrans.keys())
        deleteTransaction(key);
}

TransactionRecord CDataStore::lookupIn(const RecordMap<TransactionRecord> &table, const QString &key)
{
    const TransactionRecord *r = table.find(key);
    return r ? *r : TransactionRecord();
}

TransactionRecord CDataStore::lookupTransaction(const QString &key) const
{
    return lookupIn(m_mapAccountTrans, key);
}

TransactionRow CDataStore::rowFor(const TransactionRecord &r, const QString &accountNumber) const
{
    return TransactionRow{r.key, r.subject, accountNumber, r.amount, 0.0, r.date};
}

ListRow<TransactionRow> CDataStore::recordRow(const TransactionRecord &r) const
{
    const AccountRecord *account = m_mapAccounts.find(r.key.left(16));
    const QString number = account ? account->accountNumber : QString();
    ListRow<TransactionRow> row;
    row.texts = QStringList{number, formatDate(r.date), r.subject, amountText(r.amount)};
    row.data = rowFor(r, number);
    return row;
}

TransactionTable CDataStore::fillAccountTransList(const OleDateTime &from, const OleDateTime &to,
                                                  const QString &accountId)
{
    return fillAccountTransList(from, to, accountId, listTransactionFiles());
}

TransactionTable CDataStore::fillAccountTransList(const OleDateTime &fromDate, const OleDateTime &toDate,
                                                  const QString &accountId, const TransactionIndex &index)
{
    loadTransactionFiles(m_mapAccountTrans, accountId, index.value(accountId));
    TransactionTable list;
    ListRow<TransactionRow> opening;
    opening.texts = QStringList{QStringLiteral("Balance till ") + formatDate(fromDate.addDays(-1)), QString(),
                                QString(), QString()};
    opening.image = 0;
    list.append(opening);

    const OleDateTime from = periodStart(fromDate);
    const OleDateTime to = periodEnd(toDate);
    double sum = 0.0;
    for (const auto &entry : m_mapAccountTrans) {
        const TransactionRecord &r = entry.value();
        if (r.date < from)
            sum += r.amount;
        if (from < r.date && r.date < to) {
            ListRow<TransactionRow> row;
            row.texts = QStringList{formatDate(r.date), r.subject, amountText(r.amount), QString()};
            row.image = 0;
            row.data = rowFor(r, QString());
            list.append(std::move(row));
        }
    }
    list[0].texts[3] = QString::asprintf("%.2lf", sum);
    list[0].data = TransactionRow{QString(), QString(), QString(), sum, 0.0, from.addSecs(1)};
    return list;
}

double CDataStore::gatherAccountMovements(const QString &accountId, OleDateTime from, OleDateTime to,
                                          RecordMap<MovementRecord> &out)
{
    loadAccountTransactions(accountId);
    from = periodStart(from);
    to = periodEnd(to);
    double sum = 0.0;
    for (const auto &entry : m_mapAccountTrans) {
        const TransactionRecord &r = entry.value();
        if (r.date < from)
            sum += r.amount;
        if (from < r.date && r.date < to)
            out.insert(r.key, MovementRecord{r.key, r.amount, r.date});
    }
    return sum;
}

void CDataStore::rebuildAllTransactions()
{
    m_mapAllTrans.clear();
    const TransactionIndex index = listTransactionFiles();
    for (const auto &account : m_mapAccounts) {
        loadTransactionFiles(m_mapAccountTrans, account.key(), index.value(account.key()));
        for (const auto &entry : m_mapAccountTrans)
            m_mapAllTrans.insert(entry.key(), entry.value());
    }
}

void CDataStore::modifyAllTransaction(const QString &key, const TransactionRecord &record)
{
    modifyTransactionIn(m_mapAllTrans, key, record);
}

void CDataStore::deleteAllTransaction(const QString &key)
{
    deleteTransactionIn(m_mapAllTrans, key);
}

TransactionRecord CDataStore::lookupAllTransaction(const QString &key) const
{
    return lookupIn(m_mapAllTrans, key);
}

TransactionTable CDataStore::fillAllTransList(const OleDateTime &fromDate, const OleDateTime &toDate)
{
    TransactionTable list;
    rebuildAllTransactions();
    const OleDateTime from = periodStart(fromDate);
    const OleDateTime to = periodEnd(toDate);
    for (const auto &entry : m_mapAllTrans) {
        const TransactionRecord &r = entry.value();
        if (r.date > from && r.date < to)
            list.append(recordRow(r));
    }
    return list;
}

// ------------------------------------------------ category and chart colours

void CDataStore::ensureCategoryFile()
{
    ::ensureCategoryFile(m_workDir);
}

void CDataStore::ensureChartColourFile()
{
    ::ensureChartColourFile(m_workDir);
}
