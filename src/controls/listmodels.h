#pragma once

#include "store/rowtables.h"

#include <QAbstractTableModel>
#include <QStringList>

// Roles beyond the display text: the raw values the painting reads.
enum ListRole : int {
    HasRowDataRole = Qt::UserRole + 1, // bool: the row carries a row object
    KeyRole,                           // QString: account id, transaction or plan key
    AmountRole,                        // double: the signed amount (an account row: its balance)
    BalanceRole,                       // double: the running balance
    RowKindRole,                       // int: AccountTransRows::Kind of the one-account list
    IconRole,                          // int: the account's picture
    AccountNumberRole,
    NameRole,
    BankRole,
    DateRole,         // QDateTime: the record's date
    BelowMinimumRole, // bool: an account's balance is below its set minimum
};

// What a column of a transaction list holds, and so how it lines up and sorts.
enum class ListColumn { Text, Date, Amount, Balance };

// The accounts list: one column, one row per account.
class AccountListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(AccountTable rows);
    const AccountTable &rows() const { return m_rows; }
    void clear() { setRows({}); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    AccountTable m_rows;
};

// The transaction and plan lists: four columns of texts over row objects. The
// one-account list also knows its count N and so the kind of every row.
//
// The rows can be shown sorted by a column; the order chosen holds for the rows
// of later fills until sort(-1) brings back the fill's own order. In the
// one-account list the opening, separator and heading rows keep their places
// and the transactions and the plans sort each within their own block.
class TransactionListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TransactionListModel(const QStringList &headings, const QList<ListColumn> &columns, QObject *parent = nullptr);

    void setRows(TransactionTable rows);
    void setAccountTransRows(AccountTransRows list);
    // The rows in the fill's order, whatever order they are shown in.
    const TransactionTable &rows() const { return m_rows.rows; }
    const AccountTransRows &accountTransRows() const { return m_rows; }
    // The rows in the order they are shown.
    TransactionTable shownRows() const;
    int count() const { return m_rows.count; }
    void clear();
    // The key of a shown row, empty for rows without a row object.
    QString keyAt(int row) const;

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Column -1: the fill's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    const ListRow<TransactionRow> &rowAt(int row) const { return m_rows.rows[m_order[row]]; }
    Qt::Alignment alignment(int column) const;
    // Puts m_order in the chosen sort order.
    void arrange();
    void sortBlock(int first, int last);

    QStringList m_headings;
    QList<ListColumn> m_columns;
    AccountTransRows m_rows;
    QList<int> m_order; // the shown row -> its index in m_rows.rows
    bool m_oneAccount = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// The reports list: "Account Balance" and "Profit and Loss".
class ReportListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};
