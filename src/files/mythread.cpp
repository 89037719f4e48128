#include "mythread.h"

#include "pdfbuild.h"
#include "platform/toolrunner.h"
#include "zippackage.h"

MyThread::MyThread(
    const ElaboratSnapshot &snapshot, Output output, const QString &zipPath, QObject *parent)
    : QThread(parent)
    , source(snapshot)
    , output(output)
    , zipPath(zipPath)
{ }

MyThread::~MyThread()
{
    stop();
    wait();
}

void MyThread::stop()
{
    stopFlag = true;
}

void MyThread::run()
{
    // The dialog shows that the work goes on and lets the user stop it: a large elaborat may
    // take longer than a quick tool run is allowed.
    const ToolRunner runner(&stopFlag, ToolRunner::noTimeLimit);
    if (output == Output::Pdf) {
        const PdfBuildResult result = buildElaboratPdf(source, runner);
        outputWritten = result.written;
        converted = result.convertedFiles;
    } else {
        const ZipPackResult result = packElaborat(source, zipPath, runner);
        outputWritten = result.written;
        converted = result.convertedFiles;
    }
}
