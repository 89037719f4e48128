#pragma once

#include <string_view>

// What the header of JPEG 2000 data tells about its pixels.
struct JpxLayout
{
    int colourComponents = 0; // components that carry colour (or a palette index), not opacity
    int bitsPerComponent = 0; // of the first component
};

// Reads the layout from the start of JPEG 2000 data as PDF's /JPXDecode holds it: a JP2 file
// (its image header box, with the component depths box when depths differ and the channel
// definition box that marks opacity) or a bare codestream (its SIZ marker). Zeros for what the
// bytes do not tell.
JpxLayout readJpxLayout(std::string_view data);
