// The plan file: every plan of every account in one file, rewritten whole.

#include "datastore.h"

#include "formatters.h"
#include "recordfiles.h"

#include <QFileInfo>
#include <QLockFile>

namespace {

const QString kPlanExt = QStringLiteral(".pln");
// Beside the plan file; no search pattern of the data files matches it.
const QString kPlanLockName = QStringLiteral("Plan.lock");
constexpr qint64 kMaxPlanFileSize = qint64(1) << 30;

} // namespace

QString CDataStore::planFilePath() const
{
    // The first file the listing gives; a folder named like a plan file is passed over.
    const QStringList names = listEntries(m_workDir, kPlanExt, true);
    return names.isEmpty() ? QString() : filePath(names.first());
}

void CDataStore::loadPlans()
{
    m_mapPlans.clear();
    const QString path = planFilePath();
    if (path.isEmpty())
        return;
    const auto bytes = readWholeFile(path, kMaxPlanFileSize);
    if (!bytes) {
        skip(path, QStringLiteral("cannot be read"));
        return;
    }
    QString problem;
    const QList<TransactionRecord> records = decodePlans(*bytes, &problem);
    if (!problem.isEmpty())
        skip(path, problem);
    for (const TransactionRecord &r : records)
        m_mapPlans.insert(r.key, r);
}

void CDataStore::savePlans()
{
    QString path = planFilePath();
    if (path.isEmpty()) {
        const QByteArray bytes = encodePlans(m_mapPlans);
        nextFreeId([&](const QString &id) {
            path = filePath(QStringLiteral("Plan") + id + kPlanExt);
            return !writeNewFile(path, bytes);
        });
        return;
    }
    writeFileAtomic(path, encodePlans(m_mapPlans));
}

// Every plan change reads the file again under the lock, so a plan that another
// process of the program saved meanwhile is kept. A failed save puts the table
// back as the file still has it.
template <typename Change>
void CDataStore::changePlans(Change change)
{
    const QString lockPath = filePath(kPlanLockName);
    QLockFile lock(lockPath);
    lock.setStaleLockTime(30 * 1000);
    if (!lock.tryLock(10 * 1000)) {
        const QString reason = lock.error() == QLockFile::LockFailedError
                                   ? QStringLiteral("the plans are being changed by another program")
                                   : QStringLiteral("the lock file cannot be created");
        throw FileError(lockPath, reason, FileError::Lock);
    }
    loadPlans();
    RecordMap<TransactionRecord> before = m_mapPlans;
    try {
        change();
        savePlans();
    } catch (...) {
        m_mapPlans = std::move(before);
        throw;
    }
}

QString CDataStore::addPlan(TransactionRecord record)
{
    const QString accountId = record.key;
    if (!isValidRecordId(accountId))
        throw FileError(accountId, QStringLiteral("\"%1\" is not an account id").arg(accountId));
    QString key;
    changePlans([&] {
        key = accountId + nextFreeId([&](const QString &id) { return m_mapPlans.contains(accountId + id); });
        record.key = key;
        m_mapPlans.insert(key, record);
    });
    return key;
}

void CDataStore::modifyPlan(const QString &key, const TransactionRecord &record)
{
    if (!isValidRecordKey(key))
        throw FileError(key, QStringLiteral("\"%1\" is not a plan key").arg(key));
    changePlans([&] {
        TransactionRecord stored = record;
        stored.key = key;
        m_mapPlans.insert(key, stored);
    });
}

void CDataStore::deletePlan(const QString &key)
{
    changePlans([&] { m_mapPlans.remove(key); });
}

void CDataStore::deleteAllPlans(const QString &accountId)
{
    loadPlans();
    for (const QString &key : m_mapPlans.keys()) {
        if (key.left(16) == accountId)
            deletePlan(key);
    }
}

TransactionRecord CDataStore::lookupPlan(const QString &key) const
{
    return lookupIn(m_mapPlans, key);
}

QString CDataStore::convertPlan(const QString &key)
{
    loadPlans();
    const TransactionRecord *plan = m_mapPlans.find(key);
    if (!plan)
        throw FileError(planFilePath(), QStringLiteral("there is no plan \"%1\"").arg(key));
    TransactionRecord record = *plan;
    record.key = key.left(16);
    const QString transactionKey = addTransaction(record);
    try {
        deletePlan(key);
    } catch (...) {
        // Keep the books as they were: the plan stays, the new transaction goes.
        deleteTransaction(transactionKey);
        throw;
    }
    return transactionKey;
}

TransactionTable CDataStore::fillPlansList() const
{
    TransactionTable list;
    for (const auto &entry : m_mapPlans)
        list.append(recordRow(entry.value()));
    return list;
}

int CDataStore::fillAccountPlansList(TransactionTable &list, const QString &accountId)
{
    for (const auto &entry : m_mapPlans) {
        if (entry.key().left(16) == accountId)
            m_mapAccountPlans.insert(entry.key(), entry.value());
    }
    const int n = int(m_mapAccountPlans.size());
    // Selection by earliest date; among equal dates the first in table order.
    for (int i = 0; i < n; ++i) {
        auto candidate = m_mapAccountPlans.begin();
        for (auto it = candidate; it != m_mapAccountPlans.end(); ++it) {
            if (candidate.value().date > it.value().date)
                candidate = it;
        }
        const TransactionRecord r = candidate.value();
        ListRow<TransactionRow> row;
        row.texts = QStringList{formatDate(r.date), r.subject, amountText(r.amount), QString()};
        row.image = 0;
        row.data = rowFor(r, QString());
        list.append(std::move(row));
        m_mapAccountPlans.remove(r.key);
    }
    return n;
}
