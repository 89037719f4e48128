#include "pageassembler.h"

#include <cstring>

namespace {
int channelsOf(SANE_Frame format)
{
    return format == SANE_FRAME_RGB ? 3 : 1;
}

// The RGB channel a single-colour frame fills, or -1 for frames that fill all three.
int channelOf(SANE_Frame format)
{
    switch (format) {
    case SANE_FRAME_RED:
        return 0;
    case SANE_FRAME_GREEN:
        return 1;
    case SANE_FRAME_BLUE:
        return 2;
    default:
        return -1;
    }
}

bool knownFormat(SANE_Frame format)
{
    return format == SANE_FRAME_GRAY || format == SANE_FRAME_RGB || channelOf(format) >= 0;
}
} // namespace

bool PageAssembler::beginFrame(const SANE_Parameters &parameters, QString *error)
{
    if (!knownFormat(parameters.format)) {
        *error = QStringLiteral("Skener posilja slike v obliki, ki je ta program ne pozna.");
        return false;
    }
    if (parameters.depth != 1 && parameters.depth != 8 && parameters.depth != 16) {
        *error = QStringLiteral("Skener posilja %1-bitne vzorce, ki jih ta program ne pozna.")
                     .arg(parameters.depth);
        return false;
    }
    const qint64 rowBits
        = qint64(parameters.pixels_per_line) * channelsOf(parameters.format) * parameters.depth;
    if (parameters.pixels_per_line <= 0 || parameters.bytes_per_line * 8LL < rowBits
        || (width > 0 && parameters.pixels_per_line != width)) {
        *error = QStringLiteral("Skener je sporocil neveljavno velikost slike.");
        return false;
    }
    frame = parameters;
    width = parameters.pixels_per_line;
    frameRows = 0;
    pending.clear();
    if (parameters.lines > height)
        pixels.reserve(qint64(parameters.lines) * width * 3);
    return true;
}

void PageAssembler::addData(const unsigned char *data, int length)
{
    const int stride = frame.bytes_per_line;
    if (!pending.isEmpty()) {
        const int taken = qMin(length, stride - int(pending.size()));
        pending.append(reinterpret_cast<const char *>(data), taken);
        data += taken;
        length -= taken;
        if (pending.size() < stride)
            return;
        addRow(reinterpret_cast<const unsigned char *>(pending.constData()));
        pending.clear();
    }
    for (; length >= stride; data += stride, length -= stride)
        addRow(data);
    pending.append(reinterpret_cast<const char *>(data), length);
}

bool PageAssembler::endFrame(QString *error)
{
    pending.clear();
    if (frameRows == 0) {
        *error = QStringLiteral("Skener ni poslal slike.");
        return false;
    }
    return true;
}

RgbPage PageAssembler::takePage(double xDpi, double yDpi)
{
    RgbPage page;
    page.width = width;
    page.height = height;
    page.xDpi = xDpi;
    page.yDpi = yDpi;
    page.pixels.swap(pixels);
    *this = PageAssembler();
    return page;
}

void PageAssembler::addRow(const unsigned char *row)
{
    if (frameRows == height) {
        pixels.append(qint64(width) * 3, '\0');
        ++height;
    }
    auto *out = reinterpret_cast<unsigned char *>(pixels.data()) + qint64(frameRows) * width * 3;
    ++frameRows;
    if (frame.format == SANE_FRAME_RGB && frame.depth == 8) {
        std::memcpy(out, row, size_t(width) * 3);
        return;
    }
    const int channel = channelOf(frame.format);
    for (int x = 0; x < width; ++x, out += 3) {
        if (channel >= 0) {
            out[channel] = sample(row, x);
        } else if (frame.format == SANE_FRAME_RGB) {
            out[0] = sample(row, 3 * x);
            out[1] = sample(row, 3 * x + 1);
            out[2] = sample(row, 3 * x + 2);
        } else {
            out[0] = out[1] = out[2] = sample(row, x);
        }
    }
}

// Sample `index` of a row as 0..255. A set bit of a line-art grey frame is black; in the colour
// formats a set bit is full intensity.
int PageAssembler::sample(const unsigned char *row, int index) const
{
    if (frame.depth == 8)
        return row[index];
    if (frame.depth == 16) {
        quint16 value;
        std::memcpy(&value, row + 2 * index, sizeof value);
        return value >> 8;
    }
    const bool set = (row[index / 8] >> (7 - index % 8)) & 1;
    return set == (frame.format == SANE_FRAME_GRAY) ? 0 : 255;
}
