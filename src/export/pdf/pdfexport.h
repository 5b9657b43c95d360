#pragma once

#include "export/exportsource.h"

#include <QByteArray>

class PdfWriter;

// The PDF export of the shown list: a cover page with the title and the period,
// then one page per account, transaction or plan. The Transactions view without
// a real account, and any other view, give a document without pages.
QByteArray exportPdf(const ExportSource &source);

// Adds the export's pages to a writer.
void buildPdf(PdfWriter &pdf, const ExportSource &source);
