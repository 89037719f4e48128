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
