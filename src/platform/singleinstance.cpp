#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcInstance, "vekora.instance", QtWarningMsg)

namespace {
const QByteArray showRequest = "show\n";
constexpr int connectMs = 1000;
constexpr int writeMs = 1000;

// The same file reached through a symbolic link to its folder is the same settings.
QString settingsIdentity(const QString &settingsFile) {
    const QFileInfo file(settingsFile);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absoluteFilePath() : folder + u'/' + file.fileName();
}
} // namespace

SingleInstance::SingleInstance(const QString &settingsFile, QObject *parent)
    : QObject(parent), m_socketPath(socketPath(settingsFile)) {}

SingleInstance::~SingleInstance() {
    if (m_server)
        m_server->close(); // removes the socket file, so the next start need not test it
}

QString SingleInstance::socketPath(const QString &settingsFile) {
    const QByteArray hash = QCryptographicHash::hash(settingsIdentity(settingsFile).toUtf8(),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(16);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/vekora-") + QString::fromLatin1(hash);
}

bool SingleInstance::claim() {
    // Two copies started at the same moment must not both find the name free: the test and
    // the take-over happen under a lock file, which a crashed holder does not keep.
    QLockFile lock(m_socketPath + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(5000))
        qCWarning(lcInstance) << "could not lock" << lock.fileName() << "; going on unguarded";

    if (tellRunningCopy())
        return false;

    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    // Nobody answered, so a socket file still there is a crashed copy's.
    QLocalServer::removeServer(m_socketPath);
    if (!m_server->listen(m_socketPath))
        qCWarning(lcInstance) << "cannot listen on" << m_socketPath << ":"
                              << m_server->errorString() << "; a second start will not be noticed";
    return true;
}

bool SingleInstance::tellRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(connectMs)) {
        // No file or no listener: nobody runs. Anything else (a connection that neither comes
        // nor fails) means something is there, and a second copy would ring twice.
        const auto error = socket.error();
        return error != QLocalSocket::ServerNotFoundError &&
               error != QLocalSocket::ConnectionRefusedError &&
               error != QLocalSocket::SocketAccessError;
    }
    socket.write(showRequest);
    if (!socket.waitForBytesWritten(writeMs))
        qCWarning(lcInstance) << "the running copy did not take the request:"
                              << socket.errorString();
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == showRequest) {
                qCInfo(lcInstance) << "another start: bringing the window back";
                emit activationRequested();
            }
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        read(); // the request may have come with the connection
    }
}
