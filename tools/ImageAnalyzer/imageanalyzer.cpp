#include "imageanalyzer.h"

#include "decimal.h"
#include "pdfinput.h"

#include <qpdf/QPDF.hh>

namespace {
QByteArray resolutionText(double ppi)
{
    QByteArray text = QByteArray::number(ppi, 'f', 2);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}
} // namespace

ImageAnalyzer::ImageAnalyzer() = default;
ImageAnalyzer::~ImageAnalyzer() = default;

AnalyzerReport ImageAnalyzer::analyze(const std::vector<AnalyzerRequest> &requests)
{
    AnalyzerReport report;
    for (const AnalyzerRequest &request : requests) {
        QByteArray lines;
        QString error;
        if (analyzeRequest(request, &lines, &error))
            report.output += lines;
        else
            report.errors << error;
        report.output += "q\n";
    }
    return report;
}

QByteArray ImageAnalyzer::imageLine(const ImagePlacement &image)
{
    return resolutionText(image.xPpi) + ';' + resolutionText(image.yPpi) + ';'
        + QByteArray::number(image.bitsPerPixel) + '\n';
}

bool ImageAnalyzer::analyzeRequest(
    const AnalyzerRequest &request, QByteArray *lines, QString *error)
{
    const std::optional<int> page = parseDecimal(request.page);
    if (!page) {
        *error = pageNotNumberMessage(request.path, request.page);
        return false;
    }
    if (!openDocument(request.path, error))
        return false;
    if (*page > int(pages.size())) {
        *error = pageOutOfRangeMessage(request.path, *page, int(pages.size()));
        return false;
    }
    const size_t first = *page > 0 ? size_t(*page - 1) : 0;
    const size_t end = *page > 0 ? first + 1 : pages.size();
    try {
        for (size_t i = first; i < end; ++i) {
            for (const ImagePlacement &image : ImageFinder::pageImages(pages[i]))
                *lines += imageLine(image);
        }
        return true;
    } catch (const std::exception &e) {
        *error = unreadablePagesMessage(request.path, e.what());
        return false;
    }
}

bool ImageAnalyzer::openDocument(const QString &path, QString *error)
{
    if (document && path == documentPath)
        return true;
    pages.clear();
    document.reset();
    auto pdf = std::make_unique<QPDF>();
    if (!openPdfPages(*pdf, path, &pages, error, mappedInput(path)))
        return false;
    document = std::move(pdf);
    documentPath = path;
    return true;
}
