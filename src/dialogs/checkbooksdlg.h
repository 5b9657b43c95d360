#pragma once

#include "store/bookcheck.h"

#include <QDialog>

class CDataStore;
class QLabel;
class QListWidget;
class QPushButton;

// Tools > Check Books: what `fennimar-cli check` finds in the working
// directory, one line per problem, and the repair that moves the damaged and
// orphaned files into the Damaged folder beside it.
class CCheckBooksDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CCheckBooksDlg(CDataStore &store, QWidget *parent = nullptr);

    // Whether a repair moved anything, so the books must be read again.
    bool repaired() const { return m_repaired; }

private:
    void showCheck(const QStringList &before);
    void onRepair();

    CDataStore &m_store;
    BookCheck m_check;
    QLabel *m_summary;
    QListWidget *m_lines;
    QPushButton *m_repair;
    bool m_repaired = false;
};
