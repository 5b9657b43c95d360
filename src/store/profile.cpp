#include "profile.h"

#include <QSettings>

namespace {

QSettings profile()
{
    return QSettings(QStringLiteral("Kestrune"), QStringLiteral("Fennimar"));
}

} // namespace

QString profileWorkDir()
{
    return profile().value(QStringLiteral("Directory/Path")).toString();
}

void writeProfile(const QString &workDir, int first, int second)
{
    QSettings settings = profile();
    settings.setValue(QStringLiteral("Size/First"), first);
    settings.setValue(QStringLiteral("Size/Second"), second);
    settings.setValue(QStringLiteral("Directory/Path"), workDir);
}

int readShowValues()
{
    return profile().value(QStringLiteral("Show/Show"), 1).toInt();
}

void writeShowValues(int show)
{
    profile().setValue(QStringLiteral("Show/Show"), show);
}
