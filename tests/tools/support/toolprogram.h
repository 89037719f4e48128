#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// How a run of a program ended.
struct ProgramRun
{
    bool finished = false; // started and ended by itself with a normal exit
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

// The path of `program` in `folder` of the build's program folder.
QString builtToolPath(const QString &folder, const QString &program);

// Runs one of our tool programs from the build's program folder with `arguments` as a list,
// as the program does, and waits for its end.
ProgramRun runBuiltTool(
    const QString &folder, const QString &program, const QStringList &arguments);

// Runs a program of the system (found on the search path) and waits for its end.
ProgramRun runProgram(const QString &program, const QStringList &arguments);

// Runs GraphicsMagick's convert with `arguments`; true when it succeeded.
bool gmConvert(const QStringList &arguments);
