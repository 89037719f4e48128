#pragma once

#include <QElapsedTimer>
#include <QList>
#include <algorithm>
#include <functional>

// Timing of the benchmarks of this folder.

// The median of the rounds' times.
inline double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

// How long `work` took, in milliseconds.
inline double timed(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}
