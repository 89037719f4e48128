#include "sourcedocument.h"

#include "bufferedfileinput.h"
#include "destinationresolver.h"
#include "pdfinput.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <set>

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
// qpdf's word for stream data it could not find in a damaged file; it reads the stream as
// empty.
constexpr const char *lostStreamWarning = "unable to recover stream data";

// Whether `start` or anything it refers to (other pages and the page tree apart) is an object
// the file does not hold.
bool refersToMissing(QPDFObjectHandle start)
{
    std::set<QPDFObjGen> seen;
    std::vector<QPDFObjectHandle> pending {start};
    while (!pending.empty()) {
        QPDFObjectHandle object = pending.back();
        pending.pop_back();
        if (object.isIndirect() && !seen.insert(object.getObjGen()).second)
            continue;
        if (object.isIndirect() && object.isNull())
            return true;
        if (object.isStream())
            object = object.getDict();
        if (object.isArray()) {
            for (QPDFObjectHandle item : object.aitems())
                pending.push_back(item);
        } else if (object.isDictionary() && !object.isPageObject()) {
            for (auto &[key, value] : object.ditems()) {
                if (key != "/Parent" && key != "/P")
                    pending.push_back(value);
            }
        }
    }
    return false;
}
} // namespace

SourceDocument::SourceDocument() = default;
SourceDocument::~SourceDocument() = default;

bool SourceDocument::open(const QString &path, bool closeBetweenReads, QString *error)
{
    auto pdf = std::make_unique<QPDF>();
    try {
        input = std::make_shared<BufferedFileInput>(path, closeBetweenReads);
    } catch (const std::exception &) {
        return openPdfPages(*pdf, path, &pages, error); // which says why the file cannot be read
    }
    if (!openPdfPages(*pdf, path, &pages, error, input))
        return false;
    this->path = path;
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
    input->stayOpen(open);
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

QString SourceDocument::pageDamage(int index)
{
    QPDFObjectHandle object = page(index).getObjectHandle();
    const std::vector<QPDFExc> before = document->getWarnings();
    const bool missing = refersToMissing(object.getKey("/Contents"))
        || refersToMissing(page(index).getAttribute("/Resources", false));
    const std::vector<QPDFExc> during = document->getWarnings();
    bool lost = false;
    for (const QPDFExc &warning : during)
        lost = lost || warning.getMessageDetail().find(lostStreamWarning) != std::string::npos;
    warnings.insert(warnings.end(), before.begin(), before.end());
    warnings.insert(warnings.end(), during.begin(), during.end());
    if (!missing && !lost)
        return QString();
    return QStringLiteral("strani %1 datoteke '%2' ni mogoce prebrati cele: datoteka je "
                          "poskodovana ali odrezana")
        .arg(index + 1)
        .arg(path);
}

QString SourceDocument::readFailure() const
{
    return input->failure();
}

QStringList SourceDocument::takeWarnings()
{
    if (document) {
        const std::vector<QPDFExc> later = document->getWarnings();
        warnings.insert(warnings.end(), later.begin(), later.end());
    }
    QStringList texts;
    for (const QPDFExc &warning : warnings)
        texts << QString::fromUtf8(warning.what());
    warnings.clear();
    return texts;
}

QPDFAcroFormDocumentHelper &SourceDocument::forms()
{
    if (!formHelper)
        formHelper = std::make_unique<QPDFAcroFormDocumentHelper>(*document);
    return *formHelper;
}
