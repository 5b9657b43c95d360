#include "dialogs/accountdlg.h"

#include "dialogs/amountedit.h"
#include "dialogs/dialogkit.h"
#include "dialogs/iconpickerdlg.h"
#include "dialogs/notesedit.h"
#include "res/images.h"
#include "store/recordrules.h"
#include "uiext/guidrawlayer.h"
#include "uiext/messagebox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

CAccountDlg::CAccountDlg(QWidget *parent)
    : QDialog(parent)
    , m_number(makeLineEdit(QStringLiteral("accountNumber"), false, this))
    , m_name(makeLineEdit(QStringLiteral("name"), false, this))
    , m_bank(makeLineEdit(QStringLiteral("bank"), false, this))
    , m_minimumBalance(new CAmountEdit(QStringLiteral("minimumBalance"), this))
    , m_notes(new CNotesEdit(this))
    , m_iconButton(new QToolButton(this))
{
    setWindowTitle(QStringLiteral("Account"));
    setBackground(this, GuiDrawLayer::GetRGBColorFace());

    m_number->setMinimumWidth(260);
    m_notes->setFixedHeight(72);
    m_iconButton->setObjectName(QStringLiteral("icon"));
    m_iconButton->setIconSize(QSize(32, 32));
    m_iconButton->setFixedSize(44, 44);
    m_iconButton->setFocusPolicy(Qt::StrongFocus);
    m_iconButton->setToolTip(QStringLiteral("Choose the picture"));
    connect(m_iconButton, &QToolButton::clicked, this, &CAccountDlg::onIcon);

    auto *form = new QFormLayout;
    addFormRow(form, QStringLiteral("Account Number"), m_number);
    addFormRow(form, QStringLiteral("Name"), m_name);
    addFormRow(form, QStringLiteral("Bank"), m_bank);
    addFormRow(form, QStringLiteral("Minimum Balance"), m_minimumBalance);
    addFormRow(form, QStringLiteral("Notes"), m_notes);
    addFormRow(form, QStringLiteral("Icon"), m_iconButton);

    const DialogButtons buttons = makeDialogButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CAccountDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setRecord(AccountRecord());
    m_number->setFocus();
}

void CAccountDlg::setRecord(const AccountRecord &record)
{
    m_record = record;
    m_number->setText(record.accountNumber);
    m_name->setText(record.name);
    m_bank->setText(record.bank);
    m_minimumBalance->setAmount(record.minimumBalance);
    m_notes->setNotes(record.notes);
    showIcon(record.icon);
}

void CAccountDlg::showIcon(int index)
{
    m_icon = index;
    m_iconButton->setIcon(QIcon(accountPicture(index)));
    m_iconButton->setAccessibleName(QStringLiteral("Picture %1").arg(index + 1));
}

void CAccountDlg::onIcon()
{
    CIconPickerDlg picker(m_icon, this);
    if (picker.exec() == QDialog::Accepted)
        showIcon(picker.selectedIndex());
}

void CAccountDlg::onOk()
{
    const std::optional<double> minimumBalance = m_minimumBalance->checkedAmount();
    if (!minimumBalance)
        return;
    AccountRecord edited = m_record;
    edited.accountNumber = m_number->text();
    edited.name = m_name->text();
    edited.bank = m_bank->text();
    edited.minimumBalance = *minimumBalance;
    edited.notes = m_notes->notes();
    edited.icon = m_icon;
    AccountField field = AccountField::None;
    const QString problem = accountProblem(edited, &field);
    if (!problem.isEmpty()) {
        showMessage(this, problem);
        if (field == AccountField::MinimumBalance)
            m_minimumBalance->setFocus();
        else
            m_number->setFocus();
        return;
    }
    // The lists and exports name an account by its number alone.
    if (m_otherNumbers.contains(edited.accountNumber)
        && showMessage(this, QStringLiteral("Another account already has this number. Save anyway?"),
                       MessageIcon::Question, MessageButtons::YesNo)
               != MessageYes) {
        m_number->setFocus();
        return;
    }
    m_record = edited;
    accept();
}
