#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

// A data file that could not be written or removed: where, and why.
class FileError : public std::runtime_error
{
public:
    enum Operation { Save, Delete, Lock };
    FileError(const QString &path, const QString &reason, Operation operation = Save);

    const QString &path() const { return m_path; }
    const QString &reason() const { return m_reason; }
    // "Could not save <path>: <reason>", for the user.
    QString message() const;

private:
    QString m_path;
    QString m_reason;
};

// The whole file, or nothing when it cannot be opened, is not a regular file,
// or is larger than maxSize.
std::optional<QByteArray> readWholeFile(const QString &path, qint64 maxSize = 64 * 1024 * 1024);

// Writes a whole file through a temporary file in the same folder and an atomic
// rename: the file is either left as it was or holds all the new bytes.
void writeFileAtomic(const QString &path, const QByteArray &bytes);

// Writes a file that must not exist yet. Returns false, writing nothing, when
// an entry of that name exists (even one another process made a moment ago).
bool writeNewFile(const QString &path, const QByteArray &bytes);

// Removes a file; one that is already gone is no error.
void removeFile(const QString &path);

// The names of the entries of a folder whose names end in the extension
// (".tra"), matched without regard to case and sorted by name as the Windows
// file system lists them. With filesOnly, folders and other non-files are left out.
QStringList listEntries(const QString &dir, const QString &extension, bool filesOnly);
