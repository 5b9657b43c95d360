#include "controls/enddatectrl.h"

CEndDateCtrl::CEndDateCtrl(QWidget *parent) : CFlatDateCtrl(parent, kCommandId)
{
    setDisplayFormat(QStringLiteral("MMM, dd yyyy"));
    connect(this, &QDateTimeEdit::dateTimeChanged, this, &CEndDateCtrl::endDateChanged);
}
