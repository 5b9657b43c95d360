#include "store/period.h"

Period monthPeriod(QDate day)
{
    static constexpr int kMonthLength[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    QDate last(day.year(), day.month(), kMonthLength[day.month() - 1]);
    if (!last.isValid())
        last = QDate(day.year(), day.month(), 28);
    return {OleDateTime::fromDateTime(QDate(day.year(), day.month(), 1), QTime(0, 0, 0)),
            OleDateTime::fromDateTime(last, QTime(23, 59, 59))};
}
