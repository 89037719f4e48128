#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One scanner as the scanning program lists it.
struct ScannerSource
{
    int id = -1;
    QString name;
};

// Parses the scanning program's source list: lines "id:,name"; a line without ":," is skipped,
// id and name are trimmed and the id is read as a decimal number.
QList<ScannerSource> parseScannerSources(const QByteArray &output);

class QProcess;

// The variable of the scanning program's environment that names the file in which it keeps
// its list of sources (AppPaths::scannerListFile()).
extern const char scannerListVariable[];

// The scanning program of the twain tool folder.
QString scanProgram();
// Readies `process` to run the scanning program: the tool folder as its working directory and
// the file of its source list in its environment, with that file's folder made.
void prepareScanProgram(QProcess &process);
