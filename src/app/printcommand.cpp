// The Print command: the plans list or one of the transactions lists, as
// paged tables.

#include "mainframe.h"

#include "accountcombo.h"
#include "listprintjob.h"
#include "midpage.h"
#include "recordlists.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

PrintTable printTableOf(const CRecordListView &list)
{
    PrintTable table;
    const QAbstractItemModel *model = list.model();
    for (int c = 0; c < model->columnCount(); ++c) {
        const auto align = Qt::Alignment(model->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        table.columns.append({model->headerData(c, Qt::Horizontal).toString(), list.columnWidth(c),
                              align & Qt::AlignHorizontal_Mask});
    }
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < model->columnCount(); ++c)
            texts << model->index(r, c).data().toString();
        table.rows.append(texts);
    }
    return table;
}

} // namespace

// The list the current view prints and the title that follows the program's
// name; no list outside the Planner and Transactions views.
std::pair<const CRecordListView *, QString> CMainFrame::printedList() const
{
    const CRecordListView *list = nullptr;
    QString suffix;
    if (m_page->currentView() == VIEW_PLANNER) {
        list = m_page->planList();
        suffix = QStringLiteral(" - Plans");
    } else if (m_page->currentView() == VIEW_TRANSACTIONS) {
        if (m_selector->currentIndex() != 0) {
            list = m_page->accountTransList();
            suffix = QStringLiteral(" - Transactions");
        } else {
            list = m_page->allTransList();
            suffix = QStringLiteral(" - All Transactions");
        }
    }
    return {list, suffix};
}

void CMainFrame::printOn(QPrinter &printer) const
{
    const auto [list, suffix] = printedList();
    const int pixelsPerCm = list->logicalDpiX() * 10 / 254;
    CListPrintJob(printTableOf(*list), suffix, pixelsPerCm).Print(printer);
}

void CMainFrame::print()
{
    const auto [list, suffix] = printedList();
    if (!list)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Fennimar") + suffix);
    if (!m_services.choosePrinter(this, printer))
        return;
    printOn(printer);
}

void CMainFrame::printPreview()
{
    const auto [list, suffix] = printedList();
    if (!list)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Fennimar") + suffix);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Print Preview") + suffix);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) { printOn(*target); });
    preview.exec();
}
