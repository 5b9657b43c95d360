#include "export/htmlexport.h"

#include "export/exportrows.h"
#include "res/stringtable.h"
#include "store/formatters.h"
#include "store/windows1252.h"

namespace {

const QString kTableOpening = QStringLiteral(
    "<table border='1' cellpadding='0' cellspacing='0' style='border-collapse: collapse' bordercolor='#AAAAAA' "
    "width='100%' align='center'>");
const QString kTableEnd = QStringLiteral("</table>");

QString headingRow(std::initializer_list<const char *> headings)
{
    QString html = QStringLiteral("<tr bgcolor='#BFBFBF'>");
    for (const char *heading : headings)
        html += QStringLiteral("<th>") + QLatin1String(heading) + QStringLiteral("</th>");
    return html + QStringLiteral("</tr>");
}

// The currency text of an amount; a negative one in the red font wrapper.
QString amountCell(double amount)
{
    const QString text = htmlEscaped(currencyAmount(amount));
    return amount < 0 ? QStringLiteral("<font color = '#FF0000'> %1 </font>").arg(text) : text;
}

QString accountsTable(const AccountTable &accounts)
{
    QString html = kTableOpening + headingRow({"Account Number", "Name", "Bank", "Balance"});
    for (const auto &listRow : accounts) {
        const AccountRow a = rowData(listRow);
        html += QStringLiteral("<tr><td align='left'>") + htmlEscaped(a.accountNumber)
                + QStringLiteral("</td><td align ='left'>") + htmlEscaped(a.name)
                + QStringLiteral("</td><td align ='left'>") + htmlEscaped(a.bank)
                + QStringLiteral("</td><td align = 'right'>") + amountCell(a.transactionSum)
                + QStringLiteral("</td></tr>");
    }
    return html + kTableEnd;
}

QString transactionsTable(const QString &title, const AccountTransRows &rows)
{
    const ExportTransactions t = exportTransactions(rows);
    QString html = kTableOpening + QStringLiteral("<tr><td colspan = 4><b>Account No: </b>") + htmlEscaped(title)
                   + QStringLiteral("</td></tr>") + headingRow({"Date", "Subject", "Amount", "Balance"})
                   + QStringLiteral("<tr bgcolor='#FFFF00'><td colspan = 3><b>") + htmlEscaped(t.openingText)
                   + QStringLiteral("</b></td><td align='right'><b>") + amountCell(t.openingBalance)
                   + QStringLiteral("</b></td></tr>");
    for (const TransactionRow &row : t.rows) {
        html += QStringLiteral("<tr><td align='left'>") + htmlEscaped(formatDate(row.date))
                + QStringLiteral("</td><td align='left'>") + htmlEscaped(row.subject)
                + QStringLiteral("</td><td align='right'>") + amountCell(row.amount)
                + QStringLiteral("</td><td align='right'>") + amountCell(row.balance) + QStringLiteral("</td></tr>");
    }
    return html + kTableEnd;
}

QString plansTable(const TransactionTable &plans)
{
    QString html = kTableOpening + headingRow({"Account Number", "Date", "Subject", "Amount"});
    for (const auto &listRow : plans) {
        const TransactionRow p = rowData(listRow);
        html += QStringLiteral("<tr><td align='left'>") + htmlEscaped(p.accountNumber)
                + QStringLiteral("</td><td align='left'>") + htmlEscaped(formatDate(p.date))
                + QStringLiteral("</td><td align='left'>") + htmlEscaped(p.subject)
                + QStringLiteral("</td><td align='right'>")
                + (p.amount < 0 ? QStringLiteral("<font color='#FF0000'>") : QStringLiteral("<font color='#000000'>"))
                + htmlEscaped(currencyAmount(p.amount)) + QStringLiteral("</font></td></tr>");
    }
    return html + kTableEnd;
}

QString caption(ExportView view)
{
    return QStringLiteral("<caption><font color='#888800'>") + htmlEscaped(exportTitle(view))
           + QStringLiteral("</font></caption>");
}

QString htmlPage(const ExportSource &source)
{
    QString heading = periodText(source);
    QString captionText;
    QString table;
    switch (source.view) {
    case ExportView::Accounts:
        heading = formatDate(source.now);
        captionText = caption(source.view);
        table = accountsTable(source.accounts);
        break;
    case ExportView::Transactions:
        captionText = caption(source.view);
        if (source.accountSelected)
            table = transactionsTable(source.accountTitle, source.transactions);
        break;
    case ExportView::Plans:
        captionText = caption(source.view);
        table = plansTable(source.plans);
        break;
    case ExportView::Other:
        break;
    }
    // The page's bytes are Windows-1252, and say so.
    return QStringLiteral("<html><head><meta charset=\"windows-1252\"></head><body bgcolor = '#FBFFFF'>")
           + QStringLiteral("<table border='0' cellpadding='0' cellspacing='0' style='border-collapse: collapse' "
                            "bordercolor='#111111' width='100%'>")
           + captionText + QStringLiteral("<tr><td width='100%'><p align='center'><font color='#000080'><b>")
           + htmlEscaped(heading) + QStringLiteral("</b></font></p></td></tr></table><BR>") + table
           + QStringLiteral("</body></html>");
}

} // namespace

QString htmlEscaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QByteArray htmlBytes(const QString &page)
{
    QByteArray out;
    out.reserve(page.size());
    for (qsizetype i = 0; i < page.size(); ++i) {
        const char16_t c = page[i].unicode();
        const int byte = windows1252Byte(c);
        if (byte >= 0) {
            out += char(byte);
            continue;
        }
        char32_t codePoint = c;
        if (QChar::isHighSurrogate(c) && i + 1 < page.size() && QChar::isLowSurrogate(page[i + 1].unicode()))
            codePoint = QChar::surrogateToUcs4(c, page[++i].unicode());
        else if (QChar::isSurrogate(c))
            codePoint = QChar::ReplacementCharacter;
        out += "&#" + QByteArray::number(uint(codePoint)) + ';';
    }
    return out;
}

QByteArray exportHtml(const ExportSource &source)
{
    return htmlBytes(htmlPage(source));
}
