#pragma once

#include "export/exportsource.h"

#include <QByteArray>
#include <QString>

// Writes the accounts, the transactions of the chosen account or the plans as
// a .docx document: title, subtitle, account line, one table.
class CWordExport
{
public:
    // Returns false, writing nothing, when the view has no list to export or
    // the list is empty. Throws FileError when the file cannot be written.
    bool write(const QString &path, const ExportSource &source);

    // The message for an export that failed for any reason but the file.
    static QString failureText();
};
