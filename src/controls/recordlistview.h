#pragma once

#include <QTableView>

// A list of records in rows: single selection of whole rows, no grid. The
// selection mark is the selected row (chosen by a click, left or right, or the
// keyboard); a refill leaves none, so that no command acts on a row the user
// does not see selected.
class CRecordListView : public QTableView
{
    Q_OBJECT

public:
    explicit CRecordListView(QWidget *parent = nullptr);

    // The selected row, or -1.
    int selectionMark() const;
    void setSelectionMark(int row);

    // Gives up the order the user chose by a click on a column title (which
    // refills keep) for the list's own order.
    void clearSortOrder();

Q_SIGNALS:
    void selectionMarkChanged(int row);
    // The user moved the selection mark with the mouse or the keyboard.
    void selectionMarkChosen(int row);
    void rowDoubleClicked(int row);
    void contextMenuRequested(int row, const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void setModel(QAbstractItemModel *model) override;
    // Lets a click on a column title sort the rows by that column, a second
    // click reverse them; the model sorts (column -1: its own order).
    void setSortable();
    // Sets the column widths for a new width of the list.
    virtual void layoutColumns(int width);
};
