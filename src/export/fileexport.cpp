#include "export/fileexport.h"

#include "export/htmlexport.h"
#include "export/pdf/pdfexport.h"
#include "export/textexport.h"

QByteArray exportBytes(ExportFormat format, const ExportSource &source)
{
    switch (format) {
    case ExportFormat::Text:
        return exportText(source);
    case ExportFormat::Csv:
        return exportCsv(source);
    case ExportFormat::Html:
        return exportHtml(source);
    case ExportFormat::Pdf:
        return exportPdf(source);
    }
    return {};
}

void writeExport(ExportFormat format, const QString &path, const ExportSource &source)
{
    writeExportFile(path, exportBytes(format, source));
}
