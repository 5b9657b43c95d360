#include "store/recordrules.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

QString recordSubject(const QString &text)
{
    const QString subject = text.trimmed();
    return subject.isEmpty() ? QStringLiteral("No Subject") : subject;
}

} // namespace

double roundToCents(double value)
{
    const double cents = std::round(value * 100.0) / 100.0;
    return cents == 0.0 ? 0.0 : cents; // never -0
}

std::optional<double> parseAmountText(QStringView text, QString *problem)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+(\\.\\d{0,2})?|\\.\\d{1,2})$"));
    const auto refuse = [&](const QString &why) -> std::optional<double> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    if (!form.match(text).hasMatch())
        return refuse(QStringLiteral("is not an amount: digits with at most two decimals, no sign"));
    const QString digits = text.startsWith(u'.') ? QLatin1Char('0') + text.toString() : text.toString();
    bool ok = false;
    const double value = roundToCents(QLocale::c().toDouble(digits, &ok));
    // Digits that do not fit a double are too large, never "not a number".
    const QString why = ok && std::isfinite(value) ? amountProblem(value) : amountProblem(2 * kMaxAmount);
    if (!why.isEmpty())
        return refuse(why);
    return value;
}

QString amountProblem(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("is not a number");
    if (std::abs(value) > kMaxAmount)
        return QStringLiteral("is too large: an amount is at most 1000000000000");
    return {};
}

bool isStorableDate(const OleDateTime &date)
{
    return date.status() == OleDateTime::Valid ? date.isValid() : std::isfinite(date.value());
}

QString recordProblem(const TransactionRecord &record)
{
    if (!isStorableDate(record.date))
        return QStringLiteral("the date is not within the years 100 to 9999");
    const QString amount = amountProblem(record.amount);
    return amount.isEmpty() ? QString() : QStringLiteral("the amount ") + amount;
}

QString recordProblem(const AccountRecord &record)
{
    const QString amount = amountProblem(record.minimumBalance);
    return amount.isEmpty() ? QString() : QStringLiteral("the minimum balance ") + amount;
}

void applyRecordInput(const RecordInput &input, TransactionRecord &record)
{
    if (input.subject)
        record.subject = recordSubject(*input.subject);
    if (input.date)
        record.date = *input.date;
    if (input.magnitude || input.income) {
        const double magnitude = std::abs(input.magnitude.value_or(record.amount));
        const bool income = input.income.value_or(record.incomeFlag != 0);
        record.amount = income || magnitude == 0.0 ? magnitude : -magnitude;
        record.incomeFlag = income ? 1 : 0;
    }
    if (input.category)
        record.category = *input.category;
    if (input.notes)
        record.notes = *input.notes;
}

QString accountProblem(const AccountRecord &account, AccountField *field)
{
    const auto refuse = [&](AccountField at, const QString &why) {
        if (field)
            *field = at;
        return why;
    };
    if (account.accountNumber.isEmpty())
        return refuse(AccountField::AccountNumber, QStringLiteral("Please enter the Account Number."));
    const QString amount = amountProblem(account.minimumBalance);
    if (!amount.isEmpty())
        return refuse(AccountField::MinimumBalance, QStringLiteral("The minimum balance %1.").arg(amount));
    return refuse(AccountField::None, QString());
}
