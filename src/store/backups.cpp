#include "store/backups.h"

#include "store/fileio.h"
#include "store/filenames.h"
#include "store/recordfiles.h"
#include "store/ziphandles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <zip.h>

#include <algorithm>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

using Member = std::pair<QString, QByteArray>; // name, bytes

const QLatin1String kExtensions[] = {kAccountExtension,  kTransactionExtension, kPlanExtension,
                                     kCategoryExtension, kChartColourExtension, kSettingsExtension};

bool isDataFileName(const QString &name)
{
    if (name.isEmpty() || name.size() > 255 || name.startsWith(u'.'))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u'*' || c == u'?' || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return std::any_of(std::begin(kExtensions), std::end(kExtensions), [&](QLatin1String ext) {
        return name.size() > ext.size() && name.endsWith(ext, Qt::CaseInsensitive);
    });
}

// Every regular data file of the folder, read whole, in the order of the extensions then of the names.
QList<Member> readDataFiles(const QString &workDir)
{
    const int dirFd = ::open(QFile::encodeName(workDir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        throw FileError(workDir, QStringLiteral("the working directory cannot be opened"));
    const std::unique_ptr<int, void (*)(int *)> closer(new int(dirFd), [](int *fd) {
        ::close(*fd);
        delete fd;
    });
    QList<Member> members;
    QByteArray buffer;
    for (const QLatin1String ext : kExtensions) {
        for (const DirEntry &entry : listDirEntries(workDir, ext)) {
            if (entry.type != EntryType::File)
                continue;
            qsizetype size = 0;
            QString reason;
            const FileRead::Status status =
                readDataFileAt(dirFd, QFile::encodeName(entry.name).constData(), true, buffer, size, nullptr, &reason);
            if (status == FileRead::Missing || status == FileRead::NotAFile)
                continue; // gone or replaced since the listing: not a data file now
            if (status != FileRead::Read)
                throw FileError(QDir(workDir).filePath(entry.name),
                                QStringLiteral("cannot be read for the backup: %1").arg(reason));
            members.append({entry.name, QByteArray(buffer.constData(), size)});
        }
    }
    return members;
}

int countPlans(const QList<Member> &members)
{
    for (const Member &m : members) {
        if (m.first.endsWith(kPlanExtension, Qt::CaseInsensitive))
            return int(decodePlans(m.second).size());
    }
    return 0;
}

QString commentFor(const QList<Member> &members)
{
    int accounts = 0, transactions = 0;
    for (const Member &m : members) {
        accounts += m.first.endsWith(kAccountExtension, Qt::CaseInsensitive);
        transactions += m.first.endsWith(kTransactionExtension, Qt::CaseInsensitive);
    }
    return QStringLiteral("Fennimar backup: %1 accounts, %2 transactions, %3 plans, %4 files")
        .arg(accounts)
        .arg(transactions)
        .arg(countPlans(members))
        .arg(members.size());
}

// The zip of the members, built in memory.
QByteArray buildArchive(const QList<Member> &members, const QString &comment, QString *problem)
{
    zip_error_t error;
    zip_error_init(&error);
    ZipSource buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    ZipArchive archive(buffer ? zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error) : nullptr);
    if (!archive) {
        *problem = zipErrorText(&error);
        zip_error_fini(&error);
        return {};
    }
    zip_error_fini(&error);
    zip_source_keep(buffer.get());
    for (const Member &m : members) {
        ZipSource entry(zip_source_buffer(archive.get(), m.second.constData(), zip_uint64_t(m.second.size()), 0));
        const QByteArray name = m.first.toUtf8();
        const zip_int64_t index =
            entry ? zip_file_add(archive.get(), name.constData(), entry.get(), ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            *problem = QString::fromUtf8(zip_strerror(archive.get()));
            return {};
        }
        entry.release();
        // Small files: stored, so a day's backup of a large book takes little time.
        zip_set_file_compression(archive.get(), zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    const QByteArray text = comment.toUtf8();
    zip_set_archive_comment(archive.get(), text.constData(), zip_uint16_t(text.size()));
    if (zip_close(archive.get()) < 0) {
        *problem = QString::fromUtf8(zip_strerror(archive.get()));
        return {};
    }
    archive.release();
    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) < 0 || zip_source_open(buffer.get()) < 0) {
        *problem = zipErrorText(zip_source_error(buffer.get()));
        return {};
    }
    QByteArray result(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(buffer.get(), result.data(), stat.size);
    zip_source_close(buffer.get());
    if (read != zip_int64_t(stat.size)) {
        *problem = zipErrorText(zip_source_error(buffer.get()));
        return {};
    }
    return result;
}

// An archive read from bytes held by the caller.
ZipArchive openArchive(const QByteArray &bytes, QString *problem)
{
    zip_error_t error;
    zip_error_init(&error);
    ZipSource source(zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error));
    ZipArchive archive(source ? zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr);
    if (!archive)
        *problem = zipErrorText(&error);
    else
        source.release(); // the archive owns it now
    zip_error_fini(&error);
    return archive;
}

// A member read whole; libzip checks its CRC at the end of the data.
std::optional<QByteArray> readMember(zip_t *archive, zip_uint64_t index, QString *name, QString *problem)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) < 0 || !(stat.valid & ZIP_STAT_NAME)
        || !(stat.valid & ZIP_STAT_SIZE)) {
        *problem = QString::fromUtf8(zip_strerror(archive));
        return std::nullopt;
    }
    *name = QString::fromUtf8(stat.name);
    if (stat.size > zip_uint64_t(kMaxDataFileSize)) {
        *problem = QStringLiteral("%1 is larger than any data file").arg(*name);
        return std::nullopt;
    }
    ZipMemberFile file(zip_fopen_index(archive, index, 0));
    if (!file) {
        *problem = QStringLiteral("%1: %2").arg(*name, QString::fromUtf8(zip_strerror(archive)));
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    zip_int64_t got = 0;
    while (got < zip_int64_t(stat.size)) {
        const zip_int64_t n = zip_fread(file.get(), bytes.data() + got, stat.size - zip_uint64_t(got));
        if (n <= 0)
            break;
        got += n;
    }
    // Reading past the end is where the CRC is checked, and where a member
    // longer than its entry shows.
    char extra = 0;
    const zip_int64_t tail = got == zip_int64_t(stat.size) ? zip_fread(file.get(), &extra, 1) : -1;
    if (tail != 0) {
        *problem = QStringLiteral("%1: %2").arg(*name, QString::fromUtf8(zip_file_strerror(file.get())));
        return std::nullopt;
    }
    return bytes;
}

// Every member read back against its CRC and the file it came from.
bool verifyArchive(const QByteArray &bytes, const QList<Member> &members, QString *problem)
{
    ZipArchive archive = openArchive(bytes, problem);
    if (!archive)
        return false;
    if (zip_get_num_entries(archive.get(), 0) != zip_int64_t(members.size())) {
        *problem =
            QStringLiteral("it holds %1 files of %2").arg(zip_get_num_entries(archive.get(), 0)).arg(members.size());
        return false;
    }
    for (qsizetype i = 0; i < members.size(); ++i) {
        QString name;
        const std::optional<QByteArray> read = readMember(archive.get(), zip_uint64_t(i), &name, problem);
        if (!read)
            return false;
        if (name != members[i].first || *read != members[i].second) {
            *problem = QStringLiteral("%1 does not read back as it was written").arg(members[i].first);
            return false;
        }
    }
    return true;
}

const QRegularExpression &countsForm()
{
    static const QRegularExpression form(
        QStringLiteral("^Fennimar backup: (\\d+) accounts, (\\d+) transactions, (\\d+) plans, (\\d+) files$"));
    return form;
}

QString folderOr(const QString &workDir, const QString &folder)
{
    return folder.isEmpty() ? backupFolder(workDir) : folder;
}

// The backups of the working directory in the folder, by day.
QList<std::pair<QDate, QString>> backupFiles(const QString &workDir, const QString &folder)
{
    const QString prefix = QFileInfo(workDir).fileName() + u'-';
    QList<std::pair<QDate, QString>> found;
    for (const DirEntry &entry : listDirEntries(folder, QStringLiteral(".zip"))) {
        if (entry.type != EntryType::File || !entry.name.startsWith(prefix) || entry.name.size() != prefix.size() + 14)
            continue;
        const QDate day = QDate::fromString(entry.name.mid(prefix.size(), 10), QStringLiteral("yyyy-MM-dd"));
        if (day.isValid() && entry.name.endsWith(QLatin1String(".zip")))
            found.append({day, QDir(folder).filePath(entry.name)});
    }
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    return found;
}

} // namespace

QString backupFolder(const QString &workDir)
{
    const QFileInfo info(QDir::cleanPath(QDir(workDir).absolutePath()));
    return QDir(info.absolutePath()).filePath(QStringLiteral("Backups"));
}

QString backupFileName(const QString &workDir, const QDate &day)
{
    return QFileInfo(QDir::cleanPath(QDir(workDir).absolutePath())).fileName() + u'-'
           + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".zip");
}

QString writeBackup(const QString &workDir, const QDate &day, const QString &folderGiven)
{
    const QString folder = folderOr(workDir, folderGiven);
    const QString path = QDir(folder).filePath(backupFileName(workDir, day));
    const QList<Member> members = readDataFiles(workDir);
    QString problem;
    const QByteArray bytes = buildArchive(members, commentFor(members), &problem);
    if (bytes.isEmpty() || !verifyArchive(bytes, members, &problem))
        throw FileError(path, QStringLiteral("the backup could not be made: %1").arg(problem));

    const bool existed = entryType(folder) == EntryType::Directory;
    if (!existed && !makePrivateDir(folder))
        throw FileError(path, QStringLiteral("the folder %1 cannot be created").arg(folder));
    try {
        writeFileAtomic(path, bytes);
    } catch (const FileError &) {
        if (!existed)
            QDir().rmdir(folder);
        throw;
    }
    // What the disk gives back must be what was written.
    const std::optional<QByteArray> written = readWholeFile(path);
    if (!written || !verifyArchive(*written, members, &problem)) {
        removeFile(path);
        throw FileError(path, QStringLiteral("the backup does not read back whole: %1")
                                  .arg(written ? problem : QStringLiteral("it cannot be read")));
    }
    pruneBackups(workDir, folder);
    return path;
}

QString backupIfDue(const QString &workDir, const QDate &day, const QString &folder)
{
    const QString path = QDir(folderOr(workDir, folder)).filePath(backupFileName(workDir, day));
    if (entryType(path) != EntryType::Missing)
        return {};
    return writeBackup(workDir, day, folder);
}

BackupInfo readBackupInfo(const QString &zipPath)
{
    int errorCode = 0;
    ZipArchive archive(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &errorCode));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, errorCode);
        const QString reason = zipErrorText(&error);
        zip_error_fini(&error);
        throw FileError(zipPath, QStringLiteral("cannot be read as a backup: %1").arg(reason));
    }
    BackupInfo info;
    info.path = zipPath;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    info.files = int(count);
    int length = 0;
    const char *comment = zip_get_archive_comment(archive.get(), &length, ZIP_FL_ENC_RAW);
    const QRegularExpressionMatch m = countsForm().match(QString::fromUtf8(comment, comment ? length : 0));
    if (m.hasMatch() && m.captured(4).toInt() == info.files) {
        info.accounts = m.captured(1).toInt();
        info.transactions = m.captured(2).toInt();
        info.plans = m.captured(3).toInt();
        return info;
    }
    // A zip without our comment: counted by its members.
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(archive.get(), zip_uint64_t(i), 0));
        info.accounts += name.endsWith(kAccountExtension, Qt::CaseInsensitive);
        info.transactions += name.endsWith(kTransactionExtension, Qt::CaseInsensitive);
        if (name.endsWith(kPlanExtension, Qt::CaseInsensitive)) {
            QString ignored, problem;
            if (const auto bytes = readMember(archive.get(), zip_uint64_t(i), &ignored, &problem))
                info.plans = int(decodePlans(*bytes).size());
        }
    }
    return info;
}

QList<BackupInfo> listBackups(const QString &workDir, const QString &folder)
{
    QList<BackupInfo> list;
    for (const auto &[day, path] : backupFiles(workDir, folderOr(workDir, folder))) {
        BackupInfo info;
        try {
            info = readBackupInfo(path);
        } catch (const FileError &) {
            info.path = path;
            info.files = -1; // listed, but it does not open
        }
        info.date = day;
        list.append(info);
    }
    return list;
}

QList<QDate> backupDaysKept(QList<QDate> days)
{
    std::sort(days.begin(), days.end(), std::greater<>());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    constexpr qsizetype kDaily = 30;
    constexpr int kMonthly = 12;
    QList<QDate> kept = days.mid(0, kDaily);
    // Of the older ones, the first of each month, newest months first.
    QList<QDate> monthly;
    for (qsizetype i = kDaily; i < days.size(); ++i) {
        const QDate &d = days[i];
        if (!monthly.isEmpty() && monthly.last().year() == d.year() && monthly.last().month() == d.month())
            monthly.last() = d; // an earlier day of the same month
        else if (monthly.size() < kMonthly)
            monthly.append(d);
        else
            break;
    }
    return kept + monthly;
}

int pruneBackups(const QString &workDir, const QString &folderGiven)
{
    const QString folder = folderOr(workDir, folderGiven);
    const QList<std::pair<QDate, QString>> files = backupFiles(workDir, folder);
    QList<QDate> days;
    for (const auto &file : files)
        days << file.first;
    const QList<QDate> kept = backupDaysKept(days);
    int removed = 0;
    for (const auto &[day, path] : files) {
        if (!kept.contains(day)) {
            removeFile(path, false);
            ++removed;
        }
    }
    if (removed > 0)
        syncFolder(folder);
    return removed;
}

int restoreBackup(const QString &zipPath, const QString &targetDir, qint64 maxTotal)
{
    const std::optional<QByteArray> bytes = readWholeFile(zipPath);
    if (!bytes)
        throw FileError(zipPath, QStringLiteral("the backup cannot be read"));
    QString problem;
    ZipArchive archive = openArchive(*bytes, &problem);
    if (!archive)
        throw FileError(zipPath, QStringLiteral("cannot be read as a backup: %1").arg(problem));
    // What the members say they unpack to, before a byte is written.
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0, n = zip_get_num_entries(archive.get(), 0); i < n; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE))
            total += stat.size;
        if (total > zip_uint64_t(maxTotal))
            throw FileError(zipPath, QStringLiteral("the backup would unpack to more than %1 bytes, more than a "
                                                    "book holds; nothing was restored")
                                         .arg(maxTotal));
    }

    const EntryType target = entryType(targetDir);
    if (target != EntryType::Missing
        && (target != EntryType::Directory
            || !QDir(targetDir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)))
        throw FileError(targetDir, QStringLiteral("a backup is restored only into a new or empty folder"));
    const bool created = target == EntryType::Missing;
    if (created && !makePrivateDir(targetDir))
        throw FileError(targetDir, QStringLiteral("the folder cannot be created"));

    QStringList written;
    try {
        const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
        for (zip_int64_t i = 0; i < count; ++i) {
            QString name;
            const std::optional<QByteArray> member = readMember(archive.get(), zip_uint64_t(i), &name, &problem);
            if (!member)
                throw FileError(zipPath, QStringLiteral("the backup is damaged: %1").arg(problem));
            if (!isDataFileName(name))
                throw FileError(zipPath, QStringLiteral("the backup holds \"%1\", which is no data file").arg(name));
            const QString path = QDir(targetDir).filePath(name);
            if (!writeNewFile(path, *member))
                throw FileError(path, QStringLiteral("the backup holds it twice"));
            written << path;
        }
    } catch (const FileError &) {
        for (const QString &path : written) {
            try {
                removeFile(path, false);
            } catch (const FileError &) {
            }
        }
        if (created)
            QDir().rmdir(targetDir);
        throw;
    }
    syncFolder(targetDir);
    return int(written.size());
}
