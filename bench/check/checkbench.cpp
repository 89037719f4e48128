// Times the elaborat check of a 300-page elaborat of 30 PDFs (10 of 10 pages, 20 of 9, every
// page a scanned image) and 20 scanned images (10 at 150 dpi, 10 at 300 dpi, JPEG) with the
// real converter and analyzer, in a real (offscreen) main window: the time to the full result
// list, split into the image conversions and the analysis, and the longest time the GUI thread
// did not return to its event loop meanwhile. Run it by hand: build/bench/checkbench [rounds]
#include "app/mainwindow.h"
#include "benchfolder.h"
#include "benchtiming.h"
#include "check/dialogpreveri.h"
#include "model/ttreebookmark.h"
#include "model/ttreedokument.h"
#include "model/ttreeelaborat.h"
#include "model/ttreesestavina.h"
#include "platform/apppaths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using BenchTiming::median;

namespace {
constexpr int pdfFiles = 30;
constexpr int images = 20;

// A PDF whose every A4 page draws a grey 620 x 877 scan.
QString makeScannedPdf(const QString &path, int pages)
{
    QImage scan(620, 877, QImage::Format_RGB32);
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        scan.fill(QColor::fromHsv(page * 7 % 360, 40, 230));
        painter.drawImage(painter.viewport(), scan);
        if (page < pages)
            writer.newPage();
    }
    return path;
}

QString makeScan(const QString &path, int dpi)
{
    QProcess gm;
    const QString size = dpi == 300 ? QStringLiteral("2480x3508") : QStringLiteral("1240x1754");
    gm.start(QStringLiteral("gm"),
        {QStringLiteral("convert"), QStringLiteral("-size"), size, QStringLiteral("plasma:"),
            QStringLiteral("-units"), QStringLiteral("PixelsPerInch"), QStringLiteral("-density"),
            QString::number(dpi), path});
    if (!gm.waitForFinished(120000) || gm.exitCode() != 0)
        qFatal("GraphicsMagick could not make %s", qPrintable(path));
    return path;
}

struct Round
{
    double conversion = 0;
    double analysis = 0;
    double whole = 0;
    double longestGap = 0;
};

// Runs one check from the click to the full list; the GUI thread's gaps are measured by a
// timer that fires whenever the event loop is free.
Round runCheck(DialogPreveri &dialog, const QList<TTreeDokument *> &scans)
{
    Round round;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        round.longestGap = std::max(round.longestGap, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
        const bool converted = std::all_of(scans.cbegin(), scans.cend(),
            [](const TTreeDokument *scan) { return scan->suffix() == QLatin1String("pdf"); });
        if (converted && round.conversion == 0)
            round.conversion = clock.nsecsElapsed() / 1e6;
        if (clock.isValid() && dialog.b_prekini->isHidden())
            loop.quit();
    });
    QTimer::singleShot(0, [&] {
        clock.start();
        dialog.b_preveri->click();
    });
    sinceTick.start();
    tick.start();
    loop.exec();
    round.whole = clock.nsecsElapsed() / 1e6;
    round.analysis = round.whole - round.conversion;
    return round;
}

} // namespace

int main(int argc, char **argv)
{
    BenchTiming::preferOffscreen();
    QApplication app(argc, argv);
    const int rounds = BenchTiming::rounds(argc, argv, 3);
    QTemporaryDir folder;
    BenchFolder::copyConfig(folder.filePath(QStringLiteral("config")));
    for (const char *tool : {"ImageMagick", "ImageAnalyzer"})
        QFile::link(QStringLiteral(TEV_BUILD_PROGRAM_DIR "/") + QLatin1String(tool),
            folder.filePath(QLatin1String(tool)));
    AppPaths::setProgramDir(folder.path());

    MainWindow window;
    window.show();
    const int land = window.katalog().procedureIndexById(QStringLiteral("UM"));
    TTreeElaborat *elaborat = window.createElaborat({land}, false, false);
    auto *component = TTreeSestavina::cast(elaborat->sestavineItem()->child(0));
    QList<TTreeDokument *> scans;
    int pages = 0;
    for (int file = 0; file < pdfFiles + images; ++file) {
        auto *bookmark = new TTreeBookmark(
            QStringLiteral("111"), QStringLiteral("111 Dokument %1").arg(file + 1), component);
        if (file < pdfFiles) {
            const int count = file < 10 ? 10 : 9;
            new TTreeDokument(
                makeScannedPdf(folder.filePath(QStringLiteral("d%1.pdf").arg(file)), count),
                bookmark);
            pages += count;
        } else {
            const int dpi = file % 2 ? 300 : 150;
            scans << new TTreeDokument(
                makeScan(folder.filePath(QStringLiteral("s%1.jpg").arg(file)), dpi), bookmark);
            pages += 1;
        }
    }

    QList<double> conversion, analysis, whole, gap;
    for (int i = 0; i < rounds; ++i) {
        for (TTreeDokument *scan : std::as_const(scans))
            scan->setFile(scan->sourcePath(), 0, 0);
        DialogPreveri dialog(elaborat, &window);
        dialog.show();
        const Round round = runCheck(dialog, scans);
        conversion << round.conversion;
        analysis << round.analysis;
        whole << round.whole;
        gap << round.longestGap;
        if (dialog.listWidget->count() < pdfFiles + images)
            qFatal("the check listed only %d lines", dialog.listWidget->count());
    }
    std::printf("check of %d pages: %d PDFs, %d images; median of %d rounds\n", pages, pdfFiles,
        images, rounds);
    std::printf("  image conversion        %8.0f ms\n", median(conversion));
    std::printf("  analysis                %8.0f ms\n", median(analysis));
    std::printf("  full result list        %8.0f ms\n", median(whole));
    std::printf("  longest GUI gap         %8.1f ms\n", median(gap));
    return 0;
}
