#include "sourcedocument.h"

#include "destinationresolver.h"
#include "pdfinput.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <qpdf/ClosedFileInputSource.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>

namespace {
// Replaces a link's destination by name with the explicit destination it stands for.
void makeExplicit(QPDFObjectHandle annotation, DestinationResolver &resolver)
{
    if (!annotation.isDictionary())
        return;
    QPDFObjectHandle holder = annotation;
    std::string key = "/Dest";
    QPDFObjectHandle action = annotation.getKey("/A");
    if (!annotation.hasKey(key) && action.isDictionary()
        && action.getKey("/S").isNameAndEquals("/GoTo")) {
        holder = action;
        key = "/D";
    }
    QPDFObjectHandle target = holder.getKey(key);
    if (target.isNull() || target.isArray())
        return;
    QPDFObjectHandle destination = resolver.explicitDestination(target);
    if (destination.isArray())
        holder.replaceKey(key, destination);
}
} // namespace

SourceDocument::SourceDocument() = default;
SourceDocument::~SourceDocument() = default;

bool SourceDocument::open(const QString &path, bool closeBetweenReads, QString *error)
{
    auto pdf = std::make_unique<QPDF>();
    std::shared_ptr<InputSource> input;
    if (closeBetweenReads)
        input = closedFile = std::make_shared<ClosedFileInputSource>(qpdfFileName(path).c_str());
    if (!openPdfPages(*pdf, path, &pages, error, input))
        return false;
    document = std::move(pdf);
    return true;
}

int SourceDocument::pageRotation(int index) const
{
    QPDFObjectHandle rotate = page(index).getAttribute("/Rotate", false);
    const int degrees = rotate.isNumber() ? int(rotate.getNumericValue()) % 360 : 0;
    const int turned = degrees < 0 ? degrees + 360 : degrees;
    return turned % 90 == 0 ? turned : 0;
}

PDFVersion SourceDocument::version() const
{
    // qpdf's getVersionAsPDFVersion() compiles a regular expression at every call, which costs
    // more than copying a few pages; the header's "major.minor" is read here instead.
    const std::string header = document->getPDFVersion();
    const char *end = header.data() + header.size();
    const char *at = std::find_if_not(header.data(), end, [](char c) { return std::isspace(c); });
    int major = 0;
    int minor = 0;
    const std::from_chars_result read = std::from_chars(at, end, major);
    if (read.ec == std::errc() && read.ptr != end && *read.ptr == '.')
        std::from_chars(read.ptr + 1, end, minor);
    return PDFVersion(major, minor, document->getExtensionLevel());
}

void SourceDocument::keepOpen(bool open)
{
    if (closedFile)
        closedFile->stayOpen(open);
}

void SourceDocument::takeAnnotations(int index)
{
    QPDFObjectHandle object = page(index).getObjectHandle();
    if (takenAnnotations.count(index) || !object.hasKey("/Annots"))
        return;
    takenAnnotations[index] = object.getKey("/Annots");
    object.removeKey("/Annots");
}

void SourceDocument::restoreAnnotations()
{
    DestinationResolver resolver(*document);
    for (auto &[index, annotations] : takenAnnotations) {
        if (annotations.isArray()) {
            for (QPDFObjectHandle annotation : annotations.aitems())
                makeExplicit(annotation, resolver);
        }
        page(index).getObjectHandle().replaceKey("/Annots", annotations);
    }
}

QPDFAcroFormDocumentHelper &SourceDocument::forms()
{
    if (!formHelper)
        formHelper = std::make_unique<QPDFAcroFormDocumentHelper>(*document);
    return *formHelper;
}
