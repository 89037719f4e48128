#pragma once

#include <QMap>
#include <QString>
#include <QVector>

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
// as it was. An outline file that cannot be written fails the build before the composer runs. Runs
// in a worker thread: it touches no widget and no tree item.
PdfBuildResult buildElaboratPdf(const ElaboratSnapshot &snapshot, const ToolRunner &runner);

// Converts the images among the snapshot's `documents` into their PDFs in workDir, on all
// cores, each image file once, and points those documents at their PDFs with their page
// counts. Returns item index → PDF, as PdfBuildResult::convertedFiles.
QMap<int, QString> convertImageDocuments(
    ElaboratSnapshot &snapshot, const QVector<int> &documents, const ToolRunner &runner);

// Converts the image of one document into its PDF in workDir (the name depends only on the
// source path) and returns that PDF's path; a PDF document is returned as it is.
QString convertedDocumentPath(
    const QString &workDir, const QString &filePath, const ToolRunner &runner);
