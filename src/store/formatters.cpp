#include "store/formatters.h"

#include <QHash>
#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstring>

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

// The texts of one thread's recent values in one locale. Lists of many rows
// show the same amounts and days again and again, and the locale's currency
// and date formatting is costly; a change of the default locale starts afresh.
template <typename Key>
class TextMemo
{
public:
    template <typename Make>
    QString text(Key key, const Make &make)
    {
        const QLocale locale;
        if (!(locale == m_locale) || m_texts.size() > kMaxTexts) {
            m_texts.clear();
            m_locale = locale;
        }
        const auto it = m_texts.constFind(key);
        if (it != m_texts.constEnd())
            return it.value();
        const QString made = make();
        m_texts.insert(key, made);
        return made;
    }

private:
    static constexpr qsizetype kMaxTexts = 1 << 18;
    QLocale m_locale;
    QHash<Key, QString> m_texts;
};

QString makeAmountText(double amount)
{
    return amount < 0 ? QLatin1Char('-') + formatAmount(-amount) : formatAmount(amount);
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
    // formatCurrency of the value written with six decimals, without the
    // round trip through a QString: the same digits, the same double back.
    if (!std::isfinite(value))
        return {};
    char digits[400];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
    double rounded = 0.0;
    if (written.ec != std::errc() || std::from_chars(digits, written.ptr, rounded).ec != std::errc())
        return formatCurrency(QString::asprintf("%lf", value));
    QString text = QLocale().toCurrencyString(rounded);
    if (text.contains(u'(')) {
        text.remove(0, 1);
        text.chop(1);
    }
    return text;
}

QString formatDate(const OleDateTime &date)
{
    const QDate d = date.date();
    if (!d.isValid())
        return QString();
    static thread_local TextMemo<qint64> memo;
    return memo.text(d.toJulianDay(), [&] { return QLocale().toString(d, QLocale::ShortFormat); });
}

QString amountText(double amount)
{
    quint64 bits;
    std::memcpy(&bits, &amount, sizeof bits);
    static thread_local TextMemo<quint64> memo;
    return memo.text(bits, [&] { return makeAmountText(amount); });
}
