#include "dialogs/transactiondlg.h"

#include "controls/flatdatectrl.h"
#include "dialogs/amountedit.h"
#include "dialogs/categoriespickerdlg.h"
#include "dialogs/dialogkit.h"
#include "dialogs/notesedit.h"
#include "store/datastore.h"
#include "store/recordrules.h"
#include "uiext/guicomboboxext.h"
#include "uiext/guidrawlayer.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr int kDateControlId = 1013;

QRadioButton *makeRadio(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *radio = new QRadioButton(text, parent);
    radio->setObjectName(objectName);
    return radio;
}

} // namespace

CTransactionDlg::CTransactionDlg(CDataStore &store, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_account(new CGuiComboBoxExt(this))
    , m_date(new CFlatDateCtrl(this, kDateControlId))
    , m_subject(makeLineEdit(QStringLiteral("subject"), false, this))
    , m_amount(new CAmountEdit(QStringLiteral("amount"), this))
    , m_income(makeRadio(QStringLiteral("Income"), QStringLiteral("income"), this))
    , m_expense(makeRadio(QStringLiteral("Expense"), QStringLiteral("expense"), this))
    , m_category(makeLineEdit(QStringLiteral("category"), false, this))
    , m_notes(new CNotesEdit(this))
{
    setBackground(this, GuiDrawLayer::GetRGBColorFace());

    m_account->setObjectName(QStringLiteral("account"));
    m_account->setEditable(false);
    m_account->setMinimumWidth(260);
    m_date->setObjectName(QStringLiteral("date"));
    m_date->setDisplayFormat(QStringLiteral("MMM dd, yyyy"));
    m_date->setMinimumDate(QDate(100, 1, 1));
    connect(m_date, &CFlatDateCtrl::commandTriggered, this, &CTransactionDlg::onOk);
    m_category->setReadOnly(true);
    m_notes->setFixedHeight(72);

    auto *kind = new QButtonGroup(this);
    kind->addButton(m_income);
    kind->addButton(m_expense);
    auto *amountRow = new QHBoxLayout;
    amountRow->addWidget(m_amount, 1);
    amountRow->addWidget(m_income);
    amountRow->addWidget(m_expense);

    auto *browse = makeActionButton(QStringLiteral("Browse"), QStringLiteral("browse"), this);
    connect(browse, &QPushButton::clicked, this, &CTransactionDlg::onBrowse);
    auto *categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_category, 1);
    categoryRow->addWidget(browse);

    auto *form = new QFormLayout;
    addFormRow(form, QStringLiteral("Account No."), m_account);
    addFormRow(form, QStringLiteral("Date"), m_date);
    addFormRow(form, QStringLiteral("Subject"), m_subject);
    form->addRow(makeLabel(QStringLiteral("Amount"), m_amount, this), amountRow);
    form->addRow(makeLabel(QStringLiteral("Category"), m_category, this), categoryRow);
    addFormRow(form, QStringLiteral("Notes"), m_notes);

    const DialogButtons buttons = makeDialogButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CTransactionDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget *order[] = {m_account,  m_date, m_subject, m_amount,   m_income,      m_expense,
                        m_category, browse, m_notes,   buttons.ok, buttons.cancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    fillAccounts();
    showRecord();
}

void CTransactionDlg::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void CTransactionDlg::setAccountLocked(bool locked)
{
    m_locked = locked;
    m_account->setEnabled(!locked);
    fillAccounts();
}

void CTransactionDlg::setAccountId(const QString &id)
{
    m_accountId = id;
    fillAccounts();
}

void CTransactionDlg::setRecord(const TransactionRecord &record)
{
    m_record = record;
    showRecord();
}

void CTransactionDlg::fillAccounts()
{
    const AccountCombo accounts = m_store.fillAccountCombo(m_accountId);
    m_account->clear();
    bool found = false;
    for (const AccountComboItem &item : accounts.items) {
        m_account->addItem(item.text);
        m_account->setItemData(m_account->count() - 1, item.id, kIdRole);
        m_account->setItemData(m_account->count() - 1, item.accountNumber, kNumberRole);
        found = found || item.id == m_accountId;
    }
    // A locked record whose account is not in the list shows none rather
    // than another account's.
    m_account->setCurrentIndex(m_locked && !found ? -1 : accounts.currentIndex);
    m_released = false;
}

void CTransactionDlg::releaseAccounts()
{
    m_account->clear();
    m_released = true;
}

void CTransactionDlg::showRecord()
{
    const QDateTime when = m_record.date.toDateTime();
    m_date->setDateTime(when.isValid() ? when : QDateTime::currentDateTime());
    m_subject->setText(m_record.subject);
    m_amount->setAmount(qAbs(m_record.amount));
    showKind(m_record.incomeFlag != 0);
    m_category->setText(m_record.category);
    m_notes->setNotes(m_record.notes);
}

void CTransactionDlg::showKind(bool income)
{
    m_shownIncome = income;
    QRadioButton *checked = income ? m_income : m_expense;
    QRadioButton *other = income ? m_expense : m_income;
    checked->setChecked(true);
    // The pair is one tab stop, at the checked button. Qt moves the stop only
    // once a button of the pair has had the focus, so it is set here for the start.
    checked->setFocusPolicy(Qt::StrongFocus);
    other->setFocusPolicy(Qt::ClickFocus);
}

void CTransactionDlg::showEvent(QShowEvent *event)
{
    // Opened again after closing: begin from the values held.
    if (m_released) {
        fillAccounts();
        showRecord();
    }
    QDialog::showEvent(event);
}

void CTransactionDlg::done(int result)
{
    releaseAccounts();
    QDialog::done(result);
}

void CTransactionDlg::onBrowse()
{
    CCategoriesPickerDlg picker(m_store.workDir(), this);
    picker.setName(m_category->text());
    if (picker.exec() == QDialog::Accepted)
        m_category->setText(picker.name());
}

void CTransactionDlg::onOk()
{
    const std::optional<double> magnitude = m_amount->checkedAmount();
    if (!magnitude)
        return;

    RecordInput input;
    input.subject = m_subject->text();
    input.date = OleDateTime::fromDateTime(m_date->dateTime());
    // Only what the user changed counts as given, so that an untouched amount
    // and kind come back exactly as stored.
    if (!m_amount->isUntouched())
        input.magnitude = *magnitude;
    if (m_income->isChecked() != m_shownIncome)
        input.income = m_income->isChecked();
    input.category = m_category->text();
    input.notes = m_notes->notes();
    applyRecordInput(input, m_record);
    if (!m_locked && m_account->currentIndex() >= 0)
        m_accountId = m_account->currentData(kIdRole).toString();
    accept();
}
