#pragma once

#include "platform/toolrunner.h"

#include <QProcess>

class DialogPreveri;

// The image analyzer run of the elaborat check. It reports to its dialog exactly once: when it
// has ended, or when it could not be started at all, which counts as a failed run. The run is
// recorded in the debug log; a failure adds its reason and the analyzer's standard error.
class ImageAnalyzerProcess : public QProcess
{
    Q_OBJECT
public:
    explicit ImageAnalyzerProcess(DialogPreveri *dialog, QObject *parent = nullptr);
    // Kills a run that still goes on, without reporting it.
    ~ImageAnalyzerProcess() override;

    // Starts the command in its tool folder; returns at once.
    void run(const ToolCommand &command);

public slots:
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

private:
    void onErrorOccurred(QProcess::ProcessError error);
    void report(const QByteArray &output, bool success, const QString &failure);

    DialogPreveri *dialog;
    QString commandLine;
    bool reported = false;
};
