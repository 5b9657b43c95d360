// Undo and redo: data files captured whole and written back as they were.

#include "store/datastore.h"

#include "store/filenames.h"

#include <algorithm>

namespace {

void requirePlainName(const QString &workDir, const QString &name)
{
    if (name.isEmpty() || name.contains(u'/') || name == QLatin1String(".") || name == QLatin1String(".."))
        throw FileError(QDir(workDir).filePath(name), QStringLiteral("\"%1\" is not a data file name").arg(name));
}

bool isAccountFile(const QString &name)
{
    return name.endsWith(kAccountExtension, Qt::CaseInsensitive);
}

} // namespace

FileSnapshot CDataStore::captureFiles(const QStringList &names) const
{
    FileSnapshot snapshot;
    for (const QString &name : names) {
        requirePlainName(m_workDir, name);
        const FileRead file = readDataFile(filePath(name));
        FileState state;
        if (file.ok())
            state = {FileState::Bytes, file.bytes};
        else if (file.status != FileRead::Missing)
            state.kind = FileState::Unusable;
        snapshot.insert(name, state);
    }
    return snapshot;
}

QString CDataStore::restoreFiles(const FileSnapshot &expected, const FileSnapshot &target)
{
    ChangeLock lock(*this);
    const FileSnapshot current = captureFiles(expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const FileState &now = current.value(it.key());
        if (it->kind == FileState::Unusable || !(now == *it))
            return describeChange(it.key(), *it, now);
        if (target.value(it.key()).kind == FileState::Unusable)
            return describeChange(it.key(), *it, target.value(it.key()));
    }

    // Removals before writes, an account's file removed first and written
    // last: a restore cut short leaves no account without its records.
    QStringList order = target.keys();
    std::stable_sort(order.begin(), order.end(), [&](const QString &a, const QString &b) {
        const auto rank = [&](const QString &name) {
            const bool removal = target.value(name).kind == FileState::Missing;
            if (removal)
                return isAccountFile(name) ? 0 : 1;
            return isAccountFile(name) ? 3 : 2;
        };
        return rank(a) < rank(b);
    });
    const auto put = [this](const QString &name, const FileState &state) {
        if (state.kind == FileState::Bytes)
            writeFileAtomic(filePath(name), state.bytes);
        else
            removeFile(filePath(name), false);
        noteChanged(name);
    };
    QStringList done;
    try {
        for (const QString &name : order) {
            if (target.value(name) == expected.value(name))
                continue;
            put(name, target.value(name));
            done << name;
        }
        syncFolder(m_workDir);
    } catch (const FileError &) {
        // Back to the state the step left, as far as the disk lets.
        for (const QString &name : done) {
            try {
                put(name, expected.value(name));
            } catch (const FileError &) {
            }
        }
        syncFolder(m_workDir);
        m_allTransSource.reset();
        throw;
    }

    m_allTransSource.reset();
    if (std::any_of(order.begin(), order.end(), isAccountFile))
        loadAccounts();
    if (std::any_of(order.begin(), order.end(),
                    [](const QString &name) { return name.endsWith(kPlanExtension, Qt::CaseInsensitive); }))
        loadPlans();
    return {};
}

QStringList CDataStore::transactionFileNames(const QString &accountId) const
{
    QStringList names;
    for (const DirEntry &entry : listTransactionFiles().value(accountId))
        names << entry.name;
    return names;
}
