#include "store/datastore.h"

#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "store/filenames.h"
#include "store/formatters.h"
#include "store/recordfiles.h"
#include "store/recordrules.h"

#include <QDir>

namespace {

constexpr int kLockWaitMs = 10 * 1000;

// The newest id handed out by this process.
QDateTime g_lastIdTime;

void requireId(const QString &id)
{
    if (!isValidRecordId(id))
        throw FileError(id + kAccountExtension, QStringLiteral("\"%1\" is not an account id").arg(id));
}

void requireKey(const QString &key, const QString &ext)
{
    if (!isValidRecordKey(key))
        throw FileError(key + ext, QStringLiteral("\"%1\" is not a record key").arg(key));
}

template <typename Record>
void requireStorable(const QString &path, const Record &record)
{
    const QString problem = recordProblem(record);
    if (!problem.isEmpty())
        throw FileError(path, problem);
}

} // namespace

CDataStore::CDataStore(const QString &workDir) : m_workDir(workDir) {}

CDataStore::ChangeLock::ChangeLock(CDataStore &store) : m_store(store)
{
    if (m_store.m_lockDepth == 0)
        m_store.m_lock = std::make_unique<FileLock>(m_store.m_workDir, kLockFileName, kLockWaitMs);
    ++m_store.m_lockDepth;
}

CDataStore::ChangeLock::~ChangeLock()
{
    if (--m_store.m_lockDepth == 0)
        m_store.m_lock.reset();
}

void CDataStore::setWorkDir(const QString &workDir)
{
    m_workDir = workDir;
    m_mapAccounts.clear();
    m_mapAccountTrans.clear();
    m_mapAllTrans.clear();
    m_mapPlans.clear();
    m_mapAccountPlans.clear();
    m_planProblem.clear();
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
std::optional<Record> CDataStore::readRecordFile(const DirEntry &entry,
                                                 std::optional<Record> (*read)(const QString &, const DirEntry &,
                                                                               QString *)) const
{
    QString problem;
    auto record = read(m_workDir, entry, &problem);
    if (!record)
        skip(filePath(entry.name), problem);
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
    for (const DirEntry &entry : listDirEntries(m_workDir, kAccountExtension)) {
        if (entry.type == EntryType::Directory)
            continue;
        if (const auto record = readRecordFile(entry, readAccountFile))
            m_mapAccounts.insert(record->id, *record);
    }
}

QString CDataStore::addAccount(AccountRecord record)
{
    requireStorable(m_workDir, record);
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
    const QString path = filePath(accountFileName(record.id));
    requireStorable(path, record);
    ChangeLock lock(*this);
    if (entryType(path) != EntryType::File) {
        m_mapAccounts.remove(record.id);
        throw FileError(path, QStringLiteral("There is no account \"%1\".").arg(record.id), FileError::Gone);
    }
    writeFileAtomic(path, encodeAccount(record));
    m_mapAccounts.insert(record.id, record);
}

void CDataStore::deleteAccount(const QString &id)
{
    requireId(id);
    ChangeLock lock(*this);
    // Its plans must be deletable before anything goes.
    loadPlans();
    requirePlansWhole();
    // The account goes first, so that a delete cut short leaves no half account,
    // only records of no account, which a check finds and moves aside.
    removeFile(filePath(accountFileName(id)));
    m_mapAccounts.remove(id);
    deleteAllTransactions(id);
    deleteAllPlans(id);
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
        loadTransactionFiles(m_mapAccountTrans, index.value(a.id));
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
    for (DirEntry &entry : listDirEntries(m_workDir, kTransactionExtension)) {
        if (entry.type != EntryType::Directory)
            index[accountIdOfKey(entry.name)].append(std::move(entry));
    }
    return index;
}

void CDataStore::loadTransactionFiles(RecordMap<TransactionRecord> &table, const QList<DirEntry> &files)
{
    // Each file is named by its key, whose first 16 characters name the account.
    table.clear();
    for (const DirEntry &entry : files) {
        if (const auto record = readRecordFile(entry, readTransactionFile))
            table.insert(record->key, *record);
    }
}

void CDataStore::loadAccountTransactions(const QString &accountId)
{
    loadTransactionFiles(m_mapAccountTrans, listTransactionFiles().value(accountId));
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
    requireStorable(m_workDir, record);
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
    requireKey(key, kTransactionExtension);
    const QString path = filePath(transactionFileName(key));
    TransactionRecord stored = record;
    stored.key = key;
    requireStorable(path, stored);
    ChangeLock lock(*this);
    // Never brings back a transaction that another program deleted meanwhile.
    if (entryType(path) != EntryType::File) {
        table.remove(key);
        throw FileError(path, QStringLiteral("There is no transaction \"%1\".").arg(key), FileError::Gone);
    }
    writeFileAtomic(path, encodeTransaction(stored));
    table.insert(key, stored);
}

void CDataStore::deleteTransactionIn(RecordMap<TransactionRecord> &table, const QString &key)
{
    requireKey(key, kTransactionExtension);
    ChangeLock lock(*this);
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
    ChangeLock lock(*this);
    loadAccountTransactions(accountId);
    // One sync of the folder for all of them.
    const QStringList keys = m_mapAccountTrans.keys();
    try {
        for (const QString &key : keys) {
            removeFile(filePath(transactionFileName(key)), false);
            m_mapAccountTrans.remove(key);
        }
    } catch (...) {
        syncFolder(m_workDir);
        throw;
    }
    syncFolder(m_workDir);
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
    const AccountRecord *account = m_mapAccounts.find(r.accountId());
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
    loadTransactionFiles(m_mapAccountTrans, index.value(accountId));
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
        loadTransactionFiles(m_mapAccountTrans, index.value(account.key()));
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
