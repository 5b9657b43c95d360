#pragma once

#include "app/commandregistry.h"

#include <QObject>

class CMainFrame;
struct ExportSource;

// The export commands: ask for the file, write what the current view shows,
// and open the file with the desktop's program for it.
class CExportCommands : public QObject
{
    Q_OBJECT

public:
    explicit CExportCommands(CMainFrame &frame);

    static const QList<Command<CExportCommands>> &commands();

    // What an export of the current view writes.
    ExportSource source() const;
    // The file name an export of the current view suggests: "Transactions 2026-12.csv".
    QString suggestedName(const QString &suffix) const;

private:
    void exportFile(int id);

    CMainFrame &m_frame;
};
