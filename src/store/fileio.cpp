#include "fileio.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

QString describe(const QString &path, const QString &reason, FileError::Operation operation)
{
    const QString verb = operation == FileError::Delete ? QStringLiteral("delete")
                         : operation == FileError::Lock ? QStringLiteral("lock")
                                                        : QStringLiteral("save");
    return QStringLiteral("Could not %1 %2: %3").arg(verb, QDir::toNativeSeparators(path), reason);
}

} // namespace

FileError::FileError(const QString &path, const QString &reason, Operation operation)
    : std::runtime_error(describe(path, reason, operation).toStdString())
    , m_path(path)
    , m_reason(reason)
{
}

QString FileError::message() const
{
    return QString::fromStdString(what());
}

std::optional<QByteArray> readWholeFile(const QString &path, qint64 maxSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file.size();
    if (size > maxSize || (size == 0 && !QFileInfo(path).isFile()))
        return std::nullopt;
    QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return std::nullopt;
    return bytes;
}

void writeFileAtomic(const QString &path, const QByteArray &bytes)
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
        const QString reason = error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : file.errorString();
        file.cancelWriting();
        throw FileError(path, reason);
    }
    if (!file.commit())
        throw FileError(path, file.errorString());
}

bool writeNewFile(const QString &path, const QByteArray &bytes)
{
    // Claim the name first: the exclusive create fails when the name is taken.
    QFile claim(path);
    if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            return false;
        throw FileError(path, claim.errorString());
    }
    claim.close();
    try {
        writeFileAtomic(path, bytes);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    return true;
}

void removeFile(const QString &path)
{
    QFile file(path);
    if (file.remove())
        return;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return;
    throw FileError(path, file.errorString(), FileError::Delete);
}

QStringList listEntries(const QString &dir, const QString &extension, bool filesOnly)
{
    QDir::Filters filters = QDir::Files | QDir::Hidden;
    if (!filesOnly)
        filters |= QDir::Dirs | QDir::System | QDir::NoDotAndDotDot;
    QStringList names;
    QDirIterator it(dir, filters);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.endsWith(extension, Qt::CaseInsensitive))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}
