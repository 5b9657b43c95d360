#include "import/csvmappings.h"

#include <QSettings>
#include <QUrl>

namespace {

QSettings profile()
{
    return QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar"));
}

// A bank's name as one key of the section: no separator of QSettings in it.
QString group(const QString &bank)
{
    const QString name = bank.trimmed().isEmpty() ? QStringLiteral("-") : bank.trimmed();
    return QStringLiteral("CsvMapping/") + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

} // namespace

std::optional<CsvMapping> readCsvMapping(const QString &bank)
{
    QSettings settings = profile();
    settings.beginGroup(group(bank));
    const QString columns = settings.value(QStringLiteral("Columns")).toString();
    if (columns.isEmpty())
        return std::nullopt;
    CsvMapping mapping;
    if (!mapping.setColumns(columns))
        return std::nullopt;
    mapping.dateFormat = settings.value(QStringLiteral("DateFormat"), mapping.dateFormat).toString();
    const QString decimal = settings.value(QStringLiteral("Decimal")).toString();
    mapping.decimal = decimal == QLatin1String(",") ? u',' : u'.';
    return mapping;
}

void writeCsvMapping(const QString &bank, const CsvMapping &mapping)
{
    QSettings settings = profile();
    settings.beginGroup(group(bank));
    settings.setValue(QStringLiteral("Columns"), mapping.columnsText());
    settings.setValue(QStringLiteral("DateFormat"), mapping.dateFormat);
    settings.setValue(QStringLiteral("Decimal"), QString(mapping.decimal));
}
