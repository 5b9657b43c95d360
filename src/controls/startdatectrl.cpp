#include "controls/startdatectrl.h"

CStartDateCtrl::CStartDateCtrl(QWidget *parent) : CFlatDateCtrl(parent, kCommandId)
{
    setDisplayFormat(QStringLiteral("MMM, dd yyyy"));
    connect(this, &QDateTimeEdit::dateTimeChanged, this, &CStartDateCtrl::startDateChanged);
}
