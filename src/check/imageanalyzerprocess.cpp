#include "imageanalyzerprocess.h"

#include "dialogpreveri.h"
#include "platform/apppaths.h"
#include "platform/platform.h"

namespace {
const QString logLabel = QStringLiteral("DialogPreveri - ImageAnalyzer");
} // namespace

ImageAnalyzerProcess::ImageAnalyzerProcess(DialogPreveri *dialog, QObject *parent)
    : QProcess(parent)
    , dialog(dialog)
{
    connect(this, &QProcess::finished, this, &ImageAnalyzerProcess::onFinished);
    // Queued: a start that fails at once reports after run() has returned.
    connect(this, &QProcess::errorOccurred, this, &ImageAnalyzerProcess::onErrorOccurred,
        Qt::QueuedConnection);
}

ImageAnalyzerProcess::~ImageAnalyzerProcess()
{
    disconnect(this, nullptr, this, nullptr);
    if (state() != NotRunning) {
        kill();
        waitForFinished(ToolRunner::timeoutMs);
    }
}

void ImageAnalyzerProcess::run(const ToolCommand &command)
{
    commandLine = command.commandLine;
    setWorkingDirectory(AppPaths::toolDir(command.folder));
    Platform::endWithProgram(*this);
    start(AppPaths::toolProgram(command.folder, command.program), command.arguments);
}

void ImageAnalyzerProcess::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    const bool success = exitStatus == NormalExit && exitCode == 0;
    const QString failure = exitStatus == NormalExit
        ? QStringLiteral("izhodna koda %1").arg(exitCode)
        : QStringLiteral("program se je nepricakovano koncal");
    report(readAllStandardOutput(), success, failure);
}

void ImageAnalyzerProcess::onErrorOccurred(QProcess::ProcessError error)
{
    if (error == FailedToStart)
        report(QByteArray(), false, QStringLiteral("ni se zagnal: ") + errorString());
}

void ImageAnalyzerProcess::report(const QByteArray &output, bool success, const QString &failure)
{
    if (reported)
        return;
    reported = true;
    ToolRunner::logToolRun(logLabel, output, commandLine);
    if (!success) {
        ToolRunner::logRecord(QStringLiteral("ImageAnalyzer: ") + failure + QStringLiteral("\n")
            + QString::fromUtf8(readAllStandardError()));
    }
    dialog->analyzerFinished(output, success);
}
