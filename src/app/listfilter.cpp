#include "app/listfilter.h"

#include "app/commandrules.h"
#include "app/midpage.h"
#include "controls/categorytreectrl.h"
#include "controls/recordlists.h"
#include "store/datastore.h"
#include "store/search.h"

namespace {

void showRow(QTableView *view, int row, bool shown)
{
    if (view->isRowHidden(row) == shown)
        view->setRowHidden(row, !shown);
}

// A row's record from the table the store filled it from, else what the row shows.
TransactionRecord recordOf(const RecordMap<TransactionRecord> &table, const ListRow<TransactionRow> &row)
{
    if (const TransactionRecord *r = table.find(row.data->key))
        return *r;
    TransactionRecord shown(row.data->date);
    shown.key = row.data->key;
    shown.subject = row.data->subject;
    shown.amount = row.data->amount;
    return shown;
}

void filterRecords(QTableView *view, const TransactionTable &rows, const RecordMap<TransactionRecord> &first,
                   const RecordMap<TransactionRecord> &second, const SearchQuery &query,
                   const std::function<bool(int)> &filtered)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (query.isEmpty() || !rows[i].data || !filtered(i)) {
            showRow(view, i, true);
            continue;
        }
        const TransactionRecord *r = first.find(rows[i].data->key);
        if (!r)
            r = second.find(rows[i].data->key);
        showRow(view, i, query.matches(r ? *r : recordOf(first, rows[i])));
    }
}

// Shows the item when it or an item below it matches; returns whether it shows.
bool filterItem(QTreeWidgetItem *item, const SearchQuery &query)
{
    bool shown = query.isEmpty() || query.matchesText(CCategoryTreeCtrl::storedName(item));
    for (int i = 0; i < item->childCount(); ++i)
        shown = filterItem(item->child(i), query) || shown;
    item->setHidden(!shown);
    return shown;
}

} // namespace

void filterVisibleList(CMidPage &page, const CDataStore &store, const SearchQuery &query)
{
    switch (page.visibleControl()) {
    case VIEW_ACCOUNTS: {
        CAccountListCtrl *list = page.accountList();
        for (int i = 0; i < list->model()->rowCount(); ++i) {
            const QString id = list->idAt(i);
            showRow(list, i, query.isEmpty() || query.matches(store.lookupAccount(id)));
        }
        break;
    }
    case VIEW_TRANSACTIONS: {
        CAccountTransListCtrl *list = page.accountTransList();
        const int count = list->count();
        filterRecords(list, list->listModel().shownRows(), store.accountTransactions(), store.plans(), query,
                      [count](int row) { return isTransactionRow(row, count) || isPlanRow(row, count); });
        break;
    }
    case VIEW_PLANNER:
        filterRecords(page.planList(), page.planList()->listModel().shownRows(), store.plans(), store.plans(), query,
                      [](int) { return true; });
        break;
    case VIEW_TRANSACTIONS_ALL:
        filterRecords(page.allTransList(), page.allTransList()->listModel().shownRows(), store.allTransactions(),
                      store.allTransactions(), query, [](int) { return true; });
        break;
    case VIEW_CATEGORIES: {
        CCategoryTreeCtrl *tree = page.categoryTree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            filterItem(tree->topLevelItem(i), query);
        break;
    }
    default:
        break;
    }
}
