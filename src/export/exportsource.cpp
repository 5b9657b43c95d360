#include "export/exportsource.h"

#include "store/fileio.h"

QString exportViewName(ExportView view)
{
    switch (view) {
    case ExportView::Accounts:
        return QStringLiteral("Accounts");
    case ExportView::Transactions:
        return QStringLiteral("Transactions");
    case ExportView::Plans:
        return QStringLiteral("Plans");
    case ExportView::Other:
        break;
    }
    return {};
}

void writeExportFile(const QString &path, const QByteArray &bytes)
{
    writeDocumentFile(path, bytes);
}
