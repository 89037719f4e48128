#include "imagefinder.h"

#include "directobjectreader.h"
#include "imagedepth.h"
#include "prefixpipeline.h"

#include <cmath>
#include <qpdf/Pl_String.hh>
#include <stdexcept>

namespace {
// Forms drawn inside forms deeper than this are not followed, so that no file can exhaust
// the stack.
constexpr size_t maxFormDepth = 32;
// The work a page may take: each operation run counts one step, and a page may take 200,000
// steps and 64 more for each operation of the content read so far, however often its forms
// draw one another. Forms that draw forms several times each grow exponentially with
// their depth; the budget keeps the work linear in the content a file holds.
constexpr size_t baseSteps = 200000;
constexpr size_t stepsPerOperation = 64;
// JPEG 2000 data states its depth in the boxes before the image data.
constexpr size_t jpxHeaderBytes = 65536;

const DirectObjectReader::Keys resourceKeys = {"/XObject", "/ColorSpace"};
const DirectObjectReader::Keys imageKeys = {
    "/Subtype", "/Width", "/Height", "/BitsPerComponent", "/ColorSpace", "/ImageMask", "/Filter"};
} // namespace

ImageFinder::ImageFinder(DirectObjectReader &reader)
    : reader(reader)
{ }

ImageFinder::~ImageFinder() = default;

std::vector<ImagePlacement> ImageFinder::pageImages(const PageSource &page)
{
    found.clear();
    openForms.clear();
    steps = 0;
    inchesPerUnit = page.userUnit / 72.0;
    run(program(contentStreams(page.contents)), dictionary(page.resources, &resourceKeys),
        QPDFMatrix());
    return std::move(found);
}

void ImageFinder::run(const ContentProgram &program, QPDFObjectHandle resources, QPDFMatrix ctm)
{
    using Kind = ContentProgram::Operation::Kind;
    std::vector<QPDFMatrix> savedStates;
    for (const ContentProgram::Operation &operation : program.operations()) {
        countStep();
        switch (operation.kind) {
        case Kind::Save:
            savedStates.push_back(ctm);
            break;
        case Kind::Restore:
            if (!savedStates.empty()) {
                ctm = savedStates.back();
                savedStates.pop_back();
            }
            break;
        case Kind::Concatenate:
            ctm.concat(operation.matrix);
            break;
        case Kind::DrawXObject:
            drawXObject(operation.name, resources, ctm);
            break;
        case Kind::DrawInlineImage:
            addImage(operation.image, QPDFObjectHandle(), resources, ctm);
            break;
        }
    }
}

void ImageFinder::drawXObject(
    const std::string &name, QPDFObjectHandle resources, const QPDFMatrix &ctm)
{
    if (!resources.isDictionary())
        return;
    QPDFObjectHandle xobjects = dictionary(resources.getKey("/XObject"), nullptr);
    if (!xobjects.isDictionary())
        return;
    QPDFObjectHandle xobject = xobjects.getKey(name);
    QPDFObjectHandle image = streamDictionary(xobject);
    if (!image.isDictionary())
        return;
    QPDFObjectHandle subtype = image.getKey("/Subtype");
    if (subtype.isNameAndEquals("/Image"))
        addImage(image, xobject, resources, ctm);
    else if (subtype.isNameAndEquals("/Form"))
        drawForm(xobject, resources, ctm);
}

void ImageFinder::drawForm(QPDFObjectHandle form, QPDFObjectHandle resources, const QPDFMatrix &ctm)
{
    const QPDFObjGen id = form.getObjGen();
    if (openForms.count(id) || openForms.size() >= maxFormDepth || !form.isStream())
        return;
    QPDFObjectHandle formDictionary = form.getDict();
    QPDFMatrix formCtm = ctm;
    QPDFObjectHandle matrix = formDictionary.getKey("/Matrix");
    if (matrix.isMatrix())
        formCtm.concat(QPDFMatrix(matrix.getArrayAsMatrix()));
    // Old files leave a form's resources to the page that draws it.
    QPDFObjectHandle formResources = dictionary(formDictionary.getKey("/Resources"), &resourceKeys);
    openForms.insert(id);
    run(program({form}), formResources.isDictionary() ? formResources : resources, formCtm);
    openForms.erase(id);
}

void ImageFinder::addImage(QPDFObjectHandle image, QPDFObjectHandle stream,
    QPDFObjectHandle resources, const QPDFMatrix &ctm)
{
    const int width = imageDimension(image, "/Width", "/W");
    const int height = imageDimension(image, "/Height", "/H");
    const double placedWidth = std::hypot(ctm.a, ctm.b) * inchesPerUnit;
    const double placedHeight = std::hypot(ctm.c, ctm.d) * inchesPerUnit;
    if (width <= 0 || height <= 0 || placedWidth <= 0 || placedHeight <= 0)
        return;
    found.push_back(
        {width / placedWidth, height / placedHeight, bitsPerPixel(image, stream, resources)});
}

int ImageFinder::bitsPerPixel(
    QPDFObjectHandle image, QPDFObjectHandle stream, QPDFObjectHandle resources)
{
    if (stream.isInitialized() && isJpxImage(image)) {
        // An image that forms place many times is read once.
        auto known = jpxStarts.find(stream.getObjGen());
        if (known == jpxStarts.end())
            known = jpxStarts
                        .emplace(stream.getObjGen(), PrefixPipeline::read(stream, jpxHeaderBytes))
                        .first;
        if (const int bits = jpxBitsPerPixel(image, resources, known->second))
            return bits;
    }
    return imageBitsPerPixel(image, resources);
}

void ImageFinder::countStep()
{
    if (++steps > baseSteps + stepsPerOperation * readOperations)
        throw std::runtime_error(
            "stran rise prevec (vec kot " + std::to_string(steps - 1) + " korakov risanja)");
}

const ContentProgram &ImageFinder::program(const std::vector<QPDFObjectHandle> &streams)
{
    std::vector<QPDFObjGen> key;
    for (const QPDFObjectHandle &stream : streams)
        key.push_back(stream.getObjGen());
    std::unique_ptr<ContentProgram> &known = programs[key];
    if (!known) {
        // The streams of a page are joined by line ends, as qpdf joins them.
        std::string data;
        for (const QPDFObjectHandle &stream : streams)
            data += (data.empty() ? "" : "\n") + streamData(stream);
        known = std::make_unique<ContentProgram>(data);
        readOperations += known->operations().size();
    }
    return *known;
}

std::vector<QPDFObjectHandle> ImageFinder::contentStreams(QPDFObjectHandle contents)
{
    if (streamDictionary(contents).isDictionary())
        return {contents};
    std::vector<QPDFObjectHandle> streams;
    if (contents.isArray()) {
        for (QPDFObjectHandle item : contents.aitems()) {
            if (streamDictionary(item).isDictionary())
                streams.push_back(item);
        }
    }
    return streams;
}

std::string ImageFinder::streamData(QPDFObjectHandle stream)
{
    if (stream.isIndirect()) {
        if (std::optional<std::string> data = reader.streamData(stream.getObjGen()))
            return std::move(*data);
    }
    std::string data;
    Pl_String pipeline("content", nullptr, data);
    // Like qpdf's own reading of contents: an error midway leaves what was decoded, a filter
    // that cannot be undone leaves nothing to read.
    if (!stream.pipeStreamData(&pipeline, 0, qpdf_dl_specialized))
        throw std::runtime_error("errors while decoding content stream " + stream.unparse());
    return data;
}

QPDFObjectHandle ImageFinder::dictionary(
    QPDFObjectHandle object, const DirectObjectReader::Keys *keys)
{
    if (object.isIndirect()) {
        const std::optional<DirectObjectReader::Object> read
            = reader.read(object.getObjGen(), keys);
        if (read && !read->stream)
            return read->dictionary;
    }
    return object;
}

QPDFObjectHandle ImageFinder::streamDictionary(QPDFObjectHandle object)
{
    if (object.isIndirect()) {
        const std::optional<DirectObjectReader::Object> read
            = reader.read(object.getObjGen(), &imageKeys);
        if (read && read->stream)
            return read->dictionary;
    }
    return object.isStream() ? object.getDict() : QPDFObjectHandle::newNull();
}
