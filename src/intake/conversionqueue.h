#pragma once

#include <QObject>
#include <QString>
#include <QVector>
#include <memory>
#include <vector>

class QProcess;

// Converts images to PDFs in the background of the GUI thread, several converters at a time
// (one per core), so that the window keeps painting. Each conversion gets a tool-run record in
// the debug log under the label of the build's conversions.
class ConversionQueue : public QObject
{
    Q_OBJECT
public:
    struct Job
    {
        QString source;
        QString target;
    };

    explicit ConversionQueue(QObject *parent = nullptr);
    // Stops what still runs.
    ~ConversionQueue() override;

    // Starts converting the jobs, whose targets must differ; returns at once. `parallel`
    // converters run at most at a time (at least one). Every job is reported by `converted`,
    // then `finished` follows; with no jobs `finished` comes from the event loop.
    void start(const QVector<Job> &jobs, int parallel);
    // Kills the running converters and removes what they had written; no signal follows.
    void stop();
    bool isRunning() const { return !running.empty() || next < jobs.size(); }

signals:
    // The job at `index` ended; `succeeded` when the converter ended well and wrote its target.
    void converted(int index, bool succeeded);
    void finished();

private:
    struct Running
    {
        int index;
        std::unique_ptr<QProcess> process;
    };

    void startNext();
    void onEnded(QProcess *process, bool started);

    QVector<Job> jobs;
    int next = 0;
    std::vector<Running> running;
};
