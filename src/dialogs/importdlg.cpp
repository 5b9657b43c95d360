#include "dialogs/importdlg.h"

#include "store/recordfiles.h"

#include "dialogs/dialogkit.h"
#include "import/csvmappings.h"
#include "store/datastore.h"
#include "store/formatters.h"
#include "uiext/messagebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList kColumnKeys = {"date", "subject", "amount", "debit", "credit", "notes", "category"};
const QStringList kColumnLabels = {"&Date", "&Subject", "&Amount", "De&bit", "C&redit", "&Notes", "Ca&tegory"};

void flatten(const CategoryTree &tree, QStringList &names)
{
    for (const CategoryNode &node : tree) {
        names << node.name;
        flatten(node.children, names);
    }
}

// The category cell: a choice of the tree's categories, or none.
class CategoryDelegate : public QStyledItemDelegate
{
public:
    CategoryDelegate(const QStringList &names, QObject *parent) : QStyledItemDelegate(parent), m_names(names) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("categoryEditor"));
        combo->addItem(QString());
        combo->addItems(m_names);
        return combo;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *combo = static_cast<QComboBox *>(editor);
        combo->setCurrentIndex(std::max(0, combo->findText(index.data().toString())));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText());
    }

private:
    QStringList m_names;
};

} // namespace

CImportDlg::CImportDlg(CDataStore &store, const QString &fileName, const QByteArray &bytes, StatementFormat format,
                       const StatementOptions &options, const QString &accountId, QWidget *parent)
    : QDialog(parent), m_store(store), m_bytes(bytes), m_format(format), m_options(options)
{
    setWindowTitle(QStringLiteral("Import Statement - %1").arg(fileName));
    m_tree = readCategoryFile(store.workDir());
    flatten(m_tree, m_categories);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QFormLayout;
    m_account = new QComboBox(this);
    m_account->setObjectName(QStringLiteral("account"));
    for (const auto &entry : store.accounts()) {
        const AccountRecord &a = entry.value();
        m_account->addItem(a.bank.isEmpty() ? a.accountNumber : a.bank + QStringLiteral(" - ") + a.accountNumber, a.id);
    }
    m_account->setCurrentIndex(std::max(0, m_account->findData(accountId)));
    addFormRow(top, QStringLiteral("Into &account"), m_account);
    m_found = new QLabel(this);
    m_found->setObjectName(QStringLiteral("found"));
    top->addRow(QStringLiteral("File"), m_found);
    layout->addLayout(top);

    if (format == StatementFormat::Csv) {
        // The mapping: kept for the account's bank, else found in the file.
        const CsvLayout csv = readCsvLayout(bytes);
        if (!m_options.mapping) {
            const QString bank = store.lookupAccount(this->accountId()).bank;
            m_options.mapping = readCsvMapping(bank).value_or(guessCsvMapping(csv));
        }
        auto *box = new QGroupBox(QStringLiteral("Columns"), this);
        auto *grid = new QGridLayout(box);
        for (int i = 0; i < kColumnKeys.size(); ++i) {
            auto *combo = new QComboBox(box);
            combo->setObjectName(QStringLiteral("map_") + kColumnKeys[i]);
            combo->addItem(QStringLiteral("(none)"), -1);
            for (int c = 0; c < csv.columns.size(); ++c)
                combo->addItem(QStringLiteral("%1: %2").arg(c + 1).arg(csv.columns[c]), c);
            grid->addWidget(makeLabel(kColumnLabels[i], combo, box), i / 4 * 2, i % 4);
            grid->addWidget(combo, i / 4 * 2 + 1, i % 4);
            m_columns << combo;
        }
        m_dateFormat = new QComboBox(box);
        m_dateFormat->setObjectName(QStringLiteral("dateFormat"));
        m_dateFormat->setEditable(true);
        m_dateFormat->addItems(csvDateFormats());
        m_decimal = new QComboBox(box);
        m_decimal->setObjectName(QStringLiteral("decimal"));
        m_decimal->addItem(QStringLiteral("Point (1234.56)"), QStringLiteral("."));
        m_decimal->addItem(QStringLiteral("Comma (1234,56)"), QStringLiteral(","));
        grid->addWidget(makeLabel(QStringLiteral("Date &format"), m_dateFormat, box), 2, 3);
        grid->addWidget(m_dateFormat, 3, 3);
        grid->addWidget(makeLabel(QStringLiteral("Decimal se&parator"), m_decimal, box), 4, 0);
        grid->addWidget(m_decimal, 5, 0);
        const CsvMapping &m = *m_options.mapping;
        const QList<int> shown = {m.date, m.subject, m.amount, m.debit, m.credit, m.notes, m.category};
        for (int i = 0; i < m_columns.size(); ++i)
            m_columns[i]->setCurrentIndex(std::max(0, m_columns[i]->findData(shown[i])));
        m_dateFormat->setCurrentText(m.dateFormat);
        m_decimal->setCurrentIndex(m.decimal == u',' ? 1 : 0);
        for (QComboBox *combo : m_columns)
            connect(combo, &QComboBox::currentIndexChanged, this, &CImportDlg::readAgain);
        connect(m_decimal, &QComboBox::currentIndexChanged, this, &CImportDlg::readAgain);
        connect(m_dateFormat, &QComboBox::currentTextChanged, this, &CImportDlg::readAgain);
        layout->addWidget(box);
    } else if (format == StatementFormat::Qif) {
        auto *row = new QFormLayout;
        m_dayOrder = new QComboBox(this);
        m_dayOrder->setObjectName(QStringLiteral("dayOrder"));
        m_dayOrder->addItem(QStringLiteral("Month before day (12/6/26 is 6 December)"),
                            int(QifStatement::DayOrder::MonthFirst));
        m_dayOrder->addItem(QStringLiteral("Day before month (12/6/26 is 12 June)"),
                            int(QifStatement::DayOrder::DayFirst));
        addFormRow(row, QStringLiteral("&Dates"), m_dayOrder);
        layout->addLayout(row);
    }

    m_untickPossible = new QCheckBox(QStringLiteral("Leave possible duplicates &unticked"), this);
    m_untickPossible->setObjectName(QStringLiteral("untickPossible"));
    layout->addWidget(m_untickPossible);

    m_table = new QTableWidget(0, 7, this);
    m_table->setObjectName(QStringLiteral("table"));
    m_table->setHorizontalHeaderLabels({QString(), "Line", "Status", "Date", "Subject", "Amount", "Category"});
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                             | QAbstractItemView::EditKeyPressed);
    m_table->horizontalHeader()->setSectionResizeMode(SubjectColumn, QHeaderView::Stretch);
    m_table->setItemDelegateForColumn(CategoryColumn, new CategoryDelegate(m_categories, m_table));
    layout->addWidget(m_table, 1);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    layout->addWidget(m_summary);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->hide();
    layout->addWidget(m_progress);

    const DialogButtons buttons = makeDialogButtons(this);
    m_import = buttons.ok;
    m_import->setText(QStringLiteral("&Import"));
    m_cancel = buttons.cancel;
    connect(m_import, &QPushButton::clicked, this, &CImportDlg::onImport);
    layout->addWidget(buttons.box);

    connect(m_account, &QComboBox::currentIndexChanged, this, &CImportDlg::matchAgain);
    connect(m_untickPossible, &QCheckBox::toggled, this, &CImportDlg::fillTable);
    connect(m_table, &QTableWidget::itemChanged, this, [this] {
        if (!m_filling)
            updateSummary();
    });

    readAgain();
    if (m_dayOrder) {
        m_dayOrder->setCurrentIndex(m_read.dayOrder == QifStatement::DayOrder::DayFirst ? 1 : 0);
        connect(m_dayOrder, &QComboBox::currentIndexChanged, this, &CImportDlg::readAgain);
    }
    resize(820, 560);
}

QString CImportDlg::accountId() const
{
    return m_account->currentData().toString();
}

QString CImportDlg::summary() const
{
    return m_summary->text();
}

CsvMapping CImportDlg::mappingShown() const
{
    CsvMapping m;
    const QList<int CsvMapping::*> members = {&CsvMapping::date,    &CsvMapping::subject, &CsvMapping::amount,
                                              &CsvMapping::debit,   &CsvMapping::credit,  &CsvMapping::notes,
                                              &CsvMapping::category};
    for (int i = 0; i < m_columns.size(); ++i)
        m.*members[i] = m_columns[i]->currentData().toInt();
    m.dateFormat = m_dateFormat->currentText().trimmed();
    m.decimal = m_decimal->currentData().toString().front();
    return m;
}

void CImportDlg::readAgain()
{
    if (m_format == StatementFormat::Csv)
        m_options.mapping = mappingShown();
    if (m_dayOrder)
        m_options.dayOrder = QifStatement::DayOrder(m_dayOrder->currentData().toInt());
    m_read = readStatement(m_bytes, m_format, m_options);
    QString found = m_read.description;
    if (m_read.ambiguousOrder)
        found += QStringLiteral(" (no date tells day from month: choose below)");
    m_found->setText(found);
    matchAgain();
}

void CImportDlg::matchAgain()
{
    QList<TransactionRecord> existing;
    if (!accountId().isEmpty()) {
        m_store.loadAccountTransactions(accountId());
        for (const auto &entry : m_store.accountTransactions())
            existing << entry.value();
    }
    m_status = matchCandidates(m_read.candidates, existing);
    fillTable();
}

void CImportDlg::fillTable()
{
    m_filling = true;
    m_table->setRowCount(0);
    m_table->setRowCount(int(m_read.candidates.size()));
    const bool untickPossible = m_untickPossible->isChecked();
    for (int row = 0; row < m_read.candidates.size(); ++row) {
        const Candidate &c = m_read.candidates[row];
        const CandidateStatus status = m_status[row];
        auto *tick = new QTableWidgetItem;
        const bool readable = status != CandidateStatus::Unreadable;
        tick->setFlags(readable ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                : Qt::ItemIsSelectable);
        const bool ticked =
            status == CandidateStatus::New || (status == CandidateStatus::PossibleDuplicate && !untickPossible);
        tick->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, TickColumn, tick);
        const auto fixed = [&](int column, const QString &text, Qt::Alignment align = Qt::AlignLeft) {
            auto *item = new QTableWidgetItem(text);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(align | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        };
        fixed(LineColumn, QString::number(c.line), Qt::AlignRight);
        fixed(StatusColumn, readable ? statusName(status) : QStringLiteral("unreadable: ") + c.problem);
        fixed(DateColumn, readable ? formatDate(OleDateTime::fromDateTime(c.date, QTime(12, 0))) : QString());
        fixed(SubjectColumn, c.subject);
        fixed(AmountColumn, readable ? QString::asprintf("%.2f", c.amount) : QString(), Qt::AlignRight);
        auto *category = new QTableWidgetItem(categoryInTree(m_tree, c.category));
        category->setFlags(readable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                    : Qt::ItemIsSelectable);
        m_table->setItem(row, CategoryColumn, category);
    }
    m_table->resizeColumnToContents(TickColumn);
    m_table->resizeColumnToContents(LineColumn);
    m_filling = false;
    updateSummary();
}

void CImportDlg::updateSummary()
{
    if (!m_read.error.isEmpty()) {
        m_summary->setText(m_read.error);
        m_import->setEnabled(false);
        return;
    }
    int ticked = 0;
    for (int row = 0; row < m_table->rowCount(); ++row)
        ticked += m_table->item(row, TickColumn)->checkState() == Qt::Checked ? 1 : 0;
    m_summary->setText(QStringLiteral("%1 - %2 ticked to import").arg(importSummary(m_status)).arg(ticked));
    m_import->setEnabled(ticked > 0 && !accountId().isEmpty() && !m_importing);
}

void CImportDlg::onImport()
{
    if (m_importing || accountId().isEmpty())
        return;
    QList<Candidate> rows;
    QStringList categories;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->item(row, TickColumn)->checkState() != Qt::Checked || !m_read.candidates[row].readable())
            continue;
        rows << m_read.candidates[row];
        categories << m_table->item(row, CategoryColumn)->text();
    }
    if (rows.isEmpty())
        return;
    if (m_format == StatementFormat::Csv)
        writeCsvMapping(m_store.lookupAccount(accountId()).bank, m_read.mapping);

    m_importing = true;
    m_cancelRequested = false;
    QList<QWidget *> inputs{m_account, m_untickPossible, m_table, m_import, m_dateFormat, m_decimal, m_dayOrder};
    for (QComboBox *combo : m_columns)
        inputs << combo;
    for (QWidget *w : inputs) {
        if (w)
            w->setEnabled(false);
    }
    m_progress->setRange(0, int(rows.size()));
    m_progress->setValue(0);
    m_progress->show();
    ImportResult result;
    const auto write = [&] {
        result = importCandidates(m_store, accountId(), rows, categories, [this](int written, int) {
            m_progress->setValue(written);
            QApplication::processEvents();
            return !m_cancelRequested;
        });
        QStringList files;
        for (const QString &key : std::as_const(result.keys))
            files << transactionFileName(key);
        return files;
    };
    if (m_recorder)
        m_recorder(write);
    else
        write();
    m_written = result.keys;
    m_importing = false;
    if (!result.error.isEmpty())
        showMessage(this, result.error, MessageIcon::Stop);
    accept();
}

void CImportDlg::done(int result)
{
    // Cancel while writing stops after the transaction being written.
    if (m_importing) {
        m_cancelRequested = true;
        return;
    }
    QDialog::done(result);
}
