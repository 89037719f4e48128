// Times the document-type dialog's preview path: converting a 300 dpi A4 colour scan to PDF
// with the preview conversion, and rendering an A4 page with DocumentWidget at 100% and 400%
// (a page holding that scan and a page of text), headless.

#include "benchtiming.h"
#include "intake/documentwidget.h"
#include "intake/tconvertprocess.h"
#include "platform/apppaths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using BenchTiming::median;

namespace {
constexpr int conversionRounds = 5;
constexpr int renderRounds = 7;
constexpr int zoom100 = 3;
constexpr int zoom400 = 8;

void report(const QByteArray &what, const QList<double> &values)
{
    std::printf("%-38s median %8.1f ms   min %8.1f ms   max %8.1f ms\n", what.constData(),
        median(values), *std::min_element(values.begin(), values.end()),
        *std::max_element(values.begin(), values.end()));
}

QByteArray loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("unknown");
}

bool makeScan(const QString &path)
{
    QProcess gm;
    gm.start(QStringLiteral("gm"),
        {"convert", "-size", "2480x3508", "plasma:fractal", "-density", "300", path});
    return gm.waitForFinished(300000) && gm.exitCode() == 0;
}

void makeTextPage(const QString &path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter painter(&writer);
    QFont font = painter.font();
    font.setPointSize(10);
    painter.setFont(font);
    const int lineHeight = painter.fontMetrics().height();
    for (int y = 200; y < writer.height() - 200; y += lineHeight)
        painter.drawText(200, y,
            QStringLiteral("Parcela %1, k.o. 1722 Trnovsko predmestje: meja določena po "
                           "zapisniku mejne obravnave.")
                .arg(y));
}

// Milliseconds of one preview conversion, or a negative value when it failed.
double convertOnce(const QString &source, const QString &output)
{
    QFile::remove(output);
    TConvertProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    process.convert(source, output);
    loop.exec();
    const double ms = clock.nsecsElapsed() / 1e6;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? ms : -1;
}

bool benchConversion(const QString &source, const QString &output)
{
    QList<double> times;
    for (int round = 0; round < conversionRounds; ++round) {
        const double ms = convertOnce(source, output);
        if (ms < 0)
            return false;
        times.append(ms);
    }
    std::printf("scan %lld bytes -> PDF %lld bytes\n",
        static_cast<long long>(QFileInfo(source).size()),
        static_cast<long long>(QFileInfo(output).size()));
    report("convert to PDF (" + QFileInfo(source).suffix().toLatin1() + ")", times);
    return true;
}

bool benchRendering(const QByteArray &what, const QString &pdf)
{
    DocumentWidget widget;
    if (!widget.setDocument(pdf, 0))
        return false;
    for (const int zoom : {zoom100, zoom400}) {
        widget.scaleDocument(zoom);
        QList<double> times;
        for (int round = 0; round < renderRounds; ++round) {
            QElapsedTimer clock;
            clock.start();
            widget.setPage();
            times.append(clock.nsecsElapsed() / 1e6);
        }
        const QSize size = widget.pixmap().size();
        report(what + " at " + QByteArray::number(qRound(widget.scale() * 100)) + "% ("
                + QByteArray::number(size.width()) + "x" + QByteArray::number(size.height()) + ")",
            times);
    }
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    AppPaths::setProgramDir(QStringLiteral(TEV_BUILD_PROGRAM_DIR));
    QTemporaryDir folder;
    std::printf("load average before: %s\n", loadAverage().constData());

    const QString jpeg = folder.filePath(QStringLiteral("sken.jpg"));
    const QString png = folder.filePath(QStringLiteral("sken.png"));
    if (!makeScan(jpeg) || !makeScan(png)) {
        std::fprintf(stderr, "previewbench: cannot make the scans with GraphicsMagick\n");
        return 1;
    }
    const QString scanPdf = folder.filePath(QStringLiteral("sken.jpg.pdf"));
    if (!benchConversion(png, folder.filePath(QStringLiteral("sken.png.pdf")))
        || !benchConversion(jpeg, scanPdf)) {
        std::fprintf(stderr, "previewbench: the preview conversion failed\n");
        return 1;
    }

    const QString textPdf = folder.filePath(QStringLiteral("besedilo.pdf"));
    makeTextPage(textPdf);
    DocumentWidget probe;
    std::printf("screen: %d x %d dpi (offscreen)\n", probe.physicalDpiX(), probe.physicalDpiY());
    if (!benchRendering("render scan page", scanPdf)
        || !benchRendering("render text page", textPdf)) {
        std::fprintf(stderr, "previewbench: cannot render the pages\n");
        return 1;
    }
    std::printf("load average after: %s\n", loadAverage().constData());
    return 0;
}
