#include "cliexport.h"

#include "fileio.h"

void writeExportAs(const QString &format, const QString &path, const ExportSource &)
{
    throw FileError(path, QStringLiteral("the %1 export is not built yet").arg(format));
}
