#pragma once

#include "exportsource.h"

// Writes the export of the given format ("csv", "text", "html", "pdf", "xlsx",
// "docx") to a file, as the desktop program's export commands do. Throws FileError.
void writeExportAs(const QString &format, const QString &path, const ExportSource &source);
