#pragma once

// The seed corpus of the fuzzers as the replay tests see it (FENNIMAR_FUZZ_CORPUS
// names its folder): one folder per reader, a seed's verdict in its name.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace corpus {

inline QString dir()
{
    return QStringLiteral(FENNIMAR_FUZZ_CORPUS);
}

// Every file of the corpus, relative to it, in name order.
inline QStringList files()
{
    QStringList found;
    const QDir root(dir());
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(root.relativeFilePath(it.next()));
    found.sort();
    return found;
}

// What its own reader must make of a seed, by the seed's name: refused-*
// refused, hostile-* and regression-* left open (only the invariants hold),
// every other seed taken.
inline std::optional<bool> ownVerdict(const QString &fileName)
{
    if (fileName.startsWith(QLatin1String("refused-")))
        return false;
    if (fileName.startsWith(QLatin1String("hostile-")) || fileName.startsWith(QLatin1String("regression-")))
        return std::nullopt;
    return true;
}

inline QByteArray read(const QString &file)
{
    QFile f(QDir(dir()).filePath(file));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s: %s", qPrintable(f.fileName()), qPrintable(f.errorString()));
    return f.readAll();
}

} // namespace corpus
