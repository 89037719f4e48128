#pragma once

#include "analyzerarguments.h"
#include "directobjectreader.h"
#include "imagefinder.h"

#include <QByteArray>
#include <QStringList>
#include <memory>
#include <vector>

class BufferedFileInput;
class QPDF;

// What the analyzer prints and what went wrong on the way.
struct AnalyzerReport
{
    QByteArray output;
    QStringList errors; // one message per document that could not be read
};

// Reports the resolution and colour depth of the images that pages of PDFs draw.
class ImageAnalyzer
{
public:
    ImageAnalyzer();
    ~ImageAnalyzer();

    // For each request in order: one line "x;y;bpp" per image its pages draw (see
    // ImageFinder), then a line "q". A document that cannot be read, or a page it does not
    // have, gets the "q" line alone and a message in `errors`.
    AnalyzerReport analyze(const std::vector<AnalyzerRequest> &requests);

    // The line of one image: resolutions with at most four decimals and a ".", then the bits
    // per pixel, separated by ";". Resolutions are cut, not rounded, to their decimals (but
    // for floating-point error), so that one below a limit never reads as the limit: 294.99996
    // is "294.9999".
    static QByteArray imageLine(const ImagePlacement &image);

private:
    bool analyzeRequest(const AnalyzerRequest &request, QByteArray *lines, QString *error);
    bool openDocument(const QString &path, QString *error);

    // The document read last: consecutive requests often name pages of one file.
    std::shared_ptr<BufferedFileInput> file;
    std::unique_ptr<QPDF> document;
    std::unique_ptr<DirectObjectReader> reader;
    std::unique_ptr<ImageFinder> finder; // of the document, whose streams it knows
    std::vector<PageSource> pages;
    QString documentPath;
};
