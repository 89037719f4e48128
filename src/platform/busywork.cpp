#include "busywork.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <memory>

namespace {
// Longer than this between two paints and the window looks hung.
constexpr int momentMs = 50;
} // namespace

BusyWork::BusyWork()
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    sinceServed.start();
}

BusyWork::~BusyWork()
{
    QApplication::restoreOverrideCursor();
}

void BusyWork::runAside(const std::function<void()> &work)
{
    std::unique_ptr<QThread> thread(QThread::create(work));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    // The user's input is kept for later: nothing may act on the half-done work.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    sinceServed.restart();
}

void BusyWork::breathe()
{
    if (sinceServed.elapsed() < momentMs)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceServed.restart();
}
