#pragma once

#include <QString>
#include <QThread>
#include <atomic>

// The worker behind DialogProgress: moves one file (an elaborat's PDF into the archive folder)
// with moveFile, so a stopped or failed move leaves the source where it was.
class ProgressThread : public QThread
{
    Q_OBJECT
public:
    ProgressThread(const QString &source, const QString &destination, QObject *parent = nullptr);
    // Stops the move and waits for the thread, which ends within one block of the copy.
    ~ProgressThread() override;

    // Abandons the copy at its next block; a copy already complete is still finished.
    void stop() { stopFlag = true; }
    // Whether the file now stands at the destination; read it once the thread has finished.
    bool succeeded() const { return moved; }

protected:
    void run() override;

private:
    const QString source;
    const QString destination;
    std::atomic_bool stopFlag {false};
    std::atomic_bool moved {false};
};
