#pragma once

#include <QTableView>

// A list of records in rows: single selection of whole rows, no grid. The
// selection mark is the row last selected by a click (left or right).
class CRecordListView : public QTableView
{
    Q_OBJECT

public:
    explicit CRecordListView(QWidget *parent = nullptr);

    int selectionMark() const;
    void setSelectionMark(int row);

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
    // Sets the column widths for a new width of the list.
    virtual void layoutColumns(int width);
};
