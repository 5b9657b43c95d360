#pragma once

#include "commandrules.h"
#include "period.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>

#include <functional>

class CAccountCombo;
class CDataStore;
class CEndDateCtrl;
class CGuiFolder;
class CMidPage;
class CStartDateCtrl;
class GuiCapOutBar;
class QAction;
class QLabel;
class QPrinter;
class QSplitter;
class QToolBar;
struct ExportSource;

// The main window: menus, the command and filter toolbars, the caption bar,
// the navigation pane and the content pane, and every command of the program.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    // Where the frame reaches outside the program; tests replace these.
    struct Services
    {
        // The working directory; setWorkDir also records it for the profile.
        std::function<QString()> workDir;
        std::function<void(const QString &)> setWorkDir;
        // Save As: caption, suggested file name, default suffix, filter; empty when cancelled.
        std::function<QString(QWidget *, const QString &, const QString &, const QString &, const QString &)>
            saveFileName;
        // Opens a written file with the desktop's program for it; false when nothing opened it.
        std::function<bool(const QString &)> openFile;
        // Writes the profile ("Directory"/"Path", and the split sizes when given).
        std::function<void(const QString &, int first, int second)> writeProfile;
        // The print dialog: sets up the printer; false when cancelled.
        std::function<bool(QWidget *, QPrinter &)> choosePrinter;
    };

    CMainFrame(CDataStore &store, Services services, QWidget *parent = nullptr);
    ~CMainFrame() override;

    // Runs a command as a menu item, button or navigation item would.
    void runCommand(int id);
    QAction *action(int id) const { return m_actions.value(id); }
    CommandState commandState() const;
    // Recomputes every command's enabled and checked state.
    void updateCommandStates();

    CMidPage *midPage() const { return m_page; }
    CAccountCombo *accountSelector() const { return m_selector; }
    CStartDateCtrl *startDate() const { return m_startDate; }
    CEndDateCtrl *endDate() const { return m_endDate; }
    GuiCapOutBar *captionBar() const { return m_captionBar; }
    CGuiFolder *navigation() const { return m_navigation; }
    Period period() const;

    // Frame operations the rest of the program uses.
    void refreshCurrentView();
    // With keepSelection the selected entry stays when it still exists; without,
    // the first account is selected, as after an account change.
    void refillAccountSelector(bool keepSelection = false);
    void updateAccountSelectorState();
    // What an export of the current view writes.
    ExportSource exportSource() const;
    // The file name an export of the current view suggests: "Transactions 2026-12.csv".
    QString suggestedExportName(const QString &suffix) const;
    // The status bar's note of data files skipped as damaged; hidden when none.
    QLabel *damageNote() const { return m_damageNote; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createPanes();
    void connectLists();
    void createKeys();
    void showView(int n);
    void onStartDateChanged();
    void onEndDateChanged();
    void onAccountRowClicked(int row);
    void onAccountRowDoubleClicked(int row);
    void onRecordRowDoubleClicked(int row);
    // The Reports view: the report of that row (0 Account Balance, 1 Profit and Loss).
    void openReport(int row);
    void showListMenu(int row, const QPoint &globalPos);
    void showCategoryMenu(const QPoint &globalPos);
    void reportFileError(const QString &message);
    void switchPane();
    void refresh();
    void preference();
    void about();
    void checkBooks();
    // The books read again from disk, forgetting the files skipped before.
    void reloadBooks();
    void noteSkippedFile(const QString &path);

    // Record commands
    void accountAdd();
    void accountModify();
    void accountDelete();
    void transactionAdd();
    void transactionModify();
    void transactionDelete();
    void modifyAllAccountsTransaction(const QString &key);
    void planAdd();
    void planModify();
    void planDelete();
    void convertPlan();
    void categoryAdd();
    void categoryModify();
    void categoryDelete();
    QString selectedPlanKey() const;
    bool editTransaction(const QString &caption, const QString &accountId, bool locked, struct TransactionRecord &record);
    // Runs a store change; a failed write is shown, and the view shows the disk.
    bool storeChange(const std::function<void()> &change);

    // Exports and printing
    void exportFile(int id);
    void print();
    void printPreview();
    std::pair<const class CRecordListView *, QString> printedList() const;
    void printOn(QPrinter &printer) const;

    CDataStore &m_store;
    Services m_services;
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
    QSet<QString> m_skippedFiles;
    bool m_closing = false;
};
