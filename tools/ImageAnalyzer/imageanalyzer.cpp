#include "imageanalyzer.h"

#include "bufferedfileinput.h"
#include "decimal.h"
#include "pdfinput.h"

#include <cmath>
#include <qpdf/QPDF.hh>

namespace {
constexpr long long decimalUnits = 10000; // four decimals
// Resolutions are quotients of doubles, a few units in the last place off at most; closer than
// this (relative) to a four-decimal value they are taken as that value.
constexpr double floatingError = 1e-12;

// The resolution in units of the last decimal, cut rather than rounded but for floating-point
// error.
double decimalCount(double ppi)
{
    const double scaled = ppi * decimalUnits;
    const double nearest = std::round(scaled);
    return std::abs(scaled - nearest) <= floatingError * scaled ? nearest : std::floor(scaled);
}

QByteArray resolutionText(double ppi)
{
    const double count = decimalCount(ppi);
    if (!(count < 1e18)) // beyond what an integer holds, and no real resolution
        return QByteArray::number(ppi, 'f', 0);
    const long long units = static_cast<long long>(count);
    QByteArray text = QByteArray::number(units / decimalUnits);
    long long decimals = units % decimalUnits;
    if (decimals == 0)
        return text;
    int digits = 4;
    for (; decimals % 10 == 0; --digits)
        decimals /= 10;
    return text + '.' + QByteArray::number(decimals).rightJustified(digits, '0');
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
            for (const ImagePlacement &image : finder->pageImages(pages[i]))
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
    finder.reset();
    reader.reset();
    document.reset();
    file.reset();
    auto pdf = std::make_unique<QPDF>();
    std::shared_ptr<BufferedFileInput> input;
    try {
        input = std::make_shared<BufferedFileInput>(path);
    } catch (const std::exception &) {
        return openPdf(*pdf, path, error); // which says why the file cannot be read
    }
    if (!openPdf(*pdf, path, error, input))
        return false;
    auto direct = std::make_unique<DirectObjectReader>(*pdf, *input);
    try {
        pages = PageTreeReader::read(*pdf, *direct);
    } catch (const std::exception &e) {
        *error = unreadablePagesMessage(path, e.what());
        return false;
    }
    finder = std::make_unique<ImageFinder>(*direct);
    reader = std::move(direct);
    file = std::move(input);
    document = std::move(pdf);
    documentPath = path;
    return true;
}
