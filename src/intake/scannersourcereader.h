#pragma once

#include "scannersources.h"

#include <QObject>
#include <QProcess>
#include <QTimer>

// Asks the scanning program of the twain tool folder for its source list in the background:
// probing every scanner driver can take seconds, and the window must not freeze meanwhile.
class ScannerSourceReader : public QObject
{
    Q_OBJECT
public:
    explicit ScannerSourceReader(QObject *parent = nullptr);
    ~ScannerSourceReader() override;

    // Starts a new reading; one still running is abandoned.
    void read();
    bool isReading() const { return process.state() != QProcess::NotRunning; }
    // Stops the reading, as its time limit does: the whole lines printed by then count.
    void stop();

signals:
    // The program ended normally with 0, or was stopped: then its whole lines printed by then
    // count. Not emitted when it could not run or failed.
    void sourcesRead(const QList<ScannerSource> &sources);

private slots:
    void onFinished(int exitCode, QProcess::ExitStatus status);

private:
    QProcess process;
    QTimer limit;
    bool stopped = false;
};
