#include "controls/recordlistview.h"

#include "controls/gradientheaderctrl.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>

CRecordListView::CRecordListView(QWidget *parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->hide();
    setHorizontalHeader(new CGradientHeaderCtrl(this));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setStretchLastSection(false);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
}

void CRecordListView::setModel(QAbstractItemModel *model)
{
    QTableView::setModel(model);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Q_EMIT selectionMarkChanged(selectionMark()); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        layoutColumns(viewport()->width());
        // The mark is the selection, never the current row, which the view
        // puts on the first row whenever it gets the focus without one.
        selectionModel()->clear();
        Q_EMIT selectionMarkChanged(-1);
    });
    // A sort moves the selected row along with its record.
    connect(model, &QAbstractItemModel::layoutChanged, this, [this] { Q_EMIT selectionMarkChanged(selectionMark()); });
}

void CRecordListView::setSortable()
{
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
}

void CRecordListView::clearSortOrder()
{
    if (isSortingEnabled())
        sortByColumn(-1, Qt::AscendingOrder);
}

int CRecordListView::selectionMark() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void CRecordListView::setSelectionMark(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount()) {
        clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
        return;
    }
    selectionModel()->setCurrentIndex(model()->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CRecordListView::mousePressEvent(QMouseEvent *event)
{
    const int before = selectionMark();
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            setSelectionMark(index.row());
        event->accept();
    } else {
        QTableView::mousePressEvent(event);
    }
    if (selectionMark() != before)
        Q_EMIT selectionMarkChosen(selectionMark());
}

void CRecordListView::keyPressEvent(QKeyEvent *event)
{
    const int before = selectionMark();
    QTableView::keyPressEvent(event);
    if (selectionMark() != before)
        Q_EMIT selectionMarkChosen(selectionMark());
}

void CRecordListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        setSelectionMark(index.row());
        Q_EMIT rowDoubleClicked(index.row());
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void CRecordListView::contextMenuEvent(QContextMenuEvent *event)
{
    const int row = event->reason() == QContextMenuEvent::Mouse ? indexAt(event->pos()).row() : selectionMark();
    if (row >= 0) {
        const QPoint at = event->reason() == QContextMenuEvent::Mouse
                              ? event->globalPos()
                              : viewport()->mapToGlobal(visualRect(model()->index(row, 0)).center());
        Q_EMIT contextMenuRequested(row, at);
    }
    event->accept();
}

void CRecordListView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    layoutColumns(viewport()->width());
}

void CRecordListView::layoutColumns(int width)
{
    if (model() && model()->columnCount() == 1)
        setColumnWidth(0, width);
}
