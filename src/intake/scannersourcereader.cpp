#include "scannersourcereader.h"

#include "app/apppaths.h"
#include "app/toolrunner.h"

ScannerSourceReader::ScannerSourceReader(QObject *parent)
    : QObject(parent)
{
    limit.setSingleShot(true);
    limit.setInterval(ToolRunner::timeoutMs);
    connect(&limit, &QTimer::timeout, &process, &QProcess::kill);
    connect(&process, &QProcess::finished, this, &ScannerSourceReader::onFinished);
}

ScannerSourceReader::~ScannerSourceReader()
{
    process.disconnect(this);
    if (isReading()) {
        process.kill();
        process.waitForFinished(ToolRunner::timeoutMs);
    }
}

void ScannerSourceReader::read()
{
    if (isReading()) {
        process.kill();
        process.waitForFinished(ToolRunner::timeoutMs);
    }
    const QString folder = QStringLiteral("twain");
    process.setWorkingDirectory(AppPaths::toolDir(folder));
    process.start(AppPaths::toolProgram(folder, QStringLiteral("TWAIN_APP_CMD")), {});
    process.closeWriteChannel();
    limit.start();
}

void ScannerSourceReader::onFinished(int exitCode, QProcess::ExitStatus status)
{
    limit.stop();
    if (status == QProcess::NormalExit && exitCode == 0)
        emit sourcesRead(parseScannerSources(process.readAllStandardOutput()));
}
