#pragma once

#include "export/exportsource.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// One cell of an office export: a text, a sum of money or a date.
struct OfficeCell
{
    enum class Kind { Text, Money, Date };

    Kind kind = Kind::Text;
    QString text;     // Text
    double value = 0; // Money
    OleDateTime date; // Date

    static OfficeCell fromText(const QString &text);
    static OfficeCell fromMoney(double value);
    static OfficeCell fromDate(const OleDateTime &date);

    bool isMoney() const { return kind == Kind::Money; }
    // Money rounded to the cents its text shows ("%0.2lf"), so that a sheet
    // sums what it shows; -0 becomes 0.
    double roundedValue() const;
    bool isNegativeMoney() const { return isMoney() && roundedValue() < 0; }
};

using OfficeRow = std::array<OfficeCell, 4>;

// What the spreadsheet and the word-processor exports write for one view,
// before either lays it out.
struct OfficeContent
{
    ExportView view = ExportView::Other;
    QString title;        // the application's title, " - ", the view's name
    OfficeCell subtitle;  // accounts: today (a date); else "<from> to <to>"
    QStringList headings; // four
    QList<OfficeRow> rows;

    // Transactions only: the selector's text and the opening row.
    QString accountTitle;
    QString openingText;
    double openingBalance = 0;
};

// The content of the source's view; nothing when the view has no list to
// export (another view, or the transactions of "All") or its list is empty.
std::optional<OfficeContent> officeContent(const ExportSource &source);

// "%0.2lf" of a sum of money: the digits both exports put through the
// locale's currency format.
QString moneyDigits(double value);
