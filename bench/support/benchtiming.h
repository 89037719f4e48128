#pragma once

#include <QElapsedTimer>
#include <QList>
#include <algorithm>
#include <functional>

// The timing helpers every benchmark uses.
namespace BenchTiming {

// The median of the figures.
inline double median(QList<double> figures)
{
    std::sort(figures.begin(), figures.end());
    return figures.at(figures.size() / 2);
}

// How long the work took, in milliseconds.
inline double timed(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace BenchTiming
