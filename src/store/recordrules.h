#pragma once

#include "oledatetime.h"
#include "records.h"

#include <QString>
#include <QStringView>

#include <optional>

// What makes an amount, a date and a record fit to be stored. Every writer (the
// dialogs, fennimar-cli, the store itself) asks here.

// The largest magnitude of an amount: below it a double holds every cent exactly.
constexpr double kMaxAmount = 1e12;

double roundToCents(double value);

// An amount as the user types it: digits with at most one point and two
// decimals, no sign, at most kMaxAmount; rounded to cents. Nothing, with the
// reason in *problem ("is not an amount: ..."), for anything else.
std::optional<double> parseAmountText(QStringView text, QString *problem = nullptr);

// Why a value cannot be stored as an amount (not a number, too large); empty when it can.
QString amountProblem(double value);

// A date every list can show: a finite value and, when valid, within the years 100 to 9999.
bool isStorableDate(const OleDateTime &date);

// Why a record cannot be written as it is; empty when it can. A record's
// reader never rejects what passes here.
QString recordProblem(const TransactionRecord &record);
QString recordProblem(const AccountRecord &record);
