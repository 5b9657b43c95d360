#pragma once

#include "export/exportsource.h"

#include <optional>

// Every export the program offers.
enum class ExportKind { Text, Csv, Html, Pdf, Excel, Word };

// "text", "csv", "html", "pdf", "xlsx", "docx".
std::optional<ExportKind> exportKindNamed(const QString &name);

// Writes the export to a file. False when there was nothing to write (the
// workbook and the document of an empty list are not made). Throws FileError.
bool writeExportAs(ExportKind kind, const QString &path, const ExportSource &source);
