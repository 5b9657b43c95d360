#pragma once

#include "app/commandregistry.h"

#include <QObject>

class CMainFrame;

// The View menu: the five views, the toolbars, the status bar and the move
// between the panes; also what leads to a view from a list: the accounts
// list's click and double-click, and the Reports view's opening of a report.
class CViewCommands : public QObject
{
    Q_OBJECT

public:
    explicit CViewCommands(CMainFrame &frame);

    static const QList<Command<CViewCommands>> &commands();

    // A view command's work: view n becomes the current view, the account
    // selector takes its state for it, and the view is switched to.
    void showView(int n);
    // A click on an account chooses it in the account selector; a double-click
    // opens its transactions.
    void chooseAccount(int row);
    void openAccount(int row);
    // The Reports view: the report of that row (0 Account Balance, 1 Profit and Loss).
    void openReport(int row);

private:
    void viewCommand(int id);
    void toggleToolBars();
    void toggleStatusBar();
    void switchPane();

    CMainFrame &m_frame;
};
