#pragma once

#include "exportsource.h"
#include "fileio.h"
#include "testutil.h"

#include <QDomDocument>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>

#include <zip.h>

namespace testutil {

inline OleDateTime day(int y, int m, int d, int h = 12)
{
    return OleDateTime::fromDateTime(QDate(y, m, d), QTime(h, 0));
}

inline ListRow<TransactionRow> transactionRow(const QString &number, const OleDateTime &date, const QString &subject,
                                              double amount, double balance = 0)
{
    ListRow<TransactionRow> row;
    row.texts = QStringList{number, QString(), subject, QString()};
    row.data = TransactionRow{QStringLiteral("0000000000000090") + subject, subject, number, amount, balance, date};
    return row;
}

inline ListRow<AccountRow> accountRow(const QString &number, const QString &name, const QString &bank, double sum)
{
    ListRow<AccountRow> row;
    row.texts = QStringList{QString()};
    row.data = AccountRow{number + QStringLiteral("000000000090"), name, number, bank, sum, 0, 0};
    return row;
}

// The three views as the store fills them: accounts with a positive, a
// negative and a rounded-away balance; one account's transactions (opening
// row, two transactions, then a plans block that is not exported); all plans.
inline ExportSource accountsSource()
{
    ExportSource s;
    s.view = ExportView::Accounts;
    s.now = day(2026, 12, 6, 18);
    s.accounts = {accountRow(QStringLiteral("1001"), QStringLiteral("Checking"), QStringLiteral("First Bank"), 1234.5),
                  accountRow(QStringLiteral("2002"), QStringLiteral("Savings & <Co>"), QStringLiteral("Second \"Bank\""),
                             -12.5),
                  accountRow(QStringLiteral("3003"), QStringLiteral("Zero"), QStringLiteral("Third"), -0.004)};
    return s;
}

inline ExportSource transactionsSource()
{
    ExportSource s;
    s.view = ExportView::Transactions;
    s.accountSelected = true;
    s.accountTitle = QStringLiteral("First Bank - 1001");
    s.from = day(2026, 12, 1);
    s.to = day(2026, 12, 31);
    s.now = day(2026, 12, 6, 18);
    ListRow<TransactionRow> opening;
    opening.texts = QStringList{QStringLiteral("Balance till 11/30/26"), QString(), QString(), QStringLiteral("100.00")};
    opening.data = TransactionRow{QString(), QString(), QString(), 100, 100, day(2026, 12, 1, 0)};
    ListRow<TransactionRow> separator;
    separator.texts = QStringList{QString(), QString(), QString(), QString()};
    ListRow<TransactionRow> heading = separator;
    heading.texts[0] = QStringLiteral("Plans");
    s.transactions.rows = {opening,
                           transactionRow(QString(), day(2026, 12, 5), QStringLiteral("Salary"), 2000, 2100),
                           transactionRow(QString(), day(2026, 12, 10), QStringLiteral("Rent"), -2500, -400),
                           separator,
                           heading,
                           separator,
                           separator,
                           transactionRow(QString(), day(2026, 12, 20), QStringLiteral("Future"), -50)};
    s.transactions.count = 3;
    return s;
}

inline ExportSource plansSource()
{
    ExportSource s;
    s.view = ExportView::Plans;
    s.from = day(2026, 12, 1);
    s.to = day(2026, 12, 31);
    s.now = day(2026, 12, 6, 18);
    s.plans = {transactionRow(QStringLiteral("1001"), day(2026, 12, 20), QStringLiteral("Insurance"), -75.25),
               transactionRow(QStringLiteral("2002"), day(2027, 1, 15), QStringLiteral("Bonus"), 300)};
    return s;
}

// The sources that hold nothing to export.
inline void addEmptySources()
{
    QTest::addColumn<ExportSource>("source");
    ExportSource accounts = accountsSource();
    accounts.accounts.clear();
    QTest::newRow("no accounts") << accounts;
    ExportSource plans = plansSource();
    plans.plans.clear();
    QTest::newRow("no plans") << plans;
    ExportSource all = transactionsSource();
    all.accountSelected = false;
    QTest::newRow("all accounts chosen") << all;
    ExportSource none = transactionsSource();
    none.transactions = AccountTransRows();
    QTest::newRow("no rows") << none;
    ExportSource other = accountsSource();
    other.view = ExportView::Other;
    QTest::newRow("other view") << other;
}

// A write into a missing folder, and one that runs out of disk over an
// existing file, throw FileError and leave no file or the old one.
template <typename Export>
void checkFailedWrites(const QTemporaryDir &dir, const ExportSource &source)
{
    const QString missing = dir.filePath(QStringLiteral("missing/folder/export"));
    try {
        Export().write(missing, source);
        QFAIL("no FileError for a missing folder");
    } catch (const FileError &e) {
        QCOMPARE(e.path(), missing);
        QVERIFY(!e.reason().isEmpty());
    }
    QVERIFY(!QFileInfo::exists(missing));

    const QString old = dir.filePath(QStringLiteral("old"));
    QVERIFY(writeFile(old, "old"));
    {
        FileSizeLimit limit(1000);
        QVERIFY_THROWS_EXCEPTION(FileError, Export().write(old, source));
    }
    QCOMPARE(readFile(old), QByteArray("old"));
}

// The entries of a zip file, in archive order; empty when it is no zip.
inline QStringList zipEntries(const QString &path)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return {};
    QStringList names;
    const zip_int64_t n = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < n; ++i)
        names << QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), ZIP_FL_ENC_GUESS));
    zip_close(archive);
    return names;
}

// One entry of a zip file; nothing when the file or the entry is missing.
inline std::optional<QByteArray> zipEntry(const QString &path, const QString &name)
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        return std::nullopt;
    std::optional<QByteArray> result;
    zip_stat_t stat;
    const QByteArray entryName = name.toUtf8();
    if (zip_stat(archive, entryName.constData(), 0, &stat) == 0) {
        if (zip_file_t *file = zip_fopen(archive, entryName.constData(), 0)) {
            QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
            if (zip_fread(file, bytes.data(), stat.size) == zip_int64_t(stat.size))
                result = bytes;
            zip_fclose(file);
        }
    }
    zip_close(archive);
    return result;
}

// An entry parsed as namespace-aware XML; a null document when missing or malformed.
inline QDomDocument zipXml(const QString &path, const QString &name)
{
    QDomDocument doc;
    const std::optional<QByteArray> bytes = zipEntry(path, name);
    if (bytes)
        doc.setContent(*bytes, true);
    return doc;
}

// The child elements of an element with the given local name.
inline QList<QDomElement> children(const QDomElement &parent, const QString &localName = QString())
{
    QList<QDomElement> list;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (localName.isEmpty() || e.localName() == localName)
            list << e;
    }
    return list;
}

// The first descendant, along a path of local names ("rPr/color").
inline QDomElement descendant(const QDomElement &from, const QString &path)
{
    QDomElement e = from;
    for (const QString &name : path.split(u'/')) {
        const QList<QDomElement> list = children(e, name);
        if (list.isEmpty())
            return {};
        e = list.first();
    }
    return e;
}

// Runs /usr/bin/python3 with a script and arguments and returns what it
// printed as JSON. "skip" is set when Python or one of the modules is missing.
struct PythonResult
{
    QJsonDocument json;
    QString skip;
    QString error;
};

inline PythonResult runPython(const QString &module, const QString &script, const QStringList &arguments)
{
    PythonResult result;
    const QString python = QStringLiteral("/usr/bin/python3");
    if (!QFileInfo(python).isExecutable()) {
        result.skip = python + QStringLiteral(" is not installed");
        return result;
    }
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import ") + module});
    if (!probe.waitForFinished(60000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0) {
        result.skip = QStringLiteral("Python module %1 is not installed").arg(module);
        return result;
    }
    QProcess process;
    process.start(python, QStringList{QStringLiteral("-c"), script} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        result.error = QString::fromUtf8(process.readAllStandardError());
        return result;
    }
    QJsonParseError parseError;
    result.json = QJsonDocument::fromJson(process.readAllStandardOutput(), &parseError);
    if (parseError.error != QJsonParseError::NoError)
        result.error = parseError.errorString();
    return result;
}

} // namespace testutil

Q_DECLARE_METATYPE(ExportSource)
