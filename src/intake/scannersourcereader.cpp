#include "scannersourcereader.h"

#include "platform/toolrunner.h"
#include "scannersources.h"

ScannerSourceReader::ScannerSourceReader(QObject *parent)
    : QObject(parent)
{
    limit.setSingleShot(true);
    limit.setInterval(ToolRunner::timeoutMs);
    connect(&limit, &QTimer::timeout, this, &ScannerSourceReader::stop);
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
    // What an abandoned reading printed is no answer.
    stopped = false;
    if (isReading()) {
        process.kill();
        process.waitForFinished(ToolRunner::timeoutMs);
    }
    prepareScanProgram(process);
    process.start(scanProgram(), {});
    process.closeWriteChannel();
    limit.start();
}

void ScannerSourceReader::stop()
{
    if (!isReading())
        return;
    stopped = true;
    process.kill();
}

void ScannerSourceReader::onFinished(int exitCode, QProcess::ExitStatus status)
{
    limit.stop();
    QByteArray output = process.readAllStandardOutput();
    if (status == QProcess::NormalExit && exitCode == 0) {
        emit sourcesRead(parseScannerSources(output));
    } else if (stopped) {
        // A line cut off when the program was stopped could name a source wrongly.
        output.truncate(output.lastIndexOf('\n') + 1);
        emit sourcesRead(parseScannerSources(output));
    }
}
