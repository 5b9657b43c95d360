#include "dialogs/changepassworddlg.h"

#include "dialogs/dialogkit.h"
#include "res/stringtable.h"
#include "uiext/guicomboboxext.h"
#include "uiext/guidrawlayer.h"
#include "uiext/messagebox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CChangePasswordDlg::CChangePasswordDlg(const QString &workDir, QWidget *parent)
    : QDialog(parent)
    , m_workDir(workDir)
    , m_settings(readSettings(workDir))
    , m_oldPassword(makeLineEdit(QStringLiteral("oldPassword"), true, this))
    , m_newPassword(makeLineEdit(QStringLiteral("newPassword"), true, this))
    , m_confirmPassword(makeLineEdit(QStringLiteral("confirmPassword"), true, this))
    , m_question(makeQuestionCombo(m_settings.hintQuestion, this))
    , m_answer(makeLineEdit(QStringLiteral("answer"), false, this))
{
    setWindowTitle(QStringLiteral("Change Password"));
    setBackground(this, GuiDrawLayer::GetRGBColorFace());

    auto *form = new QFormLayout;
    addFormRow(form, QStringLiteral("Old Password"), m_oldPassword);
    addFormRow(form, QStringLiteral("New Password"), m_newPassword);
    addFormRow(form, QStringLiteral("Confirm Password"), m_confirmPassword);
    addFormRow(form, QStringLiteral("Hint Question"), m_question);
    addFormRow(form, QStringLiteral("Hint Answer"), m_answer);

    const DialogButtons buttons = makeDialogButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CChangePasswordDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_oldPassword->setFocus();
}

void CChangePasswordDlg::refuse(int textId, QWidget *focus)
{
    showMessage(this, LoadText(textId), MessageIcon::Stop);
    focus->setFocus();
}

void CChangePasswordDlg::onOk()
{
    const auto clearPasswords = [this] {
        m_oldPassword->clear();
        m_newPassword->clear();
        m_confirmPassword->clear();
    };
    if (m_oldPassword->text() != m_settings.password) {
        clearPasswords();
        refuse(IDS_WRONG_OLD_PASSWORD, m_oldPassword);
        return;
    }
    if (m_newPassword->text() != m_confirmPassword->text()) {
        clearPasswords();
        refuse(IDS_PASSWORDS_DIFFER, m_oldPassword);
        return;
    }
    const QString question = m_question->currentText();
    if (question.isEmpty()) {
        refuse(IDS_HINT_QUESTION_EMPTY, m_question);
        return;
    }
    if (m_answer->text().isEmpty()) {
        refuse(IDS_HINT_ANSWER_EMPTY, m_answer);
        return;
    }

    SettingsRecord changed = m_settings;
    changed.password = m_confirmPassword->text();
    changed.hintQuestion = question;
    changed.hintAnswer = m_answer->text();
    QString error;
    if (!writeSettings(m_workDir, changed, &error)) {
        showMessage(this, LoadText(IDS_PASSWORD_NOT_SAVED).arg(error), MessageIcon::Stop);
        return;
    }
    m_settings = changed;
    showMessage(this, LoadText(IDS_PASSWORD_CHANGED));
    accept();
}
