#include "platform/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

Q_LOGGING_CATEGORY(lcInstance, "vekora.instance", QtWarningMsg)

namespace {
const QByteArray showRequest = "show\n";
constexpr timeval connectLimit = {1, 0};
constexpr int backlog = 8;
// A peer that sends this much without a line break is not another start of this program.
constexpr qsizetype requestLimit = 64;
// Another start sends its line as soon as it is connected. Anything of this user's that connects
// and says nothing (a thousand times, perhaps) gets only a few descriptors, and those not for long:
// the settings save at exit needs descriptors too.
constexpr qsizetype heldLimit = 8;
constexpr std::chrono::seconds idleLimit{3};
// Out of descriptors, the connection waiting to be taken stays queued and the listener would wake
// again at once; it rests this long instead.
constexpr std::chrono::milliseconds acceptPause{100};

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

// Another user who could make, replace or read what lies at `path` could keep this program from
// starting or take its requests: only what this user holds, with none of the `others` rights
// given away, is trusted. A link is never followed.
bool ownedAlone(const QString &path, mode_t type, mode_t others) {
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 &&
           (status.st_mode & S_IFMT) == type && status.st_uid == ::geteuid() &&
           (status.st_mode & others) == 0;
}

// The runtime folder, else one of this user's own in the temporary folder (a plain ssh log-in
// has no runtime folder); empty when the one found there is not this user's alone.
QString instanceFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && ownedAlone(runtime, S_IFDIR, S_IRWXG | S_IRWXO))
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/vekora-%1").arg(::geteuid());
    ::mkdir(QFile::encodeName(own).constData(), S_IRWXU);
    if (ownedAlone(own, S_IFDIR, S_IRWXG | S_IRWXO))
        return own;
    qCWarning(lcInstance).noquote()
        << own << "is not this user's alone; a second start will not be noticed";
    return {};
}

// A lock another user left in this user's folder (root can) would only make the start wait.
bool foreignLock(const QString &path) {
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 ||
        ownedAlone(path, S_IFREG, S_IWOTH))
        return false;
    qCWarning(lcInstance).noquote() << path << "is not this user's own; it is ignored";
    return true;
}
} // namespace

SingleInstance::SingleInstance(const QString &settingsFile, QObject *parent) : QObject(parent) {
    if (const QString folder = instanceFolder(); !folder.isEmpty())
        m_socketPath = folder + u'/' + socketName(settingsFile);
}

SingleInstance::~SingleInstance() {
    for (QSocketNotifier *connection : std::as_const(m_held))
        hangUp(connection);
    // Removes the socket file, so the next start need not test it.
    if (m_listener)
        QFile::remove(m_socketPath);
}

QString SingleInstance::socketName(const QString &settingsFile) {
    const QByteArray hash = QCryptographicHash::hash(settingsIdentity(settingsFile).toUtf8(),
                                                     QCryptographicHash::Sha256)
                                .toHex()
                                .left(16);
    return QStringLiteral("vekora-") + QString::fromLatin1(hash);
}

bool SingleInstance::claim() {
    if (m_socketPath.isEmpty())
        return true;
    // Two copies started at the same moment must not both find the name free: the test and
    // the take-over happen under a lock file, which a crashed holder does not keep. Another
    // user's lock would only make this start wait and then go on anyway.
    QLockFile lock(m_socketPath + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!foreignLock(lock.fileName()) && !lock.tryLock(5000))
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
    // Only a copy run by this same user may have the request: anyone can listen on a name.
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != ::geteuid()) {
        ::close(fd);
        qCWarning(lcInstance).noquote() << m_socketPath << "is held by another user; it is ignored";
        return false;
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
    for (;;) {
        const int fd =
            ::accept4(int(m_listener->socket()), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            // A peer that gave up while queued is gone; the next may still wait.
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                m_acceptFailing = false;
            else
                pauseListening(errno);
            return;
        }
        // At the limit the one waiting longest goes: a real start would have spoken by now.
        if (m_held.size() >= heldLimit)
            drop(m_held.constFirst());
        auto *connection = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        m_held.append(connection);
        auto received = std::make_shared<QByteArray>();
        connect(connection, &QSocketNotifier::activated, this,
                [this, connection, received] { readRequest(connection, *received); });
        QTimer::singleShot(idleLimit, connection, [this, connection] { drop(connection); });
        // Its line is most likely there already; read before later arrivals push it out.
        readRequest(connection, *received);
    }
}

void SingleInstance::pauseListening(int error) {
    if (!std::exchange(m_acceptFailing, true))
        qCWarning(lcInstance) << "cannot take connections:" << std::strerror(error)
                              << "; trying again in a moment";
    m_listener->setEnabled(false);
    QTimer::singleShot(acceptPause, m_listener,
                       [listener = m_listener] { listener->setEnabled(true); });
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
            return drop(connection);
        }
        if (received.size() > requestLimit)
            return drop(connection);
    }
    // The rest of the line may still come; an end or an error will not bring it.
    if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
        drop(connection);
}

// Whatever comes first (its line, its end, its time, a newer connection) hangs up; the rest find
// it gone.
void SingleInstance::drop(QSocketNotifier *connection) {
    if (m_held.removeOne(connection))
        hangUp(connection);
}

void SingleInstance::hangUp(QSocketNotifier *connection) {
    connection->setEnabled(false);
    ::close(int(connection->socket()));
    connection->deleteLater();
}
