#pragma once

#include "platform/toolrunner.h"

#include <QProcess>

// One run of curl for the update check or the download, with the quiet flag of the check that
// started it: a quiet check does not tell the user that the program is up to date.
class TUpdateProcess : public QProcess
{
    Q_OBJECT
public:
    explicit TUpdateProcess(bool quiet, QObject *parent = nullptr);

    bool quiet() const { return quietFlag; }
    const ToolCommand &command() const { return ran; }

    // Starts curl (from the curl tool folder, else the system's) with the command's arguments
    // in `workingDir` and returns at once.
    void start(const ToolCommand &command, const QString &workingDir);

private:
    bool quietFlag;
    ToolCommand ran;
};
