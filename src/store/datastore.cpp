#include "store/datastore.h"

#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "store/filenames.h"
#include "store/formatters.h"
#include "store/recordcache.h"
#include "store/recordfiles.h"
#include "store/recordrules.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <type_traits>

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

// The reads of one account's files [first, last) in the order its table walks
// them: buckets ascending, the latest inserted first within a bucket. Keys
// never repeat (each file is named by its key), so nothing is overwritten.
template <typename Visit>
void inTableOrder(const std::vector<TransactionRead> &reads, size_t first, size_t last, const Visit &visit)
{
    std::array<size_t, RecordMap<TransactionRecord>::HashSize + 1> starts{};
    for (size_t i = first; i < last; ++i) {
        if (reads[i].ok())
            ++starts[size_t(reads[i].bucket) + 1];
    }
    for (size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    std::vector<size_t> order(starts.back());
    std::array<size_t, RecordMap<TransactionRecord>::HashSize> fill{};
    std::copy(starts.begin(), starts.end() - 1, fill.begin());
    for (size_t i = first; i < last; ++i) {
        if (reads[i].ok())
            order[fill[size_t(reads[i].bucket)]++] = i;
    }
    for (size_t b = 0; b + 1 < starts.size(); ++b) {
        for (size_t j = starts[b + 1]; j > starts[b]; --j)
            visit(order[j - 1]);
    }
}

} // namespace

CDataStore::CDataStore(const QString &workDir) : m_workDir(workDir) {}

CDataStore::~CDataStore() = default;

void CDataStore::setCaching(bool on, bool watchFolder)
{
    m_allTransSource.reset();
    if (!on) {
        m_cache.reset();
        return;
    }
    if (!m_cache || m_cache->watchAllowed() != watchFolder)
        m_cache = std::make_unique<RecordCache>(watchFolder);
}

void CDataStore::syncCache() const
{
    if (m_cache->dir() != m_workDir)
        m_cache->reset(m_workDir);
    m_cache->catchUp();
}

void CDataStore::noteChanged(const QString &name, bool namesChanged) const
{
    if (m_cache)
        m_cache->forget(name, namesChanged);
}

QList<DirEntry> CDataStore::listFiles(const QString &extension) const
{
    if (!m_cache)
        return listDirEntries(m_workDir, extension);
    syncCache();
    if (const QList<DirEntry> *kept = m_cache->listing(extension))
        return *kept;
    QList<DirEntry> entries = listDirEntries(m_workDir, extension);
    m_cache->keepListing(extension, entries);
    return entries;
}

template <typename Record>
std::vector<RecordRead<Record>> CDataStore::readFiles(const QList<DirEntry> &entries, ReadDepth depth) const
{
    const auto read = [&](const QList<DirEntry> &files, const std::vector<FileIdentity> *expected) {
        if constexpr (std::is_same_v<Record, AccountRecord>)
            return readAccountFiles(m_workDir, files, expected);
        else
            return readTransactionFiles(m_workDir, files, depth, expected);
    };
    if (!m_cache)
        return read(entries, nullptr);

    // What the cache holds is whole, whatever this fill needs.
    depth = ReadDepth::Whole;
    syncCache();
    auto &kept = m_cache->entries<Record>();
    const bool watched = m_cache->watching();
    std::vector<RecordRead<Record>> results(size_t(entries.size()));
    QList<DirEntry> missing;
    std::vector<size_t> where;
    std::vector<FileIdentity> expected;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const auto it = kept.constFind(entries[i].name);
        const bool usable = it != kept.constEnd() && it->type == entries[i].type;
        if (usable && watched) {
            results[size_t(i)] = it->read;
            continue;
        }
        // Unwatched, a kept file is good while its identity is the same.
        missing.append(entries[i]);
        where.push_back(size_t(i));
        expected.push_back(usable ? it->read.identity : FileIdentity());
    }
    if (missing.isEmpty())
        return results;
    m_cache->changed();
    const qint64 readStart = wallClockNs();
    std::vector<RecordRead<Record>> fresh = read(missing, watched ? nullptr : &expected);
    for (size_t j = 0; j < fresh.size(); ++j) {
        RecordRead<Record> &r = fresh[j];
        const QString &name = missing[qsizetype(j)].name;
        if (r.reused) {
            results[where[j]] = kept.value(name).read;
            continue;
        }
        if (RecordCache::isSure(r.identity, readStart))
            kept.insert(name, {r, missing[qsizetype(j)].type});
        else
            kept.remove(name);
        results[where[j]] = std::move(r);
    }
    return results;
}

template <typename Record>
void CDataStore::reportProblems(const QList<DirEntry> &entries, const std::vector<RecordRead<Record>> &reads,
                                size_t first, size_t last) const
{
    for (size_t i = first; i < last; ++i) {
        if (!reads[i].ok())
            skip(filePath(entries[qsizetype(i)].name), reads[i].problem);
    }
}

CDataStore::ChangeLock::ChangeLock(CDataStore &store) : m_store(store)
{
    if (m_store.m_lockDepth == 0)
        m_store.m_lock = std::make_unique<FileLock>(m_store.m_workDir, kLockFileName, kLockWaitMs);
    ++m_store.m_lockDepth;
}

CDataStore::ChangeLock::~ChangeLock()
{
    if (--m_store.m_lockDepth == 0) {
        m_store.m_lock.reset();
        // Plans read under the lock may change the moment it goes.
        m_store.m_plansLoadedUnderLock = false;
    }
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
    m_planPath.clear();
    m_allTransSource.reset();
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
    QList<DirEntry> files = listFiles(kAccountExtension);
    files.removeIf([](const DirEntry &e) { return e.type == EntryType::Directory; });
    std::vector<AccountRead> reads = readFiles<AccountRecord>(files, ReadDepth::Whole);
    for (size_t i = 0; i < reads.size(); ++i) {
        if (!reads[i].ok())
            skip(filePath(files[qsizetype(i)].name), reads[i].problem);
        else
            m_mapAccounts.insert(reads[i].record->id, std::move(*reads[i].record));
    }
}

QString CDataStore::addAccount(AccountRecord record)
{
    requireStorable(m_workDir, record);
    const QString id = nextFreeId([&](const QString &candidate) {
        record.id = candidate;
        return !writeNewFile(filePath(accountFileName(candidate)), encodeAccount(record));
    });
    noteChanged(accountFileName(id));
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
    noteChanged(accountFileName(record.id));
    m_mapAccounts.insert(record.id, record);
}

void CDataStore::deleteAccount(const QString &id)
{
    requireId(id);
    ChangeLock lock(*this);
    // Its plans must be deletable before anything goes.
    if (!m_plansLoadedUnderLock)
        loadPlans();
    requirePlansWhole();
    // The account goes first, so that a delete cut short leaves no half account,
    // only records of no account, which a check finds and moves aside.
    removeFile(filePath(accountFileName(id)));
    noteChanged(accountFileName(id));
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
    std::vector<qsizetype> starts;
    const QList<DirEntry> files = accountsFiles(listTransactionFiles(), starts);
    const std::vector<TransactionRead> reads = readFiles<TransactionRecord>(files, ReadDepth::KeyAndAmount);
    size_t group = 0;
    for (const auto &entry : m_mapAccounts) {
        const AccountRecord &a = entry.value();
        const size_t first = size_t(starts[group]), last = size_t(starts[group + 1]);
        ++group;
        reportProblems(files, reads, first, last);
        double sum = 0.0;
        inTableOrder(reads, first, last, [&](size_t i) { sum += reads[i].amount; });
        ListRow<AccountRow> row;
        row.texts = QStringList{QString()};
        row.image = a.icon;
        row.data = AccountRow{a.id, a.name, a.accountNumber, a.bank, sum, a.minimumBalance, a.icon};
        list.append(std::move(row));
    }
    // As when each account's transactions were loaded and summed in turn.
    if (!m_mapAccounts.isEmpty())
        m_mapAccountTrans.clear();
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
    // The listing keeps an account's files together, nearly always: one lookup per run.
    QList<DirEntry> *group = nullptr;
    QStringView groupId;
    const QList<DirEntry> files = listFiles(kTransactionExtension);
    for (const DirEntry &entry : files) {
        if (entry.type == EntryType::Directory)
            continue;
        const QStringView id = QStringView(entry.name).left(16);
        if (!group || id != groupId) {
            group = &index[id.toString()];
            groupId = QStringView(group->isEmpty() ? entry.name : group->constFirst().name).left(16);
        }
        group->append(entry);
    }
    return index;
}

QList<DirEntry> CDataStore::accountsFiles(const TransactionIndex &index, std::vector<qsizetype> &groupStarts) const
{
    QList<DirEntry> files;
    groupStarts.clear();
    for (const auto &entry : m_mapAccounts) {
        groupStarts.push_back(files.size());
        files.append(index.value(entry.key()));
    }
    groupStarts.push_back(files.size());
    return files;
}

void CDataStore::loadTransactionFiles(RecordMap<TransactionRecord> &table, const QList<DirEntry> &files)
{
    // Each file is named by its key, whose first 16 characters name the account.
    table.clear();
    std::vector<TransactionRead> reads = readFiles<TransactionRecord>(files, ReadDepth::Whole);
    for (size_t i = 0; i < reads.size(); ++i) {
        if (!reads[i].ok())
            skip(filePath(files[qsizetype(i)].name), reads[i].problem);
        else
            table.insert(reads[i].record->key, std::move(*reads[i].record));
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
    noteChanged(transactionFileName(key));
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
    noteChanged(transactionFileName(key));
    table.insert(key, stored);
}

void CDataStore::deleteTransactionIn(RecordMap<TransactionRecord> &table, const QString &key)
{
    requireKey(key, kTransactionExtension);
    ChangeLock lock(*this);
    removeFile(filePath(transactionFileName(key)));
    noteChanged(transactionFileName(key));
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
            noteChanged(transactionFileName(key));
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

ListRow<TransactionRow> CDataStore::recordRow(const TransactionRecord &r, RowTexts texts) const
{
    const AccountRecord *account = m_mapAccounts.find(r.accountId());
    const QString number = account ? account->accountNumber : QString();
    ListRow<TransactionRow> row;
    if (texts == RowTexts::Shown)
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
    if (m_cache) {
        syncCache();
        const AllTransSource *source = m_allTransSource ? &*m_allTransSource : nullptr;
        if (source && m_cache->watching() && source->generation == m_cache->generation()
            && source->accountIds == m_mapAccounts.keys()) {
            for (const auto &[path, reason] : source->problems)
                skip(path, reason);
            if (!m_mapAccounts.isEmpty())
                m_mapAccountTrans = source->lastAccount;
            return;
        }
        if (source && m_cache->watching() && source->accountIds == m_mapAccounts.keys()
            && patchAllTransactions(*m_allTransSource))
            return;
    }
    m_allTransSource.reset();
    m_mapAllTrans.clear();
    std::vector<qsizetype> starts;
    const QList<DirEntry> files = accountsFiles(listTransactionFiles(), starts);
    m_mapAllTrans.reserve(files.size());
    AllTransSource source;
    const size_t groups = starts.size() - 1;
    // Read some accounts' files at a time: as fast, without every record of the
    // books waiting at once beside the table they go into.
    constexpr qsizetype kBatchFiles = 8192;
    for (size_t batchEnd = 0, group = 0; group < groups; group = batchEnd) {
        batchEnd = group + 1;
        while (batchEnd < groups && starts[batchEnd + 1] - starts[group] <= kBatchFiles)
            ++batchEnd;
        const qsizetype offset = starts[group];
        const QList<DirEntry> batch = files.mid(offset, starts[batchEnd] - offset);
        std::vector<TransactionRead> reads = readFiles<TransactionRecord>(batch, ReadDepth::Whole);
        for (; group < batchEnd; ++group) {
            const size_t first = size_t(starts[group] - offset), last = size_t(starts[group + 1] - offset);
            reportProblems(batch, reads, first, last);
            for (size_t i = first; m_cache && i < last; ++i) {
                if (!reads[i].ok())
                    source.problems.append({filePath(batch[qsizetype(i)].name), reads[i].problem});
            }
            // Each account's table is walked into the whole one; the last account's
            // stays loaded, as it did when every account was loaded in turn.
            if (group + 1 == groups) {
                m_mapAccountTrans.clear();
                for (size_t i = first; i < last; ++i) {
                    if (reads[i].ok())
                        m_mapAccountTrans.insert(reads[i].record->key, std::move(*reads[i].record));
                }
                for (const auto &entry : m_mapAccountTrans)
                    m_mapAllTrans.insert(entry.key(), entry.value());
                if (m_cache)
                    source.lastAccount = m_mapAccountTrans;
            } else {
                inTableOrder(reads, first, last, [&](size_t i) {
                    TransactionRecord &r = *reads[i].record;
                    const QString key = r.key;
                    m_mapAllTrans.insert(key, std::move(r));
                });
            }
        }
    }
    if (m_cache && m_cache->watching()) {
        source.generation = m_cache->generation();
        source.accountIds = m_mapAccounts.keys();
        m_allTransSource = std::move(source);
    }
}

void CDataStore::modifyAllTransaction(const QString &key, const TransactionRecord &record)
{
    m_allTransSource.reset();
    modifyTransactionIn(m_mapAllTrans, key, record);
}

void CDataStore::deleteAllTransaction(const QString &key)
{
    m_allTransSource.reset();
    deleteTransactionIn(m_mapAllTrans, key);
}

TransactionRecord CDataStore::lookupAllTransaction(const QString &key) const
{
    return lookupIn(m_mapAllTrans, key);
}

TransactionTable CDataStore::fillAllTransRows(const OleDateTime &fromDate, const OleDateTime &toDate, RowTexts texts)
{
    if (m_cache)
        return fillAllTransList(fromDate, toDate, texts);
    const ReadWindow window{periodStart(fromDate), periodEnd(toDate)};
    std::vector<qsizetype> starts;
    const QList<DirEntry> files = accountsFiles(listTransactionFiles(), starts);
    const std::vector<TransactionRead> reads =
        readTransactionFiles(m_workDir, files, ReadDepth::WholeWithin, nullptr, &window);
    const size_t groups = starts.size() - 1;
    for (size_t group = 0; group < groups; ++group)
        reportProblems(files, reads, size_t(starts[group]), size_t(starts[group + 1]));
    // The order fillAllTransList's table walks in: buckets ascending; within
    // one, the accounts from the last to the first, each account's files in
    // listing order (each account's table walked into the whole one, newest
    // first per bucket). Keys never repeat: each file is named by its key.
    std::array<std::vector<size_t>, RecordMap<TransactionRecord>::HashSize> buckets;
    for (size_t group = groups; group-- > 0;) {
        for (size_t i = size_t(starts[group]); i < size_t(starts[group + 1]); ++i) {
            if (reads[i].ok() && reads[i].record)
                buckets[size_t(reads[i].bucket)].push_back(i);
        }
    }
    TransactionTable list;
    for (const std::vector<size_t> &bucket : buckets) {
        for (const size_t i : bucket)
            list.append(recordRow(*reads[i].record, texts));
    }
    return list;
}

bool CDataStore::patchAllTransactions(AllTransSource &source)
{
    // A few files changed since the last rebuild: take each out and put back
    // what it holds now, where a rebuild would put it. Anything out of the
    // ordinary (the last account's files, names that differ only in case, a
    // key held twice) and the rebuild does it.
    constexpr qsizetype kMaxPatched = 256;
    const std::optional<QStringList> changed = m_cache->forgottenSince(source.generation);
    if (!changed || changed->size() > kMaxPatched || source.accountIds.isEmpty())
        return false;
    QHash<QStringView, qsizetype> accountPlace;
    for (qsizetype i = 0; i < source.accountIds.size(); ++i)
        accountPlace.insert(source.accountIds[i], i);
    const QString &lastAccount = source.accountIds.last();
    const QList<DirEntry> listing = listFiles(kTransactionExtension);
    QList<DirEntry> toRead;
    QStringList names;
    for (const QString &name : *changed) {
        if (!name.endsWith(kTransactionExtension, Qt::CaseInsensitive))
            continue; // accounts are compared whole; plans are no transactions
        const QString id = name.left(16);
        if (!accountPlace.contains(id))
            continue; // no account's file: no fill reads it
        if (id == lastAccount || !name.endsWith(kTransactionExtension))
            return false;
        const auto place = std::partition_point(listing.begin(), listing.end(),
                                                [&](const DirEntry &e) { return listedBefore(e.name, name); });
        const QString folded = name.toCaseFolded();
        for (auto it = place == listing.begin() ? place : place - 1; it != listing.end() && it <= place + 1; ++it) {
            if (it->name != name && it->name.toCaseFolded() == folded)
                return false;
        }
        names.append(name);
        if (place != listing.end() && place->name == name && place->type != EntryType::Directory)
            toRead.append(*place);
    }

    // Where a file's record goes: the accounts' files from the last account
    // to the first, each account's in listing order (see inTableOrder).
    const auto placeOf = [&](const QString &name) { return accountPlace.value(QStringView(name).left(16), -1); };
    const auto comesBefore = [&](const QString &a, const QString &b) {
        const qsizetype pa = placeOf(a), pb = placeOf(b);
        return pa != pb ? pa > pb : listedBefore(a, b);
    };
    for (const QString &name : names)
        m_mapAllTrans.remove(name.chopped(kTransactionExtension.size()));
    const auto problemName = [](const QString &path) { return path.mid(path.lastIndexOf(u'/') + 1); };
    source.problems.removeIf(
        [&](const std::pair<QString, QString> &p) { return names.contains(problemName(p.first)); });

    std::vector<TransactionRead> reads = readFiles<TransactionRecord>(toRead, ReadDepth::Whole);
    for (size_t i = 0; i < reads.size(); ++i) {
        const QString &name = toRead[qsizetype(i)].name;
        if (!reads[i].ok()) {
            // Problems are reported account by account from the first, in listing order.
            const auto at = std::find_if(source.problems.begin(), source.problems.end(), [&](const auto &p) {
                const QString other = problemName(p.first);
                const qsizetype pa = placeOf(name), pb = placeOf(other);
                return pa != pb ? pa < pb : listedBefore(name, other);
            });
            source.problems.insert(at, {filePath(name), reads[i].problem});
            continue;
        }
        TransactionRecord &record = *reads[i].record;
        if (m_mapAllTrans.contains(record.key))
            return false;
        const QString key = record.key;
        m_mapAllTrans.insertOrdered(key, std::move(record), [&](const QString &other) {
            return comesBefore(name, other + kTransactionExtension);
        });
    }
    for (const auto &[path, reason] : source.problems)
        skip(path, reason);
    m_mapAccountTrans = source.lastAccount;
    source.generation = m_cache->generation();
    return true;
}

TransactionTable CDataStore::fillAllTransList(const OleDateTime &fromDate, const OleDateTime &toDate, RowTexts texts)
{
    TransactionTable list;
    rebuildAllTransactions();
    const OleDateTime from = periodStart(fromDate);
    const OleDateTime to = periodEnd(toDate);
    for (const auto &entry : m_mapAllTrans) {
        const TransactionRecord &r = entry.value();
        if (r.date > from && r.date < to)
            list.append(recordRow(r, texts));
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
