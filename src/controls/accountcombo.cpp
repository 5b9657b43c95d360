#include "controls/accountcombo.h"

#include "store/rowtables.h"
#include "uiext/flatframepainter.h"

#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

CAccountCombo::CAccountCombo(QWidget *parent) : CGuiComboBoxExt(parent)
{
    setEditable(false);
    setMaximumWidth(kMaxFieldWidth);
    connect(this, &QComboBox::activated, this, [this] { Q_EMIT accountChanged(currentAccountId()); });
}

void CAccountCombo::fill(const AccountCombo &accounts)
{
    const QSignalBlocker blocker(this);
    clear();
    addItem(QStringLiteral("All"));
    for (const AccountComboItem &item : accounts.items) {
        addItem(item.text);
        setItemData(count() - 1, item.id, kIdRole);
        setItemData(count() - 1, item.accountNumber, kNumberRole);
    }
    const int selected = accounts.currentIndex;
    setCurrentIndex(selected >= 0 && selected < accounts.items.size() ? selected + 1 : -1);
    updateGeometry();
}

QSize CAccountCombo::sizeHint() const
{
    QSize hint = CGuiComboBoxExt::sizeHint();
    int widest = 0;
    const QFontMetrics metrics = fontMetrics();
    for (int i = 0; i < count(); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(itemText(i)));
    widest = qMax(widest, 7 * metrics.horizontalAdvance(QLatin1Char('x')));
    // The frame and the drop button take the same room at any width.
    const int frame = kMaxFieldWidth - textRoom(kMaxFieldWidth);
    hint.setWidth(qMin(widest + frame + 2, kMaxFieldWidth));
    return hint;
}

QSize CAccountCombo::minimumSizeHint() const
{
    // The combo box's own minimum is its longest item, which may be wider than
    // the field ever gets.
    QSize hint = CGuiComboBoxExt::minimumSizeHint();
    hint.setWidth(qMin(hint.width(), kMaxFieldWidth));
    return hint;
}

int CAccountCombo::textRoom(int width) const
{
    // The field as CGuiComboBoxExt paints it: inside the rings, left of the
    // button, less its text margins.
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.rect = QRect(0, 0, width, CGuiComboBoxExt::sizeHint().height());
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    const QRect button = FlatFramePainter::buttonRect(option.rect, arrow.isValid() ? arrow.left() : width - 20);
    return FlatFramePainter::editorRect(option.rect, button).adjusted(3, 0, -2, 0).width();
}

void CAccountCombo::selectById(const QString &id)
{
    for (int i = 1; i < count(); ++i) {
        if (itemData(i, kIdRole).toString() == id) {
            setCurrentIndex(i);
            return;
        }
    }
    setCurrentIndex(0);
}

QString CAccountCombo::accountId(int index) const
{
    return index > 0 ? itemData(index, kIdRole).toString() : QString();
}

QString CAccountCombo::currentAccountId() const
{
    return accountId(currentIndex());
}

QString CAccountCombo::currentAccountNumber() const
{
    return currentIndex() > 0 ? itemData(currentIndex(), kNumberRole).toString() : QString();
}
