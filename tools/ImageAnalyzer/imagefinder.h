#pragma once

#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <set>
#include <string>
#include <vector>

class QPDFPageObjectHelper;

// One image as a page draws it.
struct ImagePlacement
{
    double xPpi = 0; // pixels along the image's width per inch of its placed width
    double yPpi = 0; // the same along its height
    int bitsPerPixel = 0;
};

// Follows what a page draws and notes the images: image XObjects, inline images and the
// images of the form XObjects it draws, in drawing order.
class ImageFinder : public QPDFObjectHandle::ParserCallbacks
{
public:
    // The images `page` draws. The resolution of each comes from its edges as the full
    // transformation in force when it is drawn places them, so scaled, rotated and skewed
    // placements measure right; an image placed with no extent shows nothing and is left out.
    static std::vector<ImagePlacement> pageImages(QPDFPageObjectHelper &page);

private:
    ImageFinder(QPDFObjectHandle resources, const QPDFMatrix &ctm, double inchesPerUnit,
        std::vector<ImagePlacement> &found, std::set<QPDFObjGen> &openForms);

    void handleObject(QPDFObjectHandle object) override;
    void handleEOF() override { }
    void handleOperator(const std::string &name);
    void concatenate();
    void drawXObject();
    void drawForm(QPDFObjectHandle form);
    void beginInlineImage();
    void addImage(QPDFObjectHandle image);

    QPDFObjectHandle resources;
    QPDFMatrix ctm;
    std::vector<QPDFMatrix> savedStates;
    std::vector<QPDFObjectHandle> operands;
    QPDFObjectHandle inlineImage; // the dictionary of an inline image between ID and EI
    double inchesPerUnit;
    std::vector<ImagePlacement> &found;
    std::set<QPDFObjGen> &openForms; // forms being followed, so that none draws itself
};
