#pragma once

#include "contentprogram.h"
#include "pagetreereader.h"

#include <map>
#include <memory>
#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class DirectObjectReader;

// One image as a page draws it.
struct ImagePlacement
{
    double xPpi = 0; // pixels along the image's width per inch of its placed width
    double yPpi = 0; // the same along its height
    int bitsPerPixel = 0;
};

// Follows what the pages of one document draw and notes the images: image XObjects, inline
// images and the images of the form XObjects they draw, in drawing order. Each content stream
// is read once, however many pages or forms draw it.
class ImageFinder
{
public:
    // Objects are read through `reader` where it can, else through qpdf.
    explicit ImageFinder(DirectObjectReader &reader);
    ~ImageFinder();

    // The images `page` draws. The resolution of each comes from its edges as the full
    // transformation in force when it is drawn places them, so scaled, rotated and skewed
    // placements measure right; an image placed with no extent shows nothing and is left out.
    // Every placement is measured, however many forms lead to it, up to a budget of work that
    // grows with the content the document holds. Throws when a content stream cannot be
    // decoded or the page takes more work than that.
    std::vector<ImagePlacement> pageImages(const PageSource &page);

private:
    void run(const ContentProgram &program, QPDFObjectHandle resources, QPDFMatrix ctm);
    void drawXObject(const std::string &name, QPDFObjectHandle resources, const QPDFMatrix &ctm);
    void drawForm(QPDFObjectHandle form, QPDFObjectHandle resources, const QPDFMatrix &ctm);
    // Counts one step of the page's work; throws past the budget.
    void countStep();
    void addImage(QPDFObjectHandle image, QPDFObjectHandle stream, QPDFObjectHandle resources,
        const QPDFMatrix &ctm);
    int bitsPerPixel(QPDFObjectHandle image, QPDFObjectHandle stream, QPDFObjectHandle resources);
    const ContentProgram &program(const std::vector<QPDFObjectHandle> &streams);
    std::vector<QPDFObjectHandle> contentStreams(QPDFObjectHandle contents);
    std::string streamData(QPDFObjectHandle stream);
    // The dictionary `object` is or refers to, with the entries `keys` (all when null) when it
    // is read from the file.
    QPDFObjectHandle dictionary(QPDFObjectHandle object, const std::vector<std::string_view> *keys);
    // The dictionary of the stream `object`, with the entries that describe images when it is
    // read from the file; a null object when `object` is no stream.
    QPDFObjectHandle streamDictionary(QPDFObjectHandle object);

    DirectObjectReader &reader;
    std::map<std::vector<QPDFObjGen>, std::unique_ptr<ContentProgram>> programs;
    std::vector<ImagePlacement> found; // on the page being read
    std::set<QPDFObjGen> openForms; // forms being followed, so that none draws itself
    std::map<QPDFObjGen, std::string> jpxStarts; // the first bytes of JPEG 2000 images
    double inchesPerUnit = 1.0 / 72;
    size_t steps = 0; // on the page being read
    size_t readOperations = 0; // of every content program read so far
};
