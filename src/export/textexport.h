#pragma once

#include "export/exportsource.h"

#include <QByteArray>

// The CSV export of the shown list, in UTF-8: fields joined by ",", lines ended
// by CR LF. A field holding a comma, a double quote or a line end is quoted.
QByteArray exportCsv(const ExportSource &source);

// The Text export: the CSV lines widened, every separator three tabs and every
// line followed by an empty one. A field holding a tab, a double quote or a
// line end is quoted.
QByteArray exportText(const ExportSource &source);
