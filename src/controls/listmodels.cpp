#include "controls/listmodels.h"

#include "store/formatters.h"

#include <algorithm>
#include <numeric>

namespace {

using Row = ListRow<TransactionRow>;

bool hasDate(const Row &row)
{
    return row.data && row.data->date.status() == OleDateTime::Valid;
}

// Whether a comes before b in the column, ascending. Rows without the value
// (no row object, no valid date) come first.
bool lessThan(ListColumn column, int index, const Row &a, const Row &b)
{
    switch (column) {
    case ListColumn::Text:
        return QString::compare(a.text(index), b.text(index), Qt::CaseInsensitive) < 0;
    case ListColumn::Date:
        if (!hasDate(a) || !hasDate(b))
            return !hasDate(a) && hasDate(b);
        return a.data->date < b.data->date;
    case ListColumn::Amount:
    case ListColumn::Balance:
        if (!a.data || !b.data)
            return !a.data && b.data;
        return column == ListColumn::Amount ? a.data->amount < b.data->amount : a.data->balance < b.data->balance;
    }
    return false;
}

} // namespace

void AccountListModel::setRows(AccountTable rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int AccountListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AccountListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant AccountListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const auto &row = m_rows[index.row()];
    if (role == HasRowDataRole)
        return row.data.has_value();
    if (!row.data)
        return {};
    const AccountRow &a = *row.data;
    const bool belowMinimum = a.minimumBalance != 0.0 && a.transactionSum < a.minimumBalance;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QStringLiteral("%1 %2 %3").arg(a.accountNumber, a.name, a.bank);
    case Qt::ToolTipRole:
        if (!belowMinimum)
            return {};
        return QStringLiteral("Below the minimum balance of ") + amountText(a.minimumBalance);
    case BelowMinimumRole:
        return belowMinimum;
    case KeyRole:
        return a.id;
    case AmountRole:
        return a.transactionSum;
    case IconRole:
        return a.icon;
    case AccountNumberRole:
        return a.accountNumber;
    case NameRole:
        return a.name;
    case BankRole:
        return a.bank;
    default:
        return {};
    }
}

TransactionListModel::TransactionListModel(const QStringList &headings, const QList<ListColumn> &columns,
                                           QObject *parent)
    : QAbstractTableModel(parent), m_headings(headings), m_columns(columns)
{}

void TransactionListModel::setRows(TransactionTable rows)
{
    beginResetModel();
    m_rows.rows = std::move(rows);
    m_rows.count = int(m_rows.rows.size());
    m_oneAccount = false;
    arrange();
    endResetModel();
}

void TransactionListModel::setAccountTransRows(AccountTransRows list)
{
    beginResetModel();
    m_rows = std::move(list);
    m_oneAccount = true;
    arrange();
    endResetModel();
}

void TransactionListModel::clear()
{
    beginResetModel();
    m_rows = AccountTransRows();
    arrange();
    endResetModel();
}

QString TransactionListModel::keyAt(int row) const
{
    if (row < 0 || row >= m_order.size() || !rowAt(row).data)
        return {};
    return rowAt(row).data->key;
}

TransactionTable TransactionListModel::shownRows() const
{
    TransactionTable shown;
    shown.reserve(m_order.size());
    for (int index : m_order)
        shown.append(m_rows.rows[index]);
    return shown;
}

void TransactionListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size())
        column = -1;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> stored;
    stored.reserve(before.size());
    for (const QModelIndex &index : before)
        stored << m_order[index.row()];

    m_sortColumn = column;
    m_sortOrder = order;
    arrange();

    QList<int> shownAt(m_order.size());
    for (int row = 0; row < m_order.size(); ++row)
        shownAt[m_order[row]] = row;
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i)
        after << index(shownAt[stored[i]], before[i].column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TransactionListModel::arrange()
{
    const int size = int(m_rows.rows.size());
    m_order.resize(size);
    std::iota(m_order.begin(), m_order.end(), 0);
    if (m_sortColumn < 0)
        return;
    if (!m_oneAccount) {
        sortBlock(0, size);
        return;
    }
    sortBlock(1, qMin(m_rows.count, size));
    if (m_rows.hasPlans())
        sortBlock(qMin(m_rows.planStart(), size), size);
}

void TransactionListModel::sortBlock(int first, int last)
{
    if (last - first < 2)
        return;
    const ListColumn column = m_columns[m_sortColumn];
    const auto &rows = m_rows.rows;
    const int index = m_sortColumn;
    if (m_sortOrder == Qt::AscendingOrder) {
        std::stable_sort(m_order.begin() + first, m_order.begin() + last,
                         [&](int a, int b) { return lessThan(column, index, rows[a], rows[b]); });
    } else {
        std::stable_sort(m_order.begin() + first, m_order.begin() + last,
                         [&](int a, int b) { return lessThan(column, index, rows[b], rows[a]); });
    }
}

Qt::Alignment TransactionListModel::alignment(int column) const
{
    const ListColumn kind = m_columns.value(column, ListColumn::Text);
    const bool money = kind == ListColumn::Amount || kind == ListColumn::Balance;
    return (money ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

int TransactionListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int TransactionListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant TransactionListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return {};
    const auto &row = rowAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return row.text(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(index.column()));
    case HasRowDataRole:
        return row.data.has_value();
    case RowKindRole:
        // Sorting moves rows only within their block, so a place keeps its kind.
        return m_oneAccount ? int(m_rows.kind(index.row())) : int(AccountTransRows::Kind::Transaction);
    default:
        break;
    }
    if (!row.data)
        return {};
    switch (role) {
    case KeyRole:
        return row.data->key;
    case AmountRole:
        return row.data->amount;
    case BalanceRole:
        return row.data->balance;
    case AccountNumberRole:
        return row.data->accountNumber;
    case DateRole:
        return row.data->date.toDateTime();
    default:
        return {};
    }
}

QVariant TransactionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headings.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headings[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignment(section));
    // A first click on a title sorts up.
    if (role == Qt::InitialSortOrderRole)
        return QVariant::fromValue(int(Qt::AscendingOrder));
    return {};
}

int ReportListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

int ReportListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant ReportListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return index.row() == 0 ? QStringLiteral("Account Balance") : QStringLiteral("Profit and Loss");
}
