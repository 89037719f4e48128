#pragma once

#include <QSharedMemory>
#include <QString>
#include <QSystemSemaphore>

// Lets one instance of the program run per machine. A running instance holds an 8-byte shared
// memory segment; a system semaphore serialises every attach, detach and create of it.
class RunGuard
{
public:
    explicit RunGuard(const QString &base);
    ~RunGuard();
    RunGuard(const RunGuard &) = delete;
    RunGuard &operator=(const RunGuard &) = delete;

    // The 40 lower-case hexadecimal digits of SHA-1(UTF-8 of base + salt).
    static QString instanceKey(const QString &base, const QString &salt);

    bool otherInstanceRunning();
    bool claimInstance();
    void releaseInstance();

    QString memoryLockKey() const { return memLockKey; }
    QString sharedMemoryKey() const { return sharedMemKey; }

private:
    const QString base;
    const QString memLockKey;
    const QString sharedMemKey;
    QSharedMemory sharedMem;
    QSystemSemaphore memLock;
};
