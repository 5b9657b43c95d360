#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

// A data file that could not be written, removed or locked, or a record that is
// gone: where, and why.
class FileError : public std::runtime_error
{
public:
    enum Operation { Save, Delete, Lock, Gone };
    FileError(const QString &path, const QString &reason, Operation operation = Save);

    const QString &path() const { return m_path; }
    const QString &reason() const { return m_reason; }
    Operation operation() const { return m_operation; }
    // "Could not save <path>: <reason>", for the user; for Gone the reason alone.
    QString message() const;

private:
    QString m_path;
    QString m_reason;
    Operation m_operation;
};

// The largest data file any reader takes.
constexpr qint64 kMaxDataFileSize = qint64(1) << 30;

// A data file read whole. Only regular files are read: a symbolic link, FIFO,
// socket, device or folder of that name is never opened.
struct FileRead
{
    enum Status { Read, Missing, NotAFile, Unreadable, TooLarge };
    Status status = Missing;
    QByteArray bytes;
    QString reason; // why it was not read, for the user

    bool ok() const { return status == Read; }
};
// listedAsFile: the folder's listing already gave the entry as a regular file
// (it is checked again once open).
FileRead readDataFile(const QString &path, qint64 maxSize = kMaxDataFileSize, bool listedAsFile = false);

// What tells one state of a file from another: a rewrite in place changes the
// times or the size, a replacement by rename the inode.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 mtimeNs = 0;
    qint64 ctimeNs = 0;

    bool isKnown() const { return size >= 0; }
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// readDataFile for many files of one folder, opened once as dirFd: one open,
// one fstat, one read into `buffer` (grown and kept by the caller; a second read
// only when the file grew), one close. On success the bytes are the first
// `size` bytes of the buffer. The rules and the reasons are readDataFile's.
FileRead::Status readDataFileAt(int dirFd, const char *name, bool listedAsFile, QByteArray &buffer, qsizetype &size,
                                FileIdentity *identity, QString *reason, qint64 maxSize = kMaxDataFileSize);
// The identity of a name of the folder as it is now, without following a
// symbolic link; unknown when it is no regular file.
FileIdentity fileIdentityAt(int dirFd, const char *name);
// The current wall-clock time in nanoseconds, on the scale of file times.
qint64 wallClockNs();

// The whole file, or nothing when readDataFile cannot read it.
std::optional<QByteArray> readWholeFile(const QString &path, qint64 maxSize = kMaxDataFileSize);

// What a name in a folder is, without following a symbolic link.
enum class EntryType { Missing, File, Directory, Other };
EntryType entryType(const QString &path);
// "a symbolic link", "a FIFO", "a folder" ...: what a non-file entry is, for messages.
QString describeEntry(const QString &path);

struct DirEntry
{
    QString name;
    EntryType type = EntryType::Other;
};

// The entries of a folder whose names end in the extension (".tra"), matched
// without regard to case and sorted by name as the Windows file system lists
// them, each with its type from the folder itself (symbolic links are Other).
QList<DirEntry> listDirEntries(const QString &dir, const QString &extension);
// Whether listDirEntries lists name a before name b: by the case-folded names,
// then by the names themselves.
bool listedBefore(const QString &a, const QString &b);
// The names only; with filesOnly, just the regular files.
QStringList listEntries(const QString &dir, const QString &extension, bool filesOnly);

// Replaces a data file whole and durably: the bytes go to a new private (0600)
// file in the same folder, are synced, and the new file is renamed over the
// name, then the folder is synced. The old file is left as it was on any
// failure. An entry of that name that is not a regular file is never replaced.
void writeFileAtomic(const QString &path, const QByteArray &bytes);

// Publishes a data file that must not exist yet, whole and in one step (a link
// of the synced new file to its name). Returns false, writing nothing, when an
// entry of that name exists, even one another process made a moment ago.
bool writeNewFile(const QString &path, const QByteArray &bytes);

// Removes a data file and syncs its folder; one that is already gone is no error.
// A folder of that name is not removed.
void removeFile(const QString &path, bool syncFolder = true);
// Syncs a folder, so that names published, replaced or removed in it last.
void syncFolder(const QString &dir);

// Writes a file the user chose (an export) through a temporary file and a
// rename, with the usual permissions, following a link to its target.
void writeDocumentFile(const QString &path, const QByteArray &bytes);

// Creates a folder and any missing parents; a folder it creates is private to
// its owner (0700). False when it cannot be created.
bool makePrivateDir(const QString &path);

// Moves an entry (any kind; a link is moved, never followed) into a folder,
// made private when missing. A name taken there gets ".2", ".3" ... appended.
// Returns the new path.
QString moveAside(const QString &path, const QString &folder);

// An exclusive lock on a folder that dies with the process holding it (flock),
// so a killed process never leaves a stale lock. Where the file system cannot
// lock a folder, the lock is taken on the lock file of that name in it, which
// is refused at once when it is not a regular file. Waits up to timeoutMs for
// another process to let go, then throws FileError.
class FileLock
{
public:
    FileLock(const QString &dir, const QString &lockFileName, int timeoutMs);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    int m_fd = -1;
};

// The steps of a data-file write or removal, for tests that stop a change
// half-way as a killed process would. The hook runs after each step.
enum class WriteStep { Written, Synced, Published, FolderSynced, Removed };
using WriteStepHook = void (*)(WriteStep step, const QString &path);
void setWriteStepHook(WriteStepHook hook);

// Temporary files of interrupted writes are named with this prefix; no search
// pattern of the data files matches them.
extern const QString kTempFilePrefix;
