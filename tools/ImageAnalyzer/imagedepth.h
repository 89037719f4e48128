#pragma once

#include <qpdf/QPDFObjectHandle.hh>

// Bits per pixel of an image (the dictionary of an image XObject or of an inline image, whose
// abbreviated keys and colour-space names are understood too): bits per component times colour
// components, so RGB gives 24, grey 8, CMYK 32, an indexed image the bits of its index and an
// image mask 1. Colour spaces named in `resources` are looked up there. 0 when the depth
// cannot be told.
int imageBitsPerPixel(QPDFObjectHandle image, QPDFObjectHandle resources);
