#pragma once

#include <QByteArray>

// One scanned page as 8-bit RGB: `height` rows from the top, each `width` * 3 bytes (red, green,
// blue), no padding. The resolution is what the device scanned at, in dots per inch.
struct RgbPage
{
    int width = 0;
    int height = 0;
    double xDpi = 0;
    double yDpi = 0;
    QByteArray pixels;
};

// What became of the attempt to scan one page.
enum class PageStatus
{
    Scanned,
    NoMorePages, // the device has no paper left
    Failed,
};
