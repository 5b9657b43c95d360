#pragma once

#include "import/candidate.h"

#include <QByteArray>
#include <QList>
#include <QString>

// QIF statements: the records of !Type:Bank, !Type:CCard and !Type:Cash
// sections (D date, T or U amount, P payee, M memo, L category, ^ end);
// records of other sections (investments, lists) are passed over.
struct QifStatement
{
    enum class DayOrder { Auto, MonthFirst, DayFirst };

    QList<Candidate> candidates;
    QString encoding;
    // No date of the file tells whether it is month/day or day/month.
    bool ambiguousOrder = false;
    // The order the dates were read in.
    DayOrder order = DayOrder::MonthFirst;
    QString error; // no record of a bank section at all
};

// Dates as Quicken writes them: 12/6/26, 12/06/2026, 12/ 6'26 (the apostrophe
// before a year of 2000 on), 6.12.2026, 2026-12-06. With Auto the order comes
// from a date whose day is above 12, else from the separator (a point day
// first, a slash month first).
QifStatement readQif(const QByteArray &bytes, QifStatement::DayOrder order = QifStatement::DayOrder::Auto);
