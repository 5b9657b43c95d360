#include "controls/recordlists.h"

#include "controls/listdelegates.h"

#include <QHeaderView>

namespace {

const QList<ListColumn> kOneAccountColumns = {ListColumn::Date, ListColumn::Text, ListColumn::Amount,
                                              ListColumn::Balance};
const QList<ListColumn> kRecordColumns = {ListColumn::Text, ListColumn::Date, ListColumn::Text, ListColumn::Amount};

} // namespace

CAccountListCtrl::CAccountListCtrl(std::function<QPixmap(int)> picture, QWidget *parent) : CRecordListView(parent)
{
    horizontalHeader()->hide();
    setItemDelegate(new AccountListDelegate(std::move(picture), this));
    setModel(&m_model);
    verticalHeader()->setDefaultSectionSize(40);
    setAccessibleName(QStringLiteral("Accounts"));
}

QString CAccountListCtrl::idAt(int row) const
{
    return m_model.index(row, 0).data(KeyRole).toString();
}

CAccountTransListCtrl::CAccountTransListCtrl(const QPixmap &rowPicture, QWidget *parent)
    : CRecordListView(parent)
    , m_model({QStringLiteral("Date"), QStringLiteral("Transaction Name"), QStringLiteral("Amount"),
               QStringLiteral("Balance")},
              kOneAccountColumns)
{
    setItemDelegate(new TransactionListDelegate(TransactionListDelegate::Style::OneAccount, rowPicture, this));
    setModel(&m_model);
    setSortable();
    verticalHeader()->setDefaultSectionSize(34);
    setAccessibleName(QStringLiteral("Transactions"));
}

void CAccountTransListCtrl::setRows(AccountTransRows rows)
{
    clearSpans();
    const bool plans = rows.hasPlans();
    const int heading = rows.count + 1;
    m_model.setAccountTransRows(std::move(rows));
    // The opening row's text may use the cell beside it, which it leaves empty.
    if (m_model.rowCount() > 0)
        setSpan(0, 0, 1, 2);
    if (plans)
        setSpan(heading, 0, 1, m_model.columnCount());
}

void CAccountTransListCtrl::clear()
{
    clearSpans();
    m_model.clear();
}

void CAccountTransListCtrl::layoutColumns(int width)
{
    setColumnWidth(0, width / 6);
    setColumnWidth(1, width / 2);
    setColumnWidth(2, width / 6);
    setColumnWidth(3, width - width / 6 * 2 - width / 2);
}

CRecordTableCtrl::CRecordTableCtrl(Kind kind, QWidget *parent)
    : CRecordListView(parent)
    , m_kind(kind)
    , m_model(
          {QStringLiteral("Account No"), QStringLiteral("Date"), QStringLiteral("Subject"), QStringLiteral("Amount")},
          kRecordColumns)
{
    setItemDelegate(new TransactionListDelegate(TransactionListDelegate::Style::Records, QPixmap(), this));
    setModel(&m_model);
    setSortable();
    verticalHeader()->setDefaultSectionSize(24);
    setAccessibleName(kind == Kind::Plans ? QStringLiteral("Plans") : QStringLiteral("All transactions"));
}

void CRecordTableCtrl::layoutColumns(int width)
{
    if (m_kind == Kind::Plans) {
        for (int column : {0, 1, 3})
            setColumnWidth(column, width / 5);
        setColumnWidth(2, width - width / 5 * 3);
    } else {
        for (int column : {0, 1, 3})
            setColumnWidth(column, width / 6);
        setColumnWidth(2, width - width / 6 * 3);
    }
}

CReportListCtrl::CReportListCtrl(const QPixmap &picture, QWidget *parent) : CRecordListView(parent)
{
    horizontalHeader()->hide();
    setItemDelegate(new ReportListDelegate(picture, this));
    setModel(&m_model);
    verticalHeader()->setDefaultSectionSize(36);
    setAccessibleName(QStringLiteral("Reports"));
}
