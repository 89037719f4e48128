#include "runguard.h"

#include <QCryptographicHash>

RunGuard::RunGuard(const QString &base)
    : base(base)
    , memLockKey(instanceKey(base, QStringLiteral("_memLockKey")))
    , sharedMemKey(instanceKey(base, QStringLiteral("_sharedmemKey")))
    , sharedMem(sharedMemKey)
    , memLock(memLockKey, 1)
{
    // Attaching and dropping a second handle removes a segment that a killed instance left:
    // the last detach of a segment nobody else holds deletes it.
    memLock.acquire();
    {
        QSharedMemory fix(sharedMemKey);
        fix.attach();
    }
    memLock.release();
}

RunGuard::~RunGuard()
{
    releaseInstance();
}

QString RunGuard::instanceKey(const QString &base, const QString &salt)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(base.toUtf8() + salt.toUtf8(), QCryptographicHash::Sha1).toHex());
}

bool RunGuard::otherInstanceRunning()
{
    if (sharedMem.isAttached())
        return false;
    memLock.acquire();
    const bool running = sharedMem.attach();
    if (running)
        sharedMem.detach();
    memLock.release();
    return running;
}

bool RunGuard::claimInstance()
{
    if (otherInstanceRunning())
        return false;
    memLock.acquire();
    const bool created = sharedMem.create(8);
    memLock.release();
    if (!created) {
        releaseInstance();
        return false;
    }
    return true;
}

void RunGuard::releaseInstance()
{
    memLock.acquire();
    if (sharedMem.isAttached())
        sharedMem.detach();
    memLock.release();
}
