#include "app/CSingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QWidget>

#include "app/LocalFileName.h"

namespace {
constexpr int kMaxTitle = 4096;
}

CSingleInstance::CSingleInstance(QObject* parent)
    : QObject(parent), m_pServer(new QLocalServer(this)) {
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::ServerName() {
    const QString custom = qEnvironmentVariable("ZELVOR_INSTANCE_NAME");
    if (!custom.isEmpty())
        return custom;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QStringLiteral("user");
    return QStringLiteral("ZelvorLogViewer-") + user;
}

bool CSingleInstance::RaiseExisting(const QString& title, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    // The title carries the file name: its bytes go as they are, not UTF-8 made of them.
    socket.write(localname::Encode(title) + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine().trimmed() == "1";
}

bool CSingleInstance::Listen(QWidget* window) {
    m_pWindow = window;
    // Listening would take the name over from a viewer that still answers; leave it to that one.
    {
        QLocalSocket probe;
        probe.connectToServer(ServerName());
        if (probe.waitForConnected(300)) {
            probe.disconnectFromServer();
            return false;
        }
    }
    // A socket left behind by a viewer that crashed answers nobody.
    QLocalServer::removeServer(ServerName());
    return m_pServer->listen(ServerName());
}

void CSingleInstance::OnConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QPointer<QWidget> window = m_pWindow;
        connect(socket, &QLocalSocket::readyRead, socket, [socket, window] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxTitle)
                    socket->abort();
                return;
            }
            const QByteArray title = socket->readLine(kMaxTitle).trimmed();
            const bool mine =
                window && !title.isEmpty() && localname::Encode(window->windowTitle()) == title;
            if (mine) {
                window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                window->show();
                window->raise();
                window->activateWindow();
            }
            socket->write(mine ? "1\n" : "0\n");
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}
