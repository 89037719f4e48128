#include "toolrunner.h"

#include "apppaths.h"
#include "platform/platform.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QProcess>

namespace {
QMutex logMutex;
constexpr int pollMs = 50;
} // namespace

ToolRunner::ToolRunner(const std::atomic_bool *stop, int limitMs)
    : stop(stop)
    , limitMs(limitMs)
{ }

ToolResult ToolRunner::runTool(const ToolCommand &command, const QString &label) const
{
    ToolResult result;
    if (stopped())
        return result;
    QProcess process;
    process.setWorkingDirectory(AppPaths::toolDir(command.folder));
    process.setProgram(AppPaths::toolProgram(command.folder, command.program));
    process.setArguments(command.arguments);
    Platform::endWithProgram(process);
    // The time limit counts from the start, so a tool slow to start does not get it twice.
    QElapsedTimer clock;
    clock.start();
    process.start(QIODevice::ReadWrite);
    result.started = process.waitForStarted(timeoutMs);
    if (result.started) {
        process.closeWriteChannel();
        while (!(result.finished = process.waitForFinished(pollMs))) {
            if (stopped() || (limitMs != noTimeLimit && clock.elapsed() >= limitMs))
                break;
        }
        if (!result.finished) {
            process.kill();
            process.waitForFinished(timeoutMs);
        }
        result.normalExit = process.exitStatus() == QProcess::NormalExit;
        result.exitCode = process.exitCode();
    }
    result.output = process.readAllStandardOutput();
    logToolRun(label, result.output, command.commandLine);
    // The tool-run record keeps its layout; what a tool says on its error channel (a failure's
    // reason, the warnings of a composer that still succeeded) follows it as a marker.
    const QByteArray errors = process.readAllStandardError().trimmed();
    if (!errors.isEmpty())
        logRecord(label + QStringLiteral(" - standard error:\r\n") + QString::fromUtf8(errors));
    return result;
}

void ToolRunner::logRecord(const QString &text)
{
    append("\r\n--------" + text.toUtf8() + "----------\r\n");
}

void ToolRunner::logToolRun(
    const QString &label, const QByteArray &output, const QString &commandLine)
{
    const int zero = output.indexOf('\0');
    const QString text = QString::fromUtf8(zero < 0 ? output : output.left(zero));
    append("breakpoint:\r\n" + label.toUtf8() + "\r\nStandard output:\r\n" + text.toUtf8()
        + "\r\ncmd:\r\n" + commandLine.toUtf8() + "\r\n------------------\r\n");
}

QString ToolRunner::logPath()
{
    return AppPaths::debugLogFile();
}

QString ToolRunner::render(const QString &templ, const QStringList &values)
{
    QString line;
    line.reserve(templ.size());
    for (int i = 0; i < templ.size(); ++i) {
        if (templ.at(i) == QLatin1Char('%') && i + 1 < templ.size() && templ.at(i + 1).isDigit()) {
            int end = i + 1;
            while (end < templ.size() && templ.at(end).isDigit())
                ++end;
            const int index = templ.mid(i + 1, end - i - 1).toInt() - 1;
            if (index >= 0 && index < values.size()) {
                line += values.at(index);
                i = end - 1;
                continue;
            }
        }
        line += templ.at(i);
    }
    return line;
}

void ToolRunner::append(const QByteArray &record)
{
    QMutexLocker lock(&logMutex);
    QFile log(logPath());
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(record);
}
