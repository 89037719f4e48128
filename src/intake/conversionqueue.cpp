#include "conversionqueue.h"

#include "imageconversion.h"
#include "platform/toolrunner.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>

namespace {
const QString logLabel = QStringLiteral("TTreeDokument - filePathName");
} // namespace

ConversionQueue::ConversionQueue(QObject *parent)
    : QObject(parent)
{ }

ConversionQueue::~ConversionQueue()
{
    stop();
}

void ConversionQueue::start(const QVector<Job> &newJobs, int parallel)
{
    stop();
    jobs = newJobs;
    next = 0;
    if (jobs.isEmpty()) {
        QMetaObject::invokeMethod(this, &ConversionQueue::finished, Qt::QueuedConnection);
        return;
    }
    for (int i = 0; i < std::max(1, parallel) && next < jobs.size(); ++i)
        startNext();
}

void ConversionQueue::stop()
{
    for (Running &entry : running) {
        entry.process->disconnect(this);
        entry.process->kill();
        entry.process->waitForFinished(ToolRunner::timeoutMs);
        // A killed converter may have left half a PDF that would pass for a converted image.
        QFile::remove(jobs.at(entry.index).target);
    }
    running.clear();
    jobs.clear();
    next = 0;
}

void ConversionQueue::startNext()
{
    const int index = next++;
    const ToolCommand command
        = ImageConversion::convertCommand(jobs.at(index).source, jobs.at(index).target);
    running.push_back({index, std::make_unique<QProcess>()});
    QProcess *process = running.back().process.get();
    connect(process, &QProcess::finished, this, [this, process] { onEnded(process, true); });
    // Queued: a start that fails at once must not re-enter start().
    connect(
        process, &QProcess::errorOccurred, this,
        [this, process](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                onEnded(process, false);
        },
        Qt::QueuedConnection);
    ImageConversion::start(*process, command);
}

void ConversionQueue::onEnded(QProcess *process, bool started)
{
    // A queued report may arrive for a converter that was stopped and deleted meanwhile.
    const auto found = std::find_if(running.begin(), running.end(),
        [process](const Running &entry) { return entry.process.get() == process; });
    if (found == running.end())
        return;
    const int index = found->index;
    const Job job = jobs.at(index);
    const QByteArray output = started ? process->readAllStandardOutput() : QByteArray();
    ToolRunner::logToolRun(
        logLabel, output, ImageConversion::convertCommand(job.source, job.target).commandLine);
    const bool succeeded = started && process->exitStatus() == QProcess::NormalExit
        && process->exitCode() == 0 && QFileInfo::exists(job.target);
    // The process is in the middle of emitting its signal.
    found->process.release()->deleteLater();
    running.erase(found);

    emit converted(index, succeeded);
    if (jobs.isEmpty())
        return; // stopped by a receiver
    if (next < jobs.size())
        startNext();
    else if (running.empty())
        emit finished();
}
