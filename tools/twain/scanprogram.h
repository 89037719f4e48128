#pragma once

#include "scanbatch.h"
#include "scanrequest.h"

#include <QString>
#include <QStringList>

// The two things the scanning program does. SANE finds the devices through its own
// configuration (SANE_CONFIG_DIR, else the system's).

// The source list: one line "id:,name" per scan source, in id order; none without scanners.
// False with a message in error when SANE is not to be had.
bool listSources(QStringList *lines, QString *error);

// Scans every page that the request's source gives, by default in colour at wantedDpi: from a
// document feeder until it is empty, from any other source one page. Each page is saved as a
// 24-bit BMP into the request's folder (scanBatch) and its bare file name handed to pageWritten.
// False with a message in error for an unknown source, a folder that takes no files, a device
// that cannot be opened or fails, and a page that cannot be saved.
bool scanIntoFolder(const ScanRequest &request, const PageWritten &pageWritten, QString *error);
