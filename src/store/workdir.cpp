#include "workdir.h"

#include "fileio.h"
#include "stringtable.h"

#include <QDir>

bool holdsBook(const QString &dir)
{
    static const char *const kinds[] = {".act", ".tra", ".pln", ".cat", ".grp", ".pss"};
    for (const char *extension : kinds) {
        for (const DirEntry &entry : listDirEntries(dir, QString::fromLatin1(extension))) {
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
