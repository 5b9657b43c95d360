#include "app/recordcommands.h"

#include "app/commandtable.h"
#include "app/mainframe.h"
#include "app/midpage.h"
#include "app/undohistory.h"
#include "controls/accountcombo.h"
#include "controls/categorytreectrl.h"
#include "controls/recordlists.h"
#include "dialogs/accountdlg.h"
#include "dialogs/categorydlg.h"
#include "dialogs/transactiondlg.h"
#include "res/stringtable.h"
#include "store/categoryfile.h"
#include "store/datastore.h"
#include "store/filenames.h"
#include "store/recordfiles.h"
#include "uiext/messagebox.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

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

// The name of the plan file, or none while there is none.
QStringList planFile(const CDataStore &store)
{
    const QString path = store.planFilePath();
    return path.isEmpty() ? QStringList() : QStringList{QFileInfo(path).fileName()};
}

QStringList noFiles()
{
    return {};
}

} // namespace

CRecordCommands::CRecordCommands(CMainFrame &frame) : QObject(&frame), m_frame(frame) {}

const QList<Command<CRecordCommands>> &CRecordCommands::commands()
{
    using namespace CommandRules;
    using G = CRecordCommands;
    static const QList<Command<G>> table = {
        {ID_ACCOUNT_ADD, always, &G::accountAdd},
        {ID_ACCOUNT_MODIFY, accountRowSelected, &G::accountModify},
        {ID_ACCOUNT_DELETE, accountRowSelected, &G::accountDelete},
        {ID_TRANSACTION_ADD, recordAddable, &G::transactionAdd},
        {ID_TRANSACTION_MODIFY, transactionRowSelected, &G::transactionModify},
        {ID_TRANSACTION_DELETE, transactionRowSelected, &G::transactionDelete},
        {ID_PLAN_ADD, recordAddable, &G::planAdd},
        {ID_PLAN_MODIFY, planRowSelected, &G::planModify},
        {ID_PLAN_DELETE, planRowSelected, &G::planDelete},
        {ID_CONVERT_PLAN, planRowSelected, &G::convertPlan},
        {ID_CATEGORY_ADD, categorySelected, &G::categoryAdd},
        {ID_CATEGORY_MODIFY, categorySelected, &G::categoryModify},
        {ID_CATEGORY_DELETE, categorySelected, &G::categoryDelete},
        {ID_MODIFY, selectionEditable, &G::modifySelected},
        {ID_DELETE, selectionEditable, &G::deleteSelected},
    };
    return table;
}

bool CRecordCommands::storeChange(const QString &text, const std::function<QStringList()> &names,
                                  const std::function<QStringList()> &change)
{
    try {
        m_frame.undoHistory()->record(text, names, change);
        return true;
    } catch (const FileError &e) {
        showMessage(&m_frame, e.message(), MessageIcon::Stop);
        m_frame.refreshCurrentView();
        return false;
    }
}

bool CRecordCommands::editTransaction(const QString &caption, const QString &accountId, bool locked,
                                      TransactionRecord &record)
{
    CTransactionDlg dialog(m_frame.store(), &m_frame);
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

void CRecordCommands::modifySelected()
{
    switch (m_frame.midPage()->currentView()) {
    case VIEW_ACCOUNTS:
        accountModify();
        break;
    case VIEW_TRANSACTIONS:
        transactionModify();
        break;
    case VIEW_PLANNER:
        planModify();
        break;
    case VIEW_CATEGORIES:
        categoryModify();
        break;
    default:
        break;
    }
}

void CRecordCommands::deleteSelected()
{
    switch (m_frame.midPage()->currentView()) {
    case VIEW_ACCOUNTS:
        accountDelete();
        break;
    case VIEW_TRANSACTIONS:
        transactionDelete();
        break;
    case VIEW_PLANNER:
        planDelete();
        break;
    case VIEW_CATEGORIES:
        categoryDelete();
        break;
    default:
        break;
    }
}

void CRecordCommands::modifyRow(int row)
{
    CMidPage *page = m_frame.midPage();
    if (page->visibleControl() == VIEW_TRANSACTIONS && isPlanRow(row, page->accountTransList()->count())) {
        m_frame.runCommand(ID_PLAN_MODIFY);
        return;
    }
    if (page->visibleControl() == VIEW_TRANSACTIONS_ALL) {
        modifyAllAccountsTransaction(page->allTransList()->keyAt(row));
        m_frame.updateCommandStates();
        return;
    }
    m_frame.runCommand(ID_MODIFY);
}

void CRecordCommands::showListMenu(int row, const QPoint &globalPos)
{
    m_frame.updateCommandStates();
    CMidPage *page = m_frame.midPage();
    QMenu menu(&m_frame);
    const int control = page->visibleControl();
    const int count = page->accountTransList()->count();
    const bool planRow = (control == VIEW_TRANSACTIONS && isPlanRow(row, count)) || control == VIEW_PLANNER;
    if (control == VIEW_TRANSACTIONS && !planRow && !isTransactionRow(row, count))
        return; // the opening row and the separator rows have no menu
    const auto item = [&](const QString &text, int id) {
        menu.addAction(text, this, [this, id] { m_frame.runCommand(id); });
    };
    if (planRow) {
        item(commandInfo(ID_PLAN_MODIFY).text, ID_PLAN_MODIFY);
        item(commandInfo(ID_PLAN_DELETE).text, ID_PLAN_DELETE);
        menu.addSeparator();
        item(commandInfo(ID_CONVERT_PLAN).text, ID_CONVERT_PLAN);
    } else {
        item(QStringLiteral("Modify"), ID_MODIFY);
        item(QStringLiteral("Delete"), ID_DELETE);
    }
    menu.exec(globalPos);
}

void CRecordCommands::showCategoryMenu(const QPoint &globalPos)
{
    m_frame.updateCommandStates();
    QMenu menu(&m_frame);
    for (int id : {ID_CATEGORY_ADD, ID_CATEGORY_MODIFY, ID_CATEGORY_DELETE})
        menu.addAction(m_frame.action(id));
    menu.exec(globalPos);
}

// ---------------------------------------------------------------- accounts

void CRecordCommands::accountAdd()
{
    CAccountDlg dialog(&m_frame);
    dialog.setOtherNumbers(otherNumbers(m_frame.store(), QString()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeChange(QStringLiteral("Add Account"), noFiles,
                [&] { return QStringList{accountFileName(m_frame.store().addAccount(dialog.record()))}; });
    m_frame.refillAccountSelector();
    m_frame.refreshCurrentView();
}

void CRecordCommands::accountModify()
{
    CMidPage *page = m_frame.midPage();
    const int row = page->accountList()->selectionMark();
    if (page->currentView() != VIEW_ACCOUNTS || row < 0)
        return;
    const QString id = page->accountList()->idAt(row);
    CAccountDlg dialog(&m_frame);
    dialog.setRecord(m_frame.store().lookupAccount(id));
    dialog.setOtherNumbers(otherNumbers(m_frame.store(), id));
    if (dialog.exec() != QDialog::Accepted)
        return;
    AccountRecord record = dialog.record();
    record.id = id;
    storeChange(
        QStringLiteral("Modify Account"), [&] { return QStringList{accountFileName(id)}; },
        [&] {
        m_frame.store().modifyAccount(record);
        return QStringList();
        });
    m_frame.refillAccountSelector();
    m_frame.refreshCurrentView();
}

void CRecordCommands::accountDelete()
{
    CMidPage *page = m_frame.midPage();
    const int row = page->accountList()->selectionMark();
    if (page->currentView() != VIEW_ACCOUNTS || row < 0)
        return;
    const QString id = page->accountList()->idAt(row);
    if (!confirm(&m_frame, IDS_CONFIRM_DELETE_ACCOUNT))
        return;
    CDataStore &store = m_frame.store();
    storeChange(
        QStringLiteral("Delete Account"),
        [&] { return QStringList{accountFileName(id)} + store.transactionFileNames(id) + planFile(store); },
        [&] {
        store.deleteAccount(id);
        return QStringList();
        });
    m_frame.refillAccountSelector();
    m_frame.refreshCurrentView();
}

// ------------------------------------------------------------ transactions

void CRecordCommands::transactionAdd()
{
    CAccountCombo *selector = m_frame.accountSelector();
    if (!selector->isAccountSelected())
        return;
    TransactionRecord record;
    if (!editTransaction(QStringLiteral("Transaction"), selector->currentAccountId(), false, record))
        return;
    storeChange(QStringLiteral("Add Transaction"), noFiles,
                [&] { return QStringList{transactionFileName(m_frame.store().addTransaction(record))}; });
    m_frame.refreshCurrentView();
}

void CRecordCommands::transactionModify()
{
    CMidPage *page = m_frame.midPage();
    if (page->currentView() != VIEW_TRANSACTIONS)
        return;
    if (page->allAccountsMode()) {
        const int row = page->allTransList()->selectionMark();
        if (row >= 0)
            modifyAllAccountsTransaction(page->allTransList()->keyAt(row));
        return;
    }
    const CAccountTransListCtrl *list = page->accountTransList();
    const int row = list->selectionMark();
    if (isPlanRow(row, list->count())) {
        planModify();
        return;
    }
    if (!isTransactionRow(row, list->count()))
        return;
    const QString key = list->keyAt(row);
    TransactionRecord record = m_frame.store().lookupTransaction(key);
    if (!editTransaction(QStringLiteral("Transaction"), key.left(16), true, record))
        return;
    storeChange(
        QStringLiteral("Modify Transaction"), [&] { return QStringList{transactionFileName(key)}; },
        [&] {
        m_frame.store().modifyTransaction(key, record);
        return QStringList();
        });
    m_frame.refreshCurrentView();
}

void CRecordCommands::modifyAllAccountsTransaction(const QString &key)
{
    if (key.isEmpty())
        return;
    TransactionRecord record = m_frame.store().lookupAllTransaction(key);
    if (!editTransaction(QStringLiteral("Transaction"), key.left(16), true, record))
        return;
    storeChange(
        QStringLiteral("Modify Transaction"), [&] { return QStringList{transactionFileName(key)}; },
        [&] {
        m_frame.store().modifyAllTransaction(key, record);
        return QStringList();
        });
    m_frame.refreshCurrentView();
}

void CRecordCommands::transactionDelete()
{
    CMidPage *page = m_frame.midPage();
    if (page->currentView() != VIEW_TRANSACTIONS)
        return;
    if (page->allAccountsMode()) {
        const int row = page->allTransList()->selectionMark();
        if (row < 0 || !confirm(&m_frame, IDS_CONFIRM_DELETE_TRANSACTION))
            return;
        const QString key = page->allTransList()->keyAt(row);
        storeChange(
            QStringLiteral("Delete Transaction"), [&] { return QStringList{transactionFileName(key)}; },
            [&] {
            m_frame.store().deleteAllTransaction(key);
            return QStringList();
            });
        m_frame.refreshCurrentView();
        return;
    }
    const CAccountTransListCtrl *list = page->accountTransList();
    const int row = list->selectionMark();
    if (isPlanRow(row, list->count())) {
        planDelete();
        return;
    }
    if (!isTransactionRow(row, list->count()) || !confirm(&m_frame, IDS_CONFIRM_DELETE_TRANSACTION))
        return;
    const QString key = list->keyAt(row);
    storeChange(
        QStringLiteral("Delete Transaction"), [&] { return QStringList{transactionFileName(key)}; },
        [&] {
        m_frame.store().deleteTransaction(key);
        return QStringList();
        });
    m_frame.refreshCurrentView();
}

// ------------------------------------------------------------------- plans

void CRecordCommands::planAdd()
{
    CAccountCombo *selector = m_frame.accountSelector();
    if (!selector->isAccountSelected())
        return;
    TransactionRecord record;
    if (!editTransaction(QStringLiteral("Plan"), selector->currentAccountId(), false, record))
        return;
    CDataStore &store = m_frame.store();
    storeChange(
        QStringLiteral("Add Plan"), [&] { return planFile(store); },
        [&] {
        store.addPlan(record);
        return planFile(store);
        });
    m_frame.refreshCurrentView();
}

QString CRecordCommands::selectedPlanKey() const
{
    const CMidPage *page = m_frame.midPage();
    if (page->currentView() == VIEW_PLANNER) {
        const int row = page->planList()->selectionMark();
        return row >= 0 ? page->planList()->keyAt(row) : QString();
    }
    if (page->currentView() == VIEW_TRANSACTIONS && !page->allAccountsMode()) {
        const CAccountTransListCtrl *list = page->accountTransList();
        const int row = list->selectionMark();
        return isPlanRow(row, list->count()) ? list->keyAt(row) : QString();
    }
    return {};
}

void CRecordCommands::planModify()
{
    const QString key = selectedPlanKey();
    if (key.isEmpty())
        return;
    TransactionRecord record = m_frame.store().lookupPlan(key);
    if (!editTransaction(QStringLiteral("Plan"), key.left(16), true, record))
        return;
    CDataStore &store = m_frame.store();
    storeChange(
        QStringLiteral("Modify Plan"), [&] { return planFile(store); },
        [&] {
        store.modifyPlan(key, record);
        return QStringList();
        });
    m_frame.refreshCurrentView();
}

void CRecordCommands::planDelete()
{
    const QString key = selectedPlanKey();
    if (key.isEmpty() || !confirm(&m_frame, IDS_CONFIRM_DELETE_PLAN))
        return;
    CDataStore &store = m_frame.store();
    storeChange(
        QStringLiteral("Delete Plan"), [&] { return planFile(store); },
        [&] {
        store.deletePlan(key);
        return QStringList();
        });
    m_frame.refreshCurrentView();
}

void CRecordCommands::convertPlan()
{
    const QString key = selectedPlanKey();
    if (key.isEmpty() || !confirm(&m_frame, IDS_CONFIRM_CONVERT_PLAN))
        return;
    CDataStore &store = m_frame.store();
    storeChange(
        QStringLiteral("Convert Plan"), [&] { return planFile(store); },
        [&] { return QStringList{transactionFileName(store.convertPlan(key))}; });
    m_frame.refreshCurrentView();
}

// -------------------------------------------------------------- categories

void CRecordCommands::categoryAdd()
{
    if (m_frame.midPage()->currentView() != VIEW_CATEGORIES)
        return;
    CCategoryDlg dialog(&m_frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // A blank name would be a category nobody can pick or see.
    const QString name = dialog.name().trimmed();
    if (!name.isEmpty())
        categoryChange(QStringLiteral("Add Category"), [&] { m_frame.midPage()->categoryTree()->add(name); });
}

void CRecordCommands::categoryModify()
{
    CCategoryTreeCtrl *tree = m_frame.midPage()->categoryTree();
    QTreeWidgetItem *item = tree->currentItem();
    if (m_frame.midPage()->currentView() != VIEW_CATEGORIES || !item)
        return;
    CCategoryDlg dialog(&m_frame);
    dialog.setName(item->text(0));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = dialog.name().trimmed();
    if (!name.isEmpty())
        categoryChange(QStringLiteral("Modify Category"), [&] { tree->rename(item, name); });
}

void CRecordCommands::categoryDelete()
{
    QTreeWidgetItem *item = m_frame.midPage()->categoryTree()->currentItem();
    if (m_frame.midPage()->currentView() != VIEW_CATEGORIES || !item || !confirm(&m_frame, IDS_CONFIRM_DELETE_CATEGORY))
        return;
    categoryChange(QStringLiteral("Delete Category"), [&] { delete item; });
}

void CRecordCommands::openTransaction(const QString &key)
{
    modifyAllAccountsTransaction(key);
    m_frame.updateCommandStates();
}

void CRecordCommands::categoryRenamed()
{
    categoryChange(QStringLiteral("Rename Category"), [] {});
}

void CRecordCommands::categoryChange(const QString &text, const std::function<void()> &apply)
{
    // Every change of the tree goes to the file at once, so that the file is
    // what the tree shows and each change can be undone.
    CCategoryTreeCtrl *tree = m_frame.midPage()->categoryTree();
    const QString workDir = m_frame.store().workDir();
    storeChange(
        text, [] { return QStringList{kCategoryFileName}; },
        [&] {
        apply();
        try {
            writeCategoryFile(workDir, tree->tree());
        } catch (const FileError &) {
            tree->clear(); // the view shows the file again
            throw;
        }
        return QStringList();
        });
}
