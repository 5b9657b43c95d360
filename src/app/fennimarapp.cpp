#include "app/fennimarapp.h"

#include "app/backupcommands.h"
#include "app/mainframe.h"
#include "dialogs/logindlg.h"
#include "dialogs/preferencedlg.h"
#include "res/stringtable.h"
#include "store/fileio.h"
#include "store/profile.h"
#include "store/settingsfile.h"
#include "uiext/messagebox.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QStandardPaths>
#include <QUrl>

namespace {

// Save dialogs start in the user's documents folder, then in the last folder used.
QString askSaveFileName(QWidget *parent, const QString &caption, const QString &suggested, const QString &suffix,
                        const QString &filter)
{
    static QString lastFolder;
    const QString folder =
        lastFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : lastFolder;
    QFileDialog dialog(parent, caption, QDir(folder).filePath(suggested), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QString path = dialog.selectedFiles().value(0);
    lastFolder = QFileInfo(path).absolutePath();
    return path;
}

} // namespace

CFennimarApp::CFennimarApp() = default;

CFennimarApp::~CFennimarApp() = default;

bool CFennimarApp::chooseWorkDir()
{
    CPreferenceDlg chooser(QString(), CPreferenceDlg::kStartUpMode);
    if (chooser.exec() != QDialog::Accepted || chooser.directory().isEmpty()) {
        m_store.setWorkDir(QString());
        return false;
    }
    const QString dir = chooser.workDir();
    m_store.setWorkDir(dir);
    makePrivateDir(dir);
    // A new working directory starts with its own settings file.
    createDefaultSettings(dir);
    return true;
}

bool CFennimarApp::InitInstance()
{
    m_store.setWorkDir(profileWorkDir());
    const QString remembered = m_store.workDir();
    if (CSingleInstance::askRunning(remembered))
        return false;
    // Without a working directory yet there is no settings file to look for.
    if (!remembered.isEmpty())
        createDefaultSettings(remembered);

    // A settings file that is there but cannot be read whole admits nobody.
    const SettingsRead settings = readSettingsFile(remembered);
    if (settings.status == SettingsRead::Damaged) {
        showMessage(nullptr, settingsDamageMessage(remembered, settings), MessageIcon::Stop);
        return false;
    }

    CLoginDlg login(remembered);
    if (login.exec() != QDialog::Accepted)
        return false;

    if (!remembered.isEmpty() && !QFileInfo::exists(remembered)) {
        showMessage(nullptr, LoadText(IDS_WORKDIR_MOVED));
        if (!chooseWorkDir())
            return false;
    } else if (remembered.isEmpty()) {
        if (!chooseWorkDir())
            return false;
    }

    // Chosen just now, the folder may be another running program's.
    if (!m_instance.claim(m_store.workDir()))
        return false;

    CMainFrame::Services services;
    services.saveFileName = askSaveFileName;
    services.openFile = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    services.writeProfile = &writeProfile;
    services.choosePrinter = [](QWidget *parent, QPrinter &printer) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        return dialog.exec() == QDialog::Accepted;
    };
    services.claimWorkDir = [this](const QString &dir) { return m_instance.claim(dir); };
    m_frame = std::make_unique<CMainFrame>(m_store, services);
    // Maximised, or as the window was left the last time.
    const QByteArray geometry = readWindowGeometry();
    if (!geometry.isEmpty() && m_frame->restoreGeometry(geometry))
        m_frame->show();
    else
        m_frame->showMaximized();
    QObject::connect(&m_instance, &CSingleInstance::showRequested, m_frame.get(), [frame = m_frame.get()] {
        if (frame->isMinimized())
            frame->showNormal();
        frame->raise();
        frame->activateWindow();
    });
    // At most once a day, once the window shows.
    CBackupCommands::backUpIfDue(*m_frame);
    return true;
}
