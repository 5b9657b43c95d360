#pragma once

#include "store/oledatetime.h"

#include <QString>

#include <optional>

// The spreadsheet number format that shows a sum of money as the store's plain
// currency formatter writes it in the current locale ("$"#,##0.00 for $1.00,
// its negative section as the locale writes negatives, parentheses kept).
QString excelCurrencyFormat();

// The spreadsheet date format of the current locale's short date ("m/d/yy" for
// en_US), every literal quoted so that no spreadsheet localises it.
QString excelDateFormat();
// The same conversion of a Qt date format.
QString excelDateFormat(const QString &qtFormat);

// The spreadsheet's serial day number of the date (the OLE day without its
// time); nothing before 1900-03-01, where spreadsheets count days differently.
std::optional<double> excelSerialDate(const OleDateTime &date);

// 0x00RRGGBB of a Windows colour value 0x00BBGGRR.
quint32 rgbFromColorRef(quint32 colorRef);
