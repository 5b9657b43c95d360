#include "dialogs/categoriespickerdlg.h"

#include "controls/categorytreectrl.h"
#include "dialogs/dialogkit.h"
#include "res/images.h"
#include "uiext/guidrawlayer.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CCategoriesPickerDlg::CCategoriesPickerDlg(const QString &workDir, QWidget *parent)
    : QDialog(parent), m_tree(new CCategoryTreeCtrl(false, this))
{
    setWindowTitle(QStringLiteral("Categories"));
    setBackground(this, GuiDrawLayer::GetRGBColorFace());

    m_tree->setObjectName(QStringLiteral("tree"));
    m_tree->setItemPicture(QIcon(categoryPicture()));
    m_tree->setMinimumSize(260, 300);
    m_tree->fill(workDir);
    setName(QString());
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &CCategoriesPickerDlg::onOk);

    const DialogButtons buttons = makeDialogButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CCategoriesPickerDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addWidget(buttons.box);
    m_tree->setFocus();
}

void CCategoriesPickerDlg::setName(const QString &name)
{
    m_name = name;
    QTreeWidgetItem *item = m_tree->find(name);
    m_tree->setCurrentItem(item);
    if (item)
        m_tree->scrollToItem(item);
    else
        m_tree->clearSelection();
}

void CCategoriesPickerDlg::onOk()
{
    const QList<QTreeWidgetItem *> selected = m_tree->selectedItems();
    if (selected.isEmpty())
        return;
    m_name = selected.first()->text(0);
    accept();
}
