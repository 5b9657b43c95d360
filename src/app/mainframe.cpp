#include "app/mainframe.h"

#include "app/commandgroups.h"
#include "app/commandtable.h"
#include "app/editcommands.h"
#include "app/exportcommands.h"
#include "app/midpage.h"
#include "app/recordcommands.h"
#include "app/undohistory.h"
#include "app/viewcommands.h"
#include "controls/accountcombo.h"
#include "controls/categorytreectrl.h"
#include "controls/enddatectrl.h"
#include "controls/recordlists.h"
#include "controls/startdatectrl.h"
#include "export/exportsource.h"
#include "res/images.h"
#include "res/stringtable.h"
#include "store/datastore.h"
#include "store/profile.h"
#include "uiext/guicapoutbar.h"
#include "uiext/guifolder.h"
#include "uiext/guiminitool.h"
#include "uiext/guioutlook.h"
#include "uiext/guitoolbutton.h"
#include "uiext/messagebox.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
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
    m_history = new CUndoHistory(m_store, this);

    m_groups = std::make_unique<CommandGroups>(*this, m_commands);
    createActions();
    createMenus();
    createToolBars();
    createPanes();

    refillAccountSelector();
    {
        // The 365-day ranges come with the first change of a date, not before.
        const QSignalBlocker quietStart(m_startDate), quietEnd(m_endDate);
        const Period month = monthPeriod(QDate::currentDate());
        m_startDate->setDateTime(month.from.toDateTime());
        m_endDate->setDateTime(month.to.toDateTime());
    }

    statusBar()->showMessage(LoadText(IDS_IDLE_MESSAGE));
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString &message) {
        if (message.isEmpty())
            statusBar()->showMessage(LoadText(IDS_IDLE_MESSAGE));
    });

    connectLists();
    createKeys();
    connect(m_history, &CUndoHistory::changed, this, [this] {
        m_groups->edits().updateTexts();
        updateCommandStates();
    });
    m_groups->edits().updateTexts();
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
        action->setCheckable(m_commands.isCheckable(info.id));
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
    connect(m_page, &CMidPage::viewCaptionChanged, this,
            [this](const QString &title, int image) { m_captionBar->setCaption(title, viewIcon(image)); });
    connect(m_page, &CMidPage::selectionChanged, this, &CMainFrame::updateCommandStates);
    // A list refilled shows only what the search field finds, once the refill is done.
    connect(
        m_page, &CMidPage::viewCaptionChanged, this,
        [this] {
        if (!m_searchField->text().isEmpty())
            m_groups->edits().filterList();
        },
        Qt::QueuedConnection);
    connect(m_page, &CMidPage::fileError, this,
            [this](const QString &message) { showMessage(this, message, MessageIcon::Stop); });

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
    layout->addWidget(createSearchBar());
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);
}

void CMainFrame::connectLists()
{
    CViewCommands *views = &m_groups->views();
    CRecordCommands *records = &m_groups->records();
    connect(m_page->accountList(), &CRecordListView::selectionMarkChosen, views, &CViewCommands::chooseAccount);
    connect(m_page->accountList(), &CRecordListView::rowDoubleClicked, views, &CViewCommands::openAccount);
    connect(m_page->reportList(), &CRecordListView::rowDoubleClicked, views, &CViewCommands::openReport);
    for (CRecordListView *list : std::initializer_list<CRecordListView *>{
             m_page->accountList(), m_page->accountTransList(), m_page->planList(), m_page->allTransList()})
        connect(list, &CRecordListView::contextMenuRequested, records, &CRecordCommands::showListMenu);
    for (CRecordListView *list : std::initializer_list<CRecordListView *>{m_page->accountTransList(),
                                                                          m_page->planList(), m_page->allTransList()})
        connect(list, &CRecordListView::rowDoubleClicked, records, &CRecordCommands::modifyRow);
    connect(m_page->categoryTree(), &CCategoryTreeCtrl::contextMenuRequested, records,
            &CRecordCommands::showCategoryMenu);
    connect(m_page->categoryTree(), &CCategoryTreeCtrl::renamedInPlace, records, &CRecordCommands::categoryRenamed);
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
                // Enter opens the report, as a double-click does.
                m_groups->views().openReport(m_page->selectionMark());
                return;
            }
            updateCommandStates();
            if (m_actions.value(id)->isEnabled())
                runCommand(id);
        });
    }
}

QWidget *CMainFrame::createSearchBar()
{
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);
    m_searchField = new QLineEdit(bar);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(QStringLiteral("Find in this list (Ctrl+F)"));
    m_searchField->setToolTip(
        QStringLiteral("Shows the rows whose subject, notes, category, amount or date hold every word; Escape clears"));
    m_searchField->setClearButtonEnabled(true);
    m_searchField->setMaximumWidth(320);
    auto *clear = new QAction(m_searchField);
    clear->setShortcut(Qt::Key_Escape);
    clear->setShortcutContext(Qt::WidgetShortcut);
    connect(clear, &QAction::triggered, m_searchField, &QLineEdit::clear);
    m_searchField->addAction(clear);
    row->addStretch(1);
    row->addWidget(m_searchField);
    connect(m_searchField, &QLineEdit::textChanged, this, [this] { m_groups->edits().filterList(); });
    return bar;
}

void CMainFrame::openTransaction(const QString &key)
{
    m_groups->records().openTransaction(key);
}

void CMainFrame::runCommand(int id)
{
    m_commands.run(id);
    updateCommandStates();
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
    s.canUndo = m_history->canUndo();
    s.canRedo = m_history->canRedo();
    return s;
}

void CMainFrame::updateCommandStates()
{
    if (!m_page)
        return;
    const CommandState s = commandState();
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        it.value()->setEnabled(m_commands.isEnabled(it.key(), s));
        if (it.value()->isCheckable())
            it.value()->setChecked(m_commands.isChecked(it.key(), s));
    }
    // The navigation bar marks the current view as the View menu does.
    for (int f = 0; f < m_navigation->folderCount(); ++f) {
        for (CGuiToolButton *item : m_navigation->panel(f)->items()) {
            const int id = item->commandId();
            item->setMarked(m_commands.isCheckable(id) && m_commands.isChecked(id, s));
        }
    }
}

ExportSource CMainFrame::exportSource() const
{
    return m_groups->exports().source();
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

void CMainFrame::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    if (m_page->currentView() == VIEW_CATEGORIES)
        m_page->saveCategoryTree();
    m_page->categoryTree()->clear();
    m_selector->clear();
    m_services.writeProfile(m_store.workDir(), 15, 85);
    writeWindowGeometry(saveGeometry());
    event->accept();
}
