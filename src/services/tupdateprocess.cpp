#include "tupdateprocess.h"

#include "app/apppaths.h"

TUpdateProcess::TUpdateProcess(bool quiet, QObject *parent)
    : QProcess(parent)
    , quietFlag(quiet)
{ }

void TUpdateProcess::start(const ToolCommand &command, const QString &workingDir)
{
    ran = command;
    setWorkingDirectory(workingDir);
    setProgram(AppPaths::toolProgram(command.folder, command.program));
    setArguments(command.arguments);
    QProcess::start(QIODevice::ReadWrite);
    closeWriteChannel();
}
