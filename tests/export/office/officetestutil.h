#pragma once

#include "export/exportsource.h"
#include "store/fileio.h"
#include "testutil.h"

#include <QDomDocument>
#include <QJsonDocument>
#include <QProcess>

#include <zip.h>

Q_DECLARE_METATYPE(ExportSource)

namespace testutil {

inline OleDateTime day(int y, int m, int d, int h = 12)
{
    return OleDateTime::fromDateTime(QDate(y, m, d), QTime(h, 0));
}

// Every view's list: accounts with a positive, a negative and a rounded-away balance, the last with
// texts that read as a number, a formula and a date; the transactions of account "First Bank - 1001",
// the opening row first and a plans block, not exported, last; and plans.
inline ExportSource sample(ExportView view)
{
    ExportSource s{
        view, {}, {}, {}, true, "First Bank - 1001", day(2026, 12, 1), day(2026, 12, 31), day(2026, 12, 6, 18)};
    s.accounts = {{{}, -1, AccountRow{{}, "Checking", "1001", "First Bank", 1234.5}},
                  {{}, -1, AccountRow{{}, "Savings & <Co>", "2002", "Second \"Bank\"", -12.5}},
                  {{}, -1, AccountRow{{}, "=SUM(A1:A2)", "0003", "12/6/26", -0.004}}};
    s.transactions.rows = {{{"Balance till 11/30/26"}, -1, TransactionRow{{}, {}, {}, 100, 100, day(2026, 12, 1, 0)}},
                           {{}, -1, TransactionRow{{}, "Salary", {}, 2000, 2100, day(2026, 12, 5)}},
                           {{}, -1, TransactionRow{{}, "Rent", {}, -2500, -400, day(2026, 12, 10)}},
                           {{"Plans"}, -1, std::nullopt},
                           {{}, -1, TransactionRow{{}, "Future", {}, -50, 0, day(2026, 12, 20)}}};
    s.transactions.count = 3;
    s.plans = {{{}, -1, TransactionRow{{}, "Insurance", "1001", -75.25, 0, day(2026, 12, 20)}},
               {{}, -1, TransactionRow{{}, "Bonus", "2002", 300, 0, day(2027, 1, 15)}}};
    return s;
}

// Writes the source with the export to a new file of the suffix in a folder that lasts as
// long as the test; its path, or nothing when the export wrote no file.
template <typename Export>
QString written(const ExportSource &source, const QString &suffix)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QString::number(QDir(dir.path()).count()) + suffix);
    return Export().write(path, source) ? path : QString();
}

// An empty list, and the transactions of all accounts, write nothing; a write into a missing
// folder, and one that runs out of disk over an existing file, throw and leave no file or the old one.
template <typename Export>
void checkWrites(const ExportSource &source)
{
    QTemporaryDir dir;
    ExportSource all = sample(ExportView::Transactions), none = sample(ExportView::Plans);
    all.accountSelected = false;
    none.plans.clear();
    QVERIFY(!Export().write(dir.filePath(QStringLiteral("all")), all));
    QVERIFY(!Export().write(dir.filePath("none"), none));
    QVERIFY_THROWS_EXCEPTION(FileError, Export().write(dir.filePath(QStringLiteral("missing/export")), source));
    const QString old = dir.filePath(QStringLiteral("old"));
    QVERIFY(writeFile(old, "old"));
    {
        FileSizeLimit limit(1000);
        QVERIFY_THROWS_EXCEPTION(FileError, Export().write(old, source));
    }
    QCOMPARE(readFile(old), QByteArray("old"));
    QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("old")});
}

// The entries of a zip file in archive order with their contents; none when it is no zip.
inline QList<std::pair<QString, QByteArray>> zipEntries(const QString &path)
{
    QList<std::pair<QString, QByteArray>> entries;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    zip_stat_t stat;
    for (zip_uint64_t i = 0; archive && zip_stat_index(archive, i, 0, &stat) == 0; ++i) {
        QByteArray bytes(qsizetype(stat.size), '\0');
        zip_file_t *file = zip_fopen_index(archive, i, 0);
        if (!file || zip_fread(file, bytes.data(), stat.size) != zip_int64_t(stat.size))
            bytes = "unreadable";
        entries.append({QString::fromUtf8(stat.name), bytes});
        if (file)
            zip_fclose(file);
    }
    if (archive)
        zip_close(archive);
    return entries;
}

// An entry as XML, names with their prefixes ("w:p"); a null document when missing or malformed.
inline QDomDocument zipXml(const QString &path, const QString &name)
{
    QDomDocument doc;
    for (const auto &[entry, bytes] : zipEntries(path)) {
        if (entry == name)
            doc.setContent(bytes);
    }
    return doc;
}

inline QList<QDomElement> elements(const QDomElement &parent, const QString &name = QString())
{
    QList<QDomElement> list;
    for (QDomElement e = parent.firstChildElement(name); !e.isNull(); e = e.nextSiblingElement(name))
        list << e;
    return list;
}

// The first descendant along a path of names ("w:pPr/w:jc").
inline QDomElement at(QDomElement e, const QString &path)
{
    for (const QString &name : path.split(u'/'))
        e = e.firstChildElement(name);
    return e;
}

// What a script printed as JSON about the file, compact; "skip: ..." when Python
// or the module is missing.
inline QByteArray runPython(const QString &module, const QString &script, const QString &path)
{
    QProcess process;
    const QString check =
        QStringLiteral("import json, sys\ntry: import %1\nexcept ImportError: sys.exit(77)\n").arg(module);
    process.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), check + script, path});
    if (!process.waitForFinished(120000) || process.exitCode() == 77)
        return "skip: Python or its module " + module.toUtf8() + " is not installed";
    const QJsonDocument json = QJsonDocument::fromJson(process.readAllStandardOutput());
    return json.isNull() ? process.readAllStandardError() : json.toJson(QJsonDocument::Compact);
}

} // namespace testutil
