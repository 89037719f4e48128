#include "imagefinder.h"

#include "imagedepth.h"

#include <cmath>
#include <qpdf/QPDFPageObjectHelper.hh>

namespace {
// Forms drawn inside forms deeper than this are not followed, so that no file can exhaust
// the stack.
constexpr size_t maxFormDepth = 32;

int dimension(QPDFObjectHandle image, const char *key, const char *abbreviation)
{
    QPDFObjectHandle value = image.getKey(key);
    if (value.isNull())
        value = image.getKey(abbreviation);
    return value.isInteger() ? value.getIntValueAsInt() : 0;
}
} // namespace

std::vector<ImagePlacement> ImageFinder::pageImages(QPDFPageObjectHelper &page)
{
    std::vector<ImagePlacement> found;
    std::set<QPDFObjGen> openForms;
    QPDFObjectHandle userUnit = page.getObjectHandle().getKey("/UserUnit");
    const double unit
        = userUnit.isNumber() && userUnit.getNumericValue() > 0 ? userUnit.getNumericValue() : 1.0;
    ImageFinder finder(
        page.getAttribute("/Resources", false), QPDFMatrix(), unit / 72.0, found, openForms);
    page.parseContents(&finder);
    return found;
}

ImageFinder::ImageFinder(QPDFObjectHandle resources, const QPDFMatrix &ctm, double inchesPerUnit,
    std::vector<ImagePlacement> &found, std::set<QPDFObjGen> &openForms)
    : resources(resources)
    , ctm(ctm)
    , inchesPerUnit(inchesPerUnit)
    , found(found)
    , openForms(openForms)
{ }

void ImageFinder::handleObject(QPDFObjectHandle object)
{
    if (!object.isOperator()) {
        operands.push_back(object);
        return;
    }
    handleOperator(object.getOperatorValue());
    operands.clear();
}

void ImageFinder::handleOperator(const std::string &name)
{
    if (name == "q") {
        savedStates.push_back(ctm);
    } else if (name == "Q") {
        if (!savedStates.empty()) {
            ctm = savedStates.back();
            savedStates.pop_back();
        }
    } else if (name == "cm") {
        concatenate();
    } else if (name == "Do") {
        drawXObject();
    } else if (name == "ID") {
        beginInlineImage();
    } else if (name == "EI" && inlineImage.isInitialized()) {
        addImage(inlineImage);
        inlineImage = QPDFObjectHandle();
    }
}

void ImageFinder::concatenate()
{
    if (operands.size() != 6)
        return;
    double m[6];
    for (size_t i = 0; i < 6; ++i) {
        if (!operands[i].isNumber())
            return;
        m[i] = operands[i].getNumericValue();
    }
    ctm.concat(QPDFMatrix(m[0], m[1], m[2], m[3], m[4], m[5]));
}

void ImageFinder::drawXObject()
{
    if (operands.size() != 1 || !operands[0].isName() || !resources.isDictionary())
        return;
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    QPDFObjectHandle xobject = xobjects.isDictionary() ? xobjects.getKey(operands[0].getName())
                                                       : QPDFObjectHandle::newNull();
    if (!xobject.isStream())
        return;
    QPDFObjectHandle subtype = xobject.getDict().getKey("/Subtype");
    if (subtype.isNameAndEquals("/Image"))
        addImage(xobject.getDict());
    else if (subtype.isNameAndEquals("/Form"))
        drawForm(xobject);
}

void ImageFinder::drawForm(QPDFObjectHandle form)
{
    const QPDFObjGen id = form.getObjGen();
    if (openForms.count(id) || openForms.size() >= maxFormDepth)
        return;
    QPDFObjectHandle dictionary = form.getDict();
    QPDFMatrix formCtm = ctm;
    QPDFObjectHandle matrix = dictionary.getKey("/Matrix");
    if (matrix.isMatrix())
        formCtm.concat(QPDFMatrix(matrix.getArrayAsMatrix()));
    // Old files leave a form's resources to the page that draws it.
    QPDFObjectHandle formResources = dictionary.getKey("/Resources");
    ImageFinder inner(formResources.isDictionary() ? formResources : resources, formCtm,
        inchesPerUnit, found, openForms);
    openForms.insert(id);
    form.parseAsContents(&inner);
    openForms.erase(id);
}

void ImageFinder::beginInlineImage()
{
    inlineImage = QPDFObjectHandle::newDictionary();
    for (size_t i = 0; i + 1 < operands.size(); i += 2) {
        if (operands[i].isName())
            inlineImage.replaceKey(operands[i].getName(), operands[i + 1]);
    }
}

void ImageFinder::addImage(QPDFObjectHandle image)
{
    const int width = dimension(image, "/Width", "/W");
    const int height = dimension(image, "/Height", "/H");
    const double placedWidth = std::hypot(ctm.a, ctm.b) * inchesPerUnit;
    const double placedHeight = std::hypot(ctm.c, ctm.d) * inchesPerUnit;
    if (width <= 0 || height <= 0 || placedWidth <= 0 || placedHeight <= 0)
        return;
    found.push_back(
        {width / placedWidth, height / placedHeight, imageBitsPerPixel(image, resources)});
}
