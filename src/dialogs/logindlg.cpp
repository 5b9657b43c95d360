#include "dialogs/logindlg.h"

#include "dialogs/dialogkit.h"
#include "dialogs/hintdlg.h"
#include "res/stringtable.h"
#include "uiext/guidrawlayer.h"
#include "uiext/guiicons.h"
#include "uiext/messagebox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CLoginDlg::CLoginDlg(const QString &workDir, QWidget *parent)
    : QDialog(parent)
    , m_workDir(workDir)
    , m_settings(readSettings(workDir))
    , m_password(makeLineEdit(QStringLiteral("password"), true, this))
{
    const QString title = LoadText(IDS_APP_TITLE);
    setWindowTitle(title);
    setBackground(this, GuiDrawLayer::GetRGBColorFace());

    auto *logo = new QLabel(this);
    logo->setPixmap(badgePixmap(QStringLiteral("F"), GuiDrawLayer::GetRGBCaptionXP(), 48));
    auto *banner = new QLabel(title, this);
    QFont bannerFont = banner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSizeF(bannerFont.pointSizeF() * 2);
    banner->setFont(bannerFont);
    QPalette bannerPalette = banner->palette();
    bannerPalette.setColor(QPalette::WindowText, GuiDrawLayer::GetRGBCaptionXP());
    banner->setPalette(bannerPalette);
    auto *bannerRow = new QHBoxLayout;
    bannerRow->addWidget(logo);
    bannerRow->addWidget(banner, 1);

    m_password->setMinimumWidth(220);
    auto *forgot = makeActionButton(QStringLiteral("Forgot"), QStringLiteral("forgot"), this);
    connect(forgot, &QPushButton::clicked, this, &CLoginDlg::onForgot);

    const DialogButtons buttons = makeDialogButtons(this);
    buttons.box->addButton(forgot, QDialogButtonBox::HelpRole);
    connect(buttons.ok, &QPushButton::clicked, this, &CLoginDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(8);
    layout->addLayout(bannerRow);
    layout->addSpacing(12);
    layout->addWidget(makeLabel(QStringLiteral("Enter Password Here"), m_password, this));
    layout->addWidget(m_password);
    // The empty entry admits; a first start would otherwise ask for a password nobody has.
    if (m_settings.password.isEmpty()) {
        auto *note = new QLabel(QStringLiteral("No password is set: press OK"), this);
        note->setObjectName(QStringLiteral("noPassword"));
        layout->addWidget(note);
    }
    layout->addSpacing(8);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabChain({m_password, buttons.ok, buttons.cancel, forgot});
    m_password->setFocus();
}

void CLoginDlg::onOk()
{
    if (m_password->text() == m_settings.password) {
        accept();
        return;
    }
    showMessage(this, LoadText(IDS_UNAUTHORIZED), MessageIcon::Stop);
    m_password->clear();
    m_password->setFocus();
}

void CLoginDlg::onForgot()
{
    CHintDlg hint(m_workDir, this);
    if (hint.run() != QDialog::Accepted)
        return;
    showMessage(this, QStringLiteral("Your password is \n\"%1\"").arg(m_settings.password), MessageIcon::Information);
    accept();
}
