#include "dialogs/categorydlg.h"

#include "dialogs/dialogkit.h"
#include "uiext/guidrawlayer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCategoryDlg::CCategoryDlg(QWidget *parent) : QDialog(parent), m_edit(makeLineEdit(QStringLiteral("name"), false, this))
{
    setWindowTitle(QStringLiteral("Category"));
    setBackground(this, GuiDrawLayer::GetRGBColorFace());
    m_edit->setMinimumWidth(260);

    const DialogButtons buttons = makeDialogButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CCategoryDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeLabel(QStringLiteral("Enter a Category"), m_edit, this));
    layout->addWidget(m_edit);
    layout->addSpacing(8);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_edit->setFocus();
}

void CCategoryDlg::setName(const QString &name)
{
    m_name = name;
    m_edit->setText(name);
    m_edit->selectAll();
}

void CCategoryDlg::onOk()
{
    m_name = m_edit->text();
    accept();
}
