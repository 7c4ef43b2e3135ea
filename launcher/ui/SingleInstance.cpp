#include "ui/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent)
    : QObject(parent), m_name(serverName(programFolder))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& programFolder)
{
    const QByteArray hash =
        QCryptographicHash::hash(programFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("arvex-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool SingleInstance::notifyRunningInstance(const QString& textA, const QString& textB)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (socket.waitForConnected(500)) {
        QByteArray message = "activate\n" + textA.toUtf8() + '\n' + textB.toUtf8() + '\n';
        socket.write(message);
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
        return true;
    }
    listen();
    return false;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A socket left behind by a crashed instance: nobody answered it above.
        QLocalServer::removeServer(m_name);
        m_server->listen(m_name);
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (!client->canReadLine())
                    return;
                const QList<QByteArray> lines = client->readAll().split('\n');
                if (lines.value(0) == "activate")
                    emit activationRequested(QString::fromUtf8(lines.value(1)),
                                             QString::fromUtf8(lines.value(2)));
            });
        }
    });
}
