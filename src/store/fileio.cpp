#include "store/fileio.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

const QString kTempFilePrefix = QStringLiteral(".fennimar-");

namespace {

WriteStepHook g_writeStepHook = nullptr;

void step(WriteStep s, const QString &path)
{
    if (g_writeStepHook)
        g_writeStepHook(s, path);
}

QString describe(const QString &path, const QString &reason, FileError::Operation operation)
{
    if (operation == FileError::Gone)
        return reason;
    const QString verb = operation == FileError::Delete ? QStringLiteral("delete")
                         : operation == FileError::Lock ? QStringLiteral("lock")
                                                        : QStringLiteral("save");
    return QStringLiteral("Could not %1 %2: %3").arg(verb, QDir::toNativeSeparators(path), reason);
}

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

QString kindOf(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("not a regular file");
}

QString notAFile(mode_t mode)
{
    return QStringLiteral("is %1, not a file").arg(kindOf(mode));
}

// Closes a descriptor when it goes out of scope.
struct Fd
{
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
};

bool writeAll(int fd, const QByteArray &bytes, int &error)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (n == 0) {
            error = ENOSPC;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

QByteArray randomTempName(const QByteArray &dir)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray name = dir + '/' + native(kTempFilePrefix);
    for (int i = 0; i < 10; ++i)
        name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    return name;
}

enum class LinkResult { Linked, Taken, Unsupported, Failed };

// Gives an O_TMPFILE file a name; fails with EEXIST when the name is taken.
LinkResult linkAnonymous(int fd, const QByteArray &target, int &error)
{
#ifdef AT_EMPTY_PATH
    if (::linkat(fd, "", AT_FDCWD, target.constData(), AT_EMPTY_PATH) == 0)
        return LinkResult::Linked;
    if (errno == EEXIST)
        return LinkResult::Taken;
#endif
    // Without the capability that AT_EMPTY_PATH needs, the link goes through /proc.
    const QByteArray proc = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, proc.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0)
        return LinkResult::Linked;
    error = errno;
    if (error == EEXIST)
        return LinkResult::Taken;
    if (error == ENOENT || error == EPERM || error == EXDEV || error == EOPNOTSUPP || error == EACCES)
        return LinkResult::Unsupported;
    return LinkResult::Failed;
}

// A named file must not replace another: a hard link fails when the name is
// taken; where the file system has no hard links, a rename that does not replace.
LinkResult linkNamed(const QByteArray &temp, const QByteArray &target, int &error)
{
    if (::link(temp.constData(), target.constData()) == 0) {
        ::unlink(temp.constData());
        return LinkResult::Linked;
    }
    error = errno;
    if (error == EEXIST)
        return LinkResult::Taken;
#ifdef RENAME_NOREPLACE
    if (error == EPERM || error == EOPNOTSUPP || error == EMLINK) {
        if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
            return LinkResult::Linked;
        error = errno;
        if (error == EEXIST)
            return LinkResult::Taken;
    }
#endif
    return LinkResult::Failed;
}

void syncFolderNative(const QByteArray &dir)
{
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Some file systems cannot sync a folder; the names are then as safe as they get.
    ::fsync(fd);
    ::close(fd);
}

// Writes the bytes to a new private file in the folder of `path` and gives it
// that name: exclusively (false when taken) or replacing what is there.
bool publish(const QString &path, const QByteArray &bytes, bool replace)
{
    const QByteArray target = native(path);
    const QByteArray dir = native(folderOf(path));
    for (const bool anonymous : {true, false}) {
        QByteArray tempName;
        int fd = -1;
        if (anonymous) {
#ifdef O_TMPFILE
            fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
#endif
            if (fd < 0)
                continue; // no unnamed files here: a named temporary file instead
        } else {
            tempName = dir + '/' + native(kTempFilePrefix) + "XXXXXX";
            fd = ::mkostemp(tempName.data(), O_CLOEXEC);
            if (fd < 0)
                throw FileError(path, errnoText(errno));
        }
        Fd guard(fd);
        const auto dropTemp = [&] {
            if (!tempName.isEmpty())
                ::unlink(tempName.constData());
        };
        int error = 0;
        if (!writeAll(fd, bytes, error)) {
            dropTemp();
            throw FileError(path, errnoText(error));
        }
        step(WriteStep::Written, path);
        if (::fsync(fd) != 0) {
            error = errno;
            dropTemp();
            throw FileError(path, errnoText(error));
        }
        step(WriteStep::Synced, path);

        if (!replace) {
            const LinkResult r = anonymous ? linkAnonymous(fd, target, error) : linkNamed(tempName, target, error);
            if (r == LinkResult::Unsupported)
                continue;
            if (r == LinkResult::Taken) {
                dropTemp();
                return false;
            }
            if (r == LinkResult::Failed) {
                dropTemp();
                throw FileError(path, errnoText(error));
            }
        } else {
            if (anonymous) {
                LinkResult r = LinkResult::Taken;
                for (int attempt = 0; attempt < 100 && r == LinkResult::Taken; ++attempt) {
                    tempName = randomTempName(dir);
                    r = linkAnonymous(fd, tempName, error);
                }
                if (r == LinkResult::Unsupported)
                    continue;
                if (r != LinkResult::Linked) {
                    if (r == LinkResult::Taken)
                        error = EEXIST;
                    throw FileError(path, errnoText(error));
                }
            }
            if (::rename(tempName.constData(), target.constData()) != 0) {
                error = errno;
                dropTemp();
                throw FileError(path, errnoText(error));
            }
        }
        step(WriteStep::Published, path);
        syncFolderNative(dir);
        step(WriteStep::FolderSynced, path);
        return true;
    }
    throw FileError(path, QStringLiteral("no temporary file can be made in its folder"));
}

} // namespace

FileError::FileError(const QString &path, const QString &reason, Operation operation)
    : std::runtime_error(describe(path, reason, operation).toStdString())
    , m_path(path)
    , m_reason(reason)
    , m_operation(operation)
{}

QString FileError::message() const
{
    return QString::fromStdString(what());
}

namespace {

FileIdentity identityOf(const struct stat &st)
{
    FileIdentity id;
    id.device = quint64(st.st_dev);
    id.inode = quint64(st.st_ino);
    id.size = qint64(st.st_size);
    id.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    id.ctimeNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return id;
}

FileRead::Status fail(FileRead::Status status, QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return status;
}

QString tooLarge(qint64 maxSize)
{
    return QStringLiteral("is larger than %1 bytes").arg(maxSize);
}

} // namespace

FileRead::Status readDataFileAt(int dirFd, const char *name, bool listedAsFile, QByteArray &buffer, qsizetype &size,
                                FileIdentity *identity, QString *reason, qint64 maxSize)
{
    size = 0;
    struct stat st
    {};
    // A device or FIFO is never opened, not even to look at it; an entry that
    // the folder's listing gave as a regular file needs no second look.
    if (listedAsFile)
        st.st_mode = S_IFREG;
    else if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return fail(FileRead::Missing, reason, QStringLiteral("does not exist"));
        return fail(FileRead::Unreadable, reason, errnoText(error));
    }
    if (!S_ISREG(st.st_mode))
        return fail(FileRead::NotAFile, reason, notAFile(st.st_mode));
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return fail(FileRead::Missing, reason, QStringLiteral("does not exist"));
        if (error == ELOOP)
            return fail(FileRead::NotAFile, reason, notAFile(S_IFLNK));
        return fail(FileRead::Unreadable, reason, errnoText(error));
    }
    Fd guard(fd);
    // Also what a FIFO or device swapped in after the listing is caught by.
    if (::fstat(fd, &st) != 0)
        return fail(FileRead::Unreadable, reason, errnoText(errno));
    if (!S_ISREG(st.st_mode))
        return fail(FileRead::NotAFile, reason, notAFile(st.st_mode));
    if (st.st_size > maxSize)
        return fail(FileRead::TooLarge, reason, tooLarge(maxSize));
    if (identity)
        *identity = identityOf(st);

    // One byte more than the file holds, so that one read shows its end.
    const qsizetype wanted = qsizetype(st.st_size) + 1;
    if (buffer.size() < wanted)
        buffer.resize(wanted);
    qsizetype got = 0;
    for (;;) {
        if (got == buffer.size()) {
            if (got > maxSize)
                return fail(FileRead::TooLarge, reason, tooLarge(maxSize));
            buffer.resize(std::min<qint64>(maxSize + 1, got * 2 + 4096));
        }
        const ssize_t n = ::read(fd, buffer.data() + got, size_t(buffer.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(FileRead::Unreadable, reason, errnoText(errno));
        }
        if (n == 0)
            break;
        got += n;
        // All that fstat promised, and not the byte asked for beyond it: the end.
        if (got == qsizetype(st.st_size))
            break;
    }
    if (got > maxSize)
        return fail(FileRead::TooLarge, reason, tooLarge(maxSize));
    size = got;
    return FileRead::Read;
}

FileIdentity fileIdentityAt(int dirFd, const char *name)
{
    struct stat st
    {};
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
        return {};
    return identityOf(st);
}

qint64 wallClockNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

FileRead readDataFile(const QString &path, qint64 maxSize, bool listedAsFile)
{
    FileRead result;
    QByteArray buffer;
    qsizetype size = 0;
    result.status = readDataFileAt(AT_FDCWD, native(path).constData(), listedAsFile, buffer, size, nullptr,
                                   &result.reason, maxSize);
    if (result.ok()) {
        buffer.truncate(size);
        result.bytes = std::move(buffer);
    }
    return result;
}

std::optional<QByteArray> readWholeFile(const QString &path, qint64 maxSize)
{
    FileRead r = readDataFile(path, maxSize);
    if (!r.ok())
        return std::nullopt;
    return std::move(r.bytes);
}

EntryType entryType(const QString &path)
{
    struct stat st
    {};
    if (::lstat(native(path).constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? EntryType::Missing : EntryType::Other;
    if (S_ISREG(st.st_mode))
        return EntryType::File;
    if (S_ISDIR(st.st_mode))
        return EntryType::Directory;
    return EntryType::Other;
}

QString describeEntry(const QString &path)
{
    struct stat st
    {};
    if (::lstat(native(path).constData(), &st) != 0)
        return QStringLiteral("missing");
    return S_ISREG(st.st_mode) ? QStringLiteral("a file") : kindOf(st.st_mode);
}

namespace {

// Compares two runs of code units as QString compares UTF-16 text.
template <typename A, typename B>
int compareUnits(const A *a, size_t aLength, const B *b, size_t bLength)
{
    const size_t n = std::min(aLength, bLength);
    for (size_t i = 0; i < n; ++i) {
        const unsigned ua = a[i], ub = b[i];
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    return aLength < bLength ? -1 : aLength > bLength ? 1 : 0;
}

// A name of a listing with its sort key, case folded once. Plain ASCII names
// (nearly all) stay bytes in one block; others are decoded and folded as text.
struct ListedName
{
    size_t offset = 0; // into the blocks of names and folded names (ASCII)
    size_t length = 0;
    int wide = -1; // index of the decoded name and its folding, or -1
    EntryType type = EntryType::Other;
};

// Byte d of a folded name, or -1 past its end (a shorter name sorts first).
int foldedAt(const ListedName &n, const char *folded, size_t d)
{
    return d < n.length ? static_cast<unsigned char>(folded[n.offset + d]) : -1;
}

// Sorts plain ASCII names [lo, hi), equal in their first d folded bytes, by
// their folded bytes and then by the names themselves, as the comparison
// sort would: a three-way radix quicksort, which reads the long common
// beginnings of the names (an account's id) once rather than at every compare.
void sortAsciiNames(std::vector<ListedName> &v, const char *folded, const char *names, size_t lo, size_t hi, size_t d)
{
    const auto byName = [&](const ListedName &a, const ListedName &b) {
        const int c = std::memcmp(names + a.offset, names + b.offset, std::min(a.length, b.length));
        return c != 0 ? c < 0 : a.length < b.length;
    };
    while (hi - lo > 1) {
        if (hi - lo < 16) {
            std::sort(v.begin() + qsizetype(lo), v.begin() + qsizetype(hi),
                      [&](const ListedName &a, const ListedName &b) {
                const size_t n = std::min(a.length, b.length);
                const int c = n > d ? std::memcmp(folded + a.offset + d, folded + b.offset + d, n - d) : 0;
                if (c != 0)
                    return c < 0;
                if (a.length != b.length)
                    return a.length < b.length;
                return byName(a, b);
            });
            return;
        }
        const int pivot = foldedAt(v[lo + (hi - lo) / 2], folded, d);
        size_t lt = lo, i = lo, gt = hi;
        while (i < gt) {
            const int c = foldedAt(v[i], folded, d);
            if (c < pivot)
                std::swap(v[lt++], v[i++]);
            else if (c > pivot)
                std::swap(v[i], v[--gt]);
            else
                ++i;
        }
        sortAsciiNames(v, folded, names, lo, lt, d);
        sortAsciiNames(v, folded, names, gt, hi, d);
        if (pivot < 0) {
            // Names equal but for case: by the names themselves.
            std::sort(v.begin() + qsizetype(lt), v.begin() + qsizetype(gt), byName);
            return;
        }
        lo = lt;
        hi = gt;
        ++d;
    }
}

} // namespace

bool listedBefore(const QString &a, const QString &b)
{
    const int c = a.toCaseFolded().compare(b.toCaseFolded());
    return c != 0 ? c < 0 : a < b;
}

QList<DirEntry> listDirEntries(const QString &dir, const QString &extension)
{
    QList<DirEntry> found;
    const QByteArray dirName = native(dir);
    DIR *d = ::opendir(dirName.constData());
    if (!d)
        return found;
    const QByteArray ext = extension.toLatin1().toLower();
    std::string names, folded;
    std::vector<ListedName> listed;
    std::vector<std::pair<QString, QString>> wide; // name, folded
    while (const dirent *e = ::readdir(d)) {
        const size_t length = std::strlen(e->d_name);
        if (length < size_t(ext.size()))
            continue;
        const char *tail = e->d_name + length - ext.size();
        bool match = true;
        for (qsizetype i = 0; i < ext.size() && match; ++i)
            match = (tail[i] >= 'A' && tail[i] <= 'Z' ? tail[i] + 32 : tail[i]) == ext[i];
        if (!match || std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        ListedName entry;
        entry.offset = names.size();
        entry.length = length;
        names.append(e->d_name, length);
        bool ascii = true;
        for (size_t i = 0; i < length; ++i) {
            const char c = e->d_name[i];
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
            folded.push_back(c >= 'A' && c <= 'Z' ? char(c + 32) : c);
        }
        if (!ascii) {
            const QString name = QFile::decodeName(e->d_name);
            entry.wide = int(wide.size());
            wide.emplace_back(name, name.toCaseFolded());
        }
        switch (e->d_type) {
        case DT_REG:
            entry.type = EntryType::File;
            break;
        case DT_DIR:
            entry.type = EntryType::Directory;
            break;
        case DT_UNKNOWN:
            entry.type = entryType(dir + u'/' + QFile::decodeName(e->d_name));
            break;
        default:
            entry.type = EntryType::Other;
            break;
        }
        listed.push_back(entry);
    }
    ::closedir(d);

    // By the folded name, then by the name itself, comparing UTF-16 code units.
    const auto compare = [&](const ListedName &a, const ListedName &b, bool useFolded) {
        const std::string &block = useFolded ? folded : names;
        const auto text = [&](const ListedName &n) -> const QString & {
            return useFolded ? wide[size_t(n.wide)].second : wide[size_t(n.wide)].first;
        };
        if (a.wide < 0 && b.wide < 0) {
            const int c = std::memcmp(block.data() + a.offset, block.data() + b.offset, std::min(a.length, b.length));
            return c != 0 ? c : a.length < b.length ? -1 : a.length > b.length ? 1 : 0;
        }
        const auto bytes = [&](const ListedName &n) {
            return reinterpret_cast<const unsigned char *>(block.data() + n.offset);
        };
        if (a.wide < 0)
            return compareUnits(bytes(a), a.length, text(b).utf16(), size_t(text(b).size()));
        if (b.wide < 0)
            return compareUnits(text(a).utf16(), size_t(text(a).size()), bytes(b), b.length);
        return compareUnits(text(a).utf16(), size_t(text(a).size()), text(b).utf16(), size_t(text(b).size()));
    };
    const auto less = [&](const ListedName &a, const ListedName &b) {
        const int c = compare(a, b, true);
        return c != 0 ? c < 0 : compare(a, b, false) < 0;
    };
    if (wide.empty())
        sortAsciiNames(listed, folded.data(), names.data(), 0, listed.size(), 0);
    else
        std::sort(listed.begin(), listed.end(), less);
    found.reserve(qsizetype(listed.size()));
    for (const ListedName &n : listed) {
        DirEntry entry;
        entry.name =
            n.wide < 0 ? QString::fromLatin1(names.data() + n.offset, qsizetype(n.length)) : wide[size_t(n.wide)].first;
        entry.type = n.type;
        found.append(std::move(entry));
    }
    return found;
}

QStringList listEntries(const QString &dir, const QString &extension, bool filesOnly)
{
    QStringList names;
    for (const DirEntry &e : listDirEntries(dir, extension)) {
        if (!filesOnly || e.type == EntryType::File)
            names.append(e.name);
    }
    return names;
}

void writeFileAtomic(const QString &path, const QByteArray &bytes)
{
    struct stat st
    {};
    if (::lstat(native(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        throw FileError(path, notAFile(st.st_mode));
    publish(path, bytes, true);
}

bool writeNewFile(const QString &path, const QByteArray &bytes)
{
    return publish(path, bytes, false);
}

void removeFile(const QString &path, bool sync)
{
    const QByteArray name = native(path);
    struct stat st
    {};
    if (::lstat(name.constData(), &st) != 0) {
        if (errno == ENOENT)
            return;
        throw FileError(path, errnoText(errno), FileError::Delete);
    }
    if (S_ISDIR(st.st_mode))
        throw FileError(path, notAFile(st.st_mode), FileError::Delete);
    if (::unlink(name.constData()) != 0 && errno != ENOENT)
        throw FileError(path, errnoText(errno), FileError::Delete);
    step(WriteStep::Removed, path);
    if (sync)
        syncFolderNative(native(folderOf(path)));
}

void syncFolder(const QString &dir)
{
    syncFolderNative(native(dir));
}

void writeDocumentFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (a full disk) shows here and is not
    // lost in a flush that reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileError(path, file.errorString());
    errno = 0;
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const int error = errno;
        const QString reason = error != 0 ? errnoText(error) : file.errorString();
        file.cancelWriting();
        throw FileError(path, reason);
    }
    if (!file.commit())
        throw FileError(path, file.errorString());
}

bool makePrivateDir(const QString &path)
{
    const QString absolute = QDir(path).absolutePath();
    const EntryType type = entryType(absolute);
    if (type == EntryType::Directory)
        return true;
    if (type != EntryType::Missing)
        return QFileInfo(absolute).isDir(); // a link to a folder serves
    const QString parent = QFileInfo(absolute).absolutePath();
    if (parent != absolute && !QFileInfo(parent).isDir() && !makePrivateDir(parent))
        return false;
    if (::mkdir(native(absolute).constData(), 0700) != 0)
        return errno == EEXIST && QFileInfo(absolute).isDir();
    return true;
}

QString moveAside(const QString &path, const QString &folder)
{
    if (!makePrivateDir(folder))
        throw FileError(folder, QStringLiteral("the folder cannot be created"));
    const QString name = QFileInfo(path).fileName();
    const QByteArray from = native(path);
    for (int n = 1; n < 10000; ++n) {
        const QString target = QDir(folder).filePath(n == 1 ? name : name + u'.' + QString::number(n));
        const QByteArray to = native(target);
        int moved = -1;
#ifdef RENAME_NOREPLACE
        moved = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        if (moved != 0 && errno == EINVAL)
#endif
        {
            struct stat st
            {};
            if (::lstat(to.constData(), &st) == 0)
                errno = EEXIST;
            else
                moved = ::rename(from.constData(), to.constData());
        }
        if (moved == 0) {
            syncFolder(folderOf(path));
            syncFolder(folder);
            return target;
        }
        if (errno != EEXIST)
            throw FileError(path, QStringLiteral("cannot be moved to %1: %2").arg(folder, errnoText(errno)),
                            FileError::Delete);
    }
    throw FileError(path, QStringLiteral("cannot be moved to %1: every name is taken").arg(folder), FileError::Delete);
}

namespace {

// Waits for an exclusive flock; false with the error when it does not come.
bool waitForLock(int fd, int timeoutMs, int &error)
{
    QElapsedTimer waited;
    waited.start();
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || waited.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(5);
    }
    return true;
}

QString lockFailure(int error)
{
    return error == EWOULDBLOCK ? QStringLiteral("the books are being changed by another program") : errnoText(error);
}

} // namespace

FileLock::FileLock(const QString &dir, const QString &lockFileName, int timeoutMs)
{
    int error = 0;
    m_fd = ::open(native(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        throw FileError(dir, errnoText(errno), FileError::Lock);
    if (waitForLock(m_fd, timeoutMs, error))
        return;
    ::close(m_fd);
    m_fd = -1;
    if (error == EWOULDBLOCK || error == EINTR)
        throw FileError(dir, lockFailure(error), FileError::Lock);

    // A file system that cannot lock a folder: a lock file in it instead.
    const QString path = QDir(dir).filePath(lockFileName);
    const QByteArray name = native(path);
    struct stat st
    {};
    if (::lstat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        throw FileError(path, notAFile(st.st_mode), FileError::Lock);
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (m_fd < 0)
        throw FileError(path, errno == ELOOP ? notAFile(S_IFLNK) : errnoText(errno), FileError::Lock);
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        throw FileError(path, notAFile(st.st_mode), FileError::Lock);
    }
    if (!waitForLock(m_fd, timeoutMs, error)) {
        ::close(m_fd);
        m_fd = -1;
        throw FileError(path, lockFailure(error), FileError::Lock);
    }
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing lets go of the lock
}

void setWriteStepHook(WriteStepHook hook)
{
    g_writeStepHook = hook;
}
