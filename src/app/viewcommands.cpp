#include "app/viewcommands.h"

#include "app/mainframe.h"
#include "app/midpage.h"
#include "controls/accountcombo.h"
#include "controls/recordlists.h"
#include "dialogs/reportsdlg.h"
#include "uiext/guifolder.h"

#include <QApplication>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolBar>

CViewCommands::CViewCommands(CMainFrame &frame) : QObject(&frame), m_frame(frame) {}

const QList<Command<CViewCommands>> &CViewCommands::commands()
{
    using namespace CommandRules;
    using G = CViewCommands;
    static const QList<Command<G>> table = {
        {ID_VIEW_ACCOUNTS, always, &G::viewCommand, viewShown<VIEW_ACCOUNTS>},
        {ID_VIEW_TRANSACTIONS, always, &G::viewCommand, viewShown<VIEW_TRANSACTIONS>},
        {ID_VIEW_PLANNER, always, &G::viewCommand, viewShown<VIEW_PLANNER>},
        {ID_VIEW_CATEGORIES, always, &G::viewCommand, viewShown<VIEW_CATEGORIES>},
        {ID_VIEW_REPORTS, always, &G::viewCommand, viewShown<VIEW_REPORTS>},
        {ID_VIEW_TOOLBAR, always, &G::toggleToolBars, toolBarShown},
        {ID_VIEW_STATUS_BAR, always, &G::toggleStatusBar, statusBarShown},
        {ID_NEXT_PANE, always, &G::switchPane},
        {ID_PREV_PANE, always, &G::switchPane},
    };
    return table;
}

void CViewCommands::viewCommand(int id)
{
    showView(id - ID_VIEW_ACCOUNTS);
}

void CViewCommands::showView(int n)
{
    m_frame.midPage()->setCurrentView(n);
    m_frame.updateAccountSelectorState();
    m_frame.midPage()->SwitchView(n);
}

void CViewCommands::chooseAccount(int row)
{
    CMidPage *page = m_frame.midPage();
    if (page->currentView() != VIEW_ACCOUNTS || page->visibleControl() != VIEW_ACCOUNTS)
        return;
    m_frame.updateAccountSelectorState();
    if (row >= 0) {
        const QSignalBlocker quiet(m_frame.accountSelector());
        m_frame.accountSelector()->selectById(page->accountList()->idAt(row));
    }
    m_frame.updateCommandStates();
}

void CViewCommands::openAccount(int row)
{
    {
        const QSignalBlocker quiet(m_frame.accountSelector());
        m_frame.accountSelector()->selectById(m_frame.midPage()->accountList()->idAt(row));
    }
    showView(VIEW_TRANSACTIONS);
    m_frame.updateCommandStates();
}

void CViewCommands::openReport(int row)
{
    if (m_frame.midPage()->currentView() != VIEW_REPORTS || row < 0 || row > CReportsDlg::ProfitAndLoss)
        return;
    const Period filter = m_frame.period();
    const CAccountCombo *selector = m_frame.accountSelector();
    CReportsDlg dialog(m_frame.store(), selector->isAccountSelected() ? selector->currentAccountId() : QString(),
                       filter.from, filter.to, row, &m_frame);
    dialog.exec();
}

void CViewCommands::toggleToolBars()
{
    // The two toolbars show and hide together, as one "Toolbar".
    QToolBar *commands = m_frame.commandToolBar();
    QToolBar *filter = m_frame.filterToolBar();
    const bool show = commands->isHidden() && filter->isHidden();
    commands->setVisible(show);
    filter->setVisible(show);
}

void CViewCommands::toggleStatusBar()
{
    QStatusBar *bar = m_frame.statusBar();
    bar->setVisible(bar->isHidden());
}

void CViewCommands::switchPane()
{
    // Two panes: F6 and Shift+F6 both move to the other one.
    CGuiFolder *navigation = m_frame.navigation();
    const bool inNavigation = navigation->isAncestorOf(QApplication::focusWidget());
    CMidPage *page = m_frame.midPage();
    QWidget *target = inNavigation ? page->control(page->visibleControl()) : navigation;
    target->setFocus(Qt::ShortcutFocusReason);
}
