#pragma once

#include "controls/flatdatectrl.h"

// The filter toolbar's end date ("MMM, dd yyyy").
class CEndDateCtrl : public CFlatDateCtrl
{
    Q_OBJECT

public:
    static constexpr int kCommandId = 32777;

    explicit CEndDateCtrl(QWidget *parent = nullptr);

Q_SIGNALS:
    // Every change of the date, by the user or by the program.
    void endDateChanged(const QDateTime &end);
};
