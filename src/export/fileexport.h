#pragma once

#include "export/exportsource.h"

#include <QByteArray>
#include <QString>

// The file exports of the program's own making.
enum class ExportFormat { Text, Csv, Html, Pdf };

// The file's bytes.
QByteArray exportBytes(ExportFormat format, const ExportSource &source);

// Writes the export to path, whole or not at all. Throws FileError.
void writeExport(ExportFormat format, const QString &path, const ExportSource &source);
