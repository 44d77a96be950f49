#include "platform/SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {
constexpr quint32 kMagic = 0x4b4f4431;   // "KOD1"
constexpr char kTaken = 'K';
constexpr qint64 kMaxMessage = 16 * 1024 * 1024;

QString safePart(QString s)
{
    for (QChar &c : s)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'_')
            c = u'_';
    return s;
}
} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent), m_name(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultName()
{
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    display = display.isEmpty() ? QStringLiteral("x") + qEnvironmentVariable("DISPLAY") : QStringLiteral("w") + display;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/kodoplet-") + safePart(display) + QStringLiteral(".socket");
}

bool SingleInstance::sendToRunning(const QStringList &message, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << kMagic << message;
    }
    QByteArray framed;
    QDataStream(&framed, QIODevice::WriteOnly) << quint32(bytes.size());
    socket.write(framed + bytes);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == kTaken;
}

bool SingleInstance::listen()
{
    if (m_server)
        return true;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_name)) {
        // Nobody answered on it: a copy that ended without removing it.
        QLocalServer::removeServer(m_name);
        if (!server->listen(m_name)) {
            delete server;
            return false;
        }
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
    return true;
}

void SingleInstance::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A client that sends nothing (or too little) is dropped after a while.
        QTimer::singleShot(5000, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < 4)
                return;
            quint32 size = 0;
            QDataStream(socket->peek(4)) >> size;
            if (size > kMaxMessage) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < 4 + qint64(size))
                return;
            socket->read(4);
            const QByteArray bytes = socket->read(size);
            QDataStream in(bytes);
            in.setVersion(QDataStream::Qt_6_0);
            quint32 magic = 0;
            QStringList message;
            in >> magic >> message;
            if (in.status() != QDataStream::Ok || magic != kMagic) {
                socket->abort();
                return;
            }
            socket->write(&kTaken, 1);
            socket->flush();
            socket->disconnectFromServer();
            emit received(message);
        });
    }
}
