#include "export/office/officeformats.h"

#include "store/formatters.h"

#include <QLocale>

#include <algorithm>

namespace {

// Literal text in a number format: quoted, with quote characters escaped.
QString literal(QStringView text)
{
    QString code;
    bool open = false;
    for (const QChar c : text) {
        if (c == u'"') {
            if (open)
                code += u'"';
            open = false;
            code += QStringLiteral("\\\"");
            continue;
        }
        if (!open)
            code += u'"';
        open = true;
        code += c;
    }
    if (open)
        code += u'"';
    return code;
}

// The section of a number format that shows numbers as the sample shows
// 1234567.89: the text around the digits as literals, the digits as a
// placeholder with grouping and as many decimals as the sample has.
QString numberSection(const QString &sample)
{
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < sample.size(); ++i) {
        if (sample[i].isDigit()) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return {};
    const QStringView number = QStringView(sample).mid(first, last - first + 1);
    const qsizetype point = number.lastIndexOf(QLocale().decimalPoint());
    const QStringView whole = point < 0 ? number : number.left(point);
    const bool grouped = std::any_of(whole.begin(), whole.end(), [](QChar c) { return !c.isDigit(); });
    QString code = grouped ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (point >= 0) {
        const qsizetype decimals = number.size() - point - 1;
        code += u'.' + QString(decimals, u'0');
    }
    return literal(QStringView(sample).left(first)) + code + literal(QStringView(sample).mid(last + 1));
}

} // namespace

QString excelCurrencyFormat()
{
    const QString positive = numberSection(formatCurrencyPlain(QStringLiteral("1234567.89")));
    const QString negative = numberSection(formatCurrencyPlain(QStringLiteral("-1234567.89")));
    if (positive.isEmpty() || negative.isEmpty())
        return QStringLiteral("#,##0.00");
    return positive + u';' + negative;
}

QString excelDateFormat()
{
    return excelDateFormat(QLocale().dateFormat(QLocale::ShortFormat));
}

QString excelDateFormat(const QString &qtFormat)
{
    QString code;
    QString text; // literal text not yet written
    const auto field = [&](const QString &excel) {
        code += literal(text) + excel;
        text.clear();
    };
    for (qsizetype i = 0; i < qtFormat.size();) {
        const QChar c = qtFormat[i];
        if (c == u'\'') {
            // 'quoted text'; '' is a quote
            qsizetype end = i + 1;
            if (end < qtFormat.size() && qtFormat[end] == u'\'') {
                text += u'\'';
                i = end + 1;
                continue;
            }
            while (end < qtFormat.size()) {
                if (qtFormat[end] == u'\'') {
                    if (end + 1 < qtFormat.size() && qtFormat[end + 1] == u'\'') {
                        text += u'\'';
                        end += 2;
                        continue;
                    }
                    break;
                }
                text += qtFormat[end++];
            }
            i = end + 1;
            continue;
        }
        qsizetype repeat = 1;
        while (i + repeat < qtFormat.size() && qtFormat[i + repeat] == c)
            ++repeat;
        if (c == u'd' || c == u'M') {
            repeat = std::min<qsizetype>(repeat, 4);
            field(QString(repeat, c == u'd' ? u'd' : u'm'));
        } else if (c == u'y' && repeat >= 2) {
            repeat = repeat >= 4 ? 4 : 2;
            field(QString(repeat, u'y'));
        } else {
            repeat = 1;
            text += c;
        }
        i += repeat;
    }
    return code + literal(text);
}

std::optional<double> excelSerialDate(const OleDateTime &date)
{
    const QDate day = date.date();
    if (!day.isValid() || day < QDate(1900, 3, 1))
        return std::nullopt;
    return double(QDate(1899, 12, 30).daysTo(day));
}

quint32 rgbFromColorRef(quint32 colorRef)
{
    return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}
