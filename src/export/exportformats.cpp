#include "export/exportformats.h"

#include "export/fileexport.h"
#include "export/office/excelexport.h"
#include "export/office/wordexport.h"

std::optional<ExportKind> exportKindNamed(const QString &name)
{
    static const QList<std::pair<QString, ExportKind>> names = {
        {QStringLiteral("text"), ExportKind::Text},  {QStringLiteral("csv"), ExportKind::Csv},
        {QStringLiteral("html"), ExportKind::Html},  {QStringLiteral("pdf"), ExportKind::Pdf},
        {QStringLiteral("xlsx"), ExportKind::Excel}, {QStringLiteral("docx"), ExportKind::Word},
    };
    for (const auto &[text, kind] : names) {
        if (text == name)
            return kind;
    }
    return std::nullopt;
}

bool writeExportAs(ExportKind kind, const QString &path, const ExportSource &source)
{
    switch (kind) {
    case ExportKind::Text:
        writeExport(ExportFormat::Text, path, source);
        return true;
    case ExportKind::Csv:
        writeExport(ExportFormat::Csv, path, source);
        return true;
    case ExportKind::Html:
        writeExport(ExportFormat::Html, path, source);
        return true;
    case ExportKind::Pdf:
        writeExport(ExportFormat::Pdf, path, source);
        return true;
    case ExportKind::Excel:
        return CExcelExport().write(path, source);
    case ExportKind::Word:
        return CWordExport().write(path, source);
    }
    return false;
}
