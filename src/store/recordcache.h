#pragma once

#include "store/fileio.h"
#include "store/recordreader.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// What the store keeps of the record files it read, so that a program that
// shows the same books again and again (the desktop program) reads only what
// changed. Each file's result is kept by name with the identity the file had
// when it was read (inode, size, change and modification times).
//
// A kept result is used again only when nothing can have changed the file:
// - The folder is watched (inotify, set up before the first read): every
//   change made since, by this program or another, names the file, and the
//   file is forgotten. Where the watch cannot see every change (a network
//   file system, no inotify, a lost watch) each file's identity is compared
//   with the kept one instead.
// - A file whose change time lies within kUnsureNs of the moment it was read
//   could have been rewritten again in the same tick of the file system's
//   clock with the same size; it is unsure, and read again the next time.
class RecordCache
{
public:
    static constexpr qint64 kUnsureNs = 2'000'000'000;

    template <typename Record>
    struct Entry
    {
        RecordRead<Record> read;
        EntryType type = EntryType::File;
    };

    explicit RecordCache(bool watchAllowed = true) : m_watchAllowed(watchAllowed) {}
    ~RecordCache();
    RecordCache(const RecordCache &) = delete;
    RecordCache &operator=(const RecordCache &) = delete;

    // Forgets everything and watches `dir` from now on.
    void reset(const QString &dir);
    const QString &dir() const { return m_dir; }
    // Takes in every change the watch saw since the last call.
    void catchUp();
    bool watchAllowed() const { return m_watchAllowed; }
    // Whether the watch reports every change of the folder.
    bool watching() const { return m_watch >= 0 && m_localFolder; }

    // A listing kept up to date from the watch's events (only while watching).
    const QList<DirEntry> *listing(const QString &extension) const;
    void keepListing(const QString &extension, const QList<DirEntry> &entries);

    QHash<QString, Entry<AccountRecord>> &accounts() { return m_accounts; }
    QHash<QString, Entry<TransactionRecord>> &transactions() { return m_transactions; }
    template <typename Record>
    QHash<QString, Entry<Record>> &entries();

    // A file that changed, was written, replaced or removed, by this program
    // or another: whether or not it was kept, what was made of it is stale.
    void forget(const QString &name, bool namesChanged = true);
    void forgetAll();
    // Counts every change of what the cache holds (a file read or forgotten,
    // a listing dropped): while it stands still, fills from it give the same.
    quint64 generation() const { return m_generation; }
    void changed() { ++m_generation; }
    // The names forgotten since that generation, each once; nothing when they
    // are no longer known (everything was forgotten, or too many to keep).
    std::optional<QStringList> forgottenSince(quint64 generation) const;

    // Whether a file read at readStartNs with that identity can be kept.
    static bool isSure(const FileIdentity &identity, qint64 readStartNs)
    {
        return identity.isKnown() && identity.ctimeNs < readStartNs - kUnsureNs
               && identity.mtimeNs < readStartNs - kUnsureNs;
    }

private:
    // Brings the kept listings up to date for a name that came, went or was replaced.
    bool updateListings(const QString &name);
    void watch();
    void unwatch();

    QString m_dir;
    bool m_watchAllowed = true;
    int m_fd = -1;
    int m_watch = -1;
    bool m_localFolder = false;
    quint64 m_generation = 0;
    // The names forgotten after generation m_logFrom, with the generation each came at.
    static constexpr size_t kMaxLog = 4096;
    std::vector<std::pair<quint64, QString>> m_log;
    quint64 m_logFrom = 0;
    QHash<QString, QList<DirEntry>> m_listings; // by extension, lower case
    QHash<QString, Entry<AccountRecord>> m_accounts;
    QHash<QString, Entry<TransactionRecord>> m_transactions;
};

template <>
inline QHash<QString, RecordCache::Entry<AccountRecord>> &RecordCache::entries<AccountRecord>()
{
    return m_accounts;
}

template <>
inline QHash<QString, RecordCache::Entry<TransactionRecord>> &RecordCache::entries<TransactionRecord>()
{
    return m_transactions;
}
