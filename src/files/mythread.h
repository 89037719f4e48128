#pragma once

#include "model/elaboratsnapshot.h"

#include <QMap>
#include <QString>
#include <QThread>
#include <atomic>

// The worker behind the build dialog: builds an elaborat's PDF (PDF mode) or packs its ZIP
// package from a snapshot that the GUI thread made, so that it touches no widget and no tree
// item. Its results are read in the GUI thread once it has finished.
class MyThread : public QThread
{
    Q_OBJECT
public:
    // What a run produces: the snapshot's pdfPath, or the package at the given zipPath.
    enum class Output
    {
        Pdf,
        Package
    };

    MyThread(const ElaboratSnapshot &snapshot, Output output, const QString &zipPath,
        QObject *parent = nullptr);
    // Stops the work and waits for the thread, which ends promptly because its tool is killed.
    ~MyThread() override;

    // Kills the running tool and starts no further one; safe from any thread.
    void stop();

    const ElaboratSnapshot &snapshot() const { return source; }
    // After the run: whether a complete new PDF or package stands at its path.
    bool written() const { return outputWritten; }
    // After the run: item index of the snapshot → the PDF that document's image became.
    const QMap<int, QString> &convertedFiles() const { return converted; }

protected:
    void run() override;

private:
    const ElaboratSnapshot source;
    const Output output;
    const QString zipPath;
    std::atomic_bool stopFlag {false};
    bool outputWritten = false;
    QMap<int, QString> converted;
};
