#include "store/profile.h"

#include <QSettings>

namespace {

const QString kWorkDirKey = QStringLiteral("Directory/Path");
const QString kShowValuesKey = QStringLiteral("Show/Show");

QSettings profile()
{
    return QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar"));
}

} // namespace

QString profileWorkDir()
{
    return profile().value(kWorkDirKey).toString();
}

void writeProfile(const QString &workDir, int first, int second)
{
    QSettings settings = profile();
    settings.setValue(QStringLiteral("Size/First"), first);
    settings.setValue(QStringLiteral("Size/Second"), second);
    settings.setValue(kWorkDirKey, workDir);
}

int readShowValues()
{
    return profile().value(kShowValuesKey, 1).toInt();
}

void writeShowValues(int show)
{
    profile().setValue(kShowValuesKey, show);
}

QByteArray readWindowGeometry()
{
    return profile().value(QStringLiteral("Window/Geometry")).toByteArray();
}

void writeWindowGeometry(const QByteArray &geometry)
{
    profile().setValue(QStringLiteral("Window/Geometry"), geometry);
}
