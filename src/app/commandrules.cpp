#include "app/commandrules.h"

namespace CommandRules {

bool always(const CommandState &)
{
    return true;
}

bool listPrintable(const CommandState &s)
{
    return s.view == VIEW_TRANSACTIONS || s.view == VIEW_PLANNER;
}

bool accountRowSelected(const CommandState &s)
{
    return s.view == VIEW_ACCOUNTS && s.selection >= 0;
}

bool recordAddable(const CommandState &s)
{
    return s.view != VIEW_TRANSACTIONS || s.accountSelected();
}

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

bool selectionEditable(const CommandState &s)
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
        // Neither the opening row nor the four separator rows.
        return s.selection > 0 && (s.selection < s.count || s.selection > s.count + 3);
    case VIEW_CATEGORIES:
        return s.treeItemSelected;
    default:
        return false;
    }
}

bool categorySelected(const CommandState &s)
{
    return s.view == VIEW_CATEGORIES && s.treeItemSelected;
}

bool exportable(const CommandState &s)
{
    return (s.view == VIEW_ACCOUNTS || s.view == VIEW_TRANSACTIONS || s.view == VIEW_PLANNER) && s.accountSelected();
}

bool toolBarShown(const CommandState &s)
{
    return s.toolBarVisible;
}

bool statusBarShown(const CommandState &s)
{
    return s.statusBarVisible;
}

} // namespace CommandRules
