#include "fennimarapp.h"

#include "logindlg.h"
#include "mainframe.h"
#include "fileio.h"
#include "messagebox.h"
#include "preferencedlg.h"
#include "profile.h"
#include "settingsfile.h"
#include "stringtable.h"

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
    const QString folder = lastFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                                : lastFolder;
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

QString CFennimarApp::profileWorkDir()
{
    return ::profileWorkDir();
}

void CFennimarApp::writeProfile(const QString &workDir, int first, int second)
{
    ::writeProfile(workDir, first, second);
}

int CFennimarApp::readShowValues()
{
    return ::readShowValues();
}

void CFennimarApp::writeShowValues(int show)
{
    ::writeShowValues(show);
}

bool CFennimarApp::chooseWorkDir()
{
    CPreferenceDlg chooser(QString(), CPreferenceDlg::kStartUpMode);
    if (chooser.exec() != QDialog::Accepted || chooser.directory().isEmpty()) {
        g_strWorkDir.clear();
        return false;
    }
    g_strWorkDir = chooser.workDir();
    makePrivateDir(g_strWorkDir);
    // A new working directory starts with its own settings file.
    createDefaultSettings(g_strWorkDir);
    return true;
}

bool CFennimarApp::InitInstance()
{
    g_strWorkDir = profileWorkDir();
    // Without a working directory yet there is no settings file to look for.
    if (!g_strWorkDir.isEmpty())
        createDefaultSettings(g_strWorkDir);

    // A settings file that is there but cannot be read whole admits nobody.
    const SettingsRead settings = readSettingsFile(g_strWorkDir);
    if (settings.status == SettingsRead::Damaged) {
        showMessage(nullptr, settingsDamageMessage(g_strWorkDir, settings), MessageIcon::Stop);
        return false;
    }

    CLoginDlg login(g_strWorkDir);
    if (login.exec() != QDialog::Accepted)
        return false;

    if (!g_strWorkDir.isEmpty() && !QFileInfo::exists(g_strWorkDir)) {
        showMessage(nullptr, LoadText(IDS_WORKDIR_MOVED));
        if (!chooseWorkDir())
            return false;
    } else if (g_strWorkDir.isEmpty()) {
        if (!chooseWorkDir())
            return false;
    }

    m_store.setWorkDir(g_strWorkDir);
    CMainFrame::Services services;
    services.workDir = [this] { return g_strWorkDir; };
    services.setWorkDir = [this](const QString &dir) { g_strWorkDir = dir; };
    services.saveFileName = askSaveFileName;
    services.openFile = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    services.writeProfile = &CFennimarApp::writeProfile;
    services.choosePrinter = [](QWidget *parent, QPrinter &printer) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        return dialog.exec() == QDialog::Accepted;
    };
    m_frame = std::make_unique<CMainFrame>(m_store, services);
    m_frame->showMaximized();
    return true;
}
