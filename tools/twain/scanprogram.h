#pragma once

#include "scanbatch.h"
#include "scanrequest.h"

#include <QString>
#include <QStringList>
#include <functional>

// Prints what the program would print for an outcome: the lines when ok, else the error. Run
// instead of the normal printing when a driver's teardown hangs and the program must end.
using TeardownReport = std::function<void(bool ok, const QStringList &lines, const QString &error)>;

// The two things the scanning program does. SANE finds the devices through its own
// configuration (SANE_CONFIG_DIR, else the system's).

// The source list: one line "id:,name" per scan source, in id order; none without scanners.
// False with a message in error when SANE is not to be had. Should the driver's teardown hang,
// report prints the outcome and the program ends with it.
bool listSources(QStringList *lines, QString *error, const TeardownReport &report);

// Scans every page that the request's source gives, by default in colour at wantedDpi: from a
// document feeder until it is empty, from any other source one page. Each page is saved as a
// 24-bit BMP into the request's folder (scanBatch) and its bare file name handed to pageWritten.
// False with a message in error for an unknown source, a folder that takes no files, a device
// that cannot be opened or fails, and a page that cannot be saved. Should the driver's teardown
// hang, report prints the outcome and the program ends with it.
bool scanIntoFolder(const ScanRequest &request, const PageWritten &pageWritten, QString *error,
    const TeardownReport &report);
