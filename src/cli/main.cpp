#include "cli/fennimarcli.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Charts and printing need fonts, so a graphical application; without a
    // display, the offscreen one.
    std::unique_ptr<QCoreApplication> application;
    if (FennimarCli::drawsPictures(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication &app = *application;
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationName(QStringLiteral("Fennimar"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return FennimarCli(out, err).run(app.arguments());
}
