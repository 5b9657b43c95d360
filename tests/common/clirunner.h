#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace testutil {

// What a run of fennimar-cli gave: its exit code (-1 when it crashed or did
// not end in time) and what it wrote.
struct CliResult
{
    int code = -1;
    QString out;
    QString err;
};

// The environment a test runs the program in: a locale of its own and a
// profile folder of the test's, never the user's.
inline void setUpCli(QProcess &process, const QString &configHome,
                     const QString &locale = QStringLiteral("en_US.UTF-8"))
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    process.setProcessEnvironment(env);
}

// Waits for a started run to end, its standard input closed.
inline CliResult cliResult(QProcess &process)
{
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::CrashExit ? -1 : process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

inline CliResult runCli(const QString &program, const QStringList &args, const QString &configHome,
                        const QString &locale = QStringLiteral("en_US.UTF-8"))
{
    QProcess process;
    setUpCli(process, configHome, locale);
    process.start(program, args);
    return cliResult(process);
}

} // namespace testutil
