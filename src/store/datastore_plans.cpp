// The plan file: every plan of every account in one file, rewritten whole.

#include "store/datastore.h"

#include "store/filenames.h"
#include "store/formatters.h"
#include "store/recordfiles.h"
#include "store/recordrules.h"

#include <QFileInfo>

namespace {

constexpr qint64 kMaxPlanFileSize = qint64(1) << 30;

} // namespace

QString CDataStore::planFilePath() const
{
    // The first entry the listing gives that is not a folder. A link or FIFO
    // of that name is the plan file too, one that cannot be read.
    for (const DirEntry &entry : listFiles(kPlanExtension)) {
        if (entry.type != EntryType::Directory)
            return filePath(entry.name);
    }
    return {};
}

void CDataStore::loadPlans()
{
    m_mapPlans.clear();
    m_planProblem.clear();
    const QString path = planFilePath();
    m_planPath = path;
    m_plansLoadedUnderLock = m_lockDepth > 0;
    if (path.isEmpty())
        return;
    const FileRead file = readDataFile(path, kMaxPlanFileSize);
    if (!file.ok()) {
        m_planProblem = file.reason;
        skip(path, file.reason);
        return;
    }
    QString problem;
    const QList<TransactionRecord> records = decodePlans(file.bytes, &problem);
    if (!problem.isEmpty()) {
        // Shown as far as it reads, never written back.
        m_planProblem = problem;
        skip(path, problem);
    }
    for (const TransactionRecord &r : records)
        m_mapPlans.insert(r.key, r);
}

void CDataStore::requirePlansWhole() const
{
    if (!m_planProblem.isEmpty())
        throw FileError(planFilePath(),
                        QStringLiteral("it cannot be read whole (%1), so the plans are left as they are "
                                       "until it is repaired")
                            .arg(m_planProblem));
}

void CDataStore::savePlans()
{
    writePlans(planFilePath());
}

void CDataStore::writePlans(QString path)
{
    requirePlansWhole();
    if (path.isEmpty()) {
        const QByteArray bytes = encodePlans(m_mapPlans);
        nextFreeId([&](const QString &id) {
            path = filePath(kPlanPrefix + id + kPlanExtension);
            return !writeNewFile(path, bytes);
        });
        noteChanged(QFileInfo(path).fileName());
        m_planPath = path;
        return;
    }
    writeFileAtomic(path, encodePlans(m_mapPlans));
    // Replaced by a rename: kept listings keep the name, the file is new.
    noteChanged(QFileInfo(path).fileName(), false);
}

// Every plan change reads the file again under the lock, so a plan that another
// process of the program saved meanwhile is kept; plans read under the lock
// already held need no second reading, and the save goes to the file that
// reading found, without looking for it again. A failed save puts the table
// back as the file still has it.
template <typename Change>
void CDataStore::changePlans(Change change)
{
    ChangeLock lock(*this);
    if (!m_plansLoadedUnderLock)
        loadPlans();
    requirePlansWhole();
    RecordMap<TransactionRecord> before = m_mapPlans;
    try {
        if (change())
            writePlans(m_planPath);
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
    const QString problem = recordProblem(record);
    if (!problem.isEmpty())
        throw FileError(planFilePath().isEmpty() ? m_workDir : planFilePath(), problem);
    QString key;
    changePlans([&] {
        key = accountId + nextFreeId([&](const QString &id) { return m_mapPlans.contains(accountId + id); });
        record.key = key;
        m_mapPlans.insert(key, record);
        return true;
    });
    return key;
}

void CDataStore::modifyPlan(const QString &key, const TransactionRecord &record)
{
    if (!isValidRecordKey(key))
        throw FileError(key, QStringLiteral("\"%1\" is not a plan key").arg(key));
    TransactionRecord stored = record;
    stored.key = key;
    const QString problem = recordProblem(stored);
    if (!problem.isEmpty())
        throw FileError(planFilePath(), problem);
    changePlans([&] {
        // Never brings back a plan that another program deleted or converted meanwhile.
        if (!m_mapPlans.contains(key))
            throw FileError(planFilePath(), QStringLiteral("There is no plan \"%1\".").arg(key), FileError::Gone);
        m_mapPlans.insert(key, stored);
        return true;
    });
}

void CDataStore::deletePlan(const QString &key)
{
    changePlans([&] { return m_mapPlans.remove(key); });
}

void CDataStore::deleteAllPlans(const QString &accountId)
{
    changePlans([&] {
        bool removed = false;
        for (const QString &key : m_mapPlans.keys()) {
            if (accountIdOfKey(key) == accountId)
                removed = m_mapPlans.remove(key) || removed;
        }
        return removed;
    });
}

TransactionRecord CDataStore::lookupPlan(const QString &key) const
{
    return lookupIn(m_mapPlans, key);
}

QString CDataStore::convertPlan(const QString &key)
{
    // Look, add and remove under one lock: a plan converts once.
    ChangeLock lock(*this);
    if (!m_plansLoadedUnderLock)
        loadPlans();
    requirePlansWhole();
    const TransactionRecord *plan = m_mapPlans.find(key);
    if (!plan)
        throw FileError(planFilePath(), QStringLiteral("There is no plan \"%1\".").arg(key), FileError::Gone);
    TransactionRecord record = *plan;
    record.key = accountIdOfKey(key);
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
        if (accountIdOfKey(entry.key()) == accountId)
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
