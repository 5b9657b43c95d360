#pragma once

#include "dialogs/iconlistctrl.h"

#include <QDialog>

// "Icons": picks the picture of an account. OK hands back the picture last
// chosen, or the one it was opened with when none was.
class CIconPickerDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CIconPickerDlg(int selectedIndex, QWidget *parent = nullptr);

    int selectedIndex() const { return m_selectedIndex; }
    CIconListCtrl *list() const { return m_list; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void onOk();

    int m_selectedIndex;
    CIconListCtrl *m_list;
};
