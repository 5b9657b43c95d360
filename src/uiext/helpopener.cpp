#include "helpopener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

std::function<void()> &currentOpener()
{
    static std::function<void()> opener;
    return opener;
}

} // namespace

QString helpFilePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("FennimarHelp.html"));
}

void openHelp()
{
    if (const auto &opener = currentOpener()) {
        opener();
        return;
    }
    // What the desktop does with a missing file is its own affair.
    QDesktopServices::openUrl(QUrl::fromLocalFile(helpFilePath()));
}

std::function<void()> setHelpOpener(std::function<void()> opener)
{
    return std::exchange(currentOpener(), std::move(opener));
}
