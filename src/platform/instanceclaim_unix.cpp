#include "instanceclaim.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A Unix socket bound to a name in the abstract namespace: the name is machine-wide, needs no
// file that another user could own, and the kernel frees it with the process however it ends.
struct InstanceClaim::Handle
{
    QByteArray name;
    int fd = -1;
};

InstanceClaim::InstanceClaim(const QString &, const QString &claimKey)
    : handle(std::make_unique<Handle>())
{
    handle->name = QByteArrayLiteral("tev-") + claimKey.toLatin1();
}

InstanceClaim::~InstanceClaim()
{
    release();
}

bool InstanceClaim::isHeld() const
{
    return handle->fd >= 0;
}

bool InstanceClaim::heldElsewhere()
{
    if (isHeld())
        return false;
    if (!acquire())
        return true;
    release();
    return false;
}

bool InstanceClaim::acquire()
{
    if (isHeld())
        return true;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    // The leading zero byte puts the name in the abstract namespace.
    const int length = qMin(int(sizeof(address.sun_path)) - 1, int(handle->name.size()));
    std::memcpy(address.sun_path + 1, handle->name.constData(), size_t(length));
    const socklen_t size = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), size) != 0) {
        ::close(fd);
        return false;
    }
    handle->fd = fd;
    return true;
}

void InstanceClaim::release()
{
    if (handle->fd < 0)
        return;
    ::close(handle->fd);
    handle->fd = -1;
}
