// Times opening a 500-page elaborat with 100 bookmarks, built with the real composer from the
// default catalogue's "UM" procedure: from its PDF and from its ZIP package, up to a usable tree
// (the row widgets placed), with the reading of the Keywords and the outline dump apart. Then
// opens a 600-page PDF whose 600 outline entries alternate between the first and the last page,
// and, when asked for, an elaborat of many pages; for these it also gives the longest time the
// window went unserved. Run it by hand: build/bench/openbench [rounds] [pages of the large one]
#include "app/mainwindow.h"
#include "app/opencommand.h"
#include "benchfolder.h"
#include "benchtiming.h"
#include "files/elaboratfile.h"
#include "files/pdfbuild.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "model/ttreewidget.h"
#include "platform/apppaths.h"
#include "platform/toolrunner.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

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

QString makeSource(const QString &path, int pages = ::pages)
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

// Composes an elaborat PDF of the "UM" procedure from whole source files with an outline entry
// at each of `entryPages`, the entries going round the components that have a default type.
QString composeWithOutline(MainWindow &window, const QStringList &sources, const QString &target,
    const QVector<int> &entryPages)
{
    const int procedure = window.katalog().procedureIndexById(QStringLiteral("UM"));
    std::unique_ptr<TTreeElaborat> elaborat(window.createElaborat({procedure}, false, false));
    QStringList components, codes;
    for (int i = 0; i < elaborat->sestavineItem()->childCount(); ++i) {
        auto *component = TTreeSestavina::cast(elaborat->sestavineItem()->child(i));
        if (component && component->atributi().contains(QStringLiteral("bookmark"))) {
            components << component->sifra();
            codes << component->atributi().value(QStringLiteral("bookmark"));
        }
    }
    QStringList lines, bmids, sids;
    for (int i = 0; i < entryPages.size(); ++i) {
        lines << QStringLiteral("Naslov %1/%2").arg(i).arg(entryPages.at(i));
        bmids << codes.at(i % codes.size());
        sids << components.at(i % components.size());
    }
    const QString outline = target + QStringLiteral(".txt");
    QFile file(outline);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines.join('\n').toUtf8()) < 0)
        qFatal("the outline was not written");
    file.close();
    ToolCommand command;
    command.folder = QStringLiteral("PdfComposer");
    command.program = QStringLiteral("PdfComposer");
    for (const QString &source : sources)
        command.arguments << source << QStringLiteral("0") << QStringLiteral("0");
    command.arguments << target
                      << QStringLiteral("POSTOPKI=UM|BMIDS=%1|SIDS=%2|KS=0|UNAME=|VER=2.4.5")
                             .arg(bmids.join(';'), sids.join(';'))
                      << outline << QStringLiteral("Arhiv");
    if (!ToolRunner(nullptr, ToolRunner::noTimeLimit).runTool(command, "bench").succeeded())
        qFatal("the composer failed");
    return target;
}

struct Opening
{
    double ms = 0;
    double longestUnservedMs = 0;
    int documents = 0;
};

// Opens the file and lets the view place its row widgets, watching how long the window goes
// without being served.
Opening openOnce(MainWindow &window, const QString &path)
{
    Opening opening;
    QElapsedTimer sinceServed;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        opening.longestUnservedMs
            = std::max(opening.longestUnservedMs, sinceServed.nsecsElapsed() / 1e6);
        sinceServed.restart();
    });
    ticker.start();
    sinceServed.start();
    TTreeElaborat *elaborat = nullptr;
    opening.ms = timed([&] {
        if (!odpriElaborat(window, path))
            qFatal("the elaborat did not open");
        QApplication::processEvents();
        elaborat = window.tree()->currentElaborat();
    });
    ticker.stop();
    opening.documents = elaborat->documentCount();
    delete elaborat;
    QApplication::processEvents();
    return opening;
}

void openHostile(MainWindow &window, const QString &name, const QString &path)
{
    const Opening opening = openOnce(window, path);
    std::printf("  %-24s %8.1f ms, %d documents, window unserved at most %.0f ms\n",
        qPrintable(name), opening.ms, opening.documents, opening.longestUnservedMs);
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
        for (auto [path, times] : {std::pair {pdf, &fromPdf}, std::pair {zip, &fromZip}}) {
            const Opening opening = openOnce(window, path);
            if (opening.documents != pages)
                qFatal("opened %d documents", opening.documents);
            *times << opening.ms;
        }
    }
    std::printf(
        "elaborat of %d pages and %d bookmarks; median of %d rounds\n", pages, bookmarks, rounds);
    std::printf("  Keywords and page count  %8.1f ms\n", median(info));
    std::printf("  outline dump             %8.1f ms\n", median(dump));
    std::printf("  open the PDF, usable     %8.1f ms\n", median(fromPdf));
    std::printf("  open the package, usable %8.1f ms\n", median(fromZip));

    constexpr int zigZagPages = 600;
    QVector<int> zigZag;
    for (int entry = 0; entry < zigZagPages; ++entry)
        zigZag << (entry % 2 ? zigZagPages : 1);
    openHostile(window, QStringLiteral("zig-zag of 600 entries"),
        composeWithOutline(window,
            {makeSource(folder.filePath(QStringLiteral("vir600.pdf")), zigZagPages)},
            folder.filePath(QStringLiteral("cikcak.pdf")), zigZag));

    const int largePages = argc > 2 ? std::atoi(argv[2]) / pages * pages : 0;
    if (largePages > 0) {
        QStringList sources;
        QVector<int> entries;
        for (int part = 0; part < largePages / pages; ++part) {
            sources << folder.filePath(QStringLiteral("vir.pdf"));
            entries << part * pages + 1;
        }
        openHostile(window, QStringLiteral("%1 pages").arg(largePages),
            composeWithOutline(
                window, sources, folder.filePath(QStringLiteral("velik.pdf")), entries));
    }
    AppPaths::setProgramDir(QString());
    return 0;
}
