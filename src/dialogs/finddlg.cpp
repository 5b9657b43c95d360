#include "dialogs/finddlg.h"

#include "store/datastore.h"
#include "store/formatters.h"
#include "store/search.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Column { DateColumn, AccountColumn, SubjectColumn, AmountColumn, CategoryColumn, ColumnCount };

} // namespace

void FoundTransactionsModel::setRecords(QList<TransactionRecord> records, QStringList accountNumbers)
{
    beginResetModel();
    m_records = std::move(records);
    m_accountNumbers = std::move(accountNumbers);
    endResetModel();
}

int FoundTransactionsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int FoundTransactionsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FoundTransactionsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const TransactionRecord &r = m_records[index.row()];
    if (role == Qt::TextAlignmentRole)
        return index.column() == AmountColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role == Qt::UserRole)
        return r.key;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case DateColumn:
        return formatDate(r.date);
    case AccountColumn:
        return m_accountNumbers.value(index.row());
    case SubjectColumn:
        return r.subject;
    case AmountColumn:
        return amountText(r.amount);
    case CategoryColumn:
        return r.category;
    default:
        return {};
    }
}

QVariant FoundTransactionsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *titles[] = {"Date", "Account No.", "Subject", "Amount", "Category"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

CFindDlg::CFindDlg(CDataStore &store, QWidget *parent) : QDialog(parent), m_store(store)
{
    setWindowTitle(QStringLiteral("Find in All Transactions"));
    auto *label = new QLabel(QStringLiteral("&Find:"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setPlaceholderText(QStringLiteral("Subject, notes, category, amount or date"));
    m_text->setClearButtonEnabled(true);
    label->setBuddy(m_text);
    auto *find = new QPushButton(QStringLiteral("Find"), this);
    find->setObjectName(QStringLiteral("find"));
    find->setDefault(true);
    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_text, 1);
    row->addWidget(find);

    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("results"));
    m_view->setModel(&m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setShowGrid(false);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setSectionResizeMode(SubjectColumn, QHeaderView::Stretch);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("count"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("close"));
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_count);
    layout->addWidget(buttons);
    resize(720, 480);

    connect(find, &QPushButton::clicked, this, &CFindDlg::search);
    connect(m_text, &QLineEdit::returnPressed, this, &CFindDlg::search);
    // A double-click activates the row too (and Enter does): one dialog each time.
    connect(m_view, &QTableView::activated, this, &CFindDlg::activate);
}

void CFindDlg::setText(const QString &text)
{
    m_text->setText(text);
}

void CFindDlg::search()
{
    const SearchQuery query(m_text->text());
    QList<TransactionRecord> found;
    if (!query.isEmpty())
        found = findTransactions(m_store, query);
    QStringList numbers;
    numbers.reserve(found.size());
    for (const TransactionRecord &r : found)
        numbers << m_store.lookupAccount(r.accountId()).accountNumber;
    m_model.setRecords(std::move(found), std::move(numbers));
    const int n = m_model.rowCount();
    m_count->setText(query.isEmpty() ? QStringLiteral("Type the words to find.")
                     : n == 1        ? QStringLiteral("1 transaction found")
                                     : QStringLiteral("%1 transactions found").arg(n));
}

void CFindDlg::activate(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    Q_EMIT openRecord(m_model.record(index.row()).key);
}
