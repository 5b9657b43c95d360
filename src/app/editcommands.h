#pragma once

#include "app/commandregistry.h"

#include <QObject>

class CFindDlg;
class CMainFrame;
class CUndoHistory;

// The Edit menu: Undo and Redo of the changes made to the books in this
// session, the search field above the lists, and Find in All Transactions.
class CEditCommands : public QObject
{
    Q_OBJECT

public:
    explicit CEditCommands(CMainFrame &frame);

    static const QList<Command<CEditCommands>> &commands();

    // The Undo and Redo items name the step they act on.
    void updateTexts();
    // Runs the search field's words over the visible list again.
    void filterList();
    // The Find in All Transactions dialog, while it is open.
    CFindDlg *findDialog() const { return m_findDialog; }

private:
    void undo();
    void redo();
    // Undoes or redoes a step; a step that cannot be taken is told, nothing written.
    void step(bool (CUndoHistory::*move)(QString *));
    void focusSearch();
    void findAll();
    // Shows the books as the undo or redo left them.
    void showRestored();

    CMainFrame &m_frame;
    CFindDlg *m_findDialog = nullptr;
};
