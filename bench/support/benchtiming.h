#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
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

// The rounds asked for by the first argument, at least one; `fallback` without an argument.
inline int rounds(int argc, char **argv, int fallback)
{
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : fallback;
}

// Benchmarks draw offscreen unless a platform is asked for; call before the application exists.
inline void preferOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace BenchTiming
