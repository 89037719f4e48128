#pragma once

#include "platform/instanceclaim.h"

#include <QString>

// Lets one instance of the program run per machine. Both keys derive from one fixed base
// string; a running instance holds the claim named by the shared memory key.
class RunGuard
{
public:
    explicit RunGuard(const QString &base);
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

    QString memoryLockKey() const { return memLockKey; }
    QString sharedMemoryKey() const { return sharedMemKey; }

private:
    const QString memLockKey;
    const QString sharedMemKey;
    InstanceClaim claim;
};
