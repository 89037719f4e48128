#pragma once

#include <QMap>
#include <QString>

class ToolRunner;
struct ElaboratSnapshot;

// What building an elaborat's PDF left behind.
struct PdfBuildResult
{
    // A complete, new PDF stands at the snapshot's pdfPath.
    bool written = false;
    // Item index → the PDF that the image of that document was converted to.
    QMap<int, QString> convertedFiles;
};

// Builds the elaborat's PDF at its pdfPath with the composer: converts every image document of
// the PDF, writes the outline file into workDir, composes with the Keywords text and the title.
// An existing PDF is replaced only by a complete new one; a failed or stopped build leaves it
// as it was. Runs in a worker thread: it touches no widget and no tree item.
PdfBuildResult buildElaboratPdf(const ElaboratSnapshot &snapshot, const ToolRunner &runner);

// Converts the image of one document into its PDF in workDir (the name depends only on the
// source path) and returns that PDF's path; a PDF document is returned as it is.
QString convertedDocumentPath(
    const QString &workDir, const QString &filePath, const ToolRunner &runner);
