#pragma once

#include "platform/toolrunner.h"

#include <QString>
#include <QStringList>

class QProcess;

// Image-to-PDF conversion with the converter programs of the ImageMagick tool folder.
namespace ImageConversion {

// The PDF that a document's image becomes: <workDir>/<md5 of the path's UTF-8, hex>.pdf. The
// same source path always gives the same file.
QString documentPdfPath(const QString &workDir, const QString &sourcePath);

// The PDF that the document-type dialog previews: <folder>/<source file name>.pdf.
QString previewPdfPath(const QString &folder, const QString &sourcePath);

// The name a scanned page's PDF gets: every ".bmp" of the page name made ".pdf".
QString scannedPagePdfName(const QString &pageName);

// convert -compress jpeg -quality 60 "<source>" "<target>"
ToolCommand convertCommand(const QString &source, const QString &target);

// mogrify -format pdf -compress jpeg -quality 60 <pages>, each page "<folder>/<name>" as the
// converter's folder sees it ("../.tmp/..." for a folder of the program folder), one argument
// each.
ToolCommand scanPagesCommand(const QString &folder, const QStringList &pageNames);

// Starts the command asynchronously in its tool folder; returns at once.
void start(QProcess &process, const ToolCommand &command);

} // namespace ImageConversion
