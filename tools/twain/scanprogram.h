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

// The source list: one line "id:,name" per scan source, in id order; none without scanners. The
// list is kept in the file at storePath (storedsources.h) before it is handed out. False with a
// message in error when SANE is not to be had or the list cannot be kept. Should the driver's
// teardown hang, report prints the outcome and the program ends with it.
bool listSources(
    const QString &storePath, QStringList *lines, QString *error, const TeardownReport &report);

// Scans every page that the request's source gives: the entry of that id in the list kept at
// storePath or, without one, in the list of now. By default in colour at wantedDpi; from a
// document feeder until it is empty, from any other source one page. Each page is saved as a
// 24-bit BMP into the request's folder (scanBatch) and its bare file name handed to pageWritten.
// False with a message in error for an unknown source, a folder that takes no files, a device
// or paper source that is gone, a device that cannot be opened or fails, and a page that cannot
// be saved. Should the driver's teardown hang, report prints the outcome and the program ends
// with it.
bool scanIntoFolder(const ScanRequest &request, const QString &storePath,
    const PageWritten &pageWritten, QString *error, const TeardownReport &report);
