#include "os/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace zelto::os {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kLockTakeOverAfterMs = 0; // only a dead owner gives up the lock
const QByteArray kRaiseRequest = "raise\n";

// A Unix socket path holds at most 107 bytes; the temporary folder takes part of that.
constexpr int kLongestPlainName = 60;

} // namespace

SingleInstance::SingleInstance(const QString &instanceName, QObject *parent)
    : QObject(parent)
    , m_serverName(ServerNameFor(instanceName))
    , m_lock(QDir::temp().filePath(m_serverName + QStringLiteral(".lock")))
{
    m_lock.setStaleLockTime(kLockTakeOverAfterMs);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerNameFor(const QString &instanceName)
{
    QString name = instanceName;
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    if (name.toUtf8().size() <= kLongestPlainName)
        return name;
    const QByteArray digest = QCryptographicHash::hash(instanceName.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("_Zelto_LOGIN_") + QString::fromLatin1(digest.toHex());
}

bool SingleInstance::AskRunningInstanceToRaise()
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (socket.waitForConnected(kConnectTimeoutMs)) {
        socket.write(kRaiseRequest);
        socket.waitForBytesWritten(kConnectTimeoutMs);
        socket.disconnectFromServer();
        return true;
    }
    // No answer: the name is taken only when the lock's owner is alive.
    QLockFile probe(m_lock.fileName());
    probe.setStaleLockTime(kLockTakeOverAfterMs);
    if (probe.tryLock(0)) {
        probe.unlock();
        return false;
    }
    return probe.error() == QLockFile::LockFailedError;
}

bool SingleInstance::Claim()
{
    if (!m_lock.tryLock(0))
        return false;
    QLocalServer::removeServer(m_serverName); // a socket left by a crashed owner
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
    return m_server->listen(m_serverName);
}

void SingleInstance::OnNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kRaiseRequest.trimmed()))
                emit RaiseRequested();
            socket->disconnectFromServer();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

} // namespace zelto::os
