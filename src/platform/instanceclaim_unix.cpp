#include "instanceclaim.h"

#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Owner read-write, and for group and others what they may do in the folder.
mode_t entryMode(const QByteArray &folder)
{
    struct stat info
    {
    };
    if (::stat(folder.constData(), &info) != 0)
        return 0600;
    return 0600 | ((info.st_mode & S_IWGRP) ? 0060 : 0) | ((info.st_mode & S_IWOTH) ? 0006 : 0);
}

int openLockFile(const QByteArray &path, mode_t mode)
{
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, mode);
    struct stat info
    {
    };
    // The umask must not narrow the mode for the other users of a shared portable folder.
    if (fd >= 0 && ::fstat(fd, &info) == 0 && info.st_uid == ::geteuid())
        ::fchmod(fd, mode);
    return fd;
}

// Runs `call` with the socket address of `path`. A path too long for the address is reached
// through the folder's descriptor.
template<typename Call> int withAddress(const QByteArray &folder, const QByteArray &path, Call call)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    int folderFd = -1;
    QByteArray target = path;
    if (size_t(target.size()) >= sizeof(address.sun_path)) {
        folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folderFd < 0)
            return -1;
        target
            = "/proc/self/fd/" + QByteArray::number(folderFd) + '/' + path.mid(folder.size() + 1);
    }
    int result = -1;
    if (size_t(target.size()) < sizeof(address.sun_path)) {
        std::memcpy(address.sun_path, target.constData(), size_t(target.size()));
        result = call(reinterpret_cast<const sockaddr *>(&address), socklen_t(sizeof(address)));
    } else {
        errno = ENAMETOOLONG;
    }
    if (folderFd >= 0)
        ::close(folderFd);
    return result;
}

// What the peer writes until it closes, at most `limit` bytes, waiting at most `timeoutMs` for
// each piece.
QByteArray readAll(int fd, qsizetype limit, int timeoutMs)
{
    QByteArray data;
    char buffer[4096];
    pollfd wait {fd, POLLIN, 0};
    while (data.size() < limit && ::poll(&wait, 1, timeoutMs) > 0) {
        const ssize_t got = ::read(fd, buffer, sizeof(buffer));
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            break;
        data.append(buffer, got);
    }
    return data.left(limit);
}

bool writeAll(int fd, const QByteArray &data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t written = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

// An exclusive flock() on "<name>.lock" in the folder is the claim: the kernel drops it with
// the process, and a lock file left behind locks nobody out. Its holder listens on the socket
// "<name>.sock" beside it, which it replaces at every claim. Both entries are open only to
// those who may write the folder.
struct InstanceClaim::Handle
{
    QByteArray folder;
    QByteArray name;
    int lockFd = -1;
    int socketFd = -1;
    QString error;

    QByteArray entry(const char *suffix) const { return folder + '/' + name + suffix; }
    // Replaces a socket that a killed holder left and listens on it; the claim stands without.
    void listen(mode_t mode);
};

void InstanceClaim::Handle::listen(mode_t mode)
{
    const QByteArray path = entry(".sock");
    ::unlink(path.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    const int bound = withAddress(folder, path,
        [fd](const sockaddr *address, socklen_t size) { return ::bind(fd, address, size); });
    if (bound != 0 || ::chmod(path.constData(), mode) != 0 || ::listen(fd, 16) != 0) {
        ::close(fd);
        return;
    }
    socketFd = fd;
}

InstanceClaim::InstanceClaim(const QString &folder, const QString &, const QString &claimKey)
    : handle(std::make_unique<Handle>())
{
    handle->folder = QFile::encodeName(folder);
    handle->name = ".tev-" + QFile::encodeName(claimKey);
}

InstanceClaim::~InstanceClaim()
{
    release();
}

bool InstanceClaim::isHeld() const
{
    return handle->lockFd >= 0;
}

QString InstanceClaim::errorString() const
{
    return handle->error;
}

int InstanceClaim::messageSocket() const
{
    return handle->socketFd;
}

bool InstanceClaim::heldElsewhere()
{
    if (isHeld())
        return false;
    const int fd = openLockFile(handle->entry(".lock"), entryMode(handle->folder));
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

bool InstanceClaim::acquire()
{
    if (isHeld())
        return true;
    handle->error.clear();
    if (handle->folder.isEmpty()) {
        handle->error = QStringLiteral("ni mape za zagon");
        return false;
    }
    const mode_t mode = entryMode(handle->folder);
    const int fd = openLockFile(handle->entry(".lock"), mode);
    if (fd < 0) {
        handle->error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK)
            handle->error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return false;
    }
    handle->lockFd = fd;
    handle->listen(mode);
    return true;
}

void InstanceClaim::release()
{
    if (handle->socketFd >= 0) {
        ::unlink(handle->entry(".sock").constData());
        ::close(handle->socketFd);
        handle->socketFd = -1;
    }
    if (handle->lockFd >= 0) {
        ::close(handle->lockFd);
        handle->lockFd = -1;
    }
}

bool InstanceClaim::sendToHolder(const QByteArray &message) const
{
    const QByteArray path = handle->entry(".sock");
    // A holder that has just taken the claim may not listen yet.
    for (int attempt = 0; attempt < 40; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        const int connected = withAddress(handle->folder, path,
            [fd](const sockaddr *address, socklen_t size) { return ::connect(fd, address, size); });
        if (connected == 0) {
            const bool sent = writeAll(fd, message);
            ::close(fd);
            return sent;
        }
        ::close(fd);
        if (errno != ENOENT && errno != ECONNREFUSED)
            return false;
        QThread::msleep(50);
    }
    return false;
}

std::optional<QByteArray> InstanceClaim::receiveMessage()
{
    if (handle->socketFd < 0)
        return std::nullopt;
    const int fd = ::accept4(handle->socketFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    const QByteArray message = readAll(fd, 1 << 20, 2000);
    ::close(fd);
    return message;
}
