// Analyzing a 200-page scanned PDF (one A4 JPEG scan at 300 dpi per page) against
// "pdfimages -list" on it, over the whole file and the way the elaborat check asks about an
// opened elaborat (one pair per page); then the check of an elaborat of 50 scanned documents of
// 4 pages, one analyzer run against one pdfimages run per document.

#include "measure.h"
#include "pdfbuilder.h"
#include "toolprogram.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {
constexpr int pages = 200;
constexpr int documents = 50;
constexpr int documentPages = 4;
constexpr int runs = 11;

std::string scanJpeg(const QTemporaryDir &dir)
{
    const QString scan = dir.filePath(QStringLiteral("scan.jpg"));
    if (!gmConvert({"-size", "2480x3508", "plasma:", "-units", "PixelsPerInch", "-density", "300",
            "-quality", "60", scan}))
        return {};
    QFile file(scan);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

bool writeScannedPdf(const QString &path, int pageCount, const std::string &jpeg)
{
    PdfBuilder builder;
    for (int page = 0; page < pageCount; ++page) {
        QPDFObjectHandle object = builder.addPage("q 595.2 0 0 841.92 0 0 cm /Scan Do Q");
        builder.addImage(object, "Scan", 2480, 3508, "/DeviceRGB", 8)
            .replaceStreamData(
                jpeg, QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
    }
    return builder.write(path);
}

bool benchOneFile(const QString &pdf)
{
    QStringList perPage;
    for (int page = 1; page <= pages; ++page)
        perPage << pdf << QString::number(page);
    const QString analyzer = builtToolPath("ImageAnalyzer", "ImageAnalyzer");
    bool ok = true;
    const std::vector<double> medians = medianMilliseconds(runs,
        {[&] {
             ok = runProgram(analyzer, {pdf, "0"}).exitCode == 0 && ok;
         },
            [&] { ok = runProgram(analyzer, perPage).exitCode == 0 && ok; },
            [&] {
                ok = runProgram("pdfimages", {"-list", pdf}).exitCode == 0 && ok;
            }});
    std::printf("analyze %d scanned pages (%.1f MB), median of %d:\n"
                "  ImageAnalyzer whole file %.1f ms, one pair per page %.1f ms, "
                "pdfimages -list %.1f ms, ratios %.2f and %.2f\n",
        pages, double(QFileInfo(pdf).size()) / 1e6, runs, medians[0], medians[1], medians[2],
        medians[0] / medians[2], medians[1] / medians[2]);
    return ok;
}

bool benchElaborat(const QStringList &pdfs)
{
    QStringList pairs;
    for (const QString &pdf : pdfs)
        pairs << pdf << "0";
    const QString analyzer = builtToolPath("ImageAnalyzer", "ImageAnalyzer");
    bool ok = true;
    const std::vector<double> medians = medianMilliseconds(runs,
        {[&] { ok = runProgram(analyzer, pairs).exitCode == 0 && ok; },
            [&] {
                for (const QString &pdf : pdfs)
                    ok = runProgram("pdfimages", {"-list", pdf}).exitCode == 0 && ok;
            }});
    std::printf("check %d scanned documents of %d pages, median of %d:\n"
                "  ImageAnalyzer %.1f ms, pdfimages -list per document %.1f ms, ratio %.2f\n",
        documents, documentPages, runs, medians[0], medians[1], medians[0] / medians[1]);
    return ok;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir dir;
    const std::string jpeg = dir.isValid() ? scanJpeg(dir) : std::string();
    const QString pdf = dir.filePath(QStringLiteral("scanned.pdf"));
    QStringList pdfs;
    bool written = !jpeg.empty() && writeScannedPdf(pdf, pages, jpeg);
    for (int i = 1; written && i <= documents; ++i) {
        pdfs << dir.filePath(QStringLiteral("document%1.pdf").arg(i));
        written = writeScannedPdf(pdfs.last(), documentPages, jpeg);
    }
    if (!written) {
        std::fprintf(stderr, "analyzerbench: no input\n");
        return 1;
    }
    return benchOneFile(pdf) && benchElaborat(pdfs) ? 0 : 1;
}
