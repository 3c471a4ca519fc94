#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "vekora.instance", QtWarningMsg)

namespace {
const QByteArray showRequest = "show\n";
constexpr timeval connectLimit = {1, 0};
constexpr int backlog = 8;
// A peer that sends this much without a line break is not another start of this program.
constexpr qsizetype requestLimit = 64;

// The same file reached through a symbolic link to its folder is the same settings.
QString settingsIdentity(const QString &settingsFile) {
    const QFileInfo file(settingsFile);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absoluteFilePath() : folder + u'/' + file.fileName();
}

// False when the path does not fit into a socket address.
bool toAddress(const QString &path, sockaddr_un &address) {
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || std::size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    return true;
}

const sockaddr *asSockaddr(const sockaddr_un &address) {
    return reinterpret_cast<const sockaddr *>(&address);
}
} // namespace

SingleInstance::SingleInstance(const QString &settingsFile, QObject *parent)
    : QObject(parent), m_socketPath(socketPath(settingsFile)) {}

SingleInstance::~SingleInstance() {
    // A disabled one has been hung up already and only waits for its deletion.
    const auto sockets = findChildren<QSocketNotifier *>();
    for (QSocketNotifier *socket : sockets) {
        if (socket->isEnabled())
            hangUp(socket);
    }
    // Removes the socket file, so the next start need not test it.
    if (m_listener)
        QFile::remove(m_socketPath);
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
    listen();
    return true;
}

bool SingleInstance::tellRunningCopy() {
    sockaddr_un address;
    if (!toAddress(m_socketPath, address))
        return false; // listen() says why
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A copy that hangs with a full queue must not hang this start too.
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &connectLimit, sizeof connectLimit);
    if (::connect(fd, asSockaddr(address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        // No file or no listener: nobody runs. Anything else (a connection that neither comes
        // nor fails) means something is there, and a second copy would ring twice.
        switch (error) {
        case ENOENT:
        case ENOTDIR:
        case ECONNREFUSED:
        case EINVAL:
        case EACCES:
        case EPERM:
            return false;
        default:
            qCWarning(lcInstance) << "a running copy does not answer:" << std::strerror(error);
            return true;
        }
    }
    if (::send(fd, showRequest.constData(), std::size_t(showRequest.size()), MSG_NOSIGNAL) !=
        showRequest.size())
        qCWarning(lcInstance) << "the running copy did not take the request:"
                              << std::strerror(errno);
    ::close(fd);
    return true;
}

void SingleInstance::listen() {
    const auto fail = [this](const char *why) {
        qCWarning(lcInstance) << "cannot listen on" << m_socketPath << ":" << why
                              << "; a second start will not be noticed";
    };
    sockaddr_un address;
    if (!toAddress(m_socketPath, address))
        return fail("the path is too long");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return fail(std::strerror(errno));
    // The socket file takes these rights from the socket as it is made: only this user may ask
    // for the window, with no moment in which others could.
    ::fchmod(fd, S_IRUSR | S_IWUSR);
    // Nobody answered, so a socket file still there is a crashed copy's.
    ::unlink(address.sun_path);
    if (::bind(fd, asSockaddr(address), sizeof address) != 0 || ::listen(fd, backlog) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(std::strerror(error));
    }
    m_listener = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_listener, &QSocketNotifier::activated, this, &SingleInstance::acceptPending);
}

void SingleInstance::acceptPending() {
    int fd;
    while ((fd = ::accept4(int(m_listener->socket()), nullptr, nullptr,
                           SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0) {
        auto *connection = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        auto received = std::make_shared<QByteArray>();
        connect(connection, &QSocketNotifier::activated, this,
                [this, connection, received] { readRequest(connection, *received); });
    }
}

void SingleInstance::readRequest(QSocketNotifier *connection, QByteArray &received) {
    char bytes[requestLimit];
    ssize_t count;
    while ((count = ::read(int(connection->socket()), bytes, sizeof bytes)) > 0) {
        received.append(bytes, count);
        if (const qsizetype end = received.indexOf('\n'); end >= 0) {
            if (received.left(end + 1) == showRequest) {
                qCInfo(lcInstance) << "another start: bringing the window back";
                emit activationRequested();
            }
            return hangUp(connection);
        }
        if (received.size() > requestLimit)
            return hangUp(connection);
    }
    // The rest of the line may still come; an end or an error will not bring it.
    if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
        hangUp(connection);
}

void SingleInstance::hangUp(QSocketNotifier *connection) {
    connection->setEnabled(false);
    ::close(int(connection->socket()));
    connection->deleteLater();
}
