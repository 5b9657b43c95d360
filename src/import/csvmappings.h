#pragma once

#include "import/csvreader.h"

#include <QString>

#include <optional>

// The CSV mappings kept in the profile (QSettings "Kestrune"/"Fennimar",
// section "CsvMapping"), one per bank: offered again for that bank's next file.
std::optional<CsvMapping> readCsvMapping(const QString &bank);
void writeCsvMapping(const QString &bank, const CsvMapping &mapping);
