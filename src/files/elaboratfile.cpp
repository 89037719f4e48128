#include "elaboratfile.h"

#include "keywords.h"
#include "outlinedump.h"
#include "packagelisting.h"
#include "platform/toolrunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <poppler-qt6.h>

namespace {

// The archiver with `arguments`, which it reads literally: "-spd" keeps "*" and "?" in names
// from being taken as wildcards.
ToolCommand archiverCommand(const QStringList &arguments)
{
    ToolCommand command;
    command.folder = QStringLiteral("7z");
    command.program = QStringLiteral("7za");
    command.arguments = arguments;
    return command;
}

// A link in a package could lead anywhere on the disk: it is neither followed nor kept.
void removeLinks(const QString &folder)
{
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink())
            QFile::remove(entry.filePath());
    }
}

} // namespace

namespace ElaboratFile {

PdfInfo readPdfInfo(const QString &path)
{
    PdfInfo info;
    const std::unique_ptr<Poppler::Document> document
        = Poppler::Document::load(path, QByteArray(), QByteArray());
    if (!document || document->isLocked())
        return info;
    info.loaded = true;
    info.keywords = document->info(QStringLiteral("Keywords"));
    info.pageCount = document->numPages();
    return info;
}

QStringList dumpOutline(const QString &pdfPath, const ToolRunner &runner)
{
    ToolCommand command;
    command.folder = QStringLiteral("jpdfbookmarks");
    command.program = QStringLiteral("jpdfbookmarks_tev");
    command.arguments = QStringList {pdfPath, QStringLiteral("--dump")};
    command.commandLine
        = ToolRunner::render(QStringLiteral("jpdfbookmarks_tev.exe \"%1\" --dump"), {pdfPath});
    const ToolResult result = runner.runTool(command, QStringLiteral("TTreeElaborat5"));
    if (!result.succeeded())
        return {};
    return dumpLines(result.output);
}

QString unpackPackage(const QString &packagePath, const QString &folder, const ToolRunner &runner)
{
    const QString label = QStringLiteral("MainWindow - odpriElaborat");
    ToolCommand list = archiverCommand(
        {QStringLiteral("l"), QStringLiteral("-slt"), QStringLiteral("-spd"), packagePath});
    list.commandLine = ToolRunner::render(QStringLiteral("7za l -slt \"%1\""), {packagePath});
    const ToolResult listing = runner.runTool(list, label);
    if (!listing.succeeded())
        return QString();
    const QString refused = PackageListing::refusal(packagePath,
        PackageListing::parse(listing.output), QFileInfo(packagePath).size(),
        QStorageInfo(QFileInfo(folder).absolutePath()).bytesAvailable());
    if (!refused.isEmpty())
        return refused;
    ToolCommand extract = archiverCommand({QStringLiteral("e"), QStringLiteral("-o") + folder,
        QStringLiteral("-y"), QStringLiteral("-spd"), packagePath});
    extract.commandLine
        = ToolRunner::render(QStringLiteral("7za e -o\"%1\" \"%2\""), {folder, packagePath});
    runner.runTool(extract, label);
    removeLinks(folder);
    return QString();
}

ElaboratReading readElaborat(const QString &path, const QString &packageFolder)
{
    ElaboratReading reading;
    reading.pdfPath = path;
    if (!packageFolder.isEmpty()) {
        reading.refused = unpackPackage(path, packageFolder, ToolRunner());
        reading.pdfPath = reading.refused.isEmpty() ? findElaboratPdf(packageFolder) : QString();
        if (reading.pdfPath.isEmpty())
            return reading;
    }
    reading.info = readPdfInfo(reading.pdfPath);
    if (reading.info.loaded && !reading.info.keywords.isEmpty())
        reading.outline = dumpOutline(reading.pdfPath, ToolRunner());
    return reading;
}

QString findElaboratPdf(const QString &folder)
{
    const QDir dir(folder);
    const QStringList pdfs = dir.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Unsorted);
    for (const QString &name : pdfs) {
        const PdfInfo info = readPdfInfo(dir.filePath(name));
        const QString keywords = info.keywords.trimmed();
        if (!keywords.isEmpty() && storedKeywords(keywordMap(keywords)))
            return dir.filePath(name);
    }
    return QString();
}

QStringList packageDataFiles(const QString &folder, const QString &pdfPath)
{
    const QString elaborat = QFileInfo(pdfPath).absoluteFilePath();
    QStringList files;
    const QFileInfoList entries
        = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.absoluteFilePath() != elaborat)
            files << entry.absoluteFilePath();
    }
    return files;
}

} // namespace ElaboratFile
