#include "app/commandtable.h"

#include "app/commandids.h"

const QList<CommandInfo> &commandTable()
{
    static const QList<CommandInfo> table = {
        {ID_FILE_PRINT, "&Print\tCtrl+P", "Print", "Print", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Shows the pages Print makes", "Print Preview", {}},
        {ID_IMPORT_STATEMENT, "&Import Statement...\tCtrl+I",
         "Imports a bank statement (CSV, QIF, OFX) into an account, without duplicates", "Import Statement",
         QKeySequence(Qt::CTRL | Qt::Key_I)},
        {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents", "Exit", {}},
        {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undoes the last change of the books", "Undo",
         QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {ID_EDIT_REDO, "&Redo\tCtrl+Shift+Z", "Makes the change undone last again", "Redo",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {ID_EDIT_FIND, "&Find\tCtrl+F", "Shows only the rows of the list that hold the words typed", "Find",
         QKeySequence(Qt::CTRL | Qt::Key_F)},
        {ID_FIND_ALL, "Find in &All Transactions...\tCtrl+Shift+F",
         "Finds transactions of every account and every date", "Find in All Transactions",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)},
        {ID_ACCOUNT_ADD, "&Add", "Adds an Account", "Add an Account", {}},
        {ID_ACCOUNT_MODIFY, "&Modify", "Modifies an Account", "Modifies the Account", {}},
        {ID_ACCOUNT_DELETE, "&Delete", "Deletes an Account", "Deletes an Account", {}},
        {ID_TRANSACTION_ADD, "&Add", "Adds a Transaction", "Add a Transaction to an account", {}},
        {ID_TRANSACTION_MODIFY, "&Modify", "Modifies a Transaction", "Modifies a Transaction", {}},
        {ID_TRANSACTION_DELETE, "&Delete", "Deletes a Transaction", "Delete Transaction", {}},
        {ID_PLAN_ADD, "&Add", "Add a Plan", "Add a Plan to an Account", {}},
        {ID_PLAN_MODIFY, "&Modify", "Modifies a Plan", "Modifies a Plan", {}},
        {ID_PLAN_DELETE, "&Delete", "Deletes a Plan", "Deletes a Plan", {}},
        {ID_CONVERT_PLAN,
         "&Convert Plan to Transaction",
         "Convert Plan to Transaction",
         "Converts Plan into Transaction",
         {}},
        {ID_MODIFY, "&Modify", "Modify", "Modifies the Selected Item", {}},
        {ID_DELETE, "&Delete", "Delete", "Delete the Selected Item", {}},
        {ID_CATEGORY_ADD, "&Add", "Add a Category", " Adds a Category", {}},
        {ID_CATEGORY_MODIFY, "&Modify", "Modify a Category", "Modifies a Category", {}},
        {ID_CATEGORY_DELETE, "&Delete", "Delete a Category", "Deletes a Category", {}},
        {ID_PREFERENCE, "&Preference", "Display Preferences", "Preferences", {}},
        {ID_SYNCHRONIZE, "&Synchronize", "Synchronize", "Synchronize", {}},
        {ID_REFRESH, "&Refresh", "Refreshes the View", "Refresh", {}},
        {ID_CHANGE_PASSWORD, "Change Pass&word", "Change Password", {}, {}},
        {ID_RESTORE_BACKUP,
         "Restore Bac&kup...",
         "Restores one of the daily backups of the books into a new folder",
         "Restore Backup",
         {}},
        {ID_CHECK_BOOKS,
         "Check &Books...",
         "Checks every data file of the books and moves damaged ones aside",
         "Check Books",
         {}},
        {ID_VIEW_ACCOUNTS, "&Accounts", {}, "Accounts", {}},
        {ID_VIEW_TRANSACTIONS, "T&ransactions", {}, "Transactions", {}},
        {ID_VIEW_PLANNER, "&Planner", {}, "Plans", {}},
        {ID_VIEW_CATEGORIES, "&Categories", {}, "Categories", {}},
        {ID_VIEW_REPORTS, "R&eports", {}, "Reports", {}},
        {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", {}},
        {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", {}},
        {ID_EXPORT_EXCEL, "&Excel", {}, "Excel", {}},
        {ID_EXPORT_WORD, "&Word", {}, "Word", {}},
        {ID_EXPORT_HTML, "&HTML", {}, "HTML", {}},
        {ID_EXPORT_PDF, "P&DF", {}, "PDF", {}},
        {ID_EXPORT_TEXT, "&Text", {}, "Text", {}},
        {ID_EXPORT_CSV, "&CSV", {}, "CSV", {}},
        {ID_APP_ABOUT, "&About Fennimar...", "Display program information, version number and copyright", "About", {}},
        {ID_HELP_CONTENTS, "&Help Contents\tF1", "Displays Help", "Help", QKeySequence(Qt::Key_F1)},
        // The filter controls: no command of their own, only their prompt and tool tip.
        {ID_START_DATE, {}, "Select the Starting Date", "Select Starting Date", {}},
        {ID_END_DATE, {}, "Select Ending Date", "Select Ending Date", {}},
        {ID_ACCOUNT_SELECTOR, {}, "Select an Account", "Selects an Account", {}},
        {ID_NEXT_PANE, "Next Pane", "Switch to the next window pane", "Next Pane", QKeySequence(Qt::Key_F6)},
        {ID_PREV_PANE, "Previous Pane", "Switch back to the previous window pane", "Previous Pane",
         QKeySequence(Qt::SHIFT | Qt::Key_F6)},
    };
    return table;
}

const CommandInfo &commandInfo(int id)
{
    static const CommandInfo none{0, {}, {}, {}, {}};
    for (const CommandInfo &info : commandTable()) {
        if (info.id == id)
            return info;
    }
    return none;
}

const QList<MenuInfo> &menuTable()
{
    static const QList<MenuInfo> menus = {
        {"&File", {ID_IMPORT_STATEMENT, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0, ID_APP_EXIT}},
        {"E&dit", {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_FIND, ID_FIND_ALL}},
        {"&Accounts", {ID_ACCOUNT_ADD, ID_ACCOUNT_MODIFY, ID_ACCOUNT_DELETE}},
        {"&Transaction", {ID_TRANSACTION_ADD, ID_TRANSACTION_MODIFY, ID_TRANSACTION_DELETE}},
        {"&Plan", {ID_PLAN_ADD, ID_PLAN_MODIFY, ID_PLAN_DELETE, 0, ID_CONVERT_PLAN}},
        {"&Category", {ID_CATEGORY_ADD, ID_CATEGORY_MODIFY, ID_CATEGORY_DELETE}},
        {"&View",
         {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, 0, ID_VIEW_ACCOUNTS, ID_VIEW_TRANSACTIONS, ID_VIEW_PLANNER,
          ID_VIEW_CATEGORIES, ID_VIEW_REPORTS}},
        {"T&ools",
         {ID_PREFERENCE, ID_SYNCHRONIZE, ID_REFRESH, 0, ID_CHANGE_PASSWORD, 0, ID_CHECK_BOOKS, ID_RESTORE_BACKUP}},
        {"&Export", {ID_EXPORT_EXCEL, ID_EXPORT_WORD, ID_EXPORT_HTML, ID_EXPORT_PDF, ID_EXPORT_TEXT, ID_EXPORT_CSV}},
        {"&Help", {ID_HELP_CONTENTS, 0, ID_APP_ABOUT}},
    };
    return menus;
}

const QList<int> &commandToolBarItems()
{
    static const QList<int> items = {
        ID_ACCOUNT_ADD,
        ID_TRANSACTION_ADD,
        ID_PLAN_ADD,
        ID_CATEGORY_ADD,
        0,
        ID_MODIFY,
        ID_DELETE,
        0,
        ID_EDIT_UNDO,
        ID_EDIT_REDO,
        0,
        ID_CONVERT_PLAN,
        ID_EXPORT_EXCEL,
        ID_EXPORT_WORD,
        ID_EXPORT_HTML,
        ID_EXPORT_PDF,
        ID_EXPORT_TEXT,
        ID_EXPORT_CSV,
        ID_FILE_PRINT,
        0,
        ID_REFRESH,
        ID_SYNCHRONIZE,
        ID_PREFERENCE,
    };
    return items;
}

const QList<NavigationFolder> &navigationTable()
{
    static const QList<NavigationFolder> folders = {
        {"Views",
         {{"Accounts", 0, ID_VIEW_ACCOUNTS},
          {"Transactions", 1, ID_VIEW_TRANSACTIONS},
          {"Planner", 2, ID_VIEW_PLANNER},
          {"Categories", 3, ID_VIEW_CATEGORIES},
          {"Reports", 4, ID_VIEW_REPORTS}}},
        {"Add", {{"Account", 5, ID_ACCOUNT_ADD}, {"Transaction", 6, ID_TRANSACTION_ADD}, {"Plan", 7, ID_PLAN_ADD}}},
        {"Tools",
         {{"Working Directory", 10, ID_PREFERENCE},
          {"Password", 11, ID_CHANGE_PASSWORD},
          {"Synchronize", 8, ID_SYNCHRONIZE},
          {"Refresh", 9, ID_REFRESH}}},
        {"Export",
         {{"Excel", 14, ID_EXPORT_EXCEL},
          {"Word", 13, ID_EXPORT_WORD},
          {"HTML", 15, ID_EXPORT_HTML},
          {"PDF", 16, ID_EXPORT_PDF},
          {"Text", 17, ID_EXPORT_TEXT},
          {"CSV", 18, ID_EXPORT_CSV}}},
        {"Print", {{"Print", 12, ID_FILE_PRINT}}},
    };
    return folders;
}
