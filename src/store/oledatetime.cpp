#include "store/oledatetime.h"

#include <cmath>

namespace {

constexpr qint64 kMsPerDay = 86'400'000;
// 1899-12-30, day 0 of the scale. A constant, not QDate(1899, 12, 30).toJulianDay():
// dates made while other files' statics start up must not see it still zero.
constexpr qint64 kEpochJulianDay = 2415019;
// The years 100 to 9999: from 100-01-01 (-657434, its hours in (-657435, -657434])
// to the end of 9999-12-31.
constexpr double kMinValue = -657435.0;
constexpr double kMaxValue = 2958466.0;

} // namespace

OleDateTime OleDateTime::fromDateTime(QDate date, QTime time)
{
    if (!date.isValid() || !time.isValid())
        return OleDateTime(0.0, Invalid);
    const double days = double(date.toJulianDay() - kEpochJulianDay);
    const double fraction = double(time.msecsSinceStartOfDay()) / double(kMsPerDay);
    return OleDateTime(days >= 0 ? days + fraction : days - fraction);
}

OleDateTime OleDateTime::fromDateTime(const QDateTime &dateTime)
{
    const QDateTime local = dateTime.timeSpec() == Qt::LocalTime ? dateTime : dateTime.toLocalTime();
    return fromDateTime(local.date(), local.time());
}

OleDateTime OleDateTime::currentDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    return fromDateTime(now.date(), QTime(t.hour(), t.minute(), t.second()));
}

bool OleDateTime::isValid() const
{
    return m_status == Valid && std::isfinite(m_value) && m_value > kMinValue && m_value < kMaxValue;
}

double OleDateTime::linearDays() const
{
    if (m_value >= 0 || !std::isfinite(m_value))
        return m_value;
    const double day = std::trunc(m_value);
    return day + (day - m_value);
}

bool OleDateTime::splitMilliseconds(qint64 &day, qint64 &msOfDay) const
{
    if (!isValid())
        return false;
    const qint64 ms = std::llround(linearDays() * double(kMsPerDay));
    day = ms / kMsPerDay;
    msOfDay = ms % kMsPerDay;
    if (msOfDay < 0) {
        msOfDay += kMsPerDay;
        --day;
    }
    return true;
}

QDate OleDateTime::date() const
{
    qint64 day = 0, ms = 0;
    if (!splitMilliseconds(day, ms))
        return {};
    return QDate::fromJulianDay(kEpochJulianDay + day);
}

QTime OleDateTime::time() const
{
    qint64 day = 0, ms = 0;
    if (!splitMilliseconds(day, ms))
        return {};
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

QDateTime OleDateTime::toDateTime() const
{
    qint64 day = 0, ms = 0;
    if (!splitMilliseconds(day, ms))
        return {};
    return QDateTime(QDate::fromJulianDay(kEpochJulianDay + day), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

OleDateTime OleDateTime::addSecs(qint64 seconds) const
{
    qint64 day = 0, ms = 0;
    if (!splitMilliseconds(day, ms))
        return *this;
    // Plain calendar arithmetic on the wall clock: no time zone, no daylight saving.
    const QDateTime wall(QDate::fromJulianDay(kEpochJulianDay + day), QTime::fromMSecsSinceStartOfDay(int(ms)),
                         Qt::UTC);
    const QDateTime shifted = wall.addSecs(seconds);
    return fromDateTime(shifted.date(), shifted.time());
}

OleDateTime OleDateTime::addDays(int days) const
{
    return addSecs(qint64(days) * 86400);
}

OleDateTime OleDateTime::atTime(int hour, int minute, int second) const
{
    const QDate d = date();
    if (!d.isValid())
        return *this;
    return fromDateTime(d, QTime(hour, minute, second));
}

QString OleDateTime::toIsoString() const
{
    qint64 day = 0, ms = 0;
    if (!splitMilliseconds(day, ms))
        return {};
    ms = (ms + 500) / 1000 * 1000;
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++day;
    }
    const QDate date = QDate::fromJulianDay(kEpochJulianDay + day);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms));
    int year = 0, month = 0, dayOfMonth = 0;
    date.getDate(&year, &month, &dayOfMonth);
    if (year < 0 || year > 9999 || !time.isValid())
        return QDateTime(date, time, Qt::UTC).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    // Written digit by digit: lists of many rows write many dates.
    char16_t text[19];
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char16_t(u'0' + value % 10);
    };
    put(0, year, 4);
    text[4] = u'-';
    put(5, month, 2);
    text[7] = u'-';
    put(8, dayOfMonth, 2);
    text[10] = u'T';
    put(11, time.hour(), 2);
    text[13] = u':';
    put(14, time.minute(), 2);
    text[16] = u':';
    put(17, time.second(), 2);
    return QString(reinterpret_cast<const QChar *>(text), 19);
}
