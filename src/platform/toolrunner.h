#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>

// One run of an external tool: the program in its tool folder and its arguments as a list, so
// that no file name can break or inject an argument. `commandLine` is what the debug log shows.
struct ToolCommand
{
    QString folder;
    QString program;
    QStringList arguments;
    QString commandLine;
};

struct ToolResult
{
    QByteArray output; // standard output collected while the tool ran
    bool started = false;
    bool finished = false; // ended by itself within the time limit
    bool normalExit = false;
    int exitCode = -1;

    bool succeeded() const { return finished && normalExit && exitCode == 0; }
};

// Runs tools synchronously in their folders and writes the debug log (.tmp/debug.log).
class ToolRunner
{
public:
    static constexpr int timeoutMs = 30000;
    // A limit for work that the user watches and can stop: a tool runs as long as it needs.
    static constexpr int noTimeLimit = -1;

    // With a stop flag, setting it from any thread kills the running tool and makes runTool
    // return at once; once it is set, no further tool starts. `limitMs` bounds each run.
    explicit ToolRunner(const std::atomic_bool *stop = nullptr, int limitMs = timeoutMs);

    // Runs the tool with its folder as working directory, waits at most the runner's limit,
    // then appends a tool-run record under `label`, followed by a marker with the tool's standard
    // error when it wrote any. A tool still running at the limit is killed. Safe to call from
    // several threads at once.
    ToolResult runTool(const ToolCommand &command, const QString &label) const;
    // Whether the stop flag is set: a tool that ended well just as it was set must not count,
    // because the caller has been told that the work stopped.
    bool stopped() const { return stop && stop->load(); }

    // Appends a marker record; a log that cannot be opened drops it silently.
    static void logRecord(const QString &text);
    // Appends a tool-run record for output the caller collected itself.
    static void logToolRun(
        const QString &label, const QByteArray &output, const QString &commandLine);
    static QString logPath();

    // Fills the markers %1, %2, ... of a command-line template in one pass, so that a value
    // that itself holds "%2" is not filled again.
    static QString render(const QString &templ, const QStringList &values);

private:
    static void append(const QByteArray &record);

    const std::atomic_bool *stop;
    const int limitMs;
};
