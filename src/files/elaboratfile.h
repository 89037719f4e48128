#pragma once

#include <QString>
#include <QStringList>

class ToolRunner;

// What the PDF library reads of a PDF: its Keywords entry and its page count.
struct PdfInfo
{
    bool loaded = false;
    QString keywords;
    int pageCount = -1;
};

// What opening an elaborat reads of its file: the PDF (in an unpacked package, the one found
// there; empty when there is none), its information and its outline as the dumper prints it.
struct ElaboratReading
{
    QString pdfPath;
    PdfInfo info;
    QStringList outline;
    QString refused; // why the package was not unpacked; empty when it was
};

// Reading elaborat files back: the PDF's information, its outline through the dumper and the
// unpacking of a package. The file is released as soon as it has been read.
namespace ElaboratFile {

PdfInfo readPdfInfo(const QString &path);

// The outline of the PDF as the dumper prints it, one line per entry (jpdfbookmarks folder,
// logged under "TTreeElaborat5"); no lines when the dumper fails.
QStringList dumpOutline(const QString &pdfPath, const ToolRunner &runner);

// Extracts every file of the package straight into `folder`, without stored paths (7z folder,
// logged under "MainWindow - odpriElaborat"), names taken literally. The package's listing is
// read first: a package that PackageListing refuses is not unpacked, and the reason is
// returned; otherwise the text is empty, whether or not the archiver succeeded. Links the
// package carried are removed from `folder`, never followed.
QString unpackPackage(const QString &packagePath, const QString &folder, const ToolRunner &runner);

// Reads the PDF elaborat at `path`, or the one in the package at `path` after unpacking it into
// `packageFolder` when that is not empty (a refused package gives no PDF). The outline is dumped
// only for a PDF that loads and has a Keywords text. Touches no widget, so it may run in any
// thread.
ElaboratReading readElaborat(const QString &path, const QString &packageFolder);

// The first PDF of the folder, in the order the file system lists them, whose Keywords text has
// a POSTOPKI field; empty when there is none.
QString findElaboratPdf(const QString &folder);

// The files of an unpacked package besides its elaborat PDF, by name: every file of the folder,
// hidden ones and names without a dot included; no folders.
QStringList packageDataFiles(const QString &folder, const QString &pdfPath);

} // namespace ElaboratFile
