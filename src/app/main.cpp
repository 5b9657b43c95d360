#include "app/fennimarapp.h"
#include "uiext/fennimarlook.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = "Usage: fennimar [--version] [--help]\n"
                      "\n"
                      "Fennimar keeps your bank accounts, transactions and plans. It opens the books of the\n"
                      "working directory it remembers, and asks for one on the first start. It needs a\n"
                      "graphical session; fennimar-cli keeps the same books from a terminal.\n"
                      "\n"
                      "  --version  print the version and quit\n"
                      "  --help     print this help and quit\n";

} // namespace

int main(int argc, char **argv)
{
    // Answered before any window system is asked for, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("fennimar %s\n", FENNIMAR_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationName(QStringLiteral("Fennimar"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FENNIMAR_VERSION));
    // The desktop entry's name: the task bar finds the icon and groups the windows by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.fennimar.Fennimar"));
    applyFennimarLook(app);

    CFennimarApp fennimar;
    if (!fennimar.InitInstance())
        return 0;
    return app.exec();
}
