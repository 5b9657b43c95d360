#pragma once

#include "store/oledatetime.h"

#include <QString>

// The texts the lists and exports show, in the user's locale (QLocale()).

// "%lf" of the value, then formatCurrency of that text.
QString formatAmount(double value);
// The locale's currency text of a number written with digits and an optional
// point and minus sign; a negative shown in parentheses loses them (and with
// them its sign). Empty for text that is not such a number.
QString formatCurrency(const QString &numericText);
// The same, keeping the parentheses.
QString formatCurrencyPlain(const QString &numericText);
// The locale's short date; empty for an invalid date.
QString formatDate(const OleDateTime &date);
// The amount text of every fill: "-" and the magnitude for a negative amount.
QString amountText(double amount);
