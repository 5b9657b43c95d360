#pragma once

#include "store/backups.h"

#include <QDialog>

class QLineEdit;
class QTreeWidget;

// Tools > Restore Backup: the backups of the working directory with their
// dates and record counts. One is restored into a new folder (never over the
// books), which the dialog then offers to open.
class CRestoreBackupDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CRestoreBackupDlg(const QString &workDir, QWidget *parent = nullptr);

    QTreeWidget *backupList() const { return m_list; }
    QLineEdit *targetEdit() const { return m_target; }
    // The restored folder the user chose to open; empty when none.
    QString folderToOpen() const { return m_open; }
    // The folder a backup is restored into unless the user names another:
    // beside the working directory, named by the backup's date, not yet taken.
    static QString suggestedFolder(const QString &workDir, const QDate &day);

private:
    void onSelection();
    void onBrowse();
    void onRestore();

    QString m_workDir;
    QList<BackupInfo> m_backups;
    QTreeWidget *m_list;
    QLineEdit *m_target;
    QString m_open;
};
