#include "runguard.h"

#include <QCryptographicHash>

RunGuard::RunGuard(const QString &base, const QString &folder)
    : memLockKey(instanceKey(base, QStringLiteral("_memLockKey")))
    , sharedMemKey(instanceKey(base, QStringLiteral("_sharedmemKey")))
    , claim(folder, memLockKey, sharedMemKey)
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

bool RunGuard::handOver(const QStringList &files) const
{
    return claim.sendToHolder(handOverMessage(files));
}

std::optional<QStringList> RunGuard::receiveHandOver()
{
    const std::optional<QByteArray> message = claim.receiveMessage();
    if (!message)
        return std::nullopt;
    return handedOverFiles(*message);
}

// One absolute path a line, in UTF-8; no files is a plain start that brings the window up.
QByteArray RunGuard::handOverMessage(const QStringList &files)
{
    QByteArray message;
    for (const QString &file : files)
        message += file.toUtf8() + '\n';
    return message;
}

QStringList RunGuard::handedOverFiles(const QByteArray &message)
{
    QStringList files;
    for (const QByteArray &line : message.split('\n')) {
        if (!line.isEmpty())
            files << QString::fromUtf8(line);
    }
    return files;
}
