#pragma once

#include "rowtables.h"

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
};

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
class TransactionListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    TransactionListModel(const QStringList &headings, const QList<Qt::Alignment> &alignments, QObject *parent = nullptr);

    void setRows(TransactionTable rows);
    void setAccountTransRows(AccountTransRows list);
    const TransactionTable &rows() const { return m_rows.rows; }
    const AccountTransRows &accountTransRows() const { return m_rows; }
    int count() const { return m_rows.count; }
    void clear();
    // The key of a row, empty for rows without a row object.
    QString keyAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_headings;
    QList<Qt::Alignment> m_alignments;
    AccountTransRows m_rows;
    bool m_oneAccount = false;
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
