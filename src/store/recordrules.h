#pragma once

#include "store/oledatetime.h"
#include "store/records.h"

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

// What the user gave for a transaction or a plan, from a dialog or the command
// line. A field left empty keeps the record's own.
struct RecordInput
{
    std::optional<QString> subject;
    std::optional<OleDateTime> date;
    std::optional<double> magnitude; // the amount without its sign, as parseAmountText gives it
    std::optional<bool> income;      // the kind: income or expense
    std::optional<QString> category;
    std::optional<QString> notes;
};

// Puts the input into the record. A subject is trimmed, and a blank one
// becomes the placeholder subject. A magnitude or a kind makes the amount the
// magnitude signed by the kind, income positive and expense negative (never
// -0), the one not given taken from the record. With neither, the amount and
// the kind stay exactly as stored, even a sign that disagrees with the kind.
void applyRecordInput(const RecordInput &input, TransactionRecord &record);

// The field of an account that a problem is about.
enum class AccountField { None, AccountNumber, MinimumBalance };

// Why an account cannot be saved as the user gave it, as a sentence to show;
// empty when it can. *field names the field to correct.
QString accountProblem(const AccountRecord &account, AccountField *field = nullptr);
