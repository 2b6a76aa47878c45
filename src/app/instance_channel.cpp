#include "app/instance_channel.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {

const QByteArray request = QByteArrayLiteral("activar\n");
const QByteArray answer = QByteArrayLiteral("hecho\n");

} // namespace

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent) {}

bool InstanceChannel::listen(const QString& name)
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = m_server->nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                    if (!socket->canReadLine())
                        return;
                    const bool asked = socket->readLine() == request;
                    if (asked) {
                        socket->write(answer);
                        socket->flush();
                    }
                    socket->disconnectFromServer();
                    if (asked)
                        Q_EMIT activationRequested();
                });
            }
        });
    }
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

bool InstanceChannel::askToActivate(const QString& name, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(int(std::max<qint64>(1, deadline.remainingTime())))) {
            socket.write(request);
            socket.waitForBytesWritten(int(std::max<qint64>(1, deadline.remainingTime())));
            while (!socket.canReadLine() &&
                   socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())))) {
            }
            return socket.canReadLine() && socket.readLine() == answer;
        }
        // The running process may still be starting: it listens once its window is made.
        QThread::msleep(50);
    }
    return false;
}
