#include "runguard.h"

#include <QCryptographicHash>

RunGuard::RunGuard(const QString &base)
    : memLockKey(instanceKey(base, QStringLiteral("_memLockKey")))
    , sharedMemKey(instanceKey(base, QStringLiteral("_sharedmemKey")))
    , claim(memLockKey, sharedMemKey)
{ }

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
    return claim.heldElsewhere();
}

bool RunGuard::claimInstance()
{
    if (otherInstanceRunning())
        return false;
    if (!claim.acquire()) {
        releaseInstance();
        return false;
    }
    return true;
}

void RunGuard::releaseInstance()
{
    claim.release();
}
