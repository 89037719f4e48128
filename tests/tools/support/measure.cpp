#include "measure.h"

#include <QElapsedTimer>
#include <algorithm>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

std::vector<double> medianMilliseconds(int runs, const std::vector<std::function<void()>> &works)
{
    std::vector<std::vector<double>> times(works.size());
    for (int run = 0; run < runs; ++run) {
        for (size_t i = 0; i < works.size(); ++i) {
            QElapsedTimer clock;
            clock.start();
            works[i]();
            times[i].push_back(double(clock.nsecsElapsed()) / 1e6);
        }
    }
    std::vector<double> medians;
    for (std::vector<double> &series : times) {
        std::sort(series.begin(), series.end());
        medians.push_back(series.empty() ? 0 : series[series.size() / 2]);
    }
    return medians;
}

long peakMemoryKb(const QString &program, const QStringList &arguments)
{
#ifdef Q_OS_UNIX
    std::vector<QByteArray> strings {program.toLocal8Bit()};
    for (const QString &argument : arguments)
        strings.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &string : strings)
        argv.push_back(string.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)
        || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
#else
    Q_UNUSED(program);
    Q_UNUSED(arguments);
    return -1;
#endif
}
