#pragma once

#include "rgbpage.h"
#include "scanrequest.h"

#include <QString>
#include <functional>

// Scans the next page into page; unless it returns Scanned it leaves a message in error.
using PageSupplier = std::function<PageStatus(RgbPage *page, QString *error)>;
// Told the bare file name of each page once the file is complete.
using PageWritten = std::function<void(const QString &fileName)>;

// The file name of page `number`: "scan", the number with at least four digits, ".bmp".
QString pageFileName(qint64 number);

// Checks that folder exists and takes new files, before any paper is fed for pages that could
// not be saved. False with a message in error.
bool checkFolder(const QString &folder, QString *error);

// Takes pages from nextPage, one when singlePage, else until it has no more, and saves each into
// the request's folder under the next free page name from the request's first number on. A
// number stays taken while its page file or the PDF converted from it is in the folder, so that
// no earlier page is overwritten. False with a message in error on the first failure and when
// no page came at all; the pages saved before a failure stay and have been reported.
bool scanBatch(const PageSupplier &nextPage, bool singlePage, const ScanRequest &request,
    const PageWritten &pageWritten, QString *error);
