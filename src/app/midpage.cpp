#include "app/midpage.h"

#include "controls/categorytreectrl.h"
#include "controls/gradientheaderctrl.h"
#include "controls/recordlists.h"
#include "res/images.h"
#include "store/accounttransrows.h"
#include "store/datastore.h"

#include <QStackedLayout>

CMidPage::CMidPage(CDataStore &store, Filter filter, QWidget *parent)
    : QWidget(parent), m_store(store), m_filter(std::move(filter))
{
    // The lists are filled again and again from the same books: the store keeps
    // what it read and reads again only what changed.
    m_store.setCaching(true);
    m_accountList = new CAccountListCtrl([](int icon) { return accountPicture(icon); }, this);
    m_accountTransList = new CAccountTransListCtrl(transactionRowPicture(), this);
    m_planList = new CPlanListCtrl(this);
    m_categoryTree = new CCategoryTreeCtrl(true, this);
    m_categoryTree->setItemPicture(QIcon(categoryPicture()));
    m_reportList = new CReportListCtrl(reportPicture(), this);
    m_allTransList = new CAllTransListCtrl(this);

    // Pictures before the column titles of the transactions and plans lists.
    for (const auto &[list, strip] : {std::pair<CRecordListView *, int>{m_accountTransList, 0}, {m_planList, 1}}) {
        QList<QIcon> pictures;
        for (int column = 0; column < 4; ++column)
            pictures << QIcon(columnPicture(strip, column));
        static_cast<CGradientHeaderCtrl *>(list->horizontalHeader())->setPictures(pictures);
    }

    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    for (int n = 0; n <= VIEW_TRANSACTIONS_ALL; ++n)
        m_stack->addWidget(control(n));

    for (CRecordListView *list : std::initializer_list<CRecordListView *>{m_accountList, m_accountTransList, m_planList,
                                                                          m_reportList, m_allTransList})
        connect(list, &CRecordListView::selectionMarkChanged, this, &CMidPage::selectionChanged);
    connect(m_categoryTree, &QTreeWidget::currentItemChanged, this, &CMidPage::selectionChanged);
}

QWidget *CMidPage::control(int n) const
{
    switch (n) {
    case VIEW_ACCOUNTS:
        return m_accountList;
    case VIEW_TRANSACTIONS:
        return m_accountTransList;
    case VIEW_PLANNER:
        return m_planList;
    case VIEW_CATEGORIES:
        return m_categoryTree;
    case VIEW_REPORTS:
        return m_reportList;
    case VIEW_TRANSACTIONS_ALL:
        return m_allTransList;
    default:
        return nullptr;
    }
}

QString CMidPage::viewTitle(int n)
{
    static const char *titles[] = {"Accounts", "Transactions", "Planner", "Categories", "Reports", "Transactions All"};
    return n >= 0 && n <= VIEW_TRANSACTIONS_ALL ? QString::fromLatin1(titles[n]) : QString();
}

int CMidPage::visibleControl() const
{
    return m_stack->currentIndex();
}

int CMidPage::selectionMark() const
{
    const auto *list = qobject_cast<const CRecordListView *>(control(visibleControl()));
    return list ? list->selectionMark() : -1;
}

void CMidPage::saveCategoryTree()
{
    try {
        m_categoryTree->writeFile(m_store.workDir());
    } catch (const FileError &e) {
        Q_EMIT fileError(e.message());
    }
}

void CMidPage::emptyForNewDirectory()
{
    m_categoryTree->clear();
    m_accountTransList->clear();
}

int CMidPage::controlFor(int n) const
{
    return n == VIEW_TRANSACTIONS && m_filter.selectorIndex() == 0 ? int(VIEW_TRANSACTIONS_ALL) : n;
}

void CMidPage::SwitchView(int n)
{
    // Leaving the Categories view, or refreshing it, writes the tree's edits.
    if (m_previousView == VIEW_CATEGORIES)
        saveCategoryTree();
    const int shown = controlFor(n);
    if (QWidget *widget = control(shown)) {
        m_stack->setCurrentWidget(widget);
        Q_EMIT viewCaptionChanged(viewTitle(shown), shown);
    }
    m_previousView = m_currentView;
    m_currentView = shown == VIEW_TRANSACTIONS_ALL ? int(VIEW_TRANSACTIONS) : n;
    fill(shown);
    Q_EMIT selectionChanged();
}

void CMidPage::fill(int shown)
{
    const Period period = m_filter.period();
    switch (shown) {
    case VIEW_ACCOUNTS:
        m_accountList->setRows(m_store.fillAccountList());
        break;
    case VIEW_TRANSACTIONS:
        // With no entry in the account selector there is nothing to show.
        if (m_filter.selectorIndex() < 0)
            break;
        m_store.loadPlans();
        m_accountTransList->setRows(
            buildAccountTransRows(m_store, m_filter.selectedAccountId(), period.from, period.to));
        break;
    case VIEW_PLANNER:
        m_store.loadPlans();
        m_planList->setRows(m_store.fillPlansList());
        break;
    case VIEW_CATEGORIES:
        m_categoryTree->fill(m_store.workDir());
        break;
    case VIEW_TRANSACTIONS_ALL:
        m_allTransList->setRows(m_store.fillAllTransList(period.from, period.to));
        break;
    default:
        break;
    }
}
