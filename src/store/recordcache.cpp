#include "store/recordcache.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include <cerrno>

#include <unistd.h>

#ifdef __linux__
#include <sys/inotify.h>
#include <sys/vfs.h>
#endif

namespace {

#ifdef __linux__
// File systems whose changes made elsewhere (another machine, a server) no
// watch of this machine sees.
bool isLocalFolder(const QByteArray &dir)
{
    struct statfs fs
    {};
    if (::statfs(dir.constData(), &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x65735546UL: // FUSE
    case 0x01021997UL: // 9P
    case 0x00C36400UL: // Ceph
    case 0x5346414FUL: // AFS
    case 0x73757245UL: // Coda
    case 0x47504653UL: // GPFS
    case 0x0BD00BD0UL: // Lustre
        return false;
    default:
        return true;
    }
}
#endif

} // namespace

RecordCache::~RecordCache()
{
    unwatch();
}

void RecordCache::reset(const QString &dir)
{
    unwatch();
    forgetAll();
    m_dir = dir;
    watch();
}

void RecordCache::watch()
{
#ifdef __linux__
    if (m_dir.isEmpty() || !m_watchAllowed)
        return;
    if (m_fd < 0)
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0)
        return;
    const QByteArray dir = QFile::encodeName(m_dir);
    m_watch = ::inotify_add_watch(m_fd, dir.constData(),
                                  IN_CREATE | IN_DELETE | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM
                                      | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    m_localFolder = m_watch >= 0 && isLocalFolder(dir);
#endif
}

void RecordCache::unwatch()
{
    if (m_fd >= 0)
        ::close(m_fd); // drops the watch with it
    m_fd = -1;
    m_watch = -1;
    m_localFolder = false;
}

void RecordCache::catchUp()
{
#ifdef __linux__
    if (m_fd < 0)
        return;
    bool lost = false;
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            lost = true;
        if (n <= 0)
            break;
        for (const char *p = buffer; p < buffer + n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(p);
            p += sizeof(inotify_event) + event->len;
            // Events dropped, or the folder itself moved or gone: nothing kept can be trusted.
            if (event->mask & (IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
                lost = true;
                continue;
            }
            if (event->len == 0)
                continue;
            forget(QFile::decodeName(event->name), event->mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO));
        }
    }
    if (lost) {
        unwatch();
        forgetAll();
        watch();
    }
#endif
}

const QList<DirEntry> *RecordCache::listing(const QString &extension) const
{
    if (!watching())
        return nullptr;
    const auto it = m_listings.constFind(extension.toLower());
    return it == m_listings.constEnd() ? nullptr : &it.value();
}

void RecordCache::keepListing(const QString &extension, const QList<DirEntry> &entries)
{
    if (watching())
        m_listings.insert(extension.toLower(), entries);
}

void RecordCache::forget(const QString &name, bool namesChanged)
{
    // Even a name not kept counts: a fill may hold what it read of it (a file
    // read too soon after its change to be kept).
    m_accounts.remove(name);
    m_transactions.remove(name);
    if (namesChanged)
        updateListings(name);
    changed();
    if (m_log.size() >= kMaxLog) {
        m_log.clear();
        m_logFrom = m_generation;
        return;
    }
    m_log.emplace_back(m_generation, name);
}

std::optional<QStringList> RecordCache::forgottenSince(quint64 generation) const
{
    if (generation < m_logFrom)
        return std::nullopt;
    QStringList names;
    for (auto it = m_log.rbegin(); it != m_log.rend() && it->first > generation; ++it)
        names.append(it->second);
    names.removeDuplicates();
    return names;
}

bool RecordCache::updateListings(const QString &name)
{
    bool updated = false;
    for (auto it = m_listings.begin(); it != m_listings.end(); ++it) {
        if (!name.endsWith(it.key(), Qt::CaseInsensitive))
            continue;
        // The name as the folder has it now, in its place of the listing's order.
        const EntryType type = entryType(QDir(m_dir).filePath(name));
        QList<DirEntry> &entries = it.value();
        const auto place = std::partition_point(entries.begin(), entries.end(),
                                                [&](const DirEntry &e) { return listedBefore(e.name, name); });
        const bool listed = place != entries.end() && place->name == name;
        if (type == EntryType::Missing) {
            if (listed)
                entries.erase(place);
        } else if (listed) {
            place->type = type;
        } else {
            entries.insert(place, DirEntry{name, type});
        }
        updated = true;
    }
    return updated;
}

void RecordCache::forgetAll()
{
    m_listings.clear();
    m_accounts.clear();
    m_transactions.clear();
    changed();
    m_log.clear();
    m_logFrom = m_generation;
}
