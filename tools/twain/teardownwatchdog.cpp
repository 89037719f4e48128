#include "teardownwatchdog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

TeardownWatchdog::~TeardownWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        disarmed = true;
    }
    wake.notify_all();
    if (watcher.joinable())
        watcher.join();
}

void TeardownWatchdog::arm(std::function<void()> report, int exitCode, int seconds)
{
    watcher = std::thread([this, report = std::move(report), exitCode, seconds] {
        std::unique_lock<std::mutex> lock(mutex);
        if (wake.wait_for(lock, std::chrono::seconds(seconds), [this] { return disarmed; }))
            return;
        report();
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(exitCode);
    });
}
