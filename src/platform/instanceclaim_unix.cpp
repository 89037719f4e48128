#include "instanceclaim.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// An advisory lock on a file of the temporary folder: the kernel drops it with the process,
// unlike a System V segment or semaphore, which outlive a killed process.
struct InstanceClaim::Handle
{
    QString path;
    int fd = -1;
    bool held = false;
};

InstanceClaim::InstanceClaim(const QString &, const QString &claimKey)
    : handle(std::make_unique<Handle>())
{
    handle->path = QDir::tempPath() + QStringLiteral("/tev-") + claimKey + QStringLiteral(".lock");
    handle->fd
        = ::open(QFile::encodeName(handle->path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

InstanceClaim::~InstanceClaim()
{
    release();
    if (handle->fd >= 0)
        ::close(handle->fd);
}

bool InstanceClaim::isHeld() const
{
    return handle->held;
}

bool InstanceClaim::heldElsewhere()
{
    if (handle->held)
        return false;
    if (!acquire())
        return true;
    release();
    return false;
}

bool InstanceClaim::acquire()
{
    if (handle->held)
        return true;
    if (handle->fd < 0)
        return false;
    int result;
    do {
        result = ::flock(handle->fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    handle->held = result == 0;
    return handle->held;
}

void InstanceClaim::release()
{
    if (!handle->held)
        return;
    ::flock(handle->fd, LOCK_UN);
    handle->held = false;
}
