#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// One scanner as the scanning program lists it.
struct ScannerSource
{
    int id = -1;
    QString name;
};

// Parses the scanning program's source list: lines "id:,name"; a line without ":," is skipped,
// id and name are trimmed and the id is read as a decimal number.
QList<ScannerSource> parseScannerSources(const QByteArray &output);

// Runs the scanning program of the twain tool folder without arguments (at most 30 s) and
// parses what it printed; no value when it could not be run or did not end normally with 0.
std::optional<QList<ScannerSource>> readScannerSources();
