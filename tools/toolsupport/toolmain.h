#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>

// The frame of a tool's main(): makes the application object (so that arguments arrive as
// Unicode on every system), calls `run` with the arguments after the program name inside one
// try, prints each message `run` returns (or the exception it threw) on standard error as
// "program: message", and returns 0 exactly when there was none.
int runToolMain(int argc, char **argv, const char *program,
    const std::function<QStringList(const QStringList &arguments)> &run);

// Writes bytes to standard output unchanged (no line-end translation on Windows).
void writeStandardOutput(const QByteArray &bytes);

// Prints each of `warnings` on standard error as "program: opozorilo: warning"; they do not
// make the run fail.
void writeWarnings(const char *program, const QStringList &warnings);
