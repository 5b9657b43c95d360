#pragma once

#include "export/exportsource.h"
#include "store/accounttransrows.h"
#include "testutil.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(ExportSource)

namespace testutil {

inline OleDateTime day(int y, int m, int d)
{
    return OleDateTime::fromDateTime(QDate(y, m, d), QTime(12, 0));
}

inline ListRow<AccountRow> accountRow(const QString &number, const QString &name, const QString &bank, double sum)
{
    return {{QString()}, -1, AccountRow{QStringLiteral("2026120612000090"), name, number, bank, sum, 0, 0}};
}

// A row without a running balance; the one-account sources below give theirs
// through the store, as the list has them.
inline ListRow<TransactionRow> transactionRow(const OleDateTime &date, const QString &subject, double amount,
                                              const QString &accountNumber = QString())
{
    return {{QString(), subject, QString(), QString()},
            -1,
            TransactionRow{QStringLiteral("2026120612000090"), subject, accountNumber, amount, 0.0, date}};
}

inline ExportSource exportSource(ExportView view)
{
    return {view,
            {},
            {},
            {},
            false,
            {},
            day(2026, 12, 1),
            day(2026, 12, 31),
            OleDateTime::fromDateTime(QDate(2026, 12, 6), QTime(18, 30))};
}

// The Accounts view with account A1 "Home" of bank B.
inline ExportSource oneAccount(double balance)
{
    ExportSource s = exportSource(ExportView::Accounts);
    s.accounts << accountRow(QStringLiteral("A1"), QStringLiteral("Home"), QStringLiteral("B"), balance);
    return s;
}

// The Transactions view of account "B - A1": the opening row, a payment of 1000
// on Dec 3 listed before the rent on Dec 1, then (not counted) the list's plans.
// The balances run in list order, as the store runs them.
inline ExportSource oneAccountSource(double openingAmount, double rent)
{
    ExportSource s = exportSource(ExportView::Transactions);
    s.accountSelected = true;
    s.accountTitle = QStringLiteral("B - A1");
    s.transactions.rows = {transactionRow(day(2026, 12, 1), QString(), openingAmount),
                           transactionRow(day(2026, 12, 3), QStringLiteral("Pay"), 1000.0),
                           transactionRow(day(2026, 12, 1), QStringLiteral("Rent"), rent),
                           {{QStringLiteral("Plans")}, -1, std::nullopt},
                           transactionRow(day(2026, 12, 20), QStringLiteral("Plan"), 7.0)};
    s.transactions.rows[0].texts[0] = QStringLiteral("Balance till 11/30/26");
    s.transactions.count = 3;
    runningBalance(s.transactions.rows, 0, s.transactions.count);
    return s;
}

// Each view's list made of the texts: accounts, plans and transactions of -1;
// the first is also the account's title, the second the opening row's text.
inline ExportSource sourceWith(ExportView view, const QStringList &texts)
{
    ExportSource s = exportSource(view);
    s.accountSelected = true;
    s.accountTitle = texts[0];
    for (const QString &text : texts) {
        s.accounts << accountRow(text, text, text, -1.0);
        s.plans << transactionRow(day(2026, 12, 6), text, -1.0, text);
    }
    s.transactions.rows = TransactionTable{transactionRow(day(2026, 12, 1), QString(), 5.0)} + s.plans;
    s.transactions.rows[0].texts[0] = texts[1];
    s.transactions.count = int(s.transactions.rows.size());
    runningBalance(s.transactions.rows, 0, s.transactions.count);
    return s;
}

// The standard output of a program of the system; nothing when it fails.
inline std::optional<QByteArray> runTool(const QString &program, const QStringList &arguments,
                                         const QByteArray &input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s: %s", qPrintable(program), process.readAllStandardError().constData());
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

// Objects 1 to 3, as every document starts.
const QByteArray kFixedObjects = "%PDF-1.4\r\n1 0 obj<</Type /Catalog /Pages 4 0 R>>\nendobj\r2 0 obj\r\n"
                                 "[/PDF /Text]\r\nendobj\n3 0 obj\r\n<< /Type /Font /Subtype /Type1 /Name /F1 "
                                 "/BaseFont /Helvetica /Encoding /MacRomanEncoding>>endobj\r\n";

// Where the cross-reference table starts, as the trailer gives it.
inline qsizetype xrefOffset(const QByteArray &pdf)
{
    const qsizetype at = pdf.lastIndexOf("\r\nstartxref\r\n") + 13;
    return pdf.mid(at, pdf.indexOf("\r\n", at) - at).toLongLong();
}

// The cross-reference table of 20-byte entries whose offsets point at "n 0 obj",
// the trailer with the size, and every stream's /Length.
inline void checkStructure(const QByteArray &pdf, int objects)
{
    const qsizetype xref = xrefOffset(pdf);
    const QByteArray head = "xref\r\n0 " + QByteArray::number(objects + 1) + "\r\n0000000000 65535 f\r\n";
    QCOMPARE(pdf.mid(xref, head.size()), head);
    for (int n = 1; n <= objects; ++n) {
        const QByteArray entry = pdf.mid(xref + head.size() + (n - 1) * 20, 20);
        const QByteArray start = QByteArray::number(n) + " 0 obj";
        QCOMPARE(entry.mid(10) + pdf.mid(entry.left(10).toLongLong(), start.size()), " 00000 n\r\n" + start);
    }
    QCOMPARE(pdf.mid(xref + head.size() + objects * 20), "trailer\n<</Size " + QByteArray::number(objects + 1)
                                                             + "/Root 1 0 R>>\r\nstartxref\r\n"
                                                             + QByteArray::number(xref) + "\r\n%%EOF\r\n");
    static const QRegularExpression length(QStringLiteral("<</Length (\\d+) ?>>stream\r\n"));
    for (const QRegularExpressionMatch &m : length.globalMatch(QString::fromLatin1(pdf)))
        QCOMPARE(pdf.mid(m.capturedEnd() + m.captured(1).toLongLong(), 11), QByteArray("\r\nendstream"));
}

// The content of stream object n.
inline QByteArray streamContent(const QByteArray &pdf, int n)
{
    const QRegularExpression start(QStringLiteral("[\\r\\n]%1 0 obj<</Length \\d+ ?>>stream\r\n").arg(n));
    const qsizetype at = start.match(QString::fromLatin1(pdf)).capturedEnd();
    return at < 0 ? QByteArray() : pdf.mid(at, pdf.indexOf("\r\nendstream", at) - at);
}

// The text pdftotext reads from a document qpdf finds sound; empty when either fails.
inline QString checkedText(const QByteArray &pdf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("check.pdf"));
    if (!writeFile(path, pdf) || !runTool(QStringLiteral("/usr/bin/qpdf"), {QStringLiteral("--check"), path}))
        return {};
    return QString::fromUtf8(runTool(QStringLiteral("/usr/bin/pdftotext"), {path, QStringLiteral("-")}).value_or(""));
}

} // namespace testutil
