#include "import/statementfile.h"

#include "store/fileio.h"
#include "store/oledatetime.h"
#include "store/recordrules.h"
#include "store/windows1252.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

bool looksBinary(const QByteArray &bytes)
{
    // A NUL byte, or many control characters, is no text a bank writes.
    const qsizetype sample = std::min<qsizetype>(bytes.size(), 64 * 1024);
    qsizetype controls = 0;
    for (qsizetype i = 0; i < sample; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == 0)
            return true;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            ++controls;
    }
    return controls * 20 > sample;
}

} // namespace

StatementBytes readStatementFile(const QString &path)
{
    StatementBytes result;
    const QString name = QFileInfo(path).fileName();
    const FileRead read = readDataFile(path, kMaxStatementSize);
    switch (read.status) {
    case FileRead::Read:
        break;
    case FileRead::Missing:
        result.error = QStringLiteral("There is no file %1.").arg(path);
        return result;
    case FileRead::TooLarge:
        result.error = QStringLiteral("%1 is larger than %2 MB: no bank statement is that large, nothing was imported.")
                           .arg(name)
                           .arg(kMaxStatementSize >> 20);
        return result;
    case FileRead::NotAFile:
    case FileRead::Unreadable:
        result.error = QStringLiteral("Could not read %1: %2").arg(path, read.reason);
        return result;
    }
    if (read.bytes.trimmed().isEmpty()) {
        result.error = QStringLiteral("%1 is empty: there is nothing to import.").arg(name);
        return result;
    }
    if (looksBinary(read.bytes)) {
        result.error =
            QStringLiteral("%1 is not a bank statement (CSV, QIF or OFX text): it holds binary data. Nothing was "
                           "imported.")
                .arg(name);
        return result;
    }
    result.bytes = read.bytes;
    return result;
}

std::optional<StatementFormat> formatFromSuffix(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt"))
        return StatementFormat::Csv;
    if (suffix == QLatin1String("qif"))
        return StatementFormat::Qif;
    if (suffix == QLatin1String("ofx") || suffix == QLatin1String("qfx"))
        return StatementFormat::Ofx;
    return std::nullopt;
}

StatementFormat guessFormat(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(4096).toUpper();
    if (head.contains("OFXHEADER") || head.contains("<OFX>"))
        return StatementFormat::Ofx;
    const QByteArray start = bytes.left(64).trimmed().toUpper();
    if (start.startsWith("\xEF\xBB\xBF!") || start.startsWith("!TYPE") || start.startsWith("!OPTION")
        || start.startsWith("!ACCOUNT"))
        return StatementFormat::Qif;
    return StatementFormat::Csv;
}

QString formatName(StatementFormat format)
{
    switch (format) {
    case StatementFormat::Csv:
        return QStringLiteral("csv");
    case StatementFormat::Qif:
        return QStringLiteral("qif");
    case StatementFormat::Ofx:
        return QStringLiteral("ofx");
    }
    return {};
}

std::optional<StatementFormat> formatNamed(const QString &name)
{
    for (StatementFormat f : {StatementFormat::Csv, StatementFormat::Qif, StatementFormat::Ofx}) {
        if (formatName(f) == name.toLower())
            return f;
    }
    return std::nullopt;
}

QString decodeStatementText(const QByteArray &bytes, QString *encoding)
{
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bom ? bytes.mid(3) : bytes);
    if (!utf8.hasError()) {
        if (encoding)
            *encoding = bom ? QStringLiteral("UTF-8 with BOM") : QStringLiteral("UTF-8");
        return text;
    }
    if (encoding)
        *encoding = QStringLiteral("Windows-1252");
    return fromWindows1252(bytes);
}

std::optional<double> parseStatementAmount(QStringView input, QChar decimal, QString *problem)
{
    const auto refuse = [&](const QString &why) -> std::optional<double> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    QString text = input.trimmed().toString();
    if (text.isEmpty())
        return refuse(QStringLiteral("no amount"));
    // A currency symbol or code at either end.
    static const QRegularExpression currency(QStringLiteral("^(?:[A-Za-z]{3}|[$€£¥])\\s*|\\s*(?:[A-Za-z]{3}|[$€£¥])$"));
    text.remove(currency);
    bool negative = false;
    if (text.startsWith(u'(') && text.endsWith(u')')) {
        negative = true;
        text = text.mid(1, text.size() - 2).trimmed();
    }
    if (text.startsWith(u'-') || text.startsWith(u'+') || text.startsWith(QChar(0x2212))) {
        negative = negative != (text.front() != u'+');
        text = text.mid(1).trimmed();
    } else if (text.endsWith(u'-') || text.endsWith(u'+')) {
        negative = negative != (text.back() == u'-');
        text.chop(1);
        text = text.trimmed();
    }
    text.remove(currency);
    // Split at the last decimal separator; the whole part may group its thousands.
    const qsizetype point = text.lastIndexOf(decimal);
    QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    static const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(([., '\\x{a0}\\x{202f}])\\d{3})(\\2\\d{3})*$"));
    const QRegularExpressionMatch groups = grouped.match(whole);
    if (groups.hasMatch() && groups.captured(2) != QString(decimal))
        whole.remove(groups.captured(2).front());
    if (std::any_of(whole.begin(), whole.end(), [](QChar c) { return !c.isDigit(); }))
        return refuse(QStringLiteral("\"%1\" is not an amount").arg(input.trimmed()));
    text = point < 0 ? whole : whole + u'.' + fraction;
    QString why;
    const std::optional<double> magnitude = parseAmountText(text, &why);
    if (!magnitude) {
        if (why.startsWith(QLatin1String("is not an amount")))
            return refuse(QStringLiteral("\"%1\" is not an amount").arg(input.trimmed()));
        return refuse(QStringLiteral("the amount %1").arg(why));
    }
    return negative && *magnitude != 0.0 ? -*magnitude : *magnitude;
}

QDate parseStatementDate(const QString &text, const QString &format)
{
    QDate date = QDate::fromString(text.trimmed(), format);
    if (!date.isValid())
        return {};
    if (!format.contains(QLatin1String("yyyy")) && format.contains(QLatin1String("yy")) && date.year() < 1980)
        date = date.addYears(100);
    if (!isStorableDate(OleDateTime::fromDateTime(date, QTime(12, 0))))
        return {};
    return date;
}
