#pragma once

#include <QListWidget>

// Every account picture in a grid, item i showing picture i without text.
class CIconListCtrl : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int kSpacing = 40;

    explicit CIconListCtrl(QWidget *parent = nullptr);

    // Puts in one item per picture of the strip.
    void fill();

    // The item chosen last, -1 when none is. Only a selected item counts:
    // the focus alone makes the first item current.
    int selectionMark() const;
    // Makes the item current and selected; an index without an item clears both.
    void setSelectionMark(int index);
};
