// Times opening a 500-page elaborat with 100 bookmarks, built with the real composer from the
// default catalogue's "UM" procedure: from its PDF and from its ZIP package, up to a usable tree
// (the row widgets placed), with the reading of the Keywords and the outline dump apart. Run it
// by hand: build/bench/openbench [rounds]
#include "app/apppaths.h"
#include "app/mainwindow.h"
#include "app/toolrunner.h"
#include "benchfolder.h"
#include "benchtiming.h"
#include "files/elaboratfile.h"
#include "files/opencommand.h"
#include "files/pdfbuild.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using BenchTiming::median;
using BenchTiming::timed;

namespace {
constexpr int pages = 500;
constexpr int bookmarks = 100;

void prepareProgramFolder(const QTemporaryDir &folder)
{
    BenchFolder::copyConfig(folder.filePath(QStringLiteral("config")));
    for (const char *tool : {"PdfComposer", "jpdfbookmarks", "7z"})
        QFile::link(QStringLiteral(TEV_BUILD_PROGRAM_DIR "/") + QLatin1String(tool),
            folder.filePath(QLatin1String(tool)));
    AppPaths::setProgramDir(folder.path());
}

QString makeSource(const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        painter.drawText(QPointF(300, 300), QStringLiteral("Stran %1").arg(page));
        if (page < pages)
            writer.newPage();
    }
    return path;
}

// The elaborat's bookmarks go round its components that have a default type, five pages each.
QString buildElaborat(MainWindow &window, const QString &source, const QString &target)
{
    const int procedure = window.katalog().procedureIndexById(QStringLiteral("UM"));
    TTreeElaborat *elaborat = window.createElaborat({procedure}, false, false);
    QList<TTreeSestavina *> components;
    for (int i = 0; i < elaborat->sestavineItem()->childCount(); ++i) {
        auto *component = TTreeSestavina::cast(elaborat->sestavineItem()->child(i));
        if (component && component->atributi().contains(QStringLiteral("bookmark")))
            components << component;
    }
    for (int b = 0; b < bookmarks; ++b) {
        TTreeSestavina *component = components.at(b % components.size());
        const QString code = component->atributi().value(QStringLiteral("bookmark"));
        auto *bookmark
            = new TTreeBookmark(code, code + QStringLiteral(" Naslov %1").arg(b), component);
        for (int p = 0; p < pages / bookmarks; ++p)
            new TTreeDokument(source, bookmark, b * (pages / bookmarks) + p + 1);
    }
    elaborat->setPdfPath(target, true);
    if (!buildElaboratPdf(elaborat->snapshot(), ToolRunner()).written)
        qFatal("the elaborat was not built");
    delete elaborat;
    return target;
}

QString pack(const QString &pdf, const QString &zip)
{
    ToolCommand command;
    command.folder = QStringLiteral("7z");
    command.program = QStringLiteral("7za");
    command.arguments = QStringList {QStringLiteral("a"), QStringLiteral("-tzip"), zip, pdf};
    if (!ToolRunner().runTool(command, QStringLiteral("bench")).succeeded())
        qFatal("the archiver failed");
    return zip;
}

// Opens the file and lets the view place its row widgets; checks what came back.
double openOnce(MainWindow &window, const QString &path)
{
    TTreeElaborat *elaborat = nullptr;
    const double time = timed([&] {
        if (!odpriElaborat(window, path))
            qFatal("the elaborat did not open");
        QApplication::processEvents();
        elaborat = window.tree()->currentElaborat();
    });
    if (elaborat->documentCount() != pages)
        qFatal("opened %d documents", elaborat->documentCount());
    delete elaborat;
    QApplication::processEvents();
    return time;
}
} // namespace

int main(int argc, char **argv)
{
    BenchTiming::preferOffscreen();
    QApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 5);
    QTemporaryDir folder;
    prepareProgramFolder(folder);
    MainWindow window;
    window.show();
    const QString pdf
        = buildElaborat(window, makeSource(folder.filePath(QStringLiteral("vir.pdf"))),
            folder.filePath(QStringLiteral("0850_00012_000.pdf")));
    const QString zip = pack(pdf, folder.filePath(QStringLiteral("0850_00012_12.zip")));

    QList<double> info, dump, fromPdf, fromZip;
    for (int round = 0; round < rounds; ++round) {
        info << timed([&] { ElaboratFile::readPdfInfo(pdf); });
        dump << timed([&] {
            if (ElaboratFile::dumpOutline(pdf, ToolRunner()).size() != bookmarks)
                qFatal("the dump lacks lines");
        });
        fromPdf << openOnce(window, pdf);
        fromZip << openOnce(window, zip);
    }
    std::printf(
        "elaborat of %d pages and %d bookmarks; median of %d rounds\n", pages, bookmarks, rounds);
    std::printf("  Keywords and page count  %8.1f ms\n", median(info));
    std::printf("  outline dump             %8.1f ms\n", median(dump));
    std::printf("  open the PDF, usable     %8.1f ms\n", median(fromPdf));
    std::printf("  open the package, usable %8.1f ms\n", median(fromZip));
    AppPaths::setProgramDir(QString());
    return 0;
}
