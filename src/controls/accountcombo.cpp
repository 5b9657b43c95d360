#include "accountcombo.h"

#include "rowtables.h"

#include <QSignalBlocker>

CAccountCombo::CAccountCombo(QWidget *parent)
    : CGuiComboBoxExt(parent)
{
    setEditable(false);
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
