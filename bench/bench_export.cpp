// The Text, CSV, HTML and PDF exports of large lists. Usage: bench_export [rows] [repeats]

#include "export/fileexport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

ListRow<TransactionRow> planRow(int i)
{
    ListRow<TransactionRow> row;
    const OleDateTime date = OleDateTime::fromDateTime(QDate(2026, 1, 1).addDays(i % 700), QTime(12, 0));
    const QString subject = QStringLiteral("Payment %1 for the monthly (standing) order, café").arg(i);
    row.texts = QStringList{QStringLiteral("4711-%1").arg(i % 50), QString(), subject, QString()};
    row.data =
        TransactionRow{QString(), subject, QStringLiteral("4711-%1").arg(i % 50), (i % 7 - 3) * 12.34, 0.0, date};
    return row;
}

ExportSource source(ExportView view, int rows)
{
    ExportSource s;
    s.view = view;
    s.from = OleDateTime::fromDateTime(QDate(2026, 1, 1), QTime(0, 0));
    s.to = OleDateTime::fromDateTime(QDate(2027, 12, 31), QTime(0, 0));
    s.now = s.to;
    s.accountSelected = true;
    s.accountTitle = QStringLiteral("Northbank - 4711");
    ListRow<TransactionRow> opening = planRow(0);
    opening.texts[0] = QStringLiteral("Balance till 12/31/25");
    s.transactions.rows.append(opening);
    for (int i = 0; i < rows; ++i) {
        s.plans.append(planRow(i));
        s.transactions.rows.append(planRow(i));
        ListRow<AccountRow> account;
        account.data = AccountRow{QString(),
                                  QStringLiteral("Account %1").arg(i),
                                  QString::number(i),
                                  QStringLiteral("Bank %1").arg(i % 20),
                                  i * 1.5,
                                  0.0,
                                  0};
        s.accounts.append(account);
    }
    s.transactions.count = int(s.transactions.rows.size());
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const int rows = args.value(1, QStringLiteral("100000")).toInt();
    const int repeats = std::max(1, args.value(2, QStringLiteral("3")).toInt());

    const struct
    {
        ExportFormat format;
        const char *name;
    } formats[] = {{ExportFormat::Text, "text"},
                   {ExportFormat::Csv, "csv"},
                   {ExportFormat::Html, "html"},
                   {ExportFormat::Pdf, "pdf"}};
    const struct
    {
        ExportView view;
        const char *name;
    } views[] = {
        {ExportView::Accounts, "accounts"}, {ExportView::Transactions, "transactions"}, {ExportView::Plans, "plans"}};

    std::printf("%d rows, median of %d\n", rows, repeats);
    for (const auto &view : views) {
        const ExportSource s = source(view.view, rows);
        for (const auto &format : formats) {
            std::vector<double> times;
            qsizetype size = 0;
            for (int i = 0; i < repeats; ++i) {
                QElapsedTimer timer;
                timer.start();
                size = exportBytes(format.format, s).size();
                times.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
            std::sort(times.begin(), times.end());
            std::printf("%-13s %-5s %10.1f ms %12lld bytes\n", view.name, format.name, times[times.size() / 2],
                        static_cast<long long>(size));
        }
    }
    return 0;
}
