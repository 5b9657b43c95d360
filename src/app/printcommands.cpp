#include "app/printcommands.h"

#include "app/mainframe.h"
#include "app/midpage.h"
#include "controls/recordlists.h"
#include "print/listprinttables.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

QList<int> columnWidths(const CRecordListView &list)
{
    QList<int> widths;
    for (int c = 0; c < list.model()->columnCount(); ++c)
        widths << list.columnWidth(c);
    return widths;
}

void printOn(QPrinter &printer, const CPrintCommands::PrintedList &printed)
{
    CListPrintJob(printed.table, printed.titleSuffix, printed.screenPixelsPerCm).Print(printer);
}

} // namespace

CPrintCommands::CPrintCommands(CMainFrame &frame) : QObject(&frame), m_frame(frame) {}

const QList<Command<CPrintCommands>> &CPrintCommands::commands()
{
    using namespace CommandRules;
    using G = CPrintCommands;
    static const QList<Command<G>> table = {
        {ID_FILE_PRINT, listPrintable, &G::print},
        {ID_FILE_PRINT_PREVIEW, listPrintable, &G::printPreview},
    };
    return table;
}

std::optional<CPrintCommands::PrintedList> CPrintCommands::printedList() const
{
    const CMidPage *page = m_frame.midPage();
    const CRecordListView *list = nullptr;
    PrintedList printed;
    if (page->currentView() == VIEW_PLANNER) {
        const CPlanListCtrl *plans = page->planList();
        list = plans;
        printed.table = plansPrintTable(plans->listModel().shownRows(), columnWidths(*list));
        printed.titleSuffix = printTitleSuffix(QStringLiteral("plans"));
    } else if (page->currentView() == VIEW_TRANSACTIONS && page->allAccountsMode()) {
        const CAllTransListCtrl *all = page->allTransList();
        list = all;
        printed.table = allTransactionsPrintTable(all->listModel().shownRows(), columnWidths(*list));
        printed.titleSuffix = printTitleSuffix(QStringLiteral("all-transactions"));
    } else if (page->currentView() == VIEW_TRANSACTIONS) {
        const CAccountTransListCtrl *oneAccount = page->accountTransList();
        list = oneAccount;
        const TransactionListModel &model = oneAccount->listModel();
        printed.table = accountTransPrintTable({model.shownRows(), model.count()}, columnWidths(*list));
        printed.titleSuffix = printTitleSuffix(QStringLiteral("transactions"));
    } else {
        return std::nullopt;
    }
    printed.screenPixelsPerCm = list->logicalDpiX() * 10 / 254;
    return printed;
}

void CPrintCommands::print()
{
    const std::optional<PrintedList> printed = printedList();
    if (!printed)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Fennimar") + printed->titleSuffix);
    if (!m_frame.services().choosePrinter(&m_frame, printer))
        return;
    printOn(printer, *printed);
}

void CPrintCommands::printPreview()
{
    const std::optional<PrintedList> printed = printedList();
    if (!printed)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Fennimar") + printed->titleSuffix);
    QPrintPreviewDialog preview(&printer, &m_frame);
    preview.setWindowTitle(QStringLiteral("Print Preview") + printed->titleSuffix);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&printed](QPrinter *target) { printOn(*target, *printed); });
    preview.exec();
}
