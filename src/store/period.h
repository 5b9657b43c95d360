#pragma once

#include "store/oledatetime.h"

// The filter period the program starts with: the 1st of the month at 00:00:00
// to its last day at 23:59:59.
struct Period
{
    OleDateTime from;
    OleDateTime to;
};

Period monthPeriod(QDate day);
