#pragma once

#include <QMap>
#include <QString>

class ToolRunner;
struct ElaboratSnapshot;

// What packing an elaborat left behind.
struct ZipPackResult
{
    // A complete, new package stands at the package path.
    bool written = false;
    // Item index → the PDF that the image of that document was converted to for the REN PDF.
    QMap<int, QString> convertedFiles;
};

// Packs the elaborat into the ZIP package `zipPath` with the archiver: its digital data files,
// its PDF and, for a building cadastre elaborat that separates its "110" pages, the REN PDF of
// those pages composed into workDir/k2k3. The data files are compressed; the PDFs, whose pages
// are compressed already, are stored as they are. Every name is taken literally. An existing
// package is replaced only by a complete new one. A REN PDF that is due but cannot be composed fails the packing. Runs in a worker
// thread: it touches no widget and no tree item, and shows nothing (a KO or REZPOS that fails
// its check only leaves the REN PDF out).
ZipPackResult packElaborat(
    const ElaboratSnapshot &snapshot, const QString &zipPath, const ToolRunner &runner);

// Merges the documents' pages into `target` with the composer's page-list form; true when the
// composer ended well and the target stands.
bool composePageList(const ElaboratSnapshot &snapshot, const QVector<int> &documents,
    const QString &target, const ToolRunner &runner);
