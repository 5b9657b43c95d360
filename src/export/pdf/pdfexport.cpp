#include "export/pdf/pdfexport.h"

#include "export/exportrows.h"
#include "export/pdf/pdfwriter.h"
#include "store/formatters.h"

namespace {

const QString kBreak = QStringLiteral("\r\n\r\n");

void addCoverPage(PdfWriter &pdf, const ExportSource &source)
{
    pdf.NewPage();
    pdf.AddText(exportTitle(source.view), 100, 500, 2);
    pdf.AddLine(100, 470, 500, 470, 2);
    pdf.AddText(periodText(source), 200, 460, 2);
}

void addRecordPage(PdfWriter &pdf, const QString &heading, const QString &counter, const QString &details)
{
    pdf.NewPage();
    pdf.AddText(heading, 50, 750, 1);
    pdf.AddText(counter, 400, 750, 1);
    pdf.AddLine(50, 725, 500, 725, 1);
    pdf.AddParagraph(details, 50, 720, 1, 8);
    pdf.AddText(counter, 50, 80, 1);
    pdf.AddLine(50, 60, 500, 60, 1);
}

QString counter(const char *format, qsizetype i, qsizetype n)
{
    return QString::asprintf(format, int(i), int(n));
}

void addAccounts(PdfWriter &pdf, const AccountTable &accounts)
{
    for (qsizetype i = 0; i < accounts.size(); ++i) {
        const AccountRow a = rowData(accounts[i]);
        const QString details = kBreak + QStringLiteral("  Account No    :") + a.accountNumber + kBreak
                                + QStringLiteral(" Name          :") + a.name + kBreak + QStringLiteral(" Bank\t\t\t :")
                                + a.bank + kBreak + QStringLiteral(" Balance\t     :")
                                + currencyAmount(a.transactionSum);
        addRecordPage(pdf, a.bank, counter("Account %d of %d", i + 1, accounts.size()), details);
    }
}

void addTransactions(PdfWriter &pdf, const ExportSource &source)
{
    const ExportTransactions t = exportTransactions(source.transactions);
    pdf.AddText(QStringLiteral("Account No:") + source.accountTitle, 100, 350, 2);
    pdf.AddText(t.openingText + QStringLiteral("   ") + currencyAmount(t.openingBalance), 100, 300, 2);
    for (qsizetype i = 0; i < t.rows.size(); ++i) {
        const TransactionRow &row = t.rows[i];
        const QString details = kBreak + QStringLiteral("  Date\t        :") + formatDate(row.date) + kBreak
                                + QStringLiteral(" Subject       :") + row.subject + kBreak
                                + QStringLiteral(" Amount   \t :") + currencyAmount(row.amount) + kBreak
                                + QStringLiteral(" Balance\t     :") + currencyAmount(row.balance);
        addRecordPage(pdf, row.subject, counter("Transaction %d of %d", i + 1, t.rows.size()), details);
    }
}

void addPlans(PdfWriter &pdf, const TransactionTable &plans)
{
    for (qsizetype i = 0; i < plans.size(); ++i) {
        const TransactionRow p = rowData(plans[i]);
        const QString details = kBreak + QStringLiteral("  Account No    :") + p.accountNumber + kBreak
                                + QStringLiteral(" Date          :") + formatDate(p.date) + kBreak
                                + QStringLiteral(" Subject\t\t :") + p.subject + kBreak
                                + QStringLiteral(" Amount\t     :") + currencyAmount(p.amount);
        addRecordPage(pdf, p.subject, counter("Plan %d of %d", i + 1, plans.size()), details);
    }
}

} // namespace

void buildPdf(PdfWriter &pdf, const ExportSource &source)
{
    switch (source.view) {
    case ExportView::Accounts:
        addCoverPage(pdf, source);
        addAccounts(pdf, source.accounts);
        break;
    case ExportView::Transactions:
        if (!source.accountSelected)
            break;
        addCoverPage(pdf, source);
        addTransactions(pdf, source);
        break;
    case ExportView::Plans:
        addCoverPage(pdf, source);
        addPlans(pdf, source.plans);
        break;
    case ExportView::Other:
        break;
    }
}

QByteArray exportPdf(const ExportSource &source)
{
    PdfWriter pdf;
    buildPdf(pdf, source);
    return pdf.document();
}
