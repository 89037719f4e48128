#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What a scan was asked for on the command line.
struct ScanRequest
{
    int sourceId = -1;
    QString folder; // as given: absolute or relative to the current directory
    int firstNumber = 0;
};

// Reads "<source id> <folder> <first page number> [<window handle>]". The window handle is
// accepted and ignored: it is meant for a driver dialog, which SANE devices do not have. No
// request, with a message in error, for another number of arguments or for an id or page number
// that is not a non-negative decimal integer.
std::optional<ScanRequest> parseScanRequest(const QStringList &arguments, QString *error);
