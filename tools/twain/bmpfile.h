#pragma once

#include "rgbpage.h"

#include <QString>

class QIODevice;

// Writes the page as an uncompressed 24-bit BMP: BITMAPINFOHEADER, rows bottom-up and padded to
// four bytes, the resolution in pixels per metre (GraphicsMagick takes it over as the density of
// what it converts the page to). False when the device refuses the data or the page is too big
// for the format.
bool writeBmp(const RgbPage &page, QIODevice *out);

// Writes the page into the file at path through a temporary in the same folder, so that the
// file either appears complete or not at all. False with a message in error otherwise.
bool saveBmp(const RgbPage &page, const QString &path, QString *error);
