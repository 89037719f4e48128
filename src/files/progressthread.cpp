#include "progressthread.h"

#include "platform/fileops.h"

ProgressThread::ProgressThread(const QString &source, const QString &destination, QObject *parent)
    : QThread(parent)
    , source(source)
    , destination(destination)
{ }

ProgressThread::~ProgressThread()
{
    stop();
    wait();
}

void ProgressThread::run()
{
    moved = false;
    moved = moveFile(source, destination, &stopFlag);
}
