#pragma once

#include "composerarguments.h"
#include "sourcedocument.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

class QPDF;

// Composes one PDF from pages of other PDFs, with an outline and the document information's
// Keywords and title.
class PdfComposer
{
public:
    // Copies the job's pages in order (page content, annotations, links and sizes kept, each
    // document's rotation added to its pages' own), builds the outline from the outline file
    // and stores Keywords and title as PDF text strings, so that any Unicode text reads back
    // unchanged. The output file appears only complete: the document is written to a temporary
    // file beside it and renamed over it, so that on any failure (a missing, damaged or
    // password-protected input, a page out of range, an unwritable output) an existing output
    // stays as it was. An input page that cannot be read whole (an object it needs missing, a
    // stream lost, the file shrinking while it is read) fails the composition rather than
    // leave a blank page. Returns false with a message on failure.
    bool compose(const ComposerJob &job, QString *error);
    // What qpdf warned about the inputs during the last compose(), such as the repair of a
    // damaged file, one text each.
    const QStringList &warnings() const { return qpdfWarnings; }

private:
    bool composeOnce(const ComposerJob &job, QString *error);
    bool openSources(const std::vector<ComposerSource> &list, QString *error);
    void copyPages(QPDF &output, const std::vector<ComposerSource> &list);
    void copyAnnotations(QPDF &output);
    static std::vector<int> selectedPages(
        const ComposerSource &source, const SourceDocument &document);
    static void setDocumentInfo(QPDF &output, const QString &keywords, const QString &title);
    bool write(QPDF &output, const QString &path, QString *error);

    // A page of the output and the source page it was copied from.
    struct CopiedPage
    {
        QPDFObjectHandle page;
        SourceDocument *source;
        int index;
    };

    std::map<QString, SourceDocument> sources;
    std::vector<CopiedPage> copied;
    QStringList qpdfWarnings;
};
