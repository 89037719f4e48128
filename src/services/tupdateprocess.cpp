#include "tupdateprocess.h"

#include "platform/apppaths.h"
#include "platform/platform.h"

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
    Platform::endWithProgram(*this);
    QProcess::start(QIODevice::ReadWrite);
    closeWriteChannel();
}
