#include "store/formatters.h"

#include <QLocale>

namespace {

bool isPlainNumber(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'-')
        ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 0x80)
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

} // namespace

QString formatCurrencyPlain(const QString &numericText)
{
    QString text = numericText.trimmed();
    if (!isPlainNumber(text))
        return {};
    // "12." and ".5" are numbers too.
    if (text.endsWith(u'.'))
        text.append(u'0');
    const qsizetype point = text.indexOf(u'.');
    if (point == 0 || (point == 1 && text[0] == u'-'))
        text.insert(point, u'0');
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        return {};
    return QLocale().toCurrencyString(value);
}

QString formatCurrency(const QString &numericText)
{
    QString text = formatCurrencyPlain(numericText);
    if (text.contains(u'(')) {
        text.remove(0, 1);
        text.chop(1);
    }
    return text;
}

QString formatAmount(double value)
{
    return formatCurrency(QString::asprintf("%lf", value));
}

QString formatDate(const OleDateTime &date)
{
    const QDate d = date.date();
    return d.isValid() ? QLocale().toString(d, QLocale::ShortFormat) : QString();
}

QString amountText(double amount)
{
    return amount < 0 ? QLatin1Char('-') + formatAmount(-amount) : formatAmount(amount);
}
