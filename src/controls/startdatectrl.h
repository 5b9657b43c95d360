#pragma once

#include "controls/flatdatectrl.h"

// The filter toolbar's start date ("MMM, dd yyyy").
class CStartDateCtrl : public CFlatDateCtrl
{
    Q_OBJECT

public:
    static constexpr int kCommandId = 32776;

    explicit CStartDateCtrl(QWidget *parent = nullptr);

Q_SIGNALS:
    // Every change of the date, by the user or by the program.
    void startDateChanged(const QDateTime &start);
};
