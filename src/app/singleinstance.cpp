#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

#include <unistd.h>

namespace {

const QByteArray kShow("show\n");
constexpr int kWaitMs = 1000;

} // namespace

CSingleInstance::CSingleInstance(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = m_server.nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().contains(kShow.trimmed()))
                    Q_EMIT showRequested();
            });
        }
    });
}

QString CSingleInstance::socketName(const QString &workDir)
{
    // Per user and folder; a name of fixed length, whatever the path.
    const QString folder =
        QDir(workDir).canonicalPath().isEmpty() ? QDir(workDir).absolutePath() : QDir(workDir).canonicalPath();
    const QByteArray key = QByteArray::number(uint(::getuid())) + '\n' + folder.toUtf8();
    return QStringLiteral("fennimar-")
           + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex());
}

bool CSingleInstance::askRunning(const QString &workDir)
{
    if (workDir.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketName(workDir));
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kShow);
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::claim(const QString &workDir)
{
    const QString name = socketName(workDir);
    if (m_server.isListening() && m_server.serverName() == name)
        return true;
    // Asked first: listening with access options replaces a socket file in use.
    if (askRunning(workDir))
        return false;
    const QString held = m_server.isListening() ? m_server.serverName() : QString();
    m_server.close();
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answers: any socket file is one a program left when it ended.
    QLocalServer::removeServer(name);
    if (m_server.listen(name))
        return true;
    if (!held.isEmpty())
        m_server.listen(held);
    return false;
}
