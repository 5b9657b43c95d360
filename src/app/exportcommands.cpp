#include "app/exportcommands.h"

#include "app/mainframe.h"
#include "app/midpage.h"
#include "controls/accountcombo.h"
#include "controls/recordlists.h"
#include "export/exportformats.h"
#include "export/exportsource.h"
#include "store/fileio.h"
#include "uiext/messagebox.h"

#include <QApplication>
#include <QDir>

#include <algorithm>

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

CExportCommands::CExportCommands(CMainFrame &frame) : QObject(&frame), m_frame(frame) {}

const QList<Command<CExportCommands>> &CExportCommands::commands()
{
    using namespace CommandRules;
    using G = CExportCommands;
    static const QList<Command<G>> table = {
        {ID_EXPORT_EXCEL, exportable, &G::exportFile}, {ID_EXPORT_WORD, exportable, &G::exportFile},
        {ID_EXPORT_HTML, exportable, &G::exportFile},  {ID_EXPORT_PDF, exportable, &G::exportFile},
        {ID_EXPORT_TEXT, exportable, &G::exportFile},  {ID_EXPORT_CSV, exportable, &G::exportFile},
    };
    return table;
}

ExportSource CExportCommands::source() const
{
    const CMidPage *page = m_frame.midPage();
    const CAccountCombo *selector = m_frame.accountSelector();
    ExportSource source;
    const Period filter = m_frame.period();
    source.from = filter.from;
    source.to = filter.to;
    source.now = OleDateTime::currentDateTime();
    switch (page->currentView()) {
    case VIEW_ACCOUNTS:
        source.view = ExportView::Accounts;
        source.accounts = page->accountList()->listModel().rows();
        break;
    case VIEW_TRANSACTIONS:
        source.view = ExportView::Transactions;
        source.accountSelected = selector->isAccountSelected() && !page->allAccountsMode();
        if (source.accountSelected) {
            source.accountTitle = selector->currentText();
            source.transactions = page->accountTransList()->listModel().accountTransRows();
        }
        break;
    case VIEW_PLANNER:
        source.view = ExportView::Plans;
        source.plans = page->planList()->listModel().rows();
        break;
    default:
        source.view = ExportView::Other;
        break;
    }
    return source;
}

QString CExportCommands::suggestedName(const QString &suffix) const
{
    QString name;
    switch (m_frame.midPage()->currentView()) {
    case VIEW_ACCOUNTS:
        name = QStringLiteral("Accounts");
        break;
    case VIEW_PLANNER:
        name = QStringLiteral("Plans");
        break;
    case VIEW_TRANSACTIONS: {
        const Period filter = m_frame.period();
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

void CExportCommands::exportFile(int id)
{
    const auto command =
        std::find_if(std::begin(kExports), std::end(kExports), [id](const ExportCommand &c) { return c.id == id; });
    if (command == std::end(kExports))
        return;
    const QString suffix = QString::fromLatin1(command->suffix);
    const QString path = m_frame.services().saveFileName(&m_frame, QStringLiteral("Save As"), suggestedName(suffix),
                                                         suffix, QString::fromLatin1(command->filter));
    if (path.isEmpty())
        return;
    const ExportSource exported = source();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool done = false;
    QString error;
    try {
        done = writeExportAs(command->kind, path, exported);
    } catch (const FileError &e) {
        error = e.message();
    }
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        showMessage(&m_frame, error, MessageIcon::Stop);
        return;
    }
    if (done && !m_frame.services().openFile(path))
        showMessage(
            &m_frame,
            QStringLiteral("Saved as %1. No program on this system could open it.").arg(QDir::toNativeSeparators(path)),
            MessageIcon::Information);
}
