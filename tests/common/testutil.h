#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace testutil {

// Bytes from a hex string; blanks are ignored ("10 32 30").
inline QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(QByteArray(digits).replace(' ', ""));
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Every entry of a folder with its content, to see that nothing changed.
inline QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : entries(dir))
        files.insert(name, readFile(QDir(dir).filePath(name)));
    return files;
}

inline void useUsEnglish()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Every file this process writes beyond `bytes` fails, as on a full disk, until
// the guard ends.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

inline bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace testutil
