#include "uiext/helpopener.h"

#include "uiext/messagebox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

std::function<bool()> &currentOpener()
{
    static std::function<bool()> opener;
    return opener;
}

} // namespace

QString helpFilePath()
{
    // Installed: <prefix>/share/fennimar beside <prefix>/bin; in a build tree: beside the executable.
    const QDir programs(QCoreApplication::applicationDirPath());
    const QString installed = programs.filePath(QStringLiteral("../share/fennimar/FennimarHelp.html"));
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return programs.filePath(QStringLiteral("FennimarHelp.html"));
}

void openHelp(QWidget *parent)
{
    const auto &opener = currentOpener();
    const bool opened = opener ? opener() : QDesktopServices::openUrl(QUrl::fromLocalFile(helpFilePath()));
    if (!opened)
        showMessage(parent,
                    QStringLiteral("No program on this system could open the help. It is the page %1.")
                        .arg(QDir::toNativeSeparators(helpFilePath())),
                    MessageIcon::Information);
}

std::function<bool()> setHelpOpener(std::function<bool()> opener)
{
    return std::exchange(currentOpener(), std::move(opener));
}
