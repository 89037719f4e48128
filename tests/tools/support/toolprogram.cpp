#include "toolprogram.h"

#include "testprogramfolder.h"

#include <QProcess>

namespace {
constexpr int waitMs = 300000;
}

QString builtToolPath(const QString &folder, const QString &program)
{
    QString path = TestProgramFolder::buildProgramDir() + QLatin1Char('/') + folder
        + QLatin1Char('/') + program;
#ifdef Q_OS_WIN
    path += QLatin1String(".exe");
#endif
    return path;
}

ProgramRun runBuiltTool(const QString &folder, const QString &program, const QStringList &arguments)
{
    return runProgram(builtToolPath(folder, program), arguments);
}

ProgramRun runProgram(const QString &program, const QStringList &arguments)
{
    ProgramRun run;
    QProcess process;
    process.start(program, arguments);
    process.closeWriteChannel();
    run.finished = process.waitForFinished(waitMs) && process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

bool gmConvert(const QStringList &arguments)
{
    const ProgramRun run = runProgram(QStringLiteral("gm"), QStringList {"convert"} + arguments);
    return run.finished && run.exitCode == 0;
}
