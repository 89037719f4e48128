#pragma once

#include "platform/apppaths.h"
#include "platform/instanceclaim.h"

#include <QString>

#include <QStringList>

// Lets one instance of the program run: per machine for a portable program folder, per user for
// an installed one (AppPaths::claimDir()). Both keys derive from one fixed base string; a
// running instance holds the claim named by the shared memory key, and later starts hand their
// files over to it.
class RunGuard
{
public:
    explicit RunGuard(const QString &base, const QString &folder = AppPaths::claimDir());
    ~RunGuard();
    RunGuard(const RunGuard &) = delete;
    RunGuard &operator=(const RunGuard &) = delete;

    // The 40 lower-case hexadecimal digits of SHA-1(UTF-8 of base + salt).
    static QString instanceKey(const QString &base, const QString &salt);

    // False while this object holds the claim.
    bool otherInstanceRunning();
    // Claims the instance; false when another instance runs (or the claim fails).
    bool claimInstance();
    void releaseInstance();
    // Why the last claim failed when no other instance holds it; empty otherwise.
    QString errorString() const { return claim.errorString(); }

    // Sends the files to the running instance, which opens them and comes to the front;
    // false when no instance takes them.
    bool handOver(const QStringList &files) const;
    // While claimed: the socket on which the hand-overs of later starts arrive, or -1.
    int handOverSocket() const { return claim.messageSocket(); }
    // The files of the hand-over waiting on handOverSocket(); nullopt when none is waiting.
    std::optional<QStringList> receiveHandOver();
    // The files of one hand-over, as handOver() sends them.
    static QByteArray handOverMessage(const QStringList &files);
    static QStringList handedOverFiles(const QByteArray &message);

    QString memoryLockKey() const { return memLockKey; }
    QString sharedMemoryKey() const { return sharedMemKey; }

private:
    const QString memLockKey;
    const QString sharedMemKey;
    InstanceClaim claim;
};
