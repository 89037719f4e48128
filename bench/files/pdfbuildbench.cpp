// Times building a 300-page elaborat from 30 PDFs (10 of 10 pages, 20 of 9) and 20 scanned
// images (A4 at 150 dpi, JPEG) with the real converter and composer, as the build dialog's
// worker does: the image conversion (one image at a time, then on all cores) and the
// composition timed apart, then the whole build from unconverted images. Run it by hand:
// build/bench/pdfbuildbench [rounds]
#include "benchtiming.h"
#include "files/pdfbuild.h"
#include "model/elaboratsnapshot.h"
#include "platform/apppaths.h"
#include "platform/toolrunner.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <functional>

using BenchTiming::median;
using BenchTiming::timed;

namespace {
constexpr int pdfFiles = 30;
constexpr int images = 20;

QString makePdf(const QString &path, int pages)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        for (int line = 0; line < 40; ++line)
            painter.drawText(QPointF(300, 300 + line * 250),
                QStringLiteral("Dokument %1, stran %2, vrstica %3").arg(path).arg(page).arg(line));
        if (page < pages)
            writer.newPage();
    }
    return path;
}

QString makeImage(const QString &path, int seed)
{
    QProcess gm;
    gm.start(QStringLiteral("gm"),
        {QStringLiteral("convert"), QStringLiteral("-size"), QStringLiteral("1240x1754"),
            QStringLiteral("gradient:#ffffff-#%1")
                .arg(0x404040 + seed * 0x050505, 6, 16, QLatin1Char('0')),
            QStringLiteral("+noise"), QStringLiteral("Gaussian"), QStringLiteral("-density"),
            QStringLiteral("150"), path});
    if (!gm.waitForFinished(60000) || gm.exitCode() != 0)
        qFatal("GraphicsMagick could not make %s", qPrintable(path));
    return path;
}

SnapshotItem item(SnapshotKind kind, int parent)
{
    SnapshotItem made;
    made.kind = kind;
    made.parent = parent;
    return made;
}

// One component with one bookmark per input file, so that the outline has 50 lines.
ElaboratSnapshot makeElaborat(const QTemporaryDir &dir, const QString &workDir)
{
    ElaboratSnapshot snapshot;
    snapshot.procedureIds << QStringLiteral("UM");
    snapshot.attributes << SnapshotAttribute {
        QStringLiteral("KO"), QStringLiteral("KO"), QStringLiteral("850 Ljubljana")};
    snapshot.attributes << SnapshotAttribute {
        QStringLiteral("IDPOS"), QStringLiteral("IDPOS"), QStringLiteral("12")};
    snapshot.items << item(SnapshotKind::Sestavine, -1);
    SnapshotItem component = item(SnapshotKind::Component, 0);
    component.code = QStringLiteral("sk");
    snapshot.items << component;
    for (int file = 0; file < pdfFiles + images; ++file) {
        SnapshotItem bookmark = item(SnapshotKind::Bookmark, 1);
        bookmark.code = QStringLiteral("111");
        bookmark.text = QStringLiteral("111 Dokument %1").arg(file + 1);
        snapshot.items << bookmark;
        SnapshotItem document = item(SnapshotKind::Document, snapshot.items.size() - 1);
        if (file < pdfFiles) {
            const int pages = file < 10 ? 10 : 9;
            document.filePath = makePdf(dir.filePath(QStringLiteral("d%1.pdf").arg(file)), pages);
            document.pageCount = pages;
        } else {
            document.filePath
                = makeImage(dir.filePath(QStringLiteral("s%1.jpg").arg(file)), file - pdfFiles);
        }
        snapshot.items << document;
    }
    snapshot.workDir = workDir;
    snapshot.pdfPath = dir.filePath(QStringLiteral("izhod/0850_00012_000.pdf"));
    snapshot.version = QStringLiteral("2.4.5");
    return snapshot;
}

void removeConversions(const QString &workDir)
{
    QDir work(workDir);
    for (const QString &name : work.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        work.remove(name);
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 5);
    QTemporaryDir dir;
    for (const char *tool : {"PdfComposer", "ImageMagick"})
        QFile::link(QStringLiteral(TEV_BUILD_PROGRAM_DIR "/") + QLatin1String(tool),
            dir.filePath(QLatin1String(tool)));
    AppPaths::setProgramDir(dir.path());
    const QString workDir = dir.filePath(QStringLiteral(".tmp/01012026101010"));
    QDir().mkpath(workDir);
    QDir().mkpath(dir.filePath(QStringLiteral("izhod")));
    const ElaboratSnapshot snapshot = makeElaborat(dir, workDir);
    const ToolRunner runner;

    QList<double> serial, conversion, composition, whole;
    int pages = 0;
    for (int round = 0; round < rounds; ++round) {
        removeConversions(workDir);
        serial << timed([&] {
            for (const SnapshotItem &document : snapshot.items) {
                if (document.kind == SnapshotKind::Document)
                    convertedDocumentPath(workDir, document.filePath, runner);
            }
        });
        removeConversions(workDir);
        ElaboratSnapshot converted = snapshot;
        conversion << timed([&] {
            QVector<int> documents;
            for (int i = 0; i < converted.items.size(); ++i) {
                if (converted.items.at(i).kind == SnapshotKind::Document)
                    documents << i;
            }
            convertImageDocuments(converted, documents, runner);
        });
        composition << timed([&] {
            if (!buildElaboratPdf(converted, runner).written)
                qFatal("the composition failed");
        });
        removeConversions(workDir);
        whole << timed([&] {
            if (!buildElaboratPdf(snapshot, runner).written)
                qFatal("the build failed");
        });
        pages = 0;
        for (const SnapshotItem &document : snapshot.items)
            pages += document.kind == SnapshotKind::Document ? documentPages(document) : 0;
    }
    std::printf("elaborat of %d pages: %d PDFs, %d images; median of %d rounds\n", pages, pdfFiles,
        images, rounds);
    std::printf("  images one by one  %8.0f ms (%.0f ms per image)\n", median(serial),
        median(serial) / images);
    std::printf(
        "  images on %d cores  %8.0f ms\n", QThread::idealThreadCount(), median(conversion));
    std::printf("  composition        %8.0f ms\n", median(composition));
    std::printf("  whole build        %8.0f ms\n", median(whole));
    return 0;
}
