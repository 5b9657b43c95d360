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

FileRead failed(FileRead::Status status, const QString &reason)
{
    FileRead r;
    r.status = status;
    r.reason = reason;
    return r;
}

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

FileRead readDataFile(const QString &path, qint64 maxSize, bool listedAsFile)
{
    const QByteArray name = native(path);
    struct stat st
    {};
    // A device or FIFO is never opened, not even to look at it; an entry that
    // the folder's listing gave as a regular file needs no second look.
    if (listedAsFile)
        st.st_mode = S_IFREG;
    else if (::lstat(name.constData(), &st) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return failed(FileRead::Missing, QStringLiteral("does not exist"));
        return failed(FileRead::Unreadable, errnoText(error));
    }
    if (!S_ISREG(st.st_mode))
        return failed(FileRead::NotAFile, notAFile(st.st_mode));
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return failed(FileRead::Missing, QStringLiteral("does not exist"));
        if (error == ELOOP)
            return failed(FileRead::NotAFile, notAFile(S_IFLNK));
        return failed(FileRead::Unreadable, errnoText(error));
    }
    Fd guard(fd);
    if (::fstat(fd, &st) != 0)
        return failed(FileRead::Unreadable, errnoText(errno));
    if (!S_ISREG(st.st_mode))
        return failed(FileRead::NotAFile, notAFile(st.st_mode));
    if (st.st_size > maxSize)
        return failed(FileRead::TooLarge, QStringLiteral("is larger than %1 bytes").arg(maxSize));

    FileRead result;
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype size = 0;
    for (;;) {
        if (size == bytes.size()) {
            if (size > maxSize)
                return failed(FileRead::TooLarge, QStringLiteral("is larger than %1 bytes").arg(maxSize));
            bytes.resize(std::min<qint64>(maxSize + 1, size * 2 + 4096));
        }
        const ssize_t n = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failed(FileRead::Unreadable, errnoText(errno));
        }
        if (n == 0)
            break;
        size += n;
    }
    if (size > maxSize)
        return failed(FileRead::TooLarge, QStringLiteral("is larger than %1 bytes").arg(maxSize));
    bytes.truncate(size);
    result.status = FileRead::Read;
    result.bytes = std::move(bytes);
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

QList<DirEntry> listDirEntries(const QString &dir, const QString &extension)
{
    QList<DirEntry> found;
    const QByteArray dirName = native(dir);
    DIR *d = ::opendir(dirName.constData());
    if (!d)
        return found;
    const QByteArray ext = extension.toLatin1().toLower();
    struct Sorted
    {
        QString folded;
        DirEntry entry;
    };
    std::vector<Sorted> entries;
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
        DirEntry entry;
        entry.name = QFile::decodeName(e->d_name);
        switch (e->d_type) {
        case DT_REG:
            entry.type = EntryType::File;
            break;
        case DT_DIR:
            entry.type = EntryType::Directory;
            break;
        case DT_UNKNOWN:
            entry.type = entryType(dir + u'/' + entry.name);
            break;
        default:
            entry.type = EntryType::Other;
            break;
        }
        entries.push_back({entry.name.toCaseFolded(), std::move(entry)});
    }
    ::closedir(d);
    std::sort(entries.begin(), entries.end(), [](const Sorted &a, const Sorted &b) {
        const int c = a.folded.compare(b.folded);
        return c != 0 ? c < 0 : a.entry.name < b.entry.name;
    });
    found.reserve(qsizetype(entries.size()));
    for (Sorted &s : entries)
        found.append(std::move(s.entry));
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
