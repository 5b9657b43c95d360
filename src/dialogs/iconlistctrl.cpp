#include "dialogs/iconlistctrl.h"

#include "res/images.h"
#include "uiext/guidrawlayer.h"

CIconListCtrl::CIconListCtrl(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("icons"));
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(32, 32));
    setGridSize(QSize(kSpacing, kSpacing));
    setAccessibleName(QStringLiteral("Icons"));
    // The pictures have no text, so the chosen one gets a frame of its own.
    setStyleSheet(QStringLiteral("QListView::item { border: 2px solid transparent; border-radius: 4px; }"
                                 "QListView::item:selected { border-color: %1; background: %2; }")
                      .arg(GuiDrawLayer::GetRGBCaptionXP().name(), GuiDrawLayer::GetRGBFondoXP().name()));
}

void CIconListCtrl::fill()
{
    clear();
    const int count = accountPictureCount();
    for (int i = 0; i < count; ++i) {
        auto *item = new QListWidgetItem(QIcon(accountPicture(i)), QString(), this);
        item->setData(Qt::AccessibleTextRole, QStringLiteral("Picture %1").arg(i + 1));
        item->setSizeHint(QSize(kSpacing, kSpacing));
    }
}

int CIconListCtrl::selectionMark() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void CIconListCtrl::setSelectionMark(int index)
{
    QListWidgetItem *mark = item(index);
    setCurrentItem(mark);
    if (!mark)
        clearSelection();
}
