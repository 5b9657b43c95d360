#include "app/fennimarapp.h"
#include "uiext/fennimarlook.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationName(QStringLiteral("Fennimar"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FENNIMAR_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("fennimar"));
    applyFennimarLook(app);

    CFennimarApp fennimar;
    if (!fennimar.InitInstance())
        return 0;
    return app.exec();
}
