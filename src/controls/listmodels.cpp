#include "listmodels.h"

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
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QStringLiteral("%1 %2 %3").arg(a.accountNumber, a.name, a.bank);
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

TransactionListModel::TransactionListModel(const QStringList &headings, const QList<Qt::Alignment> &alignments,
                                           QObject *parent)
    : QAbstractTableModel(parent), m_headings(headings), m_alignments(alignments)
{
}

void TransactionListModel::setRows(TransactionTable rows)
{
    beginResetModel();
    m_rows.rows = std::move(rows);
    m_rows.count = int(m_rows.rows.size());
    m_oneAccount = false;
    endResetModel();
}

void TransactionListModel::setAccountTransRows(AccountTransRows list)
{
    beginResetModel();
    m_rows = std::move(list);
    m_oneAccount = true;
    endResetModel();
}

void TransactionListModel::clear()
{
    beginResetModel();
    m_rows = AccountTransRows();
    endResetModel();
}

QString TransactionListModel::keyAt(int row) const
{
    if (row < 0 || row >= m_rows.rows.size() || !m_rows.rows[row].data)
        return {};
    return m_rows.rows[row].data->key;
}

int TransactionListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.rows.size());
}

int TransactionListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant TransactionListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.rows.size())
        return {};
    const auto &row = m_rows.rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return row.text(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_alignments.value(index.column(), Qt::AlignLeft) | Qt::AlignVCenter);
    case HasRowDataRole:
        return row.data.has_value();
    case RowKindRole:
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
        return QVariant::fromValue(m_alignments.value(section, Qt::AlignLeft) | Qt::AlignVCenter);
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
