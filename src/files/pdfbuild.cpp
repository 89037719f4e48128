#include "pdfbuild.h"

#include "intake/imageconversion.h"
#include "keywords.h"
#include "model/elaboratsnapshot.h"
#include "model/pagecountcache.h"
#include "outline.h"
#include "platform/fileops.h"
#include "platform/toolrunner.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QThread>
#include <QThreadPool>
#include <QTime>

namespace {

bool isPdf(const QString &path)
{
    return QFileInfo(path).suffix().toLower() == QLatin1String("pdf");
}

// Writes bookmarks.txt for the outline; "." (and no file) when it has no lines. Empty when the
// file cannot be written: a PDF without its outline would reopen without documents.
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
    return QString();
}

// The composer's outputs that replace an existing PDF: e<hhmmss>.pdf and the composer's own
// temporary files of them.
const QRegularExpression &temporaryOutputs()
{
    static const QRegularExpression pattern(QStringLiteral("^e\\d{6}\\.pdf(\\..+)?$"));
    return pattern;
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

QMap<int, QString> convertImageDocuments(
    ElaboratSnapshot &snapshot, const QVector<int> &documents, const ToolRunner &runner)
{
    // Each image once: two conversions into the same PDF must never run at the same time.
    QStringList images;
    QSet<QString> seen;
    for (int index : documents) {
        const QString &path = snapshot.items.at(index).filePath;
        if (!isPdf(path) && !seen.contains(path)) {
            seen.insert(path);
            images << path;
        }
    }
    QThreadPool pool;
    pool.setMaxThreadCount(QThread::idealThreadCount());
    for (const QString &image : std::as_const(images))
        pool.start([&snapshot, &runner, image] {
            convertedDocumentPath(snapshot.workDir, image, runner);
        });
    pool.waitForDone();

    QMap<int, QString> converted;
    for (int index : documents) {
        SnapshotItem &document = snapshot.items[index];
        if (isPdf(document.filePath))
            continue;
        document.filePath = ImageConversion::documentPdfPath(snapshot.workDir, document.filePath);
        // A multi-page TIFF becomes a multi-page PDF: the outline counts what was converted.
        document.pageCount = PageCountCache::pageCount(document.filePath);
        converted.insert(index, document.filePath);
    }
    return converted;
}

PdfBuildResult buildElaboratPdf(const ElaboratSnapshot &source, const ToolRunner &runner)
{
    PdfBuildResult result;
    if (source.pdfPath.isEmpty())
        return result;
    // A build that was killed may have left its output in the work folder.
    removeLeftovers(source.workDir, temporaryOutputs());
    ElaboratSnapshot snapshot = source;
    const QVector<int> documents = pdfDocuments(snapshot);
    result.convertedFiles = convertImageDocuments(snapshot, documents, runner);

    const ElaboratOutline outline = buildOutline(snapshot);
    const QString outlinePath = writeOutlineFile(snapshot.workDir, outline.lines);
    if (outlinePath.isEmpty())
        return result;
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
