#pragma once

#include <QDate>
#include <QList>
#include <QString>

// Backups of a working directory: every data file of it in one zip, written
// into the folder "Backups" beside it (never inside it, where a listing would
// see it), one file a day named by the folder and the date:
// "Fennimar-2026-12-06.zip". The newest 30 are kept, and of the older ones the
// first of each month for 12 months.

QString backupFolder(const QString &workDir);
QString backupFileName(const QString &workDir, const QDate &day);

// What a backup holds, from its comment (or its members when it has none).
struct BackupInfo
{
    QString path;
    QDate date;
    int accounts = 0;
    int transactions = 0;
    int plans = 0;
    int files = 0;
};

// Writes the backup of `day` into `folder` (backupFolder by default), in place
// of one of that day, verifies it by reading every member back against its CRC
// and the file it came from, then removes the backups no longer kept. Returns
// its path. A backup that cannot be made whole throws FileError and leaves
// everything as it was.
QString writeBackup(const QString &workDir, const QDate &day, const QString &folder = QString());
// At most once a day: writes the backup of `day` unless there is one. Returns
// its path, or empty when there was one already.
QString backupIfDue(const QString &workDir, const QDate &day, const QString &folder = QString());

// The backups of the working directory in `folder`, newest first.
QList<BackupInfo> listBackups(const QString &workDir, const QString &folder = QString());
// What the backup holds; throws FileError when it cannot be read.
BackupInfo readBackupInfo(const QString &zipPath);
// The days of the backups that retention keeps, of the days given.
QList<QDate> backupDaysKept(QList<QDate> days);
// Removes the backups of the working directory that retention does not keep.
// Returns how many it removed.
int pruneBackups(const QString &workDir, const QString &folder = QString());

// Restores a backup into `targetDir`, which must not exist or be empty: it is
// created private, and every member, checked to be a data file name and
// against its CRC, is published in it. On any failure what was written is
// removed again and FileError is thrown. Returns the number of files. A zip
// whose members unpack to more than `maxTotal` bytes (a book is far smaller;
// a zip bomb is not) is refused before anything is written.
constexpr qint64 kMaxRestoredBytes = qint64(4) << 30;
int restoreBackup(const QString &zipPath, const QString &targetDir, qint64 maxTotal = kMaxRestoredBytes);
