// The record commands of the main frame: each finds the record the user
// means, asks through a dialog or a confirmation, calls one store operation and
// shows the result.

#include "mainframe.h"

#include "accountcombo.h"
#include "accountdlg.h"
#include "categorydlg.h"
#include "categorytreectrl.h"
#include "datastore.h"
#include "messagebox.h"
#include "midpage.h"
#include "recordlists.h"
#include "stringtable.h"
#include "transactiondlg.h"

namespace {

bool confirm(QWidget *parent, int textId)
{
    return showMessage(parent, LoadText(textId), MessageIcon::Question, MessageButtons::YesNo) == MessageYes;
}

// The numbers of every account but `except`, for the dialog's question about a shared number.
QStringList otherNumbers(const CDataStore &store, const QString &except)
{
    QStringList numbers;
    for (const auto &entry : store.accounts()) {
        if (entry.key() != except)
            numbers << entry.value().accountNumber;
    }
    return numbers;
}

} // namespace

bool CMainFrame::storeChange(const std::function<void()> &change)
{
    try {
        change();
        return true;
    } catch (const FileError &e) {
        showMessage(this, e.message(), MessageIcon::Stop);
        refreshCurrentView();
        return false;
    }
}

bool CMainFrame::editTransaction(const QString &caption, const QString &accountId, bool locked,
                                 TransactionRecord &record)
{
    CTransactionDlg dialog(m_store, this);
    dialog.setCaption(caption);
    dialog.setAccountLocked(locked);
    dialog.setAccountId(accountId);
    dialog.setRecord(record);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    record = dialog.record();
    if (!locked)
        record.key = dialog.accountId();
    return true;
}

// ---------------------------------------------------------------- accounts

void CMainFrame::accountAdd()
{
    CAccountDlg dialog(this);
    dialog.setOtherNumbers(otherNumbers(m_store, QString()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeChange([&] { m_store.addAccount(dialog.record()); });
    refillAccountSelector();
    refreshCurrentView();
}

void CMainFrame::accountModify()
{
    const int row = m_page->accountList()->selectionMark();
    if (m_page->currentView() != VIEW_ACCOUNTS || row < 0)
        return;
    const QString id = m_page->accountList()->idAt(row);
    CAccountDlg dialog(this);
    dialog.setRecord(m_store.lookupAccount(id));
    dialog.setOtherNumbers(otherNumbers(m_store, id));
    if (dialog.exec() != QDialog::Accepted)
        return;
    AccountRecord record = dialog.record();
    record.id = id;
    storeChange([&] { m_store.modifyAccount(record); });
    refillAccountSelector();
    refreshCurrentView();
}

void CMainFrame::accountDelete()
{
    const int row = m_page->accountList()->selectionMark();
    if (m_page->currentView() != VIEW_ACCOUNTS || row < 0)
        return;
    const QString id = m_page->accountList()->idAt(row);
    if (!confirm(this, IDS_CONFIRM_DELETE_ACCOUNT))
        return;
    storeChange([&] { m_store.deleteAccount(id); });
    refillAccountSelector();
    refreshCurrentView();
}

// ------------------------------------------------------------ transactions

void CMainFrame::transactionAdd()
{
    if (!m_selector->isAccountSelected())
        return;
    TransactionRecord record;
    if (!editTransaction(QStringLiteral("Transaction"), m_selector->currentAccountId(), false, record))
        return;
    storeChange([&] { m_store.addTransaction(record); });
    refreshCurrentView();
}

void CMainFrame::transactionModify()
{
    if (m_page->currentView() != VIEW_TRANSACTIONS)
        return;
    if (m_page->allAccountsMode()) {
        const int row = m_page->allTransList()->selectionMark();
        if (row >= 0)
            modifyAllAccountsTransaction(m_page->allTransList()->keyAt(row));
        return;
    }
    const CAccountTransListCtrl *list = m_page->accountTransList();
    const int row = list->selectionMark();
    if (isPlanRow(row, list->count())) {
        planModify();
        return;
    }
    if (!isTransactionRow(row, list->count()))
        return;
    const QString key = list->keyAt(row);
    TransactionRecord record = m_store.lookupTransaction(key);
    if (!editTransaction(QStringLiteral("Transaction"), key.left(16), true, record))
        return;
    storeChange([&] { m_store.modifyTransaction(key, record); });
    refreshCurrentView();
}

void CMainFrame::modifyAllAccountsTransaction(const QString &key)
{
    if (key.isEmpty())
        return;
    TransactionRecord record = m_store.lookupAllTransaction(key);
    if (!editTransaction(QStringLiteral("Transaction"), key.left(16), true, record))
        return;
    storeChange([&] { m_store.modifyAllTransaction(key, record); });
    refreshCurrentView();
}

void CMainFrame::transactionDelete()
{
    if (m_page->currentView() != VIEW_TRANSACTIONS)
        return;
    if (m_page->allAccountsMode()) {
        const int row = m_page->allTransList()->selectionMark();
        if (row < 0 || !confirm(this, IDS_CONFIRM_DELETE_TRANSACTION))
            return;
        const QString key = m_page->allTransList()->keyAt(row);
        storeChange([&] { m_store.deleteAllTransaction(key); });
        refreshCurrentView();
        return;
    }
    const CAccountTransListCtrl *list = m_page->accountTransList();
    const int row = list->selectionMark();
    if (isPlanRow(row, list->count())) {
        planDelete();
        return;
    }
    if (!isTransactionRow(row, list->count()) || !confirm(this, IDS_CONFIRM_DELETE_TRANSACTION))
        return;
    const QString key = list->keyAt(row);
    storeChange([&] { m_store.deleteTransaction(key); });
    refreshCurrentView();
}

// ------------------------------------------------------------------- plans

void CMainFrame::planAdd()
{
    if (!m_selector->isAccountSelected())
        return;
    TransactionRecord record;
    if (!editTransaction(QStringLiteral("Plan"), m_selector->currentAccountId(), false, record))
        return;
    storeChange([&] { m_store.addPlan(record); });
    refreshCurrentView();
}

QString CMainFrame::selectedPlanKey() const
{
    if (m_page->currentView() == VIEW_PLANNER) {
        const int row = m_page->planList()->selectionMark();
        return row >= 0 ? m_page->planList()->keyAt(row) : QString();
    }
    if (m_page->currentView() == VIEW_TRANSACTIONS && !m_page->allAccountsMode()) {
        const CAccountTransListCtrl *list = m_page->accountTransList();
        const int row = list->selectionMark();
        return isPlanRow(row, list->count()) ? list->keyAt(row) : QString();
    }
    return {};
}

void CMainFrame::planModify()
{
    const QString key = selectedPlanKey();
    if (key.isEmpty())
        return;
    TransactionRecord record = m_store.lookupPlan(key);
    if (!editTransaction(QStringLiteral("Plan"), key.left(16), true, record))
        return;
    storeChange([&] { m_store.modifyPlan(key, record); });
    refreshCurrentView();
}

void CMainFrame::planDelete()
{
    const QString key = selectedPlanKey();
    if (key.isEmpty() || !confirm(this, IDS_CONFIRM_DELETE_PLAN))
        return;
    storeChange([&] { m_store.deletePlan(key); });
    refreshCurrentView();
}

void CMainFrame::convertPlan()
{
    const QString key = selectedPlanKey();
    if (key.isEmpty() || !confirm(this, IDS_CONFIRM_CONVERT_PLAN))
        return;
    storeChange([&] { m_store.convertPlan(key); });
    refreshCurrentView();
}

// -------------------------------------------------------------- categories

void CMainFrame::categoryAdd()
{
    if (m_page->currentView() != VIEW_CATEGORIES)
        return;
    CCategoryDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // A blank name would be a category nobody can pick or see.
    const QString name = dialog.name().trimmed();
    if (!name.isEmpty())
        m_page->categoryTree()->add(name);
}

void CMainFrame::categoryModify()
{
    QTreeWidgetItem *item = m_page->categoryTree()->currentItem();
    if (m_page->currentView() != VIEW_CATEGORIES || !item)
        return;
    CCategoryDlg dialog(this);
    dialog.setName(item->text(0));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.name().trimmed();
    if (!name.isEmpty())
        m_page->categoryTree()->rename(item, name);
}

void CMainFrame::categoryDelete()
{
    QTreeWidgetItem *item = m_page->categoryTree()->currentItem();
    if (m_page->currentView() != VIEW_CATEGORIES || !item || !confirm(this, IDS_CONFIRM_DELETE_CATEGORY))
        return;
    delete item;
}
