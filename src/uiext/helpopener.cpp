#include "uiext/helpopener.h"

#include "uiext/messagebox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
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
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("FennimarHelp.html"));
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
