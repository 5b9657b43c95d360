#include "commandrules.h"

namespace {

bool transactionRowSelected(const CommandState &s)
{
    if (s.view != VIEW_TRANSACTIONS)
        return false;
    return s.allAccountsMode() ? s.selection >= 0 : isTransactionRow(s.selection, s.count);
}

bool planRowSelected(const CommandState &s)
{
    if (s.view == VIEW_PLANNER)
        return s.selection >= 0;
    return s.view == VIEW_TRANSACTIONS && !s.allAccountsMode() && isPlanRow(s.selection, s.count);
}

bool sharedModifyDelete(const CommandState &s)
{
    if (!s.hasContentPane)
        return false;
    switch (s.view) {
    case VIEW_ACCOUNTS:
    case VIEW_PLANNER:
        return s.selection >= 0;
    case VIEW_TRANSACTIONS:
        if (s.allAccountsMode())
            return s.selection >= 0;
        return s.selection > 0 && (s.selection < s.count || s.selection > s.count + 3);
    case VIEW_CATEGORIES:
        return s.treeItemSelected;
    default:
        return false;
    }
}

} // namespace

bool isCommandEnabled(int id, const CommandState &s)
{
    switch (id) {
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
        return s.view == VIEW_TRANSACTIONS || s.view == VIEW_PLANNER;
    case ID_ACCOUNT_MODIFY:
    case ID_ACCOUNT_DELETE:
        return s.view == VIEW_ACCOUNTS && s.selection >= 0;
    case ID_TRANSACTION_ADD:
    case ID_PLAN_ADD:
        return s.view != VIEW_TRANSACTIONS || s.accountSelected();
    case ID_TRANSACTION_MODIFY:
    case ID_TRANSACTION_DELETE:
        return transactionRowSelected(s);
    case ID_PLAN_MODIFY:
    case ID_PLAN_DELETE:
    case ID_CONVERT_PLAN:
        return planRowSelected(s);
    case ID_MODIFY:
    case ID_DELETE:
        return sharedModifyDelete(s);
    case ID_CATEGORY_ADD:
    case ID_CATEGORY_MODIFY:
    case ID_CATEGORY_DELETE:
        return s.view == VIEW_CATEGORIES && s.treeItemSelected;
    case ID_EXPORT_EXCEL:
    case ID_EXPORT_WORD:
    case ID_EXPORT_HTML:
    case ID_EXPORT_PDF:
    case ID_EXPORT_TEXT:
    case ID_EXPORT_CSV:
        return (s.view == VIEW_ACCOUNTS || s.view == VIEW_TRANSACTIONS || s.view == VIEW_PLANNER)
               && s.accountSelected();
    default:
        return true;
    }
}

bool isCommandChecked(int id, const CommandState &s)
{
    switch (id) {
    case ID_VIEW_ACCOUNTS:
    case ID_VIEW_TRANSACTIONS:
    case ID_VIEW_PLANNER:
    case ID_VIEW_CATEGORIES:
    case ID_VIEW_REPORTS:
        return s.visibleControl == id - ID_VIEW_ACCOUNTS;
    case ID_VIEW_TOOLBAR:
        return s.toolBarVisible;
    case ID_VIEW_STATUS_BAR:
        return s.statusBarVisible;
    default:
        return false;
    }
}
