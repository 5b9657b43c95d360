#include "benchbook.h"
#include "readfloor.h"

#include "store/recordfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

QString idFor(int n)
{
    // Distinct ids of the program's form, one second apart from 2020-01-01.
    const QDateTime t = QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC).addSecs(n);
    return t.toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral("90");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

QString ensureBenchBook(const QString &dir, int accounts, int perAccount, int plans)
{
    QDir folder(dir);
    const QString stamp = QStringLiteral("%1-%2-%3").arg(accounts).arg(perAccount).arg(plans);
    const QString marker = folder.filePath(QStringLiteral("bench.done"));
    {
        QFile f(marker);
        if (f.open(QIODevice::ReadOnly) && QString::fromLatin1(f.readAll()) == stamp)
            return dir;
    }
    folder.removeRecursively();
    QDir().mkpath(dir);

    QRandomGenerator rng(20261206);
    const OleDateTime start = OleDateTime::fromDateTime(QDate(2024, 12, 1), QTime(0, 0));
    const QStringList subjects = {"Groceries", "Salary", "Rent", "Fuel", "Phone", "Dinner", "Books", "Insurance"};
    const QStringList categories = {"Kitchen Items", "Household Items", "Snacks", "Wear Items"};
    int serial = 0;
    RecordMap<TransactionRecord> planTable;
    QStringList accountIds;
    for (int a = 0; a < accounts; ++a) {
        AccountRecord account;
        account.id = idFor(serial++);
        account.accountNumber = QStringLiteral("ACC-%1").arg(1000 + a);
        account.name = QStringLiteral("Account %1").arg(a);
        account.bank = QStringLiteral("Bank %1").arg(a % 7);
        account.icon = a % 48;
        put(folder.filePath(account.id + QStringLiteral(".act")), encodeAccount(account));
        accountIds << account.id;
        for (int t = 0; t < perAccount; ++t) {
            TransactionRecord r(start.addSecs(qint64(rng.bounded(730 * 86400))));
            r.key = account.id + idFor(1000000 + serial++);
            r.subject = subjects[rng.bounded(subjects.size())];
            const bool income = rng.bounded(4) == 0;
            r.amount = (income ? 1 : -1) * double(rng.bounded(100000)) / 100.0;
            r.incomeFlag = income ? 1 : 0;
            r.category = categories[rng.bounded(categories.size())];
            put(folder.filePath(r.key + QStringLiteral(".tra")), encodeTransaction(r));
        }
    }
    for (int p = 0; p < plans; ++p) {
        TransactionRecord r(
            OleDateTime::fromDateTime(QDate(2026, 12, 1), QTime(0, 0)).addSecs(rng.bounded(365 * 86400)));
        r.key = accountIds[p % accounts] + idFor(5000000 + serial++);
        r.subject = subjects[rng.bounded(subjects.size())];
        r.amount = -double(rng.bounded(50000)) / 100.0;
        r.incomeFlag = 0;
        planTable.insert(r.key, r);
    }
    put(folder.filePath(QStringLiteral("Plan2024120100000090.pln")), encodePlans(planTable));
    put(marker, stamp.toLatin1());
    return dir;
}

double medianMs(int repeats, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double floorMs(const QString &dir, int inFlight)
{
    ReadFloor f{};
    if (readFloor(QFile::encodeName(dir).constData(), ".tra", inFlight, &f) != 0)
        qFatal("cannot list %s", qPrintable(dir));
    return f.listMs + f.readMs;
}
