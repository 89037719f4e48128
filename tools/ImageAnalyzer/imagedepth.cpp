#include "imagedepth.h"

#include "jpxheader.h"

#include <map>

namespace {
// Colour spaces may name other colour spaces; the limit stops loops in broken files.
constexpr int maxSpaceSteps = 8;

int familyComponents(const std::string &family)
{
    static const std::map<std::string, int> components
        = {{"/DeviceGray", 1}, {"/G", 1}, {"/CalGray", 1}, {"/Indexed", 1}, {"/I", 1},
            {"/Separation", 1}, {"/DeviceRGB", 3}, {"/RGB", 3}, {"/CalRGB", 3}, {"/Lab", 3},
            {"/DeviceCMYK", 4}, {"/CMYK", 4}, {"/CalCMYK", 4}};
    const auto found = components.find(family);
    return found == components.end() ? 0 : found->second;
}

int spaceComponents(QPDFObjectHandle space, QPDFObjectHandle resources, int steps)
{
    if (steps > maxSpaceSteps)
        return 0;
    if (space.isName()) {
        if (const int components = familyComponents(space.getName()))
            return components;
        QPDFObjectHandle spaces = resources.isDictionary() ? resources.getKey("/ColorSpace")
                                                           : QPDFObjectHandle::newNull();
        return spaces.isDictionary()
            ? spaceComponents(spaces.getKey(space.getName()), resources, steps + 1)
            : 0;
    }
    if (!space.isArray() || space.getArrayNItems() == 0 || !space.getArrayItem(0).isName())
        return 0;
    const std::string family = space.getArrayItem(0).getName();
    if (family == "/ICCBased") {
        QPDFObjectHandle profile = space.getArrayItem(1);
        QPDFObjectHandle n
            = profile.isStream() ? profile.getDict().getKey("/N") : QPDFObjectHandle::newNull();
        return n.isInteger() ? n.getIntValueAsInt() : 0;
    }
    if (family == "/DeviceN") {
        QPDFObjectHandle names = space.getArrayItem(1);
        return names.isArray() ? names.getArrayNItems() : 0;
    }
    return familyComponents(family);
}
} // namespace

int imageBitsPerPixel(QPDFObjectHandle image, QPDFObjectHandle resources)
{
    QPDFObjectHandle mask = imageEntry(image, "/ImageMask", "/IM");
    if (mask.isBool() && mask.getBoolValue())
        return 1;
    QPDFObjectHandle bits = imageEntry(image, "/BitsPerComponent", "/BPC");
    if (!bits.isInteger())
        return 0;
    return bits.getIntValueAsInt()
        * spaceComponents(imageEntry(image, "/ColorSpace", "/CS"), resources, 0);
}

bool isJpxImage(QPDFObjectHandle image)
{
    QPDFObjectHandle filter = image.getKey("/Filter");
    if (filter.isArray() && filter.getArrayNItems() == 1)
        filter = filter.getArrayItem(0);
    return filter.isNameAndEquals("/JPXDecode");
}

int jpxBitsPerPixel(QPDFObjectHandle image, QPDFObjectHandle resources, std::string_view start)
{
    const JpxLayout layout = readJpxLayout(start);
    QPDFObjectHandle space = image.getKey("/ColorSpace");
    const int components
        = space.isNull() ? layout.colourComponents : spaceComponents(space, resources, 0);
    return layout.bitsPerComponent * components;
}

int colourComponents(QPDFObjectHandle space, QPDFObjectHandle resources)
{
    return spaceComponents(space, resources, 0);
}

QPDFObjectHandle imageEntry(QPDFObjectHandle image, const char *key, const char *abbreviation)
{
    QPDFObjectHandle value = image.getKey(key);
    return value.isNull() ? image.getKey(abbreviation) : value;
}

int imageDimension(QPDFObjectHandle image, const char *key, const char *abbreviation)
{
    QPDFObjectHandle value = imageEntry(image, key, abbreviation);
    return value.isInteger() ? value.getIntValueAsInt() : 0;
}
