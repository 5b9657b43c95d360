#include "store/bookcheck.h"

#include "store/archive.h"
#include "store/categoryfile.h"
#include "store/chartcolours.h"
#include "store/datastore.h"
#include "store/fileio.h"
#include "store/filenames.h"
#include "store/recordfiles.h"
#include "store/recordreader.h"
#include "store/settingsfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <functional>

namespace {

// What a check knows beyond the problems, for the repair that follows it.
struct Findings
{
    BookCheck check;
    QString planFile;               // the plan file's name, when there is one
    bool planFileDamaged = false;   // it does not read whole
    QList<TransactionRecord> plans; // what it holds, as far as it reads
    QSet<QString> orphanPlans;      // keys of plans of no account
};

// Reads one named data file; a problem is added for anything but a clean read.
std::optional<QByteArray> readEntry(const QString &dir, const DirEntry &entry, BookCheck &check)
{
    const QString path = QDir(dir).filePath(entry.name);
    FileRead file = readDataFile(path, kMaxDataFileSize, entry.type == EntryType::File);
    if (!file.ok()) {
        check.problems.append({entry.name, file.reason});
        return std::nullopt;
    }
    if (file.bytes.isEmpty()) {
        check.problems.append({entry.name, QStringLiteral("empty: an interrupted write")});
        return std::nullopt;
    }
    return std::move(file.bytes);
}

std::optional<DirEntry> namedEntry(const QString &dir, const QString &name)
{
    const EntryType type = entryType(QDir(dir).filePath(name));
    if (type == EntryType::Missing || type == EntryType::Directory)
        return std::nullopt;
    return DirEntry{name, type};
}

Findings findProblems(const QString &dir)
{
    Findings f;
    BookCheck &check = f.check;

    QSet<QString> accounts;
    QList<DirEntry> accountFiles = listDirEntries(dir, kAccountExtension);
    accountFiles.removeIf([](const DirEntry &e) { return e.type == EntryType::Directory; });
    const std::vector<AccountRead> accountReads = readAccountFiles(dir, accountFiles);
    for (size_t i = 0; i < accountReads.size(); ++i) {
        if (accountReads[i].ok())
            accounts.insert(accountReads[i].record->id);
        else
            check.problems.append({accountFiles[qsizetype(i)].name, accountReads[i].problem});
    }
    check.accounts = int(accounts.size());

    QList<DirEntry> transactionFiles = listDirEntries(dir, kTransactionExtension);
    transactionFiles.removeIf([](const DirEntry &e) { return e.type == EntryType::Directory; });
    // In slices, so that a large book is never held whole.
    constexpr qsizetype kSlice = 8192;
    for (qsizetype start = 0; start < transactionFiles.size(); start += kSlice) {
        const QList<DirEntry> slice = transactionFiles.mid(start, kSlice);
        const std::vector<TransactionRead> reads = readTransactionFiles(dir, slice, ReadDepth::Whole);
        for (size_t i = 0; i < reads.size(); ++i) {
            const QString &name = slice[qsizetype(i)].name;
            if (!reads[i].ok())
                check.problems.append({name, reads[i].problem});
            else if (const QString id = reads[i].record->accountId(); !accounts.contains(id))
                check.problems.append({name, QStringLiteral("its account %1 does not exist").arg(id)});
            else
                ++check.transactions;
        }
    }

    CDataStore store(dir);
    const QString planPath = store.planFilePath();
    if (!planPath.isEmpty()) {
        f.planFile = QFileInfo(planPath).fileName();
        const DirEntry entry{f.planFile, entryType(planPath)};
        const auto bytes = readEntry(dir, entry, check);
        f.planFileDamaged = !bytes;
        if (bytes) {
            QString why;
            f.plans = decodePlans(*bytes, &why);
            if (!why.isEmpty()) {
                f.planFileDamaged = true;
                check.problems.append({f.planFile, QStringLiteral("cannot be read whole: ") + why});
            }
            int orphans = 0;
            for (const TransactionRecord &p : f.plans) {
                if (!accounts.contains(p.accountId())) {
                    f.orphanPlans.insert(p.key);
                    ++orphans;
                }
            }
            check.plans = int(f.plans.size()) - orphans;
            if (orphans > 0)
                check.problems.append(
                    {f.planFile, QStringLiteral("%1 plan(s) of accounts that do not exist").arg(orphans)});
        }
    }

    if (const auto entry = namedEntry(dir, kCategoryFileName)) {
        if (const auto bytes = readEntry(dir, *entry, check); bytes && !decodeCategoryTree(*bytes))
            check.problems.append({entry->name, QStringLiteral("cut short or malformed")});
    }
    if (const auto entry = namedEntry(dir, kChartColourFileName)) {
        if (const auto bytes = readEntry(dir, *entry, check);
            bytes && *bytes != encodeChartColours(decodeChartColours(*bytes, 6)))
            check.problems.append({entry->name, QStringLiteral("not a count of 12 and twelve colours")});
    }
    const SettingsRead settings = readSettingsFile(dir);
    if (settings.status == SettingsRead::Damaged)
        check.problems.append({QFileInfo(settingsFilePath(dir)).fileName(),
                               settings.reason + QStringLiteral(" (nobody is admitted; a repair leaves it alone)"),
                               false});
    if (const auto lock = namedEntry(dir, kLockFileName); lock && lock->type != EntryType::File)
        check.problems.append(
            {lock->name, describeEntry(QDir(dir).filePath(lock->name)) + QStringLiteral(", not a file")});

    for (const DirEntry &entry : listDirEntries(dir, QString())) {
        if (entry.name.startsWith(kTempFilePrefix))
            check.problems.append({entry.name, QStringLiteral("left by an interrupted write")});
    }
    return f;
}

// Writes bytes as a new file in the folder under the name or, when taken, the name with ".2", ".3" ...
QString writeAside(const QString &folder, const QString &name, const QByteArray &bytes)
{
    if (!makePrivateDir(folder))
        throw FileError(folder, QStringLiteral("the folder cannot be created"));
    for (int n = 1; n < 10000; ++n) {
        const QString path = QDir(folder).filePath(n == 1 ? name : name + u'.' + QString::number(n));
        if (writeNewFile(path, bytes))
            return path;
    }
    throw FileError(QDir(folder).filePath(name), QStringLiteral("every name is taken"));
}

} // namespace

bool BookCheck::repairable() const
{
    return std::any_of(problems.begin(), problems.end(), [](const BookProblem &p) { return p.movable; });
}

QStringList BookCheck::lines() const
{
    QStringList out;
    for (const BookProblem &p : problems)
        out << p.name + QStringLiteral(": ") + p.reason;
    return out;
}

QString BookCheck::summary(const QString &workDir) const
{
    if (!clean())
        return QStringLiteral("%1 problem(s) found in %2").arg(problems.size()).arg(workDir);
    return QStringLiteral("%1 accounts, %2 transactions, %3 plans: no problems found in %4")
        .arg(accounts)
        .arg(transactions)
        .arg(plans)
        .arg(workDir);
}

BookCheck checkBooks(const QString &workDir)
{
    return findProblems(workDir).check;
}

QString damagedFolder(const QString &workDir)
{
    return QDir(QFileInfo(QDir(workDir).absolutePath()).absolutePath()).filePath(QStringLiteral("Damaged"));
}

BookRepair repairBooks(CDataStore &store)
{
    const QString dir = store.workDir();
    const QString folder = damagedFolder(dir);
    CDataStore::ChangeLock lock(store);
    const Findings f = findProblems(dir);
    BookRepair repair;
    const auto attempt = [&](const QString &name, const std::function<QString()> &move) {
        try {
            repair.moved << name + QStringLiteral(" -> ") + move();
        } catch (const FileError &e) {
            repair.failures << e.message();
        }
    };

    QSet<QString> done;
    for (const BookProblem &p : f.check.problems) {
        if (!p.movable || p.name == f.planFile || done.contains(p.name))
            continue;
        done.insert(p.name);
        attempt(p.name, [&] { return moveAside(QDir(dir).filePath(p.name), folder); });
    }

    if (!f.planFile.isEmpty() && (f.planFileDamaged || !f.orphanPlans.isEmpty())) {
        const QString planPath = QDir(dir).filePath(f.planFile);
        RecordMap<TransactionRecord> kept;
        RecordMap<TransactionRecord> orphans;
        for (const TransactionRecord &p : f.plans)
            (f.orphanPlans.contains(p.key) ? orphans : kept).insert(p.key, p);
        attempt(f.planFile, [&] {
            QString where;
            if (f.planFileDamaged) {
                where = moveAside(planPath, folder);
                if (!kept.isEmpty())
                    writeNewFile(planPath, encodePlans(kept));
            } else {
                // The plans of no account go first, so that they are never only in memory.
                where = writeAside(folder, f.planFile, encodePlans(orphans));
                writeFileAtomic(planPath, encodePlans(kept));
            }
            return where;
        });
    }
    return repair;
}
