#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Ends the program with a decided outcome when a scanner driver does not return from its
// teardown (cancel, close, exit). Some drivers cancel their reader thread while it holds a lock
// and then wait for it forever; the scan itself is over by then, and the caller is waiting for
// this program to end.
class TeardownWatchdog
{
public:
    TeardownWatchdog() = default;
    // Disarms; the teardown returned in time.
    ~TeardownWatchdog();
    TeardownWatchdog(const TeardownWatchdog &) = delete;
    TeardownWatchdog &operator=(const TeardownWatchdog &) = delete;

    // From now on, a teardown that takes longer than `seconds` runs `report` (which prints what
    // the program would have printed) and ends the process with `exitCode`.
    void arm(std::function<void()> report, int exitCode, int seconds = 10);

private:
    std::mutex mutex;
    std::condition_variable wake;
    bool disarmed = false;
    std::thread watcher;
};
