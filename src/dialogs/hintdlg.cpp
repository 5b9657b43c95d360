#include "dialogs/hintdlg.h"

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

CHintDlg::CHintDlg(const QString &workDir, QWidget *parent)
    : QDialog(parent)
    , m_workDir(workDir)
    , m_question(makeQuestionCombo(QString(), this))
    , m_answer(makeLineEdit(QStringLiteral("answer"), false, this))
{
    setWindowTitle(QStringLiteral("Hint Dlg"));
    setBackground(this, GuiDrawLayer::GetRGBColorFace());

    auto *form = new QFormLayout;
    addFormRow(form, QStringLiteral("Hint Question"), m_question);
    addFormRow(form, QStringLiteral("Hint Answer"), m_answer);

    const DialogButtons buttons = makeDialogButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CHintDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_answer->setFocus();
}

int CHintDlg::run()
{
    m_settings = readSettings(m_workDir);
    m_question->setEditText(m_settings.hintQuestion);
    return exec();
}

void CHintDlg::onOk()
{
    if (m_settings.password.isEmpty()) {
        showMessage(this, QStringLiteral("No password is set, so there is none to recover."), MessageIcon::Information);
        reject();
        return;
    }
    if (m_question->currentText().isEmpty())
        return;
    if (m_answer->text() == m_settings.hintAnswer) {
        accept();
        return;
    }
    if (++m_wrongAnswers < kAttempts) {
        showMessage(this, LoadText(IDS_WRONG_ANSWER), MessageIcon::Information);
        m_answer->clear();
        m_answer->setFocus();
        return;
    }
    showMessage(this, LoadText(IDS_TOO_MANY_ATTEMPTS), MessageIcon::Stop);
    reject();
}
