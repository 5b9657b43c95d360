#include "store/workdir.h"

#include "res/stringtable.h"
#include "store/fileio.h"
#include "store/filenames.h"

#include <QDir>

bool holdsBook(const QString &dir)
{
    for (const QLatin1String extension : {kAccountExtension, kTransactionExtension, kPlanExtension, kCategoryExtension,
                                          kChartColourExtension, kSettingsExtension}) {
        for (const DirEntry &entry : listDirEntries(dir, extension)) {
            if (entry.type == EntryType::File)
                return true;
        }
    }
    return false;
}

QString workDirFor(const QString &chosen)
{
    const QString folder = QDir::cleanPath(chosen);
    return holdsBook(folder) ? folder : QDir(folder).filePath(LoadText(IDS_APP_TITLE));
}
