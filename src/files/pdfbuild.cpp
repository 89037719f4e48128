#include "pdfbuild.h"

#include "app/fileops.h"
#include "app/toolrunner.h"
#include "elaboratsnapshot.h"
#include "intake/imageconversion.h"
#include "keywords.h"
#include "model/pagecountcache.h"
#include "outline.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTime>

namespace {

bool isPdf(const QString &path)
{
    return QFileInfo(path).suffix().toLower() == QLatin1String("pdf");
}

// Writes bookmarks.txt for the outline; "." (and no file) when it has no lines.
QString writeOutlineFile(const QString &workDir, const QStringList &lines)
{
    const QString path = workDir + QStringLiteral("/bookmarks.txt");
    if (lines.isEmpty()) {
        QFile::remove(path);
        return QStringLiteral(".");
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(outlineFileBytes(lines)) >= 0
        && file.commit())
        return path;
    return QStringLiteral(".");
}

ToolCommand composerCommand(const ElaboratSnapshot &snapshot, const QVector<int> &documents,
    const QString &output, const QString &keywords, const QString &outline)
{
    const QString title = composerTitle(snapshot.isKs);
    ToolCommand command;
    command.folder = QStringLiteral("PdfComposer");
    command.program = QStringLiteral("PdfComposer");
    command.arguments = documentListArguments(snapshot, documents)
        + QStringList {output, keywords, outline, title};
    command.commandLine
        = ToolRunner::render(QStringLiteral("PdfComposer.exe %1 \"%2\" \"%3\" \"%4\" \"%5\""),
            {documentListText(snapshot, documents), output, keywords, outline, title});
    return command;
}

} // namespace

QString convertedDocumentPath(
    const QString &workDir, const QString &filePath, const ToolRunner &runner)
{
    if (isPdf(filePath))
        return filePath;
    const QString target = ImageConversion::documentPdfPath(workDir, filePath);
    runner.runTool(ImageConversion::convertCommand(filePath, target),
        QStringLiteral("TTreeDokument - filePathName"));
    return target;
}

PdfBuildResult buildElaboratPdf(const ElaboratSnapshot &source, const ToolRunner &runner)
{
    PdfBuildResult result;
    if (source.pdfPath.isEmpty())
        return result;
    ElaboratSnapshot snapshot = source;
    const QVector<int> documents = pdfDocuments(snapshot);
    for (int index : documents) {
        SnapshotItem &document = snapshot.items[index];
        if (isPdf(document.filePath))
            continue;
        document.filePath = convertedDocumentPath(snapshot.workDir, document.filePath, runner);
        // A multi-page TIFF becomes a multi-page PDF: the outline counts what was converted.
        document.pageCount = PageCountCache::pageCount(document.filePath);
        result.convertedFiles.insert(index, document.filePath);
    }

    const ElaboratOutline outline = buildOutline(snapshot);
    const QString outlinePath = writeOutlineFile(snapshot.workDir, outline.lines);
    const bool replacing = QFileInfo::exists(snapshot.pdfPath);
    const QString output = replacing ? snapshot.workDir + QStringLiteral("/e")
            + QTime::currentTime().toString(QStringLiteral("hhmmss")) + QStringLiteral(".pdf")
                                     : snapshot.pdfPath;
    if (replacing)
        QFile::remove(output);
    const QString keywords = keywordsText(snapshot, outline.bookmarkCodes, outline.componentCodes);
    const ToolResult run
        = runner.runTool(composerCommand(snapshot, documents, output, keywords, outlinePath),
            QStringLiteral("TTreeElaborat4"));

    // Only a composer that ended well leaves a complete file: one that was stopped or failed
    // may have left nothing, or must not count as having replaced the old PDF.
    const bool composed = run.succeeded() && !runner.stopped() && QFileInfo::exists(output);
    if (replacing) {
        result.written = composed && replaceFile(output, snapshot.pdfPath);
        QFile::remove(output);
    } else {
        result.written = composed;
        if (!composed)
            QFile::remove(output);
    }
    return result;
}
