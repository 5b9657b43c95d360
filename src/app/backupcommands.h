#pragma once

#include "app/commandregistry.h"

#include <QObject>

class CMainFrame;

// Tools > Restore Backup, and the day's backup made when the program starts.
class CBackupCommands : public QObject
{
    Q_OBJECT

public:
    explicit CBackupCommands(CMainFrame &frame);

    static const QList<Command<CBackupCommands>> &commands();

    // Writes the day's backup of the working directory unless there is one; a
    // backup that fails is shown and changes nothing. Returns its path, or
    // empty when none was written.
    static QString backUpIfDue(CMainFrame &frame);

private:
    void restoreBackup();

    CMainFrame &m_frame;
};
