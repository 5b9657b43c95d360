#include "import/qifreader.h"

#include "import/statementfile.h"
#include "store/oledatetime.h"
#include "store/recordrules.h"

#include <QRegularExpression>

namespace {

const QRegularExpression &qifDate()
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,2})\\s*([/.-])\\s*(\\d{1,2})\\s*([/.'-])\\s*(\\d{2}|\\d{4})\\s*$"));
    return form;
}

const QRegularExpression &isoDate()
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})\\s*$"));
    return form;
}

int fullYear(const QString &digits, bool apostrophe)
{
    const int year = digits.toInt();
    if (digits.size() == 4)
        return year;
    if (apostrophe)
        return 2000 + year;
    return year < 80 ? 2000 + year : 1900 + year;
}

QDate parseQifDate(const QString &text, QifStatement::DayOrder order)
{
    if (const QRegularExpressionMatch iso = isoDate().match(text); iso.hasMatch())
        return QDate(iso.captured(1).toInt(), iso.captured(2).toInt(), iso.captured(3).toInt());
    const QRegularExpressionMatch m = qifDate().match(text);
    if (!m.hasMatch())
        return {};
    const int first = m.captured(1).toInt();
    const int second = m.captured(3).toInt();
    const int year = fullYear(m.captured(5), m.captured(4) == QLatin1String("'"));
    return order == QifStatement::DayOrder::DayFirst ? QDate(year, second, first) : QDate(year, first, second);
}

struct QifRecord
{
    int line = 0;
    QHash<QChar, QString> fields;
};

} // namespace

QifStatement readQif(const QByteArray &bytes, QifStatement::DayOrder order)
{
    QifStatement result;
    const QString text = decodeStatementText(bytes, &result.encoding);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));

    QList<QifRecord> records;
    bool bankSection = true; // a file without a !Type line is taken as a bank's
    bool sawType = false;
    QifRecord current;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'!')) {
            const QString header = line.toLower();
            if (header.startsWith(QLatin1String("!type:"))) {
                sawType = true;
                const QString type = header.mid(6).trimmed();
                bankSection =
                    type == QLatin1String("bank") || type == QLatin1String("ccard") || type == QLatin1String("cash");
            } else if (header.startsWith(QLatin1String("!account"))) {
                bankSection = false; // an account list until the next !Type
            }
            current = QifRecord();
            continue;
        }
        if (line.startsWith(u'^')) {
            if (bankSection && !current.fields.isEmpty())
                records << current;
            current = QifRecord();
            continue;
        }
        if (!bankSection)
            continue;
        if (current.fields.isEmpty())
            current.line = i + 1;
        const QChar code = line.front().toUpper();
        // A split's lines (S, E, $) are the record's parts; the record's own fields count.
        if (!current.fields.contains(code))
            current.fields.insert(code, line.mid(1).trimmed());
    }
    if (bankSection && !current.fields.isEmpty())
        records << current; // the last record without its ^

    if (records.isEmpty()) {
        result.error = sawType ? QStringLiteral("The QIF file holds no transactions of a bank, card or cash account.")
                               : QStringLiteral("The file is no QIF statement: it has no !Type line and no record.");
        return result;
    }

    // The day order: from a date that tells, else from the separator.
    QifStatement::DayOrder chosen = order;
    if (order == QifStatement::DayOrder::Auto) {
        bool dayFirst = false;
        bool monthFirst = false;
        QString separator;
        for (const QifRecord &r : records) {
            const QRegularExpressionMatch m = qifDate().match(r.fields.value(u'D'));
            if (!m.hasMatch())
                continue;
            if (separator.isEmpty())
                separator = m.captured(2);
            dayFirst = dayFirst || m.captured(1).toInt() > 12;
            monthFirst = monthFirst || m.captured(3).toInt() > 12;
        }
        if (dayFirst != monthFirst) {
            chosen = dayFirst ? QifStatement::DayOrder::DayFirst : QifStatement::DayOrder::MonthFirst;
        } else {
            result.ambiguousOrder = !separator.isEmpty();
            chosen =
                separator == QLatin1String(".") ? QifStatement::DayOrder::DayFirst : QifStatement::DayOrder::MonthFirst;
        }
    }
    result.order = chosen;

    for (const QifRecord &r : records) {
        Candidate c;
        c.line = r.line;
        c.subject = r.fields.value(u'P');
        c.notes = r.fields.value(u'M');
        // "[Account]" is a transfer, no category; "Category/Class" keeps the category.
        QString category = r.fields.value(u'L').section(u'/', 0, 0).trimmed();
        if (!category.startsWith(u'['))
            c.category = category;
        const QString dateText = r.fields.value(u'D');
        const QString amountText = r.fields.contains(u'T') ? r.fields.value(u'T') : r.fields.value(u'U');
        const QDate date = parseQifDate(dateText, chosen);
        QString problem;
        if (dateText.isEmpty()) {
            problem = QStringLiteral("no date (D line)");
        } else if (!date.isValid() || !isStorableDate(OleDateTime::fromDateTime(date, QTime(12, 0)))) {
            problem = QStringLiteral("\"%1\" is not a date").arg(dateText);
        } else if (!r.fields.contains(u'T') && !r.fields.contains(u'U')) {
            problem = QStringLiteral("no amount (T line)");
        } else if (const std::optional<double> amount = parseStatementAmount(amountText, u'.', &problem)) {
            c.amount = *amount;
            c.date = date;
        }
        c.problem = problem;
        result.candidates << c;
    }
    return result;
}
