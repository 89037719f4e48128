#include "zippackage.h"

#include "model/elaboratsnapshot.h"
#include "naming.h"
#include "outline.h"
#include "pdfbuild.h"
#include "platform/fileops.h"
#include "platform/toolrunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTime>

namespace {

QStringList digitalDataFiles(const ElaboratSnapshot &snapshot)
{
    QStringList files;
    for (const SnapshotItem &item : snapshot.items) {
        if (item.kind == SnapshotKind::DigitalData)
            files << item.filePath;
    }
    return files;
}

// Composes the REN PDF of the "110" pages into `renPdf`, which stays empty when there is none
// to make. False when one was due and the composer did not write it: a package without it, or
// with one left from an earlier packing, must not pass for a complete one.
bool composeRenPdf(
    ElaboratSnapshot &snapshot, ZipPackResult &result, const ToolRunner &runner, QString &renPdf)
{
    const NamingCheck name = renFileName(identityOf(snapshot));
    const QVector<int> pages = renDocuments(snapshot);
    if (!snapshot.isKs || !name.ok || pages.isEmpty())
        return true;
    const QString folder = snapshot.workDir + QStringLiteral("/k2k3");
    QDir().mkpath(folder);
    result.convertedFiles.insert(convertImageDocuments(snapshot, pages, runner));
    renPdf = folder + QLatin1Char('/') + name.value;
    return composePageList(snapshot, pages, renPdf, runner);
}

// Adds `files` to the package `target` with the archiver, which takes every name literally
// ("-spd": "*" and "?" are no wildcards). PDFs of scanned pages hardly shrink, so they are
// stored as they are (`store`) at the speed of the disk; the other files are compressed.
bool addToPackage(
    const QString &target, const QStringList &files, bool store, const ToolRunner &runner)
{
    ToolCommand command;
    command.folder = QStringLiteral("7z");
    command.program = QStringLiteral("7za");
    command.arguments = QStringList {
        QStringLiteral("a"), QStringLiteral("-tzip"), QStringLiteral("-y"), QStringLiteral("-spd")};
    if (store)
        command.arguments << QStringLiteral("-mx=0");
    command.arguments << target << files;
    command.commandLine = ToolRunner::render(QStringLiteral("7za a -tzip -y \"%1\" \"%2\""),
        {target, files.join(QStringLiteral("\" \""))});
    const ToolResult run = runner.runTool(command, QStringLiteral("TTreeElaborat3"));
    return run.succeeded() && !runner.stopped();
}

// Removes from `files` those named like `file` (letter case ignored).
void removeNamedLike(QStringList &files, const QString &file)
{
    const QString name = QFileInfo(file).fileName().toLower();
    files.erase(std::remove_if(files.begin(), files.end(),
                    [&name](const QString &other) {
                        return QFileInfo(other).fileName().toLower() == name;
                    }),
        files.end());
}

// Packs the data files, compressed, then the PDFs, stored, into a new `target`. The archiver
// adds to a package by copying what it holds, so the small data files go first.
bool pack(const QString &target, const QStringList &data, const QStringList &pdfs,
    const ToolRunner &runner)
{
    if (!data.isEmpty() && !addToPackage(target, data, false, runner))
        return false;
    return addToPackage(target, pdfs, true, runner) && QFileInfo::exists(target);
}

} // namespace

bool composePageList(const ElaboratSnapshot &snapshot, const QVector<int> &documents,
    const QString &target, const ToolRunner &runner)
{
    ToolCommand command;
    command.folder = QStringLiteral("PdfComposer");
    command.program = QStringLiteral("PdfComposer");
    command.arguments = documentListArguments(snapshot, documents)
        + QStringList {target, QStringLiteral(" "), QStringLiteral("."), QStringLiteral(".")};
    command.commandLine
        = ToolRunner::render(QStringLiteral("PdfComposer.exe %1 \"%2\" \" \" \".\" ."),
            {documentListText(snapshot, documents), target});
    // A file left from an earlier run must not pass for this run's result.
    QFile::remove(target);
    const ToolResult run = runner.runTool(command, QStringLiteral("TTreeElaborat1"));
    return run.succeeded() && !runner.stopped() && QFileInfo::exists(target);
}

ZipPackResult packElaborat(
    const ElaboratSnapshot &source, const QString &zipPath, const ToolRunner &runner)
{
    ZipPackResult result;
    ElaboratSnapshot snapshot = source;
    QStringList data = digitalDataFiles(snapshot);
    QStringList pdfs {snapshot.pdfPath};
    QString renPdf;
    if (!composeRenPdf(snapshot, result, runner, renPdf))
        return result;
    if (!renPdf.isEmpty()) {
        removeNamedLike(data, renPdf);
        removeNamedLike(pdfs, renPdf);
        pdfs << renPdf;
    }

    // The archiver adds to an archive that exists, so it always writes a fresh file; the old
    // package is replaced only by a complete new one.
    // A packing that was killed may have left its temporary package beside this one.
    removeLeftovers(QFileInfo(zipPath).absolutePath(),
        QRegularExpression(QLatin1Char('^')
            + QRegularExpression::escape(QFileInfo(zipPath).fileName())
            + QStringLiteral("\\.\\d{6}\\.tmp\\.zip$")));
    const bool replacing = QFileInfo::exists(zipPath);
    const QString target = replacing ? zipPath + QLatin1Char('.')
            + QTime::currentTime().toString(QStringLiteral("hhmmss")) + QStringLiteral(".tmp.zip")
                                     : zipPath;
    QFile::remove(target);
    const bool packed = pack(target, data, pdfs, runner);
    if (replacing)
        result.written = packed && replaceFile(target, zipPath);
    else
        result.written = packed;
    if (replacing || !packed)
        QFile::remove(target);
    return result;
}
