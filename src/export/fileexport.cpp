#include "fileexport.h"

#include "htmlexport.h"
#include "pdfexport.h"
#include "textexport.h"

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

namespace {

struct FormatFile
{
    const char *suffix;
    const char *filter;
};

FormatFile formatFile(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Text:
        return {"txt", "Text Files (*.txt)"};
    case ExportFormat::Csv:
        return {"csv", "csv Files (*.csv)"};
    case ExportFormat::Html:
        return {"html", "HTML Files (*.html)"};
    case ExportFormat::Pdf:
        break;
    }
    return {"pdf", "PDF Files (*.pdf)"};
}

} // namespace

QString exportSuffix(ExportFormat format)
{
    return QString::fromLatin1(formatFile(format).suffix);
}

QString exportFilter(ExportFormat format)
{
    return QString::fromLatin1(formatFile(format).filter);
}
