#include "fennimarcli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QCoreApplication::setApplicationName(QStringLiteral("Fennimar"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return FennimarCli(out, err).run(app.arguments());
}
