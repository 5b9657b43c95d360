#pragma once

#include "controls/listmodels.h"
#include "controls/recordlistview.h"

#include <QPixmap>

#include <functional>

// The accounts list: one two-line row per account with its picture.
class CAccountListCtrl : public CRecordListView
{
    Q_OBJECT

public:
    CAccountListCtrl(std::function<QPixmap(int)> picture, QWidget *parent = nullptr);

    void setRows(AccountTable rows) { m_model.setRows(std::move(rows)); }
    const AccountListModel &listModel() const { return m_model; }
    QString idAt(int row) const;

private:
    AccountListModel m_model;
};

// The transactions of one account for the period, then its plans.
class CAccountTransListCtrl : public CRecordListView
{
    Q_OBJECT

public:
    explicit CAccountTransListCtrl(const QPixmap &rowPicture, QWidget *parent = nullptr);

    void setRows(AccountTransRows rows);
    void clear();
    const TransactionListModel &listModel() const { return m_model; }
    int count() const { return m_model.count(); }
    QString keyAt(int row) const { return m_model.keyAt(row); }

protected:
    void layoutColumns(int width) override;

private:
    TransactionListModel m_model;
};

// All plans, or all transactions of every account: account number, date,
// subject, amount.
class CRecordTableCtrl : public CRecordListView
{
    Q_OBJECT

public:
    enum class Kind { Plans, AllTransactions };
    explicit CRecordTableCtrl(Kind kind, QWidget *parent = nullptr);

    void setRows(TransactionTable rows) { m_model.setRows(std::move(rows)); }
    const TransactionListModel &listModel() const { return m_model; }
    QString keyAt(int row) const { return m_model.keyAt(row); }

protected:
    void layoutColumns(int width) override;

private:
    Kind m_kind;
    TransactionListModel m_model;
};

class CPlanListCtrl : public CRecordTableCtrl
{
    Q_OBJECT
public:
    explicit CPlanListCtrl(QWidget *parent = nullptr) : CRecordTableCtrl(Kind::Plans, parent) {}
};

class CAllTransListCtrl : public CRecordTableCtrl
{
    Q_OBJECT
public:
    explicit CAllTransListCtrl(QWidget *parent = nullptr) : CRecordTableCtrl(Kind::AllTransactions, parent) {}
};

// The two report kinds.
class CReportListCtrl : public CRecordListView
{
    Q_OBJECT

public:
    explicit CReportListCtrl(const QPixmap &picture, QWidget *parent = nullptr);

private:
    ReportListModel m_model;
};
