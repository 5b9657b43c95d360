#include "app/backupcommands.h"

#include "app/mainframe.h"
#include "app/midpage.h"
#include "app/undohistory.h"
#include "dialogs/restorebackupdlg.h"
#include "store/backups.h"
#include "store/datastore.h"
#include "uiext/messagebox.h"

#include <QDate>
#include <QDir>
#include <QStatusBar>

CBackupCommands::CBackupCommands(CMainFrame &frame) : QObject(&frame), m_frame(frame) {}

const QList<Command<CBackupCommands>> &CBackupCommands::commands()
{
    using namespace CommandRules;
    using G = CBackupCommands;
    static const QList<Command<G>> table = {
        {ID_RESTORE_BACKUP, always, &G::restoreBackup},
    };
    return table;
}

QString CBackupCommands::backUpIfDue(CMainFrame &frame)
{
    const QString workDir = frame.store().workDir();
    if (workDir.isEmpty())
        return {};
    try {
        const QString path = ::backupIfDue(workDir, QDate::currentDate());
        if (!path.isEmpty())
            frame.statusBar()->showMessage(
                QStringLiteral("Today's backup is in %1").arg(QDir::toNativeSeparators(path)), 10000);
        return path;
    } catch (const FileError &e) {
        showMessage(&frame, QStringLiteral("No backup of the books was made today.\n\n%1").arg(e.message()),
                    MessageIcon::Warning);
        return {};
    }
}

void CBackupCommands::restoreBackup()
{
    CMidPage *page = m_frame.midPage();
    if (page->currentView() == VIEW_CATEGORIES)
        page->saveCategoryTree();
    CRestoreBackupDlg dialog(m_frame.store().workDir(), &m_frame);
    if (dialog.exec() != QDialog::Accepted || dialog.folderToOpen().isEmpty())
        return;
    const QString dir = dialog.folderToOpen();
    if (m_frame.services().claimWorkDir && !m_frame.services().claimWorkDir(dir)) {
        showMessage(&m_frame, QStringLiteral("The books of %1 are open in another Fennimar window; it is shown now.")
                                  .arg(QDir::toNativeSeparators(dir)));
        return;
    }
    // As Preference does for a folder the user chose.
    m_frame.services().writeProfile(dir, 15, 85);
    page->emptyForNewDirectory();
    m_frame.store().setWorkDir(dir);
    m_frame.undoHistory()->clear();
    m_frame.reloadBooks();
    m_frame.refillAccountSelector(false);
    m_frame.refreshCurrentView();
}
