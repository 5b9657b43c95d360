#pragma once

#include "app/commandids.h"

// What the enable and check rules of the commands look at.
struct CommandState
{
    bool hasContentPane = true;
    int view = VIEW_ACCOUNTS;           // the current view, 0 to 4
    int visibleControl = VIEW_ACCOUNTS; // the control shown, 0 to 5
    int selectorIndex = -1;             // the account selector: -1 none, 0 "All", above 0 an account
    int selection = -1;                 // the selection mark of the visible list, -1 for none
    int count = 0;                      // N of the one-account transactions list
    bool treeItemSelected = false;      // the category tree has a selected item
    bool toolBarVisible = true;
    bool statusBarVisible = true;
    bool canUndo = false; // the undo history has a step to undo
    bool canRedo = false; // ... and one to redo

    bool accountSelected() const { return selectorIndex > 0; }
    bool allAccountsMode() const { return view == VIEW_TRANSACTIONS && visibleControl == VIEW_TRANSACTIONS_ALL; }
};

// A rule over the state: whether a command is enabled, or carries its check mark.
using CommandRule = bool (*)(const CommandState &);

// The rules the command groups register their commands with.
namespace CommandRules {

bool always(const CommandState &s);
// The Transactions or the Planner view: a list that prints.
bool listPrintable(const CommandState &s);
bool accountRowSelected(const CommandState &s);
// Adding a transaction or a plan: in the Transactions view only for a chosen account.
bool recordAddable(const CommandState &s);
bool transactionRowSelected(const CommandState &s);
bool planRowSelected(const CommandState &s);
// Modify and Delete of whatever the current view has selected.
bool selectionEditable(const CommandState &s);
bool categorySelected(const CommandState &s);
bool exportable(const CommandState &s);
bool toolBarShown(const CommandState &s);
bool statusBarShown(const CommandState &s);

// The view's control is the one shown (the all-accounts list marks no view).
template <int View>
bool viewShown(const CommandState &s)
{
    return s.visibleControl == View;
}

} // namespace CommandRules

// The rules registered for the command id; a command without a rule is
// always enabled and never checked. Read from the command groups' tables
// (commandgroups.cpp), without a window.
bool isCommandEnabled(int id, const CommandState &state);
// Whether the command carries its (radio) check mark.
bool isCommandChecked(int id, const CommandState &state);

// The rows of the one-account transactions list with `count` N: the opening row
// 0, transactions 1 to N - 1, four separator rows, then plans from N + 4.
inline bool isTransactionRow(int row, int count)
{
    return row >= 1 && row <= count - 1;
}
inline bool isPlanRow(int row, int count)
{
    return row >= count + 4;
}
