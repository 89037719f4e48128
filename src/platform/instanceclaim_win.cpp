#include "instanceclaim.h"

#include <QSharedMemory>
#include <QSystemSemaphore>

// An 8-byte shared memory segment marks the running instance; a system semaphore serialises
// every attach, detach and create of it. Windows deletes both with the last handle, so a killed
// instance leaves nothing behind. The names live in the session's namespace, so the folder is
// not needed, and later starts deliver no messages.
struct InstanceClaim::Handle
{
    Handle(const QString &lockKey, const QString &claimKey)
        : memory(claimKey)
        , lock(lockKey, 1)
    { }

    QSharedMemory memory;
    QSystemSemaphore lock;
};

InstanceClaim::InstanceClaim(const QString &, const QString &lockKey, const QString &claimKey)
    : handle(std::make_unique<Handle>(lockKey, claimKey))
{
    handle->lock.acquire();
    {
        QSharedMemory probe(claimKey);
        probe.attach();
    }
    handle->lock.release();
}

InstanceClaim::~InstanceClaim()
{
    release();
}

bool InstanceClaim::isHeld() const
{
    return handle->memory.isAttached();
}

bool InstanceClaim::heldElsewhere()
{
    if (isHeld())
        return false;
    handle->lock.acquire();
    const bool running = handle->memory.attach();
    if (running)
        handle->memory.detach();
    handle->lock.release();
    return running;
}

bool InstanceClaim::acquire()
{
    if (heldElsewhere())
        return false;
    handle->lock.acquire();
    const bool created = handle->memory.create(8);
    handle->lock.release();
    return created;
}

void InstanceClaim::release()
{
    handle->lock.acquire();
    if (handle->memory.isAttached())
        handle->memory.detach();
    handle->lock.release();
}

QString InstanceClaim::errorString() const
{
    return handle->memory.errorString();
}

int InstanceClaim::messageSocket() const
{
    return -1;
}

bool InstanceClaim::sendToHolder(const QByteArray &) const
{
    return false;
}

std::optional<QByteArray> InstanceClaim::receiveMessage()
{
    return std::nullopt;
}
