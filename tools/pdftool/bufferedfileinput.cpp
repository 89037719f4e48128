#include "bufferedfileinput.h"

#include "pdfinput.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {
constexpr qpdf_offset_t blockSize = 16384;
// Blocks start at whole pages of the file, so that reading a little before an object (as qpdf
// does around its header) stays in the block.
constexpr qpdf_offset_t blockAlignment = 4096;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}
} // namespace

BufferedFileInput::BufferedFileInput(const QString &path, bool closeBetweenReads)
    : file(path)
    , name(qpdfFileName(path))
    , block(size_t(blockSize))
    , closeBetweenReads(closeBetweenReads)
{
    openFile();
    size = file.size();
    if (closeBetweenReads)
        file.close();
}

void BufferedFileInput::seek(qpdf_offset_t offset, int whence)
{
    const qpdf_offset_t base = whence == SEEK_END ? size : whence == SEEK_CUR ? position : 0;
    if (base + offset < 0)
        throw std::runtime_error(name + ": seek before the beginning of the file");
    position = base + offset;
}

size_t BufferedFileInput::read(char *buffer, size_t length)
{
    last_offset = position;
    size_t done = 0;
    while (done < length && bufferAt(position)) {
        const qpdf_offset_t inBlock = position - blockStart;
        const size_t count = std::min(length - done, size_t(blockLength - inBlock));
        std::memcpy(buffer + done, block.data() + inBlock, count);
        done += count;
        position += qpdf_offset_t(count);
    }
    return done;
}

void BufferedFileInput::unreadCh(char)
{
    if (position > 0)
        --position;
}

qpdf_offset_t BufferedFileInput::findAndSkipNextEOL()
{
    // As qpdf's inputs do: the offset of the next line end, the position past all the line-end
    // characters that follow it; the end of the file when there is none.
    qpdf_offset_t lineEnd = -1;
    while (bufferAt(position)) {
        const char *here = block.data() + (position - blockStart);
        const char *end = block.data() + blockLength;
        const char *found = lineEnd < 0 ? std::find_if(here, end, isLineEnd)
                                        : std::find_if_not(here, end, isLineEnd);
        position += found - here;
        if (found == end)
            continue;
        if (lineEnd >= 0)
            return lineEnd;
        lineEnd = position++;
    }
    position = std::min(position, size);
    return lineEnd >= 0 ? lineEnd : size;
}

std::string_view BufferedFileInput::bytesAt(qpdf_offset_t offset, size_t length)
{
    const qpdf_offset_t count
        = std::max<qpdf_offset_t>(0, std::min(qpdf_offset_t(length), size - offset));
    if (offset < windowStart || offset + count > windowStart + qpdf_offset_t(window.size())) {
        // Neighbouring objects often follow one another; a block's worth is read at least.
        const qpdf_offset_t read = std::min(std::max(count, blockSize), size - offset);
        window.resize(size_t(std::max<qpdf_offset_t>(read, 0)));
        windowStart = offset;
        readExactly(offset, window.data(), qint64(window.size()));
    }
    return std::string_view(window).substr(size_t(offset - windowStart), size_t(count));
}

void BufferedFileInput::stayOpen(bool open)
{
    keptOpen = open;
    if (!open && closeBetweenReads)
        file.close();
}

bool BufferedFileInput::bufferAt(qpdf_offset_t offset)
{
    if (offset >= blockStart && offset < blockStart + blockLength)
        return true;
    if (offset >= size)
        return false;
    blockStart = offset - offset % blockAlignment;
    blockLength = 0;
    const qpdf_offset_t count = std::min(blockSize, size - blockStart);
    readExactly(blockStart, block.data(), count);
    blockLength = count;
    return true;
}

void BufferedFileInput::readExactly(qpdf_offset_t offset, char *target, qint64 count)
{
    if (count <= 0)
        return;
    if (!file.isOpen())
        openFile();
    if (!file.seek(offset))
        failSystem(QStringLiteral("seek in"));
    const qint64 read = file.read(target, count);
    if (read < 0)
        failSystem(QStringLiteral("read"));
    if (closeBetweenReads && !keptOpen)
        file.close();
    if (read < count)
        fail(QStringLiteral("datoteka '%1' se je med branjem skrajsala").arg(file.fileName()));
}

void BufferedFileInput::openFile()
{
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        failSystem(QStringLiteral("open"));
}

void BufferedFileInput::fail(const QString &message)
{
    if (failed.isEmpty())
        failed = message;
    throw std::runtime_error(message.toStdString());
}

void BufferedFileInput::failSystem(const QString &what)
{
    fail(QStringLiteral("cannot %1 '%2': %3").arg(what, file.fileName(), file.errorString()));
}
