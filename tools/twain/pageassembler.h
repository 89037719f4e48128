#pragma once

#include "rgbpage.h"

#include <QString>
#include <sane/sane.h>

// Turns the frames a SANE device sends for one page into 8-bit RGB. Grey and line-art frames are
// expanded to three equal channels, 16-bit samples are cut to their upper byte, and the three
// single-colour frames of a three-pass scanner are merged. Rows may arrive split across reads,
// and the height need not be known in advance.
class PageAssembler
{
public:
    // Starts the next frame of the page. False with a message in error for a format or sample
    // depth this program cannot read, or for a frame whose width differs from the first frame's.
    bool beginFrame(const SANE_Parameters &parameters, QString *error);

    // Adds bytes of the current frame as the device delivered them.
    void addData(const unsigned char *data, int length);

    // Closes the current frame. False with a message in error when it held no complete row.
    bool endFrame(QString *error);

    // Hands over the page with the given resolution and starts afresh.
    RgbPage takePage(double xDpi, double yDpi);

private:
    void addRow(const unsigned char *row);
    int sample(const unsigned char *row, int index) const;

    SANE_Parameters frame {};
    QByteArray pending;
    QByteArray pixels;
    int width = 0;
    int height = 0;
    int frameRows = 0;
};
