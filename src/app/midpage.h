#pragma once

#include "app/commandids.h"
#include "store/period.h"

#include <QWidget>

#include <functional>

class CAccountListCtrl;
class CAccountTransListCtrl;
class CAllTransListCtrl;
class CCategoryTreeCtrl;
class CDataStore;
class CPlanListCtrl;
class CReportListCtrl;
class QStackedLayout;

// The content pane: six controls of which one shows at a time, and the one
// routine that switches and refills them.
class CMidPage : public QWidget
{
    Q_OBJECT

public:
    // What the page reads from the main frame's filter toolbar.
    struct Filter
    {
        std::function<Period()> period;
        std::function<int()> selectorIndex;         // -1 none, 0 "All", above 0 an account
        std::function<QString()> selectedAccountId; // the id of the account chosen, if any
    };

    CMidPage(CDataStore &store, Filter filter, QWidget *parent = nullptr);

    // Shows and refills view n (0 to 5). The Transactions view with "All" in
    // the account selector shows the all-accounts list (control 5) and stays
    // the current view.
    void SwitchView(int n);
    void setCurrentView(int n) { m_currentView = n; }
    int currentView() const { return m_currentView; }
    // The control shown: 0 to 5.
    int visibleControl() const;
    bool allAccountsMode() const { return visibleControl() == VIEW_TRANSACTIONS_ALL; }

    // Writes the category tree when it holds the Categories view's edits.
    void saveCategoryTree();
    // Forgets what came from the old working directory (Preference).
    void emptyForNewDirectory();

    CAccountListCtrl *accountList() const { return m_accountList; }
    CAccountTransListCtrl *accountTransList() const { return m_accountTransList; }
    CPlanListCtrl *planList() const { return m_planList; }
    CCategoryTreeCtrl *categoryTree() const { return m_categoryTree; }
    CReportListCtrl *reportList() const { return m_reportList; }
    CAllTransListCtrl *allTransList() const { return m_allTransList; }
    QWidget *control(int n) const;
    // The selection mark of the visible list (-1 for none or for the tree).
    int selectionMark() const;

    static QString viewTitle(int n);

Q_SIGNALS:
    void viewCaptionChanged(const QString &title, int image);
    void selectionChanged();
    // A data file could not be written; the message names the file and the reason.
    void fileError(const QString &message);

private:
    // The control view n shows: 5 for the Transactions view with "All".
    int controlFor(int n) const;
    void fill(int shown);

    CDataStore &m_store;
    Filter m_filter;
    QStackedLayout *m_stack = nullptr;
    CAccountListCtrl *m_accountList = nullptr;
    CAccountTransListCtrl *m_accountTransList = nullptr;
    CPlanListCtrl *m_planList = nullptr;
    CCategoryTreeCtrl *m_categoryTree = nullptr;
    CReportListCtrl *m_reportList = nullptr;
    CAllTransListCtrl *m_allTransList = nullptr;
    int m_currentView = VIEW_ACCOUNTS;
    int m_previousView = VIEW_ACCOUNTS;
};
