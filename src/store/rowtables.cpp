#include "store/rowtables.h"

AccountTransRows::Kind AccountTransRows::kind(int row) const
{
    if (row == 0)
        return Kind::Opening;
    if (row < count)
        return Kind::Transaction;
    if (row == count + 1)
        return Kind::Heading;
    if (row < planStart())
        return Kind::Separator;
    return Kind::Plan;
}

void AccountCombo::selectByText(const QString &text)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].text == text) {
            currentIndex = i;
            return;
        }
    }
}

QString AccountCombo::currentId() const
{
    return currentIndex >= 0 && currentIndex < items.size() ? items[currentIndex].id : QString();
}
