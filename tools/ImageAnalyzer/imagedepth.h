#pragma once

#include <qpdf/QPDFObjectHandle.hh>
#include <string_view>

// Bits per pixel of an image (the dictionary of an image XObject or of an inline image, whose
// abbreviated keys and colour-space names are understood too): bits per component times colour
// components, so RGB gives 24, grey 8, CMYK 32, an indexed image the bits of its index and an
// image mask 1. Colour spaces named in `resources` are looked up there. 0 when the depth
// cannot be told, as for JPEG 2000 images, whose dictionaries need not give a depth.
int imageBitsPerPixel(QPDFObjectHandle image, QPDFObjectHandle resources);

// Whether an image dictionary's data is JPEG 2000 as it is stored (its only filter /JPXDecode).
bool isJpxImage(QPDFObjectHandle image);

// Bits per pixel of a JPEG 2000 image whose data begins with `start`: the data's bits per
// component times the components of the dictionary's colour space, or of the data when the
// dictionary names none (a dictionary's colour space overrides the data's). 0 when the data
// does not tell.
int jpxBitsPerPixel(QPDFObjectHandle image, QPDFObjectHandle resources, std::string_view start);

// The colour components of the colour space `space`, looking names up in `resources` (which
// may be null); 0 when they cannot be told.
int colourComponents(QPDFObjectHandle space, QPDFObjectHandle resources);

// An entry of an image dictionary under its key or under the abbreviation inline images use.
QPDFObjectHandle imageEntry(QPDFObjectHandle image, const char *key, const char *abbreviation);
// The same for a count such as the width; 0 when it is missing or not an integer.
int imageDimension(QPDFObjectHandle image, const char *key, const char *abbreviation);
