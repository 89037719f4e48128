#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Measuring program runs for the benchmarks.

// Runs each of `works` `runs` times, taking turns so that the machine's drift hits all alike,
// and returns each one's median time in milliseconds.
std::vector<double> medianMilliseconds(int runs, const std::vector<std::function<void()>> &works);

// Runs `program` with `arguments` and returns its peak resident memory in kilobytes, or -1
// when it could not be measured (or the program failed).
long peakMemoryKb(const QString &program, const QStringList &arguments);
