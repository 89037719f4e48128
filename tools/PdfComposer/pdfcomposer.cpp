#include "pdfcomposer.h"

#include "outline.h"
#include "pdfinput.h"
#include "savefilepipeline.h"
#include "writefailure.h"

#include <QSaveFile>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <set>

namespace {
// Beyond this many different input files, files are closed between reads, as some systems let
// a program keep only a few hundred files open.
constexpr size_t maxOpenFiles = 200;

QString unwritableMessage(const QSaveFile &file)
{
    return QStringLiteral("izhodne datoteke '%1' ni mogoce zapisati: %2")
        .arg(file.fileName(), writeFailureReason(file));
}
} // namespace

bool PdfComposer::compose(const ComposerJob &job, QString *error)
{
    const bool composed = composeOnce(job, error);
    for (auto &entry : sources)
        qpdfWarnings += entry.second.takeWarnings();
    return composed;
}

bool PdfComposer::composeOnce(const ComposerJob &job, QString *error)
{
    sources.clear();
    copied.clear();
    qpdfWarnings.clear();
    std::vector<OutlineEntry> outline;
    if (!job.outlinePath.isEmpty() && !readOutlineFile(job.outlinePath, &outline, error))
        return false;
    try {
        if (!openSources(job.sources, error))
            return false;
        QPDF output;
        output.emptyPDF();
        output.setSuppressWarnings(true);
        copyPages(output, job.sources);
        copyAnnotations(output);
        addOutline(output, outline);
        setDocumentInfo(output, job.keywords, job.title);
        return write(output, job.output, error);
    } catch (const std::exception &e) {
        *error = QStringLiteral("sestavljanje ni uspelo: %1").arg(QString::fromUtf8(e.what()));
        return false;
    }
}

bool PdfComposer::openSources(const std::vector<ComposerSource> &list, QString *error)
{
    std::set<QString> paths;
    for (const ComposerSource &source : list)
        paths.insert(source.path);
    const bool closeBetweenReads = paths.size() > maxOpenFiles;
    size_t pageTotal = 0;
    for (const ComposerSource &source : list) {
        SourceDocument &document = sources[source.path];
        if (!document.isOpen() && !document.open(source.path, closeBetweenReads, error))
            return false;
        if (source.page > document.pageCount()) {
            *error = pageOutOfRangeMessage(source.path, source.page, document.pageCount());
            return false;
        }
        for (int index : selectedPages(source, document)) {
            *error = document.pageDamage(index);
            if (!error->isEmpty())
                return false;
            ++pageTotal;
        }
    }
    if (pageTotal == 0) {
        *error = QStringLiteral("dokumenti nimajo nobene strani");
        return false;
    }
    return true;
}

void PdfComposer::copyPages(QPDF &output, const std::vector<ComposerSource> &list)
{
    // Annotations follow once every page is in place, so that a link to a later page finds
    // that page's copy instead of nothing.
    for (const ComposerSource &source : list) {
        SourceDocument &document = sources.at(source.path);
        for (int index : selectedPages(source, document))
            document.takeAnnotations(index);
    }
    QPDFPageDocumentHelper pages(output);
    for (const ComposerSource &source : list) {
        SourceDocument &document = sources.at(source.path);
        document.keepOpen(true);
        for (int index : selectedPages(source, document)) {
            pages.addPage(document.page(index), false);
            // A page that the list names twice is added as a copy, so the rotation is set on
            // the page just added and computed from the source page, never from an earlier copy.
            QPDFObjectHandle added = output.getAllPages().back();
            const int rotation = (document.pageRotation(index) + source.rotation) % 360;
            if (rotation != 0)
                added.replaceKey("/Rotate", QPDFObjectHandle::newInteger(rotation));
            else
                added.removeKey("/Rotate");
            copied.push_back({added, &document, index});
        }
        document.keepOpen(false);
    }
}

void PdfComposer::copyAnnotations(QPDF &output)
{
    for (auto &entry : sources)
        entry.second.restoreAnnotations();
    QPDFAcroFormDocumentHelper forms(output);
    for (const CopiedPage &copy : copied) {
        QPDFObjectHandle from = copy.source->page(copy.index).getObjectHandle();
        // Every copy of a page gets annotations and form fields of its own.
        if (from.hasKey("/Annots"))
            forms.fixCopiedAnnotations(copy.page, from, copy.source->forms());
    }
}

std::vector<int> PdfComposer::selectedPages(
    const ComposerSource &source, const SourceDocument &document)
{
    if (source.page > 0)
        return {source.page - 1};
    std::vector<int> all(size_t(document.pageCount()));
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    return all;
}

void PdfComposer::setDocumentInfo(QPDF &output, const QString &keywords, const QString &title)
{
    if (keywords.isEmpty() && title.isEmpty())
        return;
    QPDFObjectHandle info = output.makeIndirectObject(QPDFObjectHandle::newDictionary());
    if (!keywords.isEmpty())
        info.replaceKey("/Keywords", QPDFObjectHandle::newUnicodeString(keywords.toStdString()));
    if (!title.isEmpty())
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title.toStdString()));
    output.getTrailer().replaceKey("/Info", info);
}

bool PdfComposer::write(QPDF &output, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = unwritableMessage(file);
        return false;
    }
    PDFVersion version;
    for (const auto &entry : sources)
        version.updateIfGreater(entry.second.version());
    SaveFilePipeline pipeline(file);
    QPDFWriter writer(output);
    writer.setOutputPipeline(&pipeline);
    writer.setMinimumPDFVersion(version);
    writer.write();
    for (const auto &entry : sources) {
        // qpdf reads on past a read that fails and leaves the data out.
        *error = entry.second.readFailure();
        if (!error->isEmpty())
            return false;
    }
    if (!file.commit()) {
        *error = unwritableMessage(file);
        return false;
    }
    return true;
}
