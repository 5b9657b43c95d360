#pragma once

#include "store/records.h"

#include <QAbstractTableModel>
#include <QDialog>

class CDataStore;
class QLabel;
class QLineEdit;
class QTableView;

// The matches of a search over every account and every date: date, account
// number, subject, amount, category.
class FoundTransactionsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The records with the account number of each.
    void setRecords(QList<TransactionRecord> records, QStringList accountNumbers);
    const TransactionRecord &record(int row) const { return m_records[row]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<TransactionRecord> m_records;
    QStringList m_accountNumbers;
};

// Edit > Find in All Transactions: the words to find, and the transactions of
// every account and every date that match them. A double-click (or Enter) on
// a match asks for its record's dialog.
class CFindDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFindDlg(CDataStore &store, QWidget *parent = nullptr);

    void setText(const QString &text);
    // Searches the books again for the words given.
    void search();
    const FoundTransactionsModel &results() const { return m_model; }
    QTableView *resultView() const { return m_view; }

Q_SIGNALS:
    void openRecord(const QString &key);

private:
    void activate(const QModelIndex &index);

    CDataStore &m_store;
    QLineEdit *m_text;
    QTableView *m_view;
    QLabel *m_count;
    FoundTransactionsModel m_model;
};
