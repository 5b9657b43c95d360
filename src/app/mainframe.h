#pragma once

#include "app/commandregistry.h"
#include "store/period.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>

#include <functional>
#include <memory>

class CAccountCombo;
class CDataStore;
class CEndDateCtrl;
class CGuiFolder;
class CMidPage;
class CStartDateCtrl;
class CUndoHistory;
class CommandGroups;
class GuiCapOutBar;
class QAction;
class QLabel;
class QLineEdit;
class QPrinter;
class QSplitter;
class QToolBar;
struct ExportSource;

// The main window: menus, the command and filter toolbars, the caption bar,
// the navigation pane and the content pane. The commands themselves live in
// command groups (records, exports, printing, views, tools) that the frame
// owns; each command's id, rule and handler is a row of its group's table.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // Where the frame reaches outside the program; tests replace these.
    struct Services
    {
        // Save As: caption, suggested file name, default suffix, filter; empty when cancelled.
        std::function<QString(QWidget *, const QString &, const QString &, const QString &, const QString &)>
            saveFileName;
        // Opens a written file with the desktop's program for it; false when nothing opened it.
        std::function<bool(const QString &)> openFile;
        // Writes the profile ("Directory"/"Path", and the split sizes when given).
        std::function<void(const QString &, int first, int second)> writeProfile;
        // The print dialog: sets up the printer; false when cancelled.
        std::function<bool(QWidget *, QPrinter &)> choosePrinter;
        // Takes a working directory for this program alone; false when another
        // running program keeps its books (that one's window is shown instead).
        std::function<bool(const QString &)> claimWorkDir;
        // Open: caption, filter; the file chosen, empty when cancelled (the file dialog when unset).
        std::function<QString(QWidget *, const QString &, const QString &)> openFileName;
    };

    // The store's working directory is the books the frame shows.
    CMainFrame(CDataStore &store, Services services, QWidget *parent = nullptr);
    ~CMainFrame() override;

    // Runs a command as a menu item, button or navigation item would.
    void runCommand(int id);
    QAction *action(int id) const { return m_actions.value(id); }
    const CommandRegistry &commands() const { return m_commands; }
    CommandState commandState() const;
    // Recomputes every command's enabled and checked state.
    void updateCommandStates();

    CDataStore &store() const { return m_store; }
    const Services &services() const { return m_services; }
    CMidPage *midPage() const { return m_page; }
    CAccountCombo *accountSelector() const { return m_selector; }
    CStartDateCtrl *startDate() const { return m_startDate; }
    CEndDateCtrl *endDate() const { return m_endDate; }
    GuiCapOutBar *captionBar() const { return m_captionBar; }
    CGuiFolder *navigation() const { return m_navigation; }
    QToolBar *commandToolBar() const { return m_commandBar; }
    QToolBar *filterToolBar() const { return m_filterBar; }
    Period period() const;

    // Frame operations the command groups use.
    void refreshCurrentView();
    // With keepSelection the selected entry stays when it still exists; without,
    // the first account is selected, as after an account change.
    void refillAccountSelector(bool keepSelection = false);
    void updateAccountSelectorState();
    // The books read again from disk, forgetting the files skipped before.
    void reloadBooks();
    // What an export of the current view writes.
    ExportSource exportSource() const;
    // The status bar's note of data files skipped as damaged; hidden when none.
    QLabel *damageNote() const { return m_damageNote; }
    // The changes of this session that Undo and Redo walk.
    CUndoHistory *undoHistory() const { return m_history; }
    // The search field above the lists, which filters the visible list.
    QLineEdit *searchField() const { return m_searchField; }
    // The dialog of a transaction of any account, as a double-click on it opens it.
    void openTransaction(const QString &key);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createPanes();
    void connectLists();
    void createKeys();
    QWidget *createSearchBar();
    void onStartDateChanged();
    void onEndDateChanged();
    void noteSkippedFile(const QString &path);

    CDataStore &m_store;
    Services m_services;
    CommandRegistry m_commands;
    std::unique_ptr<CommandGroups> m_groups;
    QHash<int, QAction *> m_actions;
    QToolBar *m_commandBar = nullptr;
    QToolBar *m_filterBar = nullptr;
    GuiCapOutBar *m_captionBar = nullptr;
    CGuiFolder *m_navigation = nullptr;
    QSplitter *m_splitter = nullptr;
    CMidPage *m_page = nullptr;
    CStartDateCtrl *m_startDate = nullptr;
    CEndDateCtrl *m_endDate = nullptr;
    CAccountCombo *m_selector = nullptr;
    QLabel *m_damageNote = nullptr;
    CUndoHistory *m_history = nullptr;
    QLineEdit *m_searchField = nullptr;
    QSet<QString> m_skippedFiles;
    bool m_closing = false;
};
