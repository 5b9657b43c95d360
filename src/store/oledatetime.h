#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <compare>

// A point in local wall-clock time as the data files hold it: a status and an
// OLE Automation date, the days since 1899-12-30 with the time of day as the
// fraction. Before 1899-12-30 the integer part counts back while the fraction
// still counts forward (-1.25 is 1899-12-29 06:00).
class OleDateTime
{
public:
    enum Status : qint32 { Valid = 0, Invalid = 1, Null = 2 };

    constexpr OleDateTime() = default;
    constexpr explicit OleDateTime(double value, qint32 status = Valid) : m_value(value), m_status(status) {}

    static OleDateTime fromDateTime(QDate date, QTime time);
    static OleDateTime fromDateTime(const QDateTime &dateTime);
    // Now, to the whole second.
    static OleDateTime currentDateTime();

    double value() const { return m_value; }
    qint32 status() const { return m_status; }
    bool isValid() const;

    // The wall-clock parts, to the nearest millisecond; invalid for a value
    // outside the years 100 to 9999 or an invalid status.
    QDate date() const;
    QTime time() const;
    QDateTime toDateTime() const;

    // The same wall-clock shift on the calendar; an invalid date stays as it is.
    OleDateTime addDays(int days) const;
    OleDateTime addSecs(qint64 seconds) const;
    // The same day at the given time.
    OleDateTime atTime(int hour, int minute, int second) const;

    // "YYYY-MM-DDTHH:MM:SS" to the nearest second; empty when invalid.
    QString toIsoString() const;

    // Days since 1899-12-30 on one continuous scale, for ordering.
    double linearDays() const;

    friend bool operator==(const OleDateTime &a, const OleDateTime &b)
    {
        return a.m_status == b.m_status && a.m_value == b.m_value;
    }
    friend bool operator<(const OleDateTime &a, const OleDateTime &b) { return a.linearDays() < b.linearDays(); }
    friend bool operator>(const OleDateTime &a, const OleDateTime &b) { return b < a; }
    friend bool operator<=(const OleDateTime &a, const OleDateTime &b) { return !(b < a); }
    friend bool operator>=(const OleDateTime &a, const OleDateTime &b) { return !(a < b); }

private:
    bool splitMilliseconds(qint64 &day, qint64 &msOfDay) const;

    double m_value = 0.0;
    qint32 m_status = Valid;
};
