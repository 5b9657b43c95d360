// The export commands of the main frame: ask for the file, write what the
// current view shows, and open the file with the desktop's program for it.

#include "mainframe.h"

#include "accountcombo.h"
#include "exportformats.h"
#include "exportsource.h"
#include "fileio.h"
#include "messagebox.h"
#include "midpage.h"
#include "recordlists.h"

#include <QApplication>
#include <QDir>

namespace {

struct ExportCommand
{
    int id;
    ExportKind kind;
    const char *suffix;
    const char *filter;
};

constexpr ExportCommand kExports[] = {
    {ID_EXPORT_TEXT, ExportKind::Text, "txt", "Text Files (*.txt)"},
    {ID_EXPORT_CSV, ExportKind::Csv, "csv", "csv Files (*.csv)"},
    {ID_EXPORT_HTML, ExportKind::Html, "html", "HTML Files (*.html)"},
    {ID_EXPORT_PDF, ExportKind::Pdf, "pdf", "PDF Files (*.pdf)"},
    {ID_EXPORT_EXCEL, ExportKind::Excel, "xlsx", "Excel Workbooks (*.xlsx)"},
    {ID_EXPORT_WORD, ExportKind::Word, "docx", "Word Documents (*.docx)"},
};

} // namespace

ExportSource CMainFrame::exportSource() const
{
    ExportSource source;
    const Period filter = period();
    source.from = filter.from;
    source.to = filter.to;
    source.now = OleDateTime::currentDateTime();
    switch (m_page->currentView()) {
    case VIEW_ACCOUNTS:
        source.view = ExportView::Accounts;
        source.accounts = m_page->accountList()->listModel().rows();
        break;
    case VIEW_TRANSACTIONS:
        source.view = ExportView::Transactions;
        source.accountSelected = m_selector->isAccountSelected() && !m_page->allAccountsMode();
        if (source.accountSelected) {
            source.accountTitle = m_selector->currentText();
            source.transactions = m_page->accountTransList()->listModel().accountTransRows();
        }
        break;
    case VIEW_PLANNER:
        source.view = ExportView::Plans;
        source.plans = m_page->planList()->listModel().rows();
        break;
    default:
        source.view = ExportView::Other;
        break;
    }
    return source;
}

QString CMainFrame::suggestedExportName(const QString &suffix) const
{
    QString name;
    switch (m_page->currentView()) {
    case VIEW_ACCOUNTS:
        name = QStringLiteral("Accounts");
        break;
    case VIEW_PLANNER:
        name = QStringLiteral("Plans");
        break;
    case VIEW_TRANSACTIONS: {
        const Period filter = period();
        const QDate from = filter.from.date(), to = filter.to.date();
        const bool wholeMonth = from.day() == 1 && to == from.addMonths(1).addDays(-1);
        name = QStringLiteral("Transactions ")
               + (wholeMonth ? from.toString(QStringLiteral("yyyy-MM"))
                             : from.toString(Qt::ISODate) + QStringLiteral(" to ") + to.toString(Qt::ISODate));
        break;
    }
    default:
        name = QStringLiteral("Fennimar");
        break;
    }
    return name + u'.' + suffix;
}

void CMainFrame::exportFile(int id)
{
    const auto command = std::find_if(std::begin(kExports), std::end(kExports),
                                      [id](const ExportCommand &c) { return c.id == id; });
    if (command == std::end(kExports))
        return;
    const QString suffix = QString::fromLatin1(command->suffix);
    const QString path = m_services.saveFileName(this, QStringLiteral("Save As"), suggestedExportName(suffix), suffix,
                                                 QString::fromLatin1(command->filter));
    if (path.isEmpty())
        return;
    const ExportSource source = exportSource();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool written = false;
    QString error;
    try {
        written = writeExportAs(command->kind, path, source);
    } catch (const FileError &e) {
        error = e.message();
    }
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        showMessage(this, error, MessageIcon::Stop);
        return;
    }
    if (written && !m_services.openFile(path))
        showMessage(this,
                    QStringLiteral("Saved as %1. No program on this system could open it.")
                        .arg(QDir::toNativeSeparators(path)),
                    MessageIcon::Information);
}
