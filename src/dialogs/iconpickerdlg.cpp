#include "dialogs/iconpickerdlg.h"

#include "dialogs/dialogkit.h"
#include "uiext/guidrawlayer.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

CIconPickerDlg::CIconPickerDlg(int selectedIndex, QWidget *parent)
    : QDialog(parent), m_selectedIndex(selectedIndex), m_list(new CIconListCtrl(this))
{
    setWindowTitle(QStringLiteral("Icons"));
    setBackground(this, GuiDrawLayer::GetRGBColorFace());

    m_list->fill();
    m_list->setSelectionMark(selectedIndex);
    // Twelve pictures a row, eight rows in sight.
    const int frame = 2 * m_list->frameWidth();
    m_list->setMinimumSize(12 * CIconListCtrl::kSpacing + m_list->verticalScrollBar()->sizeHint().width() + frame + 4,
                           8 * CIconListCtrl::kSpacing + frame);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CIconPickerDlg::onOk);

    const DialogButtons buttons = makeDialogButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CIconPickerDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons.box);
    m_list->setFocus();
}

void CIconPickerDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QListWidgetItem *mark = m_list->item(m_list->selectionMark()))
        m_list->scrollToItem(mark, QAbstractItemView::PositionAtCenter);
}

void CIconPickerDlg::onOk()
{
    const int mark = m_list->selectionMark();
    if (mark >= 0)
        m_selectedIndex = mark;
    accept();
}
