#include "mainframe.h"

#include "accountcombo.h"
#include "categorytreectrl.h"
#include "changepassworddlg.h"
#include "checkbooksdlg.h"
#include "commandtable.h"
#include "datastore.h"
#include "enddatectrl.h"
#include "exportsource.h"
#include "fileio.h"
#include "guicapoutbar.h"
#include "guifolder.h"
#include "guiminitool.h"
#include "guioutlook.h"
#include "guitoolbutton.h"
#include "helpopener.h"
#include "images.h"
#include "messagebox.h"
#include "midpage.h"
#include "preferencedlg.h"
#include "recordlists.h"
#include "reportsdlg.h"
#include "startdatectrl.h"
#include "stringtable.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kRangeDays = 365;

// The icon of a view (the all-accounts list shares the Transactions icon).
QIcon viewIcon(int view)
{
    return QIcon(navigationIcon(view == VIEW_TRANSACTIONS_ALL ? VIEW_TRANSACTIONS : view));
}

QDateTime wall(const OleDateTime &d)
{
    return d.toDateTime();
}

// The About box: the program's banner; a click closes it.
class AboutDialog : public QDialog
{
public:
    explicit AboutDialog(QWidget *parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("About"));
        auto *banner = new QLabel(this);
        banner->setPixmap(applicationIcon().pixmap(96, 96));
        banner->setAlignment(Qt::AlignCenter);
        auto *text = new QLabel(QStringLiteral("<h2>Fennimar</h2><p>Version %1</p><p>A personal-finance book: "
                                               "accounts, transactions, plans and categories.</p>")
                                    .arg(QCoreApplication::applicationVersion()),
                                this);
        text->setAlignment(Qt::AlignCenter);
        text->setWordWrap(true);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
        buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("close"));
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(banner);
        layout->addWidget(text);
        layout->addWidget(buttons);
        setFixedSize(320, 300);
    }

protected:
    void mousePressEvent(QMouseEvent *) override { accept(); }
    void keyPressEvent(QKeyEvent *event) override
    {
        QDialog::keyPressEvent(event);
        if (!event->isAccepted() || event->key() == Qt::Key_Space)
            accept();
    }
};

} // namespace

CMainFrame::CMainFrame(CDataStore &store, Services services, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_services(std::move(services))
{
    setWindowTitle(LoadText(IDS_APP_TITLE));
    setWindowIcon(applicationIcon());

    // Files the store skips as damaged are counted in the status bar.
    m_damageNote = new QLabel(this);
    m_damageNote->setObjectName(QStringLiteral("damageNote"));
    m_damageNote->setToolTip(QStringLiteral("Tools > Check Books names them and moves them aside"));
    m_damageNote->hide();
    statusBar()->addPermanentWidget(m_damageNote);
    m_store.setProblemHandler([this](const QString &path, const QString &) { noteSkippedFile(path); });

    // The store reads what the window shows first.
    m_store.loadAtStartup();

    createActions();
    createMenus();
    createToolBars();
    createPanes();

    refillAccountSelector();
    {
        // The 365-day ranges come with the first change of a date, not before.
        const QSignalBlocker quietStart(m_startDate), quietEnd(m_endDate);
        const Period month = monthPeriod(QDate::currentDate());
        m_startDate->setDateTime(wall(month.from));
        m_endDate->setDateTime(wall(month.to));
    }

    statusBar()->showMessage(LoadText(IDS_IDLE_MESSAGE));
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString &message) {
        if (message.isEmpty())
            statusBar()->showMessage(LoadText(IDS_IDLE_MESSAGE));
    });

    connectLists();
    createKeys();
    m_page->SwitchView(VIEW_ACCOUNTS);
    updateCommandStates();

    // Restored from maximised, the window keeps a size that shows the lists;
    // its layout keeps every navigation button in sight (CGuiFolder's minimum).
    resize(1024, 700);
    // Keys typed after start-up go to the list, not to a filter control.
    m_page->accountList()->setFocus(Qt::OtherFocusReason);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::createActions()
{
    for (const CommandInfo &info : commandTable()) {
        if (info.text.isEmpty())
            continue; // a filter control's entry: prompt and tool tip only
        auto *action = new QAction(info.text.section(u'\t', 0, 0), this);
        action->setData(info.id);
        action->setStatusTip(info.prompt);
        action->setToolTip(info.toolTip.isEmpty() ? action->text().remove(u'&') : info.toolTip);
        action->setIcon(commandIcon(info.id));
        if (!info.shortcut.isEmpty()) {
            action->setShortcut(info.shortcut);
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
        const bool checkable = (info.id >= ID_VIEW_ACCOUNTS && info.id <= ID_VIEW_REPORTS)
                               || info.id == ID_VIEW_TOOLBAR || info.id == ID_VIEW_STATUS_BAR;
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, id = info.id] { runCommand(id); });
        m_actions.insert(info.id, action);
        addAction(action);
    }
}

void CMainFrame::createMenus()
{
    for (const MenuInfo &info : menuTable()) {
        QMenu *menu = menuBar()->addMenu(info.title);
        for (int id : info.items) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(m_actions.value(id));
        }
    }
}

void CMainFrame::createToolBars()
{
    m_filterBar = addToolBar(QStringLiteral("Filter"));
    m_filterBar->setObjectName(QStringLiteral("filterToolBar"));
    m_filterBar->setMovable(false);
    auto *startLabel = new QLabel(QStringLiteral("Start Date"), m_filterBar);
    auto *endLabel = new QLabel(QStringLiteral("End Date"), m_filterBar);
    auto *accountLabel = new QLabel(QStringLiteral("Account No."), m_filterBar);
    startLabel->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold; padding: 0 4px"));
    endLabel->setStyleSheet(startLabel->styleSheet());
    accountLabel->setStyleSheet(QStringLiteral("color: #0000c0; font-weight: bold; padding: 0 4px"));
    m_startDate = new CStartDateCtrl(m_filterBar);
    m_endDate = new CEndDateCtrl(m_filterBar);
    m_selector = new CAccountCombo(m_filterBar);
    for (const auto &[control, id] : {std::pair<QWidget *, int>{m_startDate, ID_START_DATE},
                                      {m_endDate, ID_END_DATE},
                                      {m_selector, ID_ACCOUNT_SELECTOR}}) {
        control->setToolTip(commandInfo(id).toolTip);
        control->setStatusTip(commandInfo(id).prompt);
    }
    m_selector->setMinimumWidth(170);
    startLabel->setBuddy(m_startDate);
    endLabel->setBuddy(m_endDate);
    accountLabel->setBuddy(m_selector);
    m_filterBar->addWidget(startLabel);
    m_filterBar->addWidget(m_startDate);
    m_filterBar->addSeparator();
    m_filterBar->addWidget(endLabel);
    m_filterBar->addWidget(m_endDate);
    m_filterBar->addSeparator();
    m_filterBar->addWidget(accountLabel);
    m_filterBar->addWidget(m_selector);
    m_filterBar->addSeparator();
    m_filterBar->addAction(m_actions.value(ID_HELP_CONTENTS));
    m_filterBar->addAction(m_actions.value(ID_APP_ABOUT));

    addToolBarBreak();
    m_commandBar = addToolBar(QStringLiteral("Fennimar ToolBar"));
    m_commandBar->setObjectName(QStringLiteral("commandToolBar"));
    m_commandBar->setMovable(false);
    for (int id : commandToolBarItems()) {
        if (id == 0)
            m_commandBar->addSeparator();
        else
            m_commandBar->addAction(m_actions.value(id));
    }

    connect(m_startDate, &CStartDateCtrl::startDateChanged, this, &CMainFrame::onStartDateChanged);
    connect(m_endDate, &CEndDateCtrl::endDateChanged, this, &CMainFrame::onEndDateChanged);
    connect(m_selector, &QComboBox::currentIndexChanged, this, [this] {
        if (m_selector->isEnabled() && !m_closing)
            refreshCurrentView();
    });
    for (CFlatDateCtrl *picker : {static_cast<CFlatDateCtrl *>(m_startDate), static_cast<CFlatDateCtrl *>(m_endDate)})
        connect(picker, &CFlatDateCtrl::commandTriggered, this, [this] { refreshCurrentView(); });
}

void CMainFrame::createPanes()
{
    m_captionBar = new GuiCapOutBar(this);
    m_captionBar->setCaption(CMidPage::viewTitle(VIEW_ACCOUNTS), viewIcon(VIEW_ACCOUNTS));
    static const char *buttonTips[] = {"Accounts", "Transactions", "Plans", "Categories", "Reports"};
    for (int i = 0; i < 5; ++i)
        m_captionBar->rightTool()->AddButton(ID_VIEW_ACCOUNTS + i, QIcon(viewButtonIcon(i)), QString(),
                                             QString::fromLatin1(buttonTips[i]));
    connect(m_captionBar, &GuiCapOutBar::commandTriggered, this, &CMainFrame::runCommand);

    m_navigation = new CGuiFolder(this);
    for (const NavigationFolder &folder : navigationTable()) {
        auto *panel = new CGuiOutLook(m_navigation);
        for (const NavigationItem &item : folder.items)
            panel->AddItem(item.id, item.text, QIcon(navigationIcon(item.icon)));
        m_navigation->AddFolder(folder.title, panel);
    }
    m_navigation->SelectFolder(0);
    connect(m_navigation, &CGuiFolder::commandTriggered, this, &CMainFrame::runCommand);

    CMidPage::Filter filter;
    filter.period = [this] { return period(); };
    filter.selectorIndex = [this] { return m_selector->currentIndex(); };
    filter.selectedAccountId = [this] { return m_selector->currentAccountId(); };
    m_page = new CMidPage(m_store, filter, this);
    connect(m_page, &CMidPage::viewCaptionChanged, this, [this](const QString &title, int image) {
        m_captionBar->setCaption(title, viewIcon(image));
    });
    connect(m_page, &CMidPage::selectionChanged, this, &CMainFrame::updateCommandStates);
    connect(m_page, &CMidPage::fileError, this, &CMainFrame::reportFileError);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(m_navigation);
    m_splitter->addWidget(m_page);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({150, 850});
    m_splitter->setChildrenCollapsible(false);
    m_navigation->setMinimumWidth(50);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_captionBar);
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);
}

void CMainFrame::connectLists()
{
    connect(m_page->accountList(), &CRecordListView::selectionMarkChosen, this, &CMainFrame::onAccountRowClicked);
    connect(m_page->accountList(), &CRecordListView::rowDoubleClicked, this, &CMainFrame::onAccountRowDoubleClicked);
    for (CRecordListView *list : std::initializer_list<CRecordListView *>{
             m_page->accountList(), m_page->accountTransList(), m_page->planList(), m_page->allTransList()})
        connect(list, &CRecordListView::contextMenuRequested, this, &CMainFrame::showListMenu);
    for (CRecordListView *list : std::initializer_list<CRecordListView *>{
             m_page->accountTransList(), m_page->planList(), m_page->allTransList()})
        connect(list, &CRecordListView::rowDoubleClicked, this, &CMainFrame::onRecordRowDoubleClicked);
    connect(m_page->categoryTree(), &CCategoryTreeCtrl::contextMenuRequested, this, &CMainFrame::showCategoryMenu);
    connect(m_page->reportList(), &CRecordListView::rowDoubleClicked, this, &CMainFrame::openReport);
}

void CMainFrame::openReport(int row)
{
    if (m_page->currentView() != VIEW_REPORTS || row < 0 || row > CReportsDlg::ProfitAndLoss)
        return;
    const Period filter = period();
    CReportsDlg dialog(m_store, m_selector->isAccountSelected() ? m_selector->currentAccountId() : QString(),
                       filter.from, filter.to, row, this);
    dialog.exec();
}

Period CMainFrame::period() const
{
    return {OleDateTime::fromDateTime(m_startDate->dateTime()), OleDateTime::fromDateTime(m_endDate->dateTime())};
}

CommandState CMainFrame::commandState() const
{
    CommandState s;
    s.hasContentPane = m_page != nullptr;
    s.view = m_page->currentView();
    s.visibleControl = m_page->visibleControl();
    s.selectorIndex = m_selector->currentIndex();
    s.selection = m_page->selectionMark();
    s.count = m_page->accountTransList()->count();
    s.treeItemSelected = m_page->categoryTree()->currentItem() != nullptr;
    s.toolBarVisible = !m_commandBar->isHidden() || !m_filterBar->isHidden();
    s.statusBarVisible = !statusBar()->isHidden();
    return s;
}

void CMainFrame::updateCommandStates()
{
    if (!m_page)
        return;
    const CommandState s = commandState();
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        it.value()->setEnabled(isCommandEnabled(it.key(), s));
        if (it.value()->isCheckable())
            it.value()->setChecked(isCommandChecked(it.key(), s));
    }
    // The navigation bar marks the current view as the View menu does.
    for (int f = 0; f < m_navigation->folderCount(); ++f) {
        for (CGuiToolButton *item : m_navigation->panel(f)->items()) {
            const int id = item->commandId();
            item->setMarked(id >= ID_VIEW_ACCOUNTS && id <= ID_VIEW_REPORTS && isCommandChecked(id, s));
        }
    }
}

void CMainFrame::createKeys()
{
    // Delete and Enter act on the selected record of the content pane, through
    // the same commands and confirmations as the menus.
    for (const auto &[key, id] : {std::pair{QKeySequence(Qt::Key_Delete), int(ID_DELETE)},
                                  {QKeySequence(Qt::Key_Return), int(ID_MODIFY)},
                                  {QKeySequence(Qt::Key_Enter), int(ID_MODIFY)}}) {
        auto *shortcut = new QShortcut(key, m_page, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] {
            if (id == ID_MODIFY && m_page->currentView() == VIEW_REPORTS) {
                openReport(m_page->selectionMark()); // Enter opens the report, as a double-click does
                return;
            }
            updateCommandStates();
            if (m_actions.value(id)->isEnabled())
                runCommand(id);
        });
    }
}

void CMainFrame::runCommand(int id)
{
    switch (id) {
    case ID_VIEW_ACCOUNTS:
    case ID_VIEW_TRANSACTIONS:
    case ID_VIEW_PLANNER:
    case ID_VIEW_CATEGORIES:
    case ID_VIEW_REPORTS:
        showView(id - ID_VIEW_ACCOUNTS);
        break;
    case ID_REFRESH:
        refresh();
        break;
    case ID_PREFERENCE:
        preference();
        break;
    case ID_CHANGE_PASSWORD:
        CChangePasswordDlg(m_services.workDir(), this).exec();
        break;
    case ID_CHECK_BOOKS:
        checkBooks();
        break;
    case ID_SYNCHRONIZE:
        showMessage(this, QStringLiteral("No handheld synchronisation manager is installed on this system."),
                    MessageIcon::Information);
        break;
    case ID_HELP_CONTENTS:
        openHelp(this);
        break;
    case ID_APP_ABOUT:
        about();
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_VIEW_TOOLBAR: {
        const bool show = m_commandBar->isHidden() && m_filterBar->isHidden();
        m_commandBar->setVisible(show);
        m_filterBar->setVisible(show);
        break;
    }
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        break;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        switchPane();
        break;
    case ID_ACCOUNT_ADD:
        accountAdd();
        break;
    case ID_ACCOUNT_MODIFY:
        accountModify();
        break;
    case ID_ACCOUNT_DELETE:
        accountDelete();
        break;
    case ID_TRANSACTION_ADD:
        transactionAdd();
        break;
    case ID_TRANSACTION_MODIFY:
        transactionModify();
        break;
    case ID_TRANSACTION_DELETE:
        transactionDelete();
        break;
    case ID_PLAN_ADD:
        planAdd();
        break;
    case ID_PLAN_MODIFY:
        planModify();
        break;
    case ID_PLAN_DELETE:
        planDelete();
        break;
    case ID_CONVERT_PLAN:
        convertPlan();
        break;
    case ID_CATEGORY_ADD:
        categoryAdd();
        break;
    case ID_CATEGORY_MODIFY:
        categoryModify();
        break;
    case ID_CATEGORY_DELETE:
        categoryDelete();
        break;
    case ID_MODIFY:
    case ID_DELETE: {
        static const int modify[] = {ID_ACCOUNT_MODIFY, ID_TRANSACTION_MODIFY, ID_PLAN_MODIFY, ID_CATEGORY_MODIFY};
        static const int remove[] = {ID_ACCOUNT_DELETE, ID_TRANSACTION_DELETE, ID_PLAN_DELETE, ID_CATEGORY_DELETE};
        const int view = m_page->currentView();
        if (view >= VIEW_ACCOUNTS && view <= VIEW_CATEGORIES)
            runCommand(id == ID_MODIFY ? modify[view] : remove[view]);
        break;
    }
    case ID_EXPORT_EXCEL:
    case ID_EXPORT_WORD:
    case ID_EXPORT_HTML:
    case ID_EXPORT_PDF:
    case ID_EXPORT_TEXT:
    case ID_EXPORT_CSV:
        exportFile(id);
        break;
    case ID_FILE_PRINT:
        print();
        break;
    case ID_FILE_PRINT_PREVIEW:
        printPreview();
        break;
    default:
        break;
    }
    updateCommandStates();
}

void CMainFrame::showView(int n)
{
    m_page->setCurrentView(n);
    updateAccountSelectorState();
    m_page->SwitchView(n);
}

void CMainFrame::refreshCurrentView()
{
    m_page->SwitchView(m_page->currentView());
    updateCommandStates();
}

void CMainFrame::refillAccountSelector(bool keepSelection)
{
    const QSignalBlocker quiet(m_selector);
    const int index = m_selector->currentIndex();
    const QString id = m_selector->currentAccountId();
    m_selector->fill(m_store.fillAccountCombo(QString()));
    if (!keepSelection)
        return;
    if (index == 0)
        m_selector->setCurrentIndex(0);
    else if (m_store.accounts().contains(id))
        m_selector->selectById(id);
}

void CMainFrame::updateAccountSelectorState()
{
    const int view = m_page->currentView();
    const bool disable = view == VIEW_PLANNER || view == VIEW_CATEGORIES
                         || (view == VIEW_ACCOUNTS && m_page->accountList()->selectionMark() < 0);
    if (disable) {
        m_selector->setEnabled(false);
        return;
    }
    if (!m_selector->isEnabled()) {
        refillAccountSelector(true);
        m_selector->setEnabled(true);
    }
}

void CMainFrame::onStartDateChanged()
{
    const QDateTime start = m_startDate->dateTime();
    {
        const QSignalBlocker quiet(m_endDate);
        m_endDate->setDateTimeRange(start, start.addDays(kRangeDays));
    }
    refreshCurrentView();
}

void CMainFrame::onEndDateChanged()
{
    const QDateTime end = m_endDate->dateTime();
    {
        const QSignalBlocker quiet(m_startDate);
        m_startDate->setDateTimeRange(end.addDays(-kRangeDays), end);
    }
    refreshCurrentView();
}

void CMainFrame::onAccountRowClicked(int row)
{
    if (m_page->currentView() != VIEW_ACCOUNTS || m_page->visibleControl() != VIEW_ACCOUNTS)
        return;
    updateAccountSelectorState();
    if (row >= 0) {
        const QSignalBlocker quiet(m_selector);
        m_selector->selectById(m_page->accountList()->idAt(row));
    }
    updateCommandStates();
}

void CMainFrame::onAccountRowDoubleClicked(int row)
{
    {
        const QSignalBlocker quiet(m_selector);
        m_selector->selectById(m_page->accountList()->idAt(row));
    }
    showView(VIEW_TRANSACTIONS);
    updateCommandStates();
}

void CMainFrame::onRecordRowDoubleClicked(int row)
{
    if (m_page->visibleControl() == VIEW_TRANSACTIONS && isPlanRow(row, m_page->accountTransList()->count())) {
        runCommand(ID_PLAN_MODIFY);
        return;
    }
    if (m_page->visibleControl() == VIEW_TRANSACTIONS_ALL) {
        modifyAllAccountsTransaction(m_page->allTransList()->keyAt(row));
        updateCommandStates();
        return;
    }
    runCommand(ID_MODIFY);
}

void CMainFrame::showListMenu(int row, const QPoint &globalPos)
{
    updateCommandStates();
    QMenu menu(this);
    const int control = m_page->visibleControl();
    const bool planRow = (control == VIEW_TRANSACTIONS && isPlanRow(row, m_page->accountTransList()->count()))
                         || control == VIEW_PLANNER;
    if (control == VIEW_TRANSACTIONS && !planRow && !isTransactionRow(row, m_page->accountTransList()->count()))
        return; // the opening row and the separator rows have no menu
    if (planRow) {
        menu.addAction(commandInfo(ID_PLAN_MODIFY).text, this, [this] { runCommand(ID_PLAN_MODIFY); });
        menu.addAction(commandInfo(ID_PLAN_DELETE).text, this, [this] { runCommand(ID_PLAN_DELETE); });
        menu.addSeparator();
        menu.addAction(commandInfo(ID_CONVERT_PLAN).text, this, [this] { runCommand(ID_CONVERT_PLAN); });
    } else {
        menu.addAction(QStringLiteral("Modify"), this, [this] { runCommand(ID_MODIFY); });
        menu.addAction(QStringLiteral("Delete"), this, [this] { runCommand(ID_DELETE); });
    }
    menu.exec(globalPos);
}

void CMainFrame::showCategoryMenu(const QPoint &globalPos)
{
    updateCommandStates();
    QMenu menu(this);
    for (int id : {ID_CATEGORY_ADD, ID_CATEGORY_MODIFY, ID_CATEGORY_DELETE})
        menu.addAction(m_actions.value(id));
    menu.exec(globalPos);
}

void CMainFrame::reportFileError(const QString &message)
{
    showMessage(this, message, MessageIcon::Stop);
}

void CMainFrame::switchPane()
{
    // Two panes: F6 and Shift+F6 both move to the other one.
    const bool inNavigation = m_navigation->isAncestorOf(QApplication::focusWidget());
    QWidget *target = inNavigation ? m_page->control(m_page->visibleControl()) : m_navigation;
    target->setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::noteSkippedFile(const QString &path)
{
    m_skippedFiles.insert(path);
    const qsizetype n = m_skippedFiles.size();
    m_damageNote->setText(n == 1 ? QStringLiteral("1 damaged file skipped - Tools > Check Books")
                                 : QStringLiteral("%1 damaged files skipped - Tools > Check Books").arg(n));
    m_damageNote->show();
}

void CMainFrame::reloadBooks()
{
    m_skippedFiles.clear();
    m_damageNote->hide();
    m_store.LoadAll();
}

void CMainFrame::refresh()
{
    // The lists' own order comes back with the books read again.
    for (CRecordListView *list : std::initializer_list<CRecordListView *>{
             m_page->accountTransList(), m_page->planList(), m_page->allTransList()})
        list->clearSortOrder();
    reloadBooks();
    refreshCurrentView();
    refillAccountSelector(true);
}

void CMainFrame::checkBooks()
{
    if (m_page->currentView() == VIEW_CATEGORIES)
        m_page->saveCategoryTree();
    CCheckBooksDlg dialog(m_store, this);
    dialog.exec();
    if (!dialog.repaired())
        return;
    m_page->emptyForNewDirectory();
    reloadBooks();
    refreshCurrentView();
    refillAccountSelector(true);
}

void CMainFrame::preference()
{
    const QString before = m_services.workDir();
    CPreferenceDlg dialog(before, CPreferenceDlg::kCommandMode, this);
    if (dialog.exec() != QDialog::Accepted || dialog.workDir() == before)
        return;
    const QString dir = dialog.workDir();
    m_services.setWorkDir(dir);
    m_services.writeProfile(dir, 15, 85);
    makePrivateDir(dir);
    m_page->emptyForNewDirectory();
    m_store.setWorkDir(dir);
    reloadBooks();
    refreshCurrentView();
    refillAccountSelector();
}

void CMainFrame::about()
{
    AboutDialog(this).exec();
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    if (m_page->currentView() == VIEW_CATEGORIES)
        m_page->saveCategoryTree();
    m_page->categoryTree()->clear();
    m_selector->clear();
    m_services.writeProfile(m_services.workDir(), 15, 85);
    event->accept();
}
