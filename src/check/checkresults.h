#pragma once

#include "platform/toolrunner.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

struct AttributeProblem;

// The colours of the elaborat check, in the result list and in the tree.
namespace CheckColors {
inline const QColor missingComponent {200, 75, 70};
inline const QColor component {0, 0, 0};
inline const QColor warningText {200, 75, 10};
inline const QColor unsuitableDocument {200, 91, 10};
inline const QColor analysedName {0, 0, 237};
inline const QColor unsuitableName {255, 57, 17};
} // namespace CheckColors

// One line of the check's result list and how it shows.
struct CheckLine
{
    QString text;
    bool bold = false;
    bool italic = false;
    QColor foreground; // invalid: the list's own
    QColor background; // invalid: the list's own

    bool operator==(const CheckLine &other) const;
};

// One image as the analyzer reports it.
struct AnalyzedImage
{
    double x = 0; // horizontal resolution
    double y = 0; // vertical resolution
    int bitsPerPixel = 0;

    // At least 295 both ways, before any rounding, and 24 bits per pixel.
    bool suitable() const;
};

// A document given to the analyzer: its PDF and page (0 for the whole file).
struct AnalyzerDocument
{
    QString path;
    int page = 0;
};

// The analyzer run over the documents: ImageAnalyzer/ImageAnalyzer with one pair of arguments
// (path, page) per document; the debug log shows "ImageAnalyzer.exe %1" with %1 the pairs,
// each "\"path\" page", joined by a blank.
ToolCommand analyzerCommand(const QVector<AnalyzerDocument> &documents);

// The analyzer's output, one list of images per document: the output trimmed, split at "q"
// with the part after the last "q" dropped; each line of a part trimmed and split at ";", a
// line of three fields being an image, any other line ignored.
QVector<QVector<AnalyzedImage>> parseAnalyzerOutput(const QByteArray &output);

// The component part of the result list: the heading, the missing mandatory components (by
// name, in walk order), the attributes that would not come back as they are and, when the
// resolution check follows, the separator.
QVector<CheckLine> componentLines(
    const QStringList &missing, const QVector<AttributeProblem> &problems, bool separator);

// The heading of the resolution part.
CheckLine resolutionHeading();

// The lines of one analysed document: its summary line, then one line per image.
QVector<CheckLine> documentLines(const QString &name, const QVector<AnalyzedImage> &images);

// Whether some image of the document is unsuitable.
bool hasUnsuitableImage(const QVector<AnalyzedImage> &images);

// The line that tells that the resolution check did not finish.
CheckLine interruptedLine();
